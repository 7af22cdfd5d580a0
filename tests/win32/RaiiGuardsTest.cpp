// The handle owners and scope guards against real handles: each test watches the system's own
// record of the handle, so a guard that forgets the handle or DC its destructor needs, or an
// owner that closes twice or never, fails here.
#include "platform/win32/UniqueHandle.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>

namespace tess::win32 {
namespace {

bool kernelHandleOpen(HANDLE h) {
    DWORD flags = 0;
    return ::GetHandleInformation(h, &flags) != 0;
}

HANDLE newEvent() { return ::CreateEventA(nullptr, TRUE, FALSE, nullptr); }

TEST(UniqueHandle, ClosesOnDestructionAndOnlyOnce) {
    HANDLE raw = newEvent();
    ASSERT_TRUE(kernelHandleOpen(raw));
    { UniqueKernelHandle owner(raw); }
    EXPECT_FALSE(kernelHandleOpen(raw));
}

TEST(UniqueHandle, MovingHandsOverOwnershipWithoutClosing) {
    HANDLE raw = newEvent();
    UniqueKernelHandle target;
    {
        UniqueKernelHandle source(raw);
        UniqueKernelHandle middle(std::move(source));
        EXPECT_FALSE(source);
        target = std::move(middle);
    }
    // Neither moved-from owner closed it.
    EXPECT_TRUE(kernelHandleOpen(raw));
    EXPECT_EQ(target.get(), raw);
    target.reset();
    EXPECT_FALSE(kernelHandleOpen(raw));
}

TEST(UniqueHandle, AMovedFromOwnerDoesNotCloseAHandleThatReusesTheValue) {
    HANDLE raw = newEvent();
    auto source = std::make_unique<UniqueKernelHandle>(raw);
    UniqueKernelHandle target(std::move(*source));
    target.reset();
    // The system tends to hand the freed slot out again; a second close through the moved-from
    // owner would then close this unrelated handle.
    UniqueKernelHandle other(newEvent());
    source.reset();
    EXPECT_TRUE(kernelHandleOpen(other.get()));
}

TEST(UniqueHandle, MoveAssignmentClosesWhatTheTargetHeld) {
    HANDLE first = newEvent();
    HANDLE second = newEvent();
    UniqueKernelHandle a(first);
    UniqueKernelHandle b(second);
    a = std::move(b);
    EXPECT_FALSE(kernelHandleOpen(first));
    EXPECT_TRUE(kernelHandleOpen(second));
    auto& self = a;
    a = std::move(self);
    EXPECT_TRUE(kernelHandleOpen(second));
}

TEST(UniqueHandle, ResetClosesTheOldHandleAndKeepsTheNewOne) {
    HANDLE first = newEvent();
    HANDLE second = newEvent();
    UniqueKernelHandle owner(first);
    owner.reset(second);
    EXPECT_FALSE(kernelHandleOpen(first));
    EXPECT_TRUE(kernelHandleOpen(second));
    owner.reset();
    EXPECT_FALSE(kernelHandleOpen(second));
    EXPECT_FALSE(owner);
}

TEST(UniqueHandle, ReleaseGivesUpOwnership) {
    HANDLE raw = newEvent();
    HANDLE released = nullptr;
    {
        UniqueKernelHandle owner(raw);
        released = owner.release();
        EXPECT_FALSE(owner);
    }
    EXPECT_EQ(released, raw);
    EXPECT_TRUE(kernelHandleOpen(raw));
    EXPECT_TRUE(::CloseHandle(raw));  // still ours to close, so nobody closed it before
}

// A file handle's "no handle" value is INVALID_HANDLE_VALUE, not null.
TEST(UniqueHandle, FileOwnerTreatsInvalidHandleValueAsEmptyAndClosesRealFiles) {
    UniqueFile failed(::CreateFileA("Z:\\no\\such\\folder\\file.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(failed);
    EXPECT_EQ(failed.release(), INVALID_HANDLE_VALUE);

    char folder[MAX_PATH] = {};
    char path[MAX_PATH] = {};
    ASSERT_TRUE(::GetTempPathA(MAX_PATH, folder));
    ASSERT_TRUE(::GetTempFileNameA(folder, "raii", 0, path));
    {
        UniqueFile exclusive(::CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(exclusive);
        // Held without sharing: nobody else may open it.
        HANDLE second = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(second, INVALID_HANDLE_VALUE);
        if (second != INVALID_HANDLE_VALUE) ::CloseHandle(second);
    }
    HANDLE again = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(again, INVALID_HANDLE_VALUE);
    if (again != INVALID_HANDLE_VALUE) ::CloseHandle(again);
    ::DeleteFileA(path);
}

TEST(UniqueHandle, GdiWindowAndMenuOwnersDestroyTheirObjects) {
    HFONT font = ::CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Courier New");
    HMENU menu = ::CreatePopupMenu();
    HWND window = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_EQ(::GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
    ASSERT_TRUE(::IsMenu(menu));
    ASSERT_TRUE(::IsWindow(window));
    {
        UniqueFont f(font);
        UniqueMenu m(menu);
        UniqueHwnd w(window);
    }
    EXPECT_EQ(::GetObjectType(font), 0u);
    EXPECT_FALSE(::IsMenu(menu));
    EXPECT_FALSE(::IsWindow(window));
}

// Each kind of object a DC holds one of, with how to make one.
struct Selectable {
    const char* name;
    UINT type;
    std::function<HGDIOBJ(HDC)> make;
};

const Selectable kSelectables[] = {
    {"brush", OBJ_BRUSH, [](HDC) -> HGDIOBJ { return ::CreateSolidBrush(RGB(1, 2, 3)); }},
    {"pen", OBJ_PEN, [](HDC) -> HGDIOBJ { return ::CreatePen(PS_SOLID, 2, RGB(4, 5, 6)); }},
    {"font", OBJ_FONT,
     [](HDC) -> HGDIOBJ { return ::CreateFontA(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial"); }},
    {"bitmap", OBJ_BITMAP, [](HDC dc) -> HGDIOBJ { return ::CreateCompatibleBitmap(dc, 4, 4); }},
};

TEST(SelectGuard, PutsThePreviousObjectBackIntoTheSameDc) {
    UniqueDc dc(::CreateCompatibleDC(nullptr));
    UniqueDc otherDc(::CreateCompatibleDC(nullptr));
    ASSERT_TRUE(dc);
    for (const auto& s : kSelectables) {
        SCOPED_TRACE(s.name);
        const HGDIOBJ before = ::GetCurrentObject(dc.get(), s.type);
        const HGDIOBJ otherBefore = ::GetCurrentObject(otherDc.get(), s.type);
        UniqueGdiObject object(s.make(dc.get()));
        ASSERT_TRUE(object);
        {
            SelectGuard guard(dc.get(), object.get());
            EXPECT_EQ(::GetCurrentObject(dc.get(), s.type), object.get());
        }
        EXPECT_EQ(::GetCurrentObject(dc.get(), s.type), before);
        EXPECT_EQ(::GetCurrentObject(otherDc.get(), s.type), otherBefore);
        // Deselected, so deleting it really deletes it.
        const HGDIOBJ raw = object.get();
        object.reset();
        EXPECT_EQ(::GetObjectType(raw), 0u);
    }
}

TEST(SelectGuard, NestedGuardsUnwindInOrder) {
    UniqueDc dc(::CreateCompatibleDC(nullptr));
    const HGDIOBJ original = ::GetCurrentObject(dc.get(), OBJ_BRUSH);
    UniqueGdiObject red(::CreateSolidBrush(RGB(255, 0, 0)));
    UniqueGdiObject blue(::CreateSolidBrush(RGB(0, 0, 255)));
    {
        SelectGuard outer(dc.get(), red.get());
        {
            SelectGuard inner(dc.get(), blue.get());
            EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BRUSH), blue.get());
        }
        EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BRUSH), red.get());
    }
    EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BRUSH), original);
}

class WindowDcTest : public testing::Test {
protected:
    void SetUp() override {
        for (auto* w : {&first_, &second_})
            w->reset(::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr));
    }
    UniqueHwnd first_;
    UniqueHwnd second_;
};

// The DC belongs to the window it was taken from while the guard lives, and afterwards the
// window's cache entry is free again: the window's next DC is the same one. (Wine's ReleaseDC
// ignores its window argument, so which window the guard names cannot be watched here.)
TEST_F(WindowDcTest, HoldsTheWindowsDcAndReleasesIt) {
    HDC held = nullptr;
    {
        WindowDc dc(first_.get());
        held = dc.get();
        ASSERT_NE(held, nullptr);
        EXPECT_EQ(::WindowFromDC(held), first_.get());
    }
    HDC again = ::GetDC(first_.get());
    EXPECT_EQ(again, held);
    ::ReleaseDC(first_.get(), again);
}

TEST_F(WindowDcTest, TwoWindowsHeldAtOnceGetTheirOwnDcs) {
    WindowDc a(first_.get());
    WindowDc b(second_.get());
    EXPECT_NE(a.get(), b.get());
    EXPECT_EQ(::WindowFromDC(a.get()), first_.get());
    EXPECT_EQ(::WindowFromDC(b.get()), second_.get());
}

TEST(GlobalLockGuard, UnlocksWhatItLocked) {
    UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, 64));
    ASSERT_TRUE(memory);
    EXPECT_EQ(::GlobalFlags(memory.get()) & GMEM_LOCKCOUNT, 0u);
    {
        GlobalLockGuard outer(memory.get());
        ASSERT_NE(outer.get(), nullptr);
        EXPECT_EQ(::GlobalFlags(memory.get()) & GMEM_LOCKCOUNT, 1u);
        {
            GlobalLockGuard inner(memory.get());
            EXPECT_EQ(inner.get(), outer.get());
            EXPECT_EQ(::GlobalFlags(memory.get()) & GMEM_LOCKCOUNT, 2u);
        }
        EXPECT_EQ(::GlobalFlags(memory.get()) & GMEM_LOCKCOUNT, 1u);
    }
    EXPECT_EQ(::GlobalFlags(memory.get()) & GMEM_LOCKCOUNT, 0u);
}

TEST(GlobalLockGuard, AFailedLockUnlocksNothing) {
    UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, 16));
    GlobalLockGuard first(memory.get());
    const HGLOBAL raw = memory.get();
    {
        GlobalLockGuard onNothing(nullptr);
        EXPECT_EQ(onNothing.get(), nullptr);
    }
    EXPECT_EQ(::GlobalFlags(raw) & GMEM_LOCKCOUNT, 1u);
}

}  // namespace
}  // namespace tess::win32
