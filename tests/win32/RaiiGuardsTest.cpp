// The handle owners and scope guards against real handles, each watched through the system's own
// record of it: a guard that forgets what it holds, or an owner that closes twice or never, fails.
#include "platform/win32/UniqueHandle.h"

#include <gtest/gtest.h>

namespace tess::win32 {
namespace {

bool kernelOpen(HANDLE h) { DWORD flags = 0; return ::GetHandleInformation(h, &flags) != 0; }
HANDLE newEvent() { return ::CreateEventA(nullptr, TRUE, FALSE, nullptr); }
HWND newPopup() { return ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr); }

template <class Owner>
bool ownedOnce(auto handle, auto alive) {
    bool held = false;
    { Owner owner(handle); held = owner.get() == handle && alive(handle); }
    return held && !alive(handle);
}

TEST(OwnersAndGuards, EachReleasesWhatItHoldsWhenItGoes) {
    EXPECT_TRUE(ownedOnce<UniqueBrush>(::CreateSolidBrush(RGB(1, 2, 3)), ::GetObjectType));
    EXPECT_TRUE(ownedOnce<UniqueFont>(::CreateFontA(9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, ""), ::GetObjectType));
    EXPECT_TRUE(ownedOnce<UniqueMenu>(::CreatePopupMenu(), ::IsMenu));
    EXPECT_TRUE(ownedOnce<UniqueHwnd>(newPopup(), ::IsWindow));
    EXPECT_TRUE(ownedOnce<UniqueGlobal>(::GlobalAlloc(GMEM_MOVEABLE, 8), ::GlobalSize));
    EXPECT_FALSE(UniqueFile(::CreateFileA("Z:\\f", 0, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
    UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, 8));
    {
        GlobalLockGuard lock(memory.get());
        EXPECT_TRUE(lock.get() && (::GlobalFlags(memory.get()) & GMEM_LOCKCOUNT) == 1);
    }
    EXPECT_EQ(::GlobalFlags(memory.get()) & GMEM_LOCKCOUNT, 0u);
    // Back in the cache (Wine's ReleaseDC ignores the window: only the DC shows).
    UniqueHwnd window(newPopup());
    const HDC held = WindowDc(window.get()).get(), again = ::GetDC(window.get());
    EXPECT_TRUE(::ReleaseDC(window.get(), again) && held && again == held);
}

// Ownership moves without a close, and whoever holds the handle last closes it once: the system
// hands a freed slot out again, so a second close would hit the unrelated handle made after it.
TEST(UniqueHandle, MoveResetAndReleaseCloseExactlyOnce) {
    HANDLE first = newEvent(), second = newEvent();
    UniqueKernelHandle a(first), c(second), b(std::move(a));
    c = std::move(b);  // closes second
    c = std::move(*&c);
    EXPECT_TRUE(!a && !b && kernelOpen(first) && !kernelOpen(second));
    c.reset();
    UniqueKernelHandle other(newEvent());
    a.reset(), b.reset(), c.reset();
    EXPECT_TRUE(kernelOpen(other.get()));
    EXPECT_TRUE(::CloseHandle(UniqueKernelHandle(newEvent()).release()));  // still open, and ours
}

}  // namespace
}  // namespace tess::win32
