#include "platform/win32/Window.h"

#include "platform/win32/WideText.h"

#include <commctrl.h>

#include <exception>
#include <new>
#include <utility>

namespace tess::win32 {

namespace {

FailureHandler& failureHandler() {
    static FailureHandler handler;
    return handler;
}

bool reporting = false;

void showPlainFailure(std::string_view what) noexcept {
    try {
        const std::wstring text = wide("Tessaline could not finish what it was doing:\r\n" + std::string(what));
        ::MessageBoxW(nullptr, text.c_str(), L"Tessaline", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    } catch (...) {
        ::MessageBoxW(nullptr, L"Tessaline could not finish what it was doing.", L"Tessaline",
                      MB_OK | MB_ICONERROR | MB_TASKMODAL);
    }
}

// Each call of subclassProc has its own frame, since a handler may send the control further
// messages before it passes its own on.
struct PassFrame {
    bool passed = false;
    LRESULT result = 0;
};
thread_local PassFrame* currentFrame = nullptr;

constexpr UINT_PTR kSubclassId = 0x7E55;

}  // namespace

void setFailureHandler(FailureHandler handler) { failureHandler() = std::move(handler); }

void reportFailure(std::string_view what) noexcept {
    // A failure inside the report (its box runs a message loop) must not start another report.
    if (reporting || !failureHandler()) {
        showPlainFailure(what);
        return;
    }
    reporting = true;
    try {
        failureHandler()(what);
    } catch (...) {
        showPlainFailure(what);
    }
    reporting = false;
}

// GetDpiForWindow came with Windows 10; before it every monitor had the screen's DPI. Looked up
// once: user32 is loaded anyway, so this costs nothing at start-up.
int windowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (window && getDpiForWindow)
        if (const UINT dpi = getDpiForWindow(window); dpi > 0) return static_cast<int>(dpi);
    const HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

std::string currentExceptionText() {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return "Not enough memory.";
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "An unknown error.";
    }
}

Window::~Window() {
    if (hwnd_) {
        // The window outlives its object only by mistake; it must not call into a dead object.
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        ::DestroyWindow(hwnd_);
    }
}

bool Window::registerClass(HINSTANCE instance, const ClassInfo& info) {
    // Wide classes: their windows get typed characters as UTF-16 units, whatever the code page.
    const std::wstring name = wide(std::string_view(info.name));
    WNDCLASSEXW wc{};
    if (::GetClassInfoExW(instance, name.c_str(), &wc)) return true;
    wc.cbSize = sizeof(wc);
    wc.style = info.style;
    wc.lpfnWndProc = &Window::windowProc;
    wc.hInstance = instance;
    wc.hIcon = info.icon;
    wc.hCursor = info.cursor ? info.cursor : ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = info.background;
    wc.lpszClassName = name.c_str();
    return ::RegisterClassExW(&wc) != 0;
}

HWND Window::create(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menuOrId, HINSTANCE instance) {
    return ::CreateWindowExW(exStyle, wide(std::string_view(className)).c_str(), wide(std::string_view(title)).c_str(), style, x,
                             y, width, height, parent, menuOrId, instance, this);
}

LRESULT Window::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Window::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    LRESULT result = 0;
    try {
        result = self->handleMessage(msg, wParam, lParam);
    } catch (...) {
        reportFailure(currentExceptionText());
        result = ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->destroyed();
    }
    return result;
}

Subclass::~Subclass() { detach(); }

bool Subclass::attach(HWND control) {
    detach();
    if (!control || !::SetWindowSubclass(control, &Subclass::subclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    control_ = control;
    return true;
}

void Subclass::detach() {
    if (control_) ::RemoveWindowSubclass(control_, &Subclass::subclassProc, kSubclassId);
    control_ = nullptr;
}

LRESULT Subclass::passOn(UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = ::DefSubclassProc(control_, msg, wParam, lParam);
    if (currentFrame) {
        currentFrame->passed = true;
        currentFrame->result = result;
    }
    return result;
}

LRESULT CALLBACK Subclass::subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<Subclass*>(data);
    if (msg == WM_NCDESTROY) {
        self->detach();
        return ::DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    PassFrame frame;
    PassFrame* const outer = std::exchange(currentFrame, &frame);
    LRESULT result = 0;
    try {
        result = self->handleMessage(msg, wParam, lParam);
    } catch (...) {
        reportFailure(currentExceptionText());
        // The control's own handling runs once, whether or not ours got that far.
        result = frame.passed ? frame.result : ::DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    currentFrame = outer;
    return result;
}

}  // namespace tess::win32
