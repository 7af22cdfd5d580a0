#pragma once
// What every window and subclassed control of the program shares: its class registered once, the
// object found again from the handle, and a barrier that keeps exceptions out of the system's
// frames. An exception is never swallowed silently: it goes to the failure handler, which tells
// the user what failed and keeps the unsaved text.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

// Older headers lack it; the windows that follow their monitor's DPI handle it.
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace tess::win32 {

// The program installs one handler at start-up; without one a plain message box says what failed.
using FailureHandler = std::function<void(std::string_view what)>;
void setFailureHandler(FailureHandler handler);
// Reports an exception caught at a barrier. Never throws; a failure while reporting (or a second
// one while the first is being reported) still ends up in a message box.
void reportFailure(std::string_view what) noexcept;
// The text of the exception being handled, for the report.
std::string currentExceptionText();

// The dots per inch of the monitor the window is on (the screen's when there is no window).
int windowDpi(HWND window);

// A top-level or child window of a class of the program's own. Derived classes handle messages
// in handleMessage; whatever they do not handle goes to DefWindowProcW.
class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const { return hwnd_; }
    // What the program's loop hands this window before dispatching a message for it or its
    // children: its accelerator table, and whether it wants the dialog keyboard handling.
    virtual HACCEL accelerators() const { return nullptr; }
    virtual bool wantsDialogKeys() const { return false; }

protected:
    struct ClassInfo {
        const char* name = nullptr;  // ASCII
        HICON icon = nullptr;
        HCURSOR cursor = nullptr;
        HBRUSH background = nullptr;
        UINT style = 0;
    };
    // Registers the class the first time; true when it is (or already was) registered.
    static bool registerClass(HINSTANCE instance, const ClassInfo& info);
    // Creates the window; hwnd() is set from WM_NCCREATE on, so handlers see it during creation.
    HWND create(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y, int width,
                int height, HWND parent, HMENU menuOrId, HINSTANCE instance);
    virtual LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // For windows the system creates for us (dialogs), whose procedure is not ours.
    void adoptHandle(HWND hwnd) { hwnd_ = hwnd; }
    // Called after the window is gone (WM_NCDESTROY); hwnd() is null by then.
    virtual void destroyed() {}

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

// A control of the system's own (an EDIT control, say) with handling of ours in front of it. The
// state the handling needs lives in the derived object, which lives as long as the control: the
// subclass goes when the control is destroyed.
class Subclass {
public:
    Subclass() = default;
    Subclass(const Subclass&) = delete;
    Subclass& operator=(const Subclass&) = delete;
    virtual ~Subclass();

    // Puts the handling in front of control; false when the control cannot be subclassed. A
    // Subclass serves one control at a time: attaching again detaches from the previous one.
    bool attach(HWND control);
    void detach();
    HWND control() const { return control_; }

protected:
    // The message for the control; passOn runs the control's own handling and returns its result.
    virtual LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) { return passOn(msg, wParam, lParam); }
    LRESULT passOn(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data);
    HWND control_ = nullptr;
};

}  // namespace tess::win32
