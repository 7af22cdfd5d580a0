#include "app/win32/MainWindow.h"

#include "platform/win32/DesktopWin.h"
#include "resources/resource.h"

#include <commctrl.h>
#include <windowsx.h>

namespace tess::win32 {

namespace {

constexpr char kClassName[] = "TessalineMain";
constexpr char kCaption[] = "Tessaline";
constexpr int kInitialClientWidth = 500;
constexpr int kInitialClientHeight = 495;

constexpr DWORD kMainStyle = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS;
constexpr DWORD kEditorStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                               ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN | WS_TABSTOP;
constexpr DWORD kGutterStyle = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY;
constexpr int kEditorTextLimit = 100000;

bool registerClass(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXA wc{};
    if (::GetClassInfoExA(instance, kClassName, &wc)) return true;
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hIcon = ::LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP));
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    return ::RegisterClassExA(&wc) != 0;
}

}  // namespace

MainWindow::MainWindow() = default;

MainWindow::~MainWindow() {
    if (hwnd_) ::DestroyWindow(hwnd_);
}

bool MainWindow::create(HINSTANCE instance, const MainWindowOptions& options) {
    options_ = options;
    if (options.desktop) {
        desktop_ = options.desktop;
    } else {
        ownDesktop_ = std::make_unique<DesktopWin>();
        desktop_ = ownDesktop_.get();
    }

    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    if (!registerClass(instance, &MainWindow::windowProc)) return false;

    HWND hwnd = ::CreateWindowExA(0, kClassName, kCaption, kMainStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                  kInitialClientWidth, kInitialClientHeight, nullptr, nullptr, instance, this);
    if (!hwnd) return false;
    if (auto* real = dynamic_cast<DesktopWin*>(desktop_)) real->setOwner(hwnd_);

    // Client area of 500 x 495 pixels, centred in the work area (menu bar included in the frame).
    RECT frame{0, 0, kInitialClientWidth, kInitialClientHeight};
    ::AdjustWindowRectEx(&frame, kMainStyle, ::GetMenu(hwnd_) != nullptr, 0);
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    ::SetWindowPos(hwnd_, nullptr, work.left + (work.right - work.left - width) / 2,
                   work.top + (work.bottom - work.top - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

    createChildren();
    if (options.show) {
        ::ShowWindow(hwnd_, SW_SHOW);
        ::UpdateWindow(hwnd_);
    }
    return true;
}

void MainWindow::createChildren() {
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(hwnd_, GWLP_HINSTANCE));
    gutterHwnd_ = ::CreateWindowExA(0, "EDIT", "", kGutterStyle, 2, 32, 62, 443, hwnd_,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_GUTTER)), instance, nullptr);
    editorHwnd_ = ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", kEditorStyle, 64, 30, 435, 433, hwnd_,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_EDITOR)), instance, nullptr);
    editor_.attach(editorHwnd_);
    ::SendMessageA(editorHwnd_, EM_LIMITTEXT, kEditorTextLimit, 0);
    ::SetFocus(editorHwnd_);
}

void MainWindow::setStatusTexts(std::string_view, std::string_view, std::string_view) {}

void MainWindow::setGutterText(std::string_view text) {
    const std::string terminated(text);
    ::SetWindowTextA(gutterHwnd_, terminated.c_str());
}

void MainWindow::setRecentFileItems(const std::vector<std::string>&) {}

LRESULT CALLBACK MainWindow::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // Windows' own frames stand between DispatchMessage and us; an exception must not cross them.
    try {
        auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (msg == WM_NCCREATE) {
            self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
            self->hwnd_ = hwnd;
            ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        if (!self) return ::DefWindowProcA(hwnd, msg, wParam, lParam);
        const LRESULT result = self->handleMessage(msg, wParam, lParam);
        if (msg == WM_NCDESTROY) {
            ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
        }
        return result;
    } catch (...) {
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

LRESULT MainWindow::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE: onSize(); return 0;
    case WM_COMMAND: onCommand(LOWORD(wParam)); return 0;
    case WM_NOTIFY: return onNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            onClose();
            return 0;
        }
        break;
    case WM_TESS_CLEARMODIFIED: editor_.setModified(false); return 0;
    case WM_DESTROY: onDestroy(); return 0;
    }
    return ::DefWindowProcA(hwnd_, msg, wParam, lParam);
}

void MainWindow::onSize() {}

LRESULT MainWindow::onNotify(const NMHDR&) { return 0; }

bool MainWindow::onClose() {
    ::DestroyWindow(hwnd_);
    return true;
}

void MainWindow::onDestroy() {
    editorHwnd_ = gutterHwnd_ = nullptr;
    editor_.attach(nullptr);
    if (options_.quitOnDestroy) ::PostQuitMessage(0);
}

int runMessageLoop(MainWindow& window) {
    MSG msg{};
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        const HWND main = window.hwnd();
        if (main && window.accelerators() && ::TranslateAcceleratorA(main, window.accelerators(), &msg)) continue;
        if (main && ::IsDialogMessageA(main, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace tess::win32
