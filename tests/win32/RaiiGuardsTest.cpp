// The handle owners and scope guards against real handles: each case watches the system's own
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

// Selects the object through a guard: while the guard lives it is the DC's, afterwards the DC
// holds what it held before (and a second DC is untouched), so deleting the object deletes it.
bool selectsAndPutsBack(UINT type, HGDIOBJ created) {
    UniqueDc dc(::CreateCompatibleDC(nullptr)), other(::CreateCompatibleDC(nullptr));
    const HGDIOBJ before = ::GetCurrentObject(dc.get(), type), otherBefore = ::GetCurrentObject(other.get(), type);
    UniqueGdiObject object(created);
    bool held = false;
    {
        SelectGuard guard(dc.get(), object.get());
        held = ::GetCurrentObject(dc.get(), type) == object.get();
    }
    const bool back = ::GetCurrentObject(dc.get(), type) == before && ::GetCurrentObject(other.get(), type) == otherBefore;
    object.reset();
    return held && back && ::GetObjectType(created) == 0;
}

TEST(Guards, EachReleasesWhatItHolds) {
    const struct {
        const char* name;
        std::function<bool()> holdAndDrop;  // true when the object was held and then released
    } cases[] = {
        {"kernel handle", [] { HANDLE h = newEvent(); { UniqueKernelHandle o(h); } return !kernelHandleOpen(h); }},
        {"font", [] {
             HFONT f = ::CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Courier New");
             { UniqueFont o(f); }
             return ::GetObjectType(f) == 0; }},
        {"popup menu", [] { HMENU m = ::CreatePopupMenu(); { UniqueMenu o(m); } return !::IsMenu(m); }},
        {"window", [] { HWND w = newPopup(); { UniqueHwnd o(w); } return !::IsWindow(w); }},
        {"a failed file open owns nothing", [] {
             UniqueFile failed(::CreateFileA("Z:\\no\\such\\f.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
             return !failed && failed.release() == INVALID_HANDLE_VALUE; }},
        {"brush selected", [] { return selectsAndPutsBack(OBJ_BRUSH, ::CreateSolidBrush(RGB(1, 2, 3))); }},
        {"pen selected", [] { return selectsAndPutsBack(OBJ_PEN, ::CreatePen(PS_SOLID, 2, RGB(4, 5, 6))); }},
        {"font selected", [] {
             return selectsAndPutsBack(OBJ_FONT, ::CreateFontA(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial")); }},
        {"bitmap selected", [] {
             UniqueDc screen(::CreateCompatibleDC(nullptr));
             return selectsAndPutsBack(OBJ_BITMAP, ::CreateCompatibleBitmap(screen.get(), 4, 4)); }},
        // (Wine's ReleaseDC ignores its window argument, so which window the guard names cannot be seen.)
        {"window DCs, two at once, each back in its window's cache", [] {
             UniqueHwnd first(newPopup()), second(newPopup());
             HDC held = nullptr;
             bool own = false;
             {
                 WindowDc a(first.get()), b(second.get());
                 held = a.get();
                 own = a.get() != b.get() && ::WindowFromDC(a.get()) == first.get() && ::WindowFromDC(b.get()) == second.get();
             }
             HDC again = ::GetDC(first.get());
             ::ReleaseDC(first.get(), again);
             return own && again == held; }},
        {"global lock, and none released when the lock failed", [] {
             UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, 64));
             bool locked = false;
             {
                 GlobalLockGuard lock(memory.get());
                 { GlobalLockGuard onNothing(nullptr); }
                 locked = lock.get() && (::GlobalFlags(memory.get()) & GMEM_LOCKCOUNT) == 1;
             }
             return locked && (::GlobalFlags(memory.get()) & GMEM_LOCKCOUNT) == 0; }},
    };
    for (const auto& c : cases) EXPECT_TRUE(c.holdAndDrop()) << c.name;
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

}  // namespace
}  // namespace tess::win32
