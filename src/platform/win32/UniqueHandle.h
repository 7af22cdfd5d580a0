#pragma once
// Move-only owners for Win32 handles and scope guards for GDI selections, window DCs and
// global-memory locks. Every guard stores all that its destructor needs.
#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace tess::win32 {

template <class H>
inline H nullHandle() { return H{}; }
inline HANDLE invalidHandleValue() { return INVALID_HANDLE_VALUE; }

// Invalid is a function giving the "no handle" value, since INVALID_HANDLE_VALUE is not a constant
// expression that a template argument could hold. (A named function, not a lambda: a lambda in a
// header is a different type in every file that includes it.)
template <class H, auto Close, auto Invalid = &nullHandle<H>>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    H get() const { return handle_; }
    explicit operator bool() const { return handle_ != Invalid(); }
    H release() { return std::exchange(handle_, Invalid()); }
    void reset(H handle = Invalid()) {
        if (handle_ != Invalid()) Close(handle_);
        handle_ = handle;
    }

private:
    H handle_ = Invalid();
};

namespace detail {
inline void closeHandle(HANDLE h) { ::CloseHandle(h); }
inline void deleteObject(HGDIOBJ h) { ::DeleteObject(h); }
inline void deleteFont(HFONT h) { ::DeleteObject(h); }
inline void deleteDc(HDC h) { ::DeleteDC(h); }
inline void destroyWindow(HWND h) { ::DestroyWindow(h); }
inline void destroyMenu(HMENU h) { ::DestroyMenu(h); }
inline void destroyAccel(HACCEL h) { ::DestroyAcceleratorTable(h); }
inline void globalFree(HGLOBAL h) { ::GlobalFree(h); }
inline void destroyIcon(HICON h) { ::DestroyIcon(h); }
inline void destroyImageList(HIMAGELIST h) { ::ImageList_Destroy(h); }
inline void deleteBrush(HBRUSH h) { ::DeleteObject(h); }
}  // namespace detail

using UniqueFile = UniqueHandle<HANDLE, &detail::closeHandle, &invalidHandleValue>;
using UniqueKernelHandle = UniqueHandle<HANDLE, &detail::closeHandle>;
using UniqueFont = UniqueHandle<HFONT, &detail::deleteFont>;
using UniqueGdiObject = UniqueHandle<HGDIOBJ, &detail::deleteObject>;
using UniqueDc = UniqueHandle<HDC, &detail::deleteDc>;  // printer and memory DCs
// Top-level windows and popup menus only: child windows and a window's menu bar go with the window.
using UniqueHwnd = UniqueHandle<HWND, &detail::destroyWindow>;
using UniqueMenu = UniqueHandle<HMENU, &detail::destroyMenu>;
using UniqueAccel = UniqueHandle<HACCEL, &detail::destroyAccel>;
using UniqueGlobal = UniqueHandle<HGLOBAL, &detail::globalFree>;
using UniqueIcon = UniqueHandle<HICON, &detail::destroyIcon>;
using UniqueImageList = UniqueHandle<HIMAGELIST, &detail::destroyImageList>;
using UniqueBrush = UniqueHandle<HBRUSH, &detail::deleteBrush>;

// A window DC from GetDC, released to the same window.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC and selects the previous one back on destruction. Declare the
// object's owner before the guard, so the object is deselected before it is deleted.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (previous_ && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL memory) : memory_(memory), data_(::GlobalLock(memory)) {}
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    ~GlobalLockGuard() {
        if (data_) ::GlobalUnlock(memory_);
    }
    void* get() const { return data_; }

private:
    HGLOBAL memory_;
    void* data_;
};

class PaintDc {
public:
    explicit PaintDc(HWND window) : window_(window) { ::BeginPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { ::EndPaint(window_, &paint_); }
    HDC get() const { return paint_.hdc; }
    const PAINTSTRUCT& paint() const { return paint_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
};

}  // namespace tess::win32
