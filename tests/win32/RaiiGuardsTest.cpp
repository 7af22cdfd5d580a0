// The handle owners and scope guards against real handles: each test watches the system's own
// record of the handle, so a guard that forgets the handle or DC its destructor needs, or an
// owner that closes twice or never, fails here.
#include "platform/win32/UniqueHandle.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

namespace tess::win32 {
namespace {

bool kernelHandleOpen(HANDLE h) {
    DWORD flags = 0;
    return ::GetHandleInformation(h, &flags) != 0;
}

HANDLE newEvent() { return ::CreateEventA(nullptr, TRUE, FALSE, nullptr); }
HWND newPopup() { return ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr); }

TEST(UniqueHandle, EachOwnerReleasesWhatItHolds) {
    const struct {
        const char* name;
        std::function<bool()> ownAndDrop;  // true when the object is gone once its owner is
    } cases[] = {
        {"kernel handle", [] { HANDLE h = newEvent(); { UniqueKernelHandle o(h); } return !kernelHandleOpen(h); }},
        {"font", [] {
             HFONT f = ::CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Courier New");
             { UniqueFont o(f); }
             return ::GetObjectType(f) == 0; }},
        {"popup menu", [] { HMENU m = ::CreatePopupMenu(); { UniqueMenu o(m); } return !::IsMenu(m); }},
        {"window", [] { HWND w = newPopup(); { UniqueHwnd o(w); } return !::IsWindow(w); }},
    };
    for (const auto& c : cases) EXPECT_TRUE(c.ownAndDrop()) << c.name;
}

// Ownership moves without a close; whoever holds the handle last closes it exactly once.
TEST(UniqueHandle, MoveResetAndReleaseCloseExactlyOnce) {
    HANDLE first = newEvent(), second = newEvent();
    UniqueKernelHandle a(first);
    UniqueKernelHandle b(std::move(a));
    EXPECT_FALSE(a);
    EXPECT_TRUE(kernelHandleOpen(first));
    UniqueKernelHandle c(second);
    c = std::move(b);  // closes what c held
    EXPECT_FALSE(kernelHandleOpen(second));
    auto& self = c;
    c = std::move(self);
    EXPECT_TRUE(kernelHandleOpen(first));

    // The system hands a freed slot out again; a second close through a moved-from or reset owner
    // would close this unrelated handle.
    c.reset();
    UniqueKernelHandle other(newEvent());
    a.reset();
    b.reset();
    EXPECT_TRUE(kernelHandleOpen(other.get()));

    HANDLE released = UniqueKernelHandle(newEvent()).release();
    EXPECT_TRUE(::CloseHandle(released));  // still open, and ours to close
}

// A file handle's "no handle" value is INVALID_HANDLE_VALUE, not null.
TEST(UniqueHandle, AFailedFileOpenOwnsNothing) {
    UniqueFile failed(::CreateFileA("Z:\\no\\such\\folder\\f.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(failed);
    EXPECT_EQ(failed.release(), INVALID_HANDLE_VALUE);
}

// The previous object goes back into the same DC, so deleting the object really deletes it.
TEST(SelectGuard, PutsThePreviousObjectBackIntoTheSameDc) {
    UniqueDc dc(::CreateCompatibleDC(nullptr)), otherDc(::CreateCompatibleDC(nullptr));
    const struct {
        const char* name;
        UINT type;
        std::function<HGDIOBJ(HDC)> make;
    } cases[] = {
        {"brush", OBJ_BRUSH, [](HDC) -> HGDIOBJ { return ::CreateSolidBrush(RGB(1, 2, 3)); }},
        {"pen", OBJ_PEN, [](HDC) -> HGDIOBJ { return ::CreatePen(PS_SOLID, 2, RGB(4, 5, 6)); }},
        {"font", OBJ_FONT, [](HDC) -> HGDIOBJ { return ::CreateFontA(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"); }},
        {"bitmap", OBJ_BITMAP, [](HDC d) -> HGDIOBJ { return ::CreateCompatibleBitmap(d, 4, 4); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const HGDIOBJ before = ::GetCurrentObject(dc.get(), c.type);
        const HGDIOBJ otherBefore = ::GetCurrentObject(otherDc.get(), c.type);
        UniqueGdiObject object(c.make(dc.get()));
        {
            SelectGuard guard(dc.get(), object.get());
            EXPECT_EQ(::GetCurrentObject(dc.get(), c.type), object.get());
        }
        EXPECT_EQ(::GetCurrentObject(dc.get(), c.type), before);
        EXPECT_EQ(::GetCurrentObject(otherDc.get(), c.type), otherBefore);
        const HGDIOBJ raw = object.get();
        object.reset();
        EXPECT_EQ(::GetObjectType(raw), 0u);
    }
}

// Each DC belongs to its own window while held, and is back in the window's cache afterwards.
// (Wine's ReleaseDC ignores its window argument, so which window the guard names cannot be seen.)
TEST(WindowDc, HoldsEachWindowsOwnDcAndReleasesIt) {
    UniqueHwnd first(newPopup()), second(newPopup());
    HDC held = nullptr;
    {
        WindowDc a(first.get());
        WindowDc b(second.get());
        held = a.get();
        EXPECT_NE(a.get(), b.get());
        EXPECT_EQ(::WindowFromDC(a.get()), first.get());
        EXPECT_EQ(::WindowFromDC(b.get()), second.get());
    }
    HDC again = ::GetDC(first.get());
    EXPECT_EQ(again, held);
    ::ReleaseDC(first.get(), again);
}

TEST(GlobalLockGuard, UnlocksWhatItLockedAndNothingWhenTheLockFailed) {
    UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, 64));
    {
        GlobalLockGuard lock(memory.get());
        ASSERT_NE(lock.get(), nullptr);
        EXPECT_EQ(::GlobalFlags(memory.get()) & GMEM_LOCKCOUNT, 1u);
        { GlobalLockGuard onNothing(nullptr); }
        EXPECT_EQ(::GlobalFlags(memory.get()) & GMEM_LOCKCOUNT, 1u);
    }
    EXPECT_EQ(::GlobalFlags(memory.get()) & GMEM_LOCKCOUNT, 0u);
}

}  // namespace
}  // namespace tess::win32
