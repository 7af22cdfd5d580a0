#include "app/win32/MainWindow.h"

#include "app/Close.h"
#include "app/Layout.h"
#include "app/Menus.h"
#include "app/StatusBar.h"
#include "app/Startup.h"
#include "document/Documents.h"
#include "editor/Gutter.h"
#include "editor/win32/EditorSubclass.h"
#include "platform/win32/DesktopWin.h"
#include "resources/resource.h"

#include <shlobj.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace tess::win32 {

namespace {

constexpr char kClassName[] = "TessalineMain";
constexpr char kCaption[] = "Tessaline";
constexpr int kInitialClientWidth = 500;
constexpr int kInitialClientHeight = 495;
constexpr int kToolbarIconSize = 16;

constexpr DWORD kMainStyle = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS;
constexpr DWORD kEditorStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                               ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN | WS_TABSTOP;
// A wrapping editor has nothing to scroll sideways.
constexpr DWORD kWrappingEditorStyle = kEditorStyle & ~(WS_HSCROLL | ES_AUTOHSCROLL);
// The gutter's rows are padded to nearly its full width; with the control's default margins a row
// would wrap onto a second line and every number after it would stand beside the wrong line, so
// the gutter scrolls instead of wrapping and has no margins (applyEditorFont).
constexpr DWORD kGutterStyle = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL;
constexpr int kEditorTextLimit = 100000;

HMENU controlId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

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

void appendItems(HMENU menu, const std::vector<MenuItem>& items) {
    for (const auto& item : items) {
        if (item.separator()) ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        else ::AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(item.command), item.text.c_str());
    }
}

// Moves a control and gives it a client area of the wanted size, whatever its borders and scroll
// bars take.
void placeWithClientSize(HWND control, int x, int y, Size client) {
    RECT outer{}, inner{};
    ::GetWindowRect(control, &outer);
    ::GetClientRect(control, &inner);
    const int frameWidth = (outer.right - outer.left) - (inner.right - inner.left);
    const int frameHeight = (outer.bottom - outer.top) - (inner.bottom - inner.top);
    ::SetWindowPos(control, nullptr, x, y, std::max(client.width + frameWidth, 0),
                   std::max(client.height + frameHeight, 0), SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string folderWithBackslash(std::string folder) {
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

std::string programFolder() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            const std::string path(buffer.data(), length);
            const auto slash = path.find_last_of('\\');
            return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
        }
        buffer.resize(buffer.size() * 2);  // a long path was cut: try again with room for it
    }
}

std::string shellFolder(int csidl) {
    char path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return path;
}

}  // namespace

MainWindow::MainWindow() = default;

MainWindow::~MainWindow() {
    if (hwnd_) ::DestroyWindow(hwnd_);
}

bool MainWindow::create(HINSTANCE instance, const MainWindowOptions& options) {
    options_ = options;
    instance_ = instance;
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
    buildMenus();

    // Client area of 500 x 495 pixels, centred in the work area (menu bar included in the frame).
    RECT frame{0, 0, kInitialClientWidth, kInitialClientHeight};
    ::AdjustWindowRectEx(&frame, kMainStyle, ::GetMenu(hwnd_) != nullptr, 0);
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    ::SetWindowPos(hwnd_, nullptr, work.left + (work.right - work.left - width) / 2,
                   work.top + (work.bottom - work.top - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

    gutterHwnd_ = ::CreateWindowExA(0, "EDIT", "", kGutterStyle, kGutterX, kGutterY, kGutterWidth, 443, hwnd_,
                                    controlId(IDC_GUTTER), instance, nullptr);
    createEditor(false);
    initialise();
    if (!hwnd_) return false;  // a start-up step may have ended the window
    if (options.show) {
        ::ShowWindow(hwnd_, SW_SHOW);
        ::UpdateWindow(hwnd_);
    }
    return true;
}

HWND MainWindow::createEditor(bool wrap, DWORD exStyle) {
    editorHwnd_ = ::CreateWindowExA(exStyle, "EDIT", "", wrap ? kWrappingEditorStyle : kEditorStyle, kEditorX,
                                    kWorkAreaTop, 435, 433, hwnd_, controlId(IDC_EDITOR), instance_, nullptr);
    editor_.attach(editorHwnd_);
    ::SendMessageA(editorHwnd_, EM_LIMITTEXT, kEditorTextLimit, 0);
    return editorHwnd_;
}

// The start-up sequence, in its order: each step may rely on the ones before it.
void MainWindow::initialise() {
    Context ctx = context();
    if (loadOrCreateSettings(ctx, dataFolder()) && app_.settings.useLastSize != 0) applyLastSize();
    applySavedWordWrap();

    const std::string document = startupDocument(options_.commandLine, app_.settings);
    if (!document.empty()) loadDocument(ctx, document);

    applyInMemoryDefaults(app_);
    ::InvalidateRect(editorHwnd_, nullptr, TRUE);

    buildMenus();
    createToolbar();
    createStatusBar();
    applyEditorFont();
    updateStatusBar(ctx);
    installEditorSubclass(editorHwnd_, *this);
    // Posted, so that a document loaded above counts as unchanged once the window is up.
    ::PostMessageA(hwnd_, WM_TESS_CLEARMODIFIED, 0, 0);
}

std::string MainWindow::dataFolder() const {
    if (!options_.dataFolder.empty()) return folderWithBackslash(options_.dataFolder);
    return chooseDataFolder(programFolder(), shellFolder(CSIDL_PROGRAM_FILES), shellFolder(CSIDL_COMMON_APPDATA));
}

void MainWindow::applyLastSize() {
    const Settings& s = app_.settings;
    RECT frame{0, 0, s.clientWidth, s.clientHeight};
    ::AdjustWindowRectEx(&frame, kMainStyle, ::GetMenu(hwnd_) != nullptr, 0);
    ::SetWindowPos(hwnd_, nullptr, s.windowX, s.windowY, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    // A menu bar that wraps takes more height than AdjustWindowRectEx assumes: correct once.
    RECT client{}, window{};
    ::GetClientRect(hwnd_, &client);
    ::GetWindowRect(hwnd_, &window);
    const int dw = s.clientWidth - client.right;
    const int dh = s.clientHeight - client.bottom;
    if (dw != 0 || dh != 0)
        ::SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left + dw, window.bottom - window.top + dh,
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

void MainWindow::buildMenus() {
    HMENU bar = ::CreateMenu();
    for (const auto& menu : menuBar(app_.settings)) {
        HMENU popup = ::CreatePopupMenu();
        appendItems(popup, menu.items);
        ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), menu.title.c_str());
    }
    HMENU old = ::GetMenu(hwnd_);
    ::SetMenu(hwnd_, bar);
    if (old) ::DestroyMenu(old);
    showWordWrapCheck();

    contextMenu_.reset(::CreatePopupMenu());
    appendItems(contextMenu_.get(), tess::contextMenu());

    std::vector<ACCEL> table;
    for (const auto& a : acceleratorTable()) {
        BYTE flags = FVIRTKEY;
        if (a.control) flags |= FCONTROL;
        if (a.shift) flags |= FSHIFT;
        table.push_back(ACCEL{flags, static_cast<WORD>(a.key), static_cast<WORD>(a.command)});
    }
    accelerators_.reset(::CreateAcceleratorTableA(table.data(), static_cast<int>(table.size())));
}

void MainWindow::createToolbar() {
    if (toolbarHwnd_) ::DestroyWindow(toolbarHwnd_);
    toolbarHwnd_ = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP,
                                     0, 0, 0, 0, hwnd_, controlId(IDC_TOOLBAR), instance_, nullptr);
    ::SendMessageA(toolbarHwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);

    const auto names = toolbarIconNames();
    toolbarImages_.reset(::ImageList_Create(kToolbarIconSize, kToolbarIconSize, ILC_COLOR32 | ILC_MASK,
                                            static_cast<int>(names.size()), 0));
    for (const auto name : names) {
        const std::string resource(name);
        const UniqueIcon icon(static_cast<HICON>(
            ::LoadImageA(instance_, resource.c_str(), IMAGE_ICON, kToolbarIconSize, kToolbarIconSize, LR_DEFAULTCOLOR)));
        ::ImageList_AddIcon(toolbarImages_.get(), icon.get());
    }
    ::SendMessageA(toolbarHwnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(toolbarImages_.get()));

    std::vector<TBBUTTON> buttons;
    for (const auto& b : toolbarButtons()) {
        TBBUTTON button{};
        if (b.separator()) {
            button.iBitmap = kToolbarSeparatorWidth;
            button.fsStyle = BTNS_SEP;
        } else {
            button.iBitmap = b.image;
            button.idCommand = b.command;
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON;
        }
        buttons.push_back(button);
    }
    ::SendMessageA(toolbarHwnd_, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    ::SendMessageA(toolbarHwnd_, TB_AUTOSIZE, 0, 0);
}

void MainWindow::createStatusBar() {
    if (HWND old = ::GetDlgItem(hwnd_, IDC_STATUSBAR)) ::DestroyWindow(old);
    statusHwnd_ = ::CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, hwnd_,
                                    controlId(IDC_STATUSBAR), instance_, nullptr);
    const auto edges = statusBarEdges(app_.settings.clientWidth);
    ::SendMessageA(statusHwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    ::SetFocus(editorHwnd_);
}

void MainWindow::applyEditorFont() {
    const bool wasModified = editor_.modified();
    const HDC screen = ::GetDC(hwnd_);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(hwnd_, screen);
    UniqueFont font(::CreateFontA(-::MulDiv(app_.settings.fontSize, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                  ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  FIXED_PITCH | FF_MODERN, "courier new"));
    // One font object for both, so the gutter's rows line up with the editor's lines.
    ::SendMessageA(gutterHwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    ::SendMessageA(editorHwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    ::SendMessageA(gutterHwnd_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    // The old font is deleted only once no control uses it.
    font_ = std::move(font);
    if (!wasModified) editor_.setModified(false);

    EditControlWin gutter(gutterHwnd_);
    measureFont(gutter, app_.font);
    ::SendMessageA(hwnd_, WM_SIZE, 0, 0);
    Context ctx = context();
    refreshGutter(ctx);
}

void MainWindow::layoutMainWindow() {
    if (!editorHwnd_ || !gutterHwnd_) return;
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    const int cx = client.right;
    const int cy = client.bottom;
    app_.settings.clientWidth = cx;
    app_.settings.clientHeight = cy;

    const OuterLayout outer = outerLayout(cx, cy);
    ::SetWindowPos(gutterHwnd_, nullptr, outer.gutter.x, outer.gutter.y, std::max(outer.gutter.width, 0),
                   std::max(outer.gutter.height, 0), SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(editorHwnd_, nullptr, outer.editor.x, outer.editor.y, std::max(outer.editor.width, 0),
                   std::max(outer.editor.height, 0), SWP_NOZORDER | SWP_NOACTIVATE);
    RECT editorClient{};
    ::GetClientRect(editorHwnd_, &editorClient);

    const ClientLayout layout = clientLayout(cx, {editorClient.right, editorClient.bottom}, app_.font,
                                             app_.settings.showLineNumbers != 0);
    app_.font.visibleLines = layout.visibleLines;
    placeWithClientSize(gutterHwnd_, kGutterX, kGutterY, layout.gutterClient);
    placeWithClientSize(editorHwnd_, layout.editorX, kWorkAreaTop, layout.editorClient);

    if (toolbarHwnd_) ::SendMessageA(toolbarHwnd_, TB_AUTOSIZE, 0, 0);
    if (statusHwnd_) {
        ::SendMessageA(statusHwnd_, WM_SIZE, 0, 0);
        const auto edges = statusBarEdges(cx);
        ::SendMessageA(statusHwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    }
}

void MainWindow::setStatusTexts(std::string_view path, std::string_view line, std::string_view column) {
    if (!statusHwnd_) return;
    const std::string texts[3] = {std::string(path), std::string(line), std::string(column)};
    for (int part = 0; part < 3; ++part)
        ::SendMessageA(statusHwnd_, SB_SETTEXTA, part, reinterpret_cast<LPARAM>(texts[part].c_str()));
}

// The gutter is rebuilt on every erase and scroll of the editor; only a real change repaints it.
void MainWindow::setGutterText(std::string_view text) {
    if (EditControlWin(gutterHwnd_).text() == text) return;
    const std::string terminated(text);
    ::SetWindowTextA(gutterHwnd_, terminated.c_str());
}

void MainWindow::setRecentFileItems(const std::vector<std::string>& items) {
    HMENU file = ::GetSubMenu(::GetMenu(hwnd_), 0);
    if (!file) return;
    for (int i = 0; i < 4; ++i) ::DeleteMenu(file, kFirstRecentCommand + i, MF_BYCOMMAND);
    for (std::size_t i = 0; i < items.size() && i < 4; ++i)
        ::AppendMenuA(file, MF_STRING, kFirstRecentCommand + i, items[i].c_str());
    ::DrawMenuBar(hwnd_);
}

std::optional<WindowGeometry> MainWindow::windowGeometry() const {
    if (!hwnd_) return std::nullopt;
    if (::IsIconic(hwnd_)) {
        // A minimised window stands far off screen with no client area: keep where it was shown.
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        ::GetWindowPlacement(hwnd_, &placement);
        return WindowGeometry{placement.rcNormalPosition.left, placement.rcNormalPosition.top,
                              app_.settings.clientWidth, app_.settings.clientHeight};
    }
    RECT window{}, client{};
    ::GetWindowRect(hwnd_, &window);
    ::GetClientRect(hwnd_, &client);
    return WindowGeometry{window.left, window.top, client.right, client.bottom};
}

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
    case WM_CTLCOLOREDIT:
        if (reinterpret_cast<HWND>(lParam) == editorHwnd_) return onEditorColor(reinterpret_cast<HDC>(wParam));
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            onClose();
            return 0;
        }
        break;
    // Any other way of closing (the task bar, another program) asks the same questions.
    case WM_CLOSE: onClose(); return 0;
    case WM_TESS_CLEARMODIFIED: editor_.setModified(false); return 0;
    // The keyboard goes back to the editor when the window is activated again (after a message
    // box, say); the window itself has no use for it.
    case WM_SETFOCUS: if (editorHwnd_) ::SetFocus(editorHwnd_); return 0;
    case WM_DESTROY: onDestroy(); return 0;
    }
    return ::DefWindowProcA(hwnd_, msg, wParam, lParam);
}

void MainWindow::onSize() {
    // Minimised there is no client area to lay out, and the remembered size must survive.
    if (::IsIconic(hwnd_)) return;
    layoutMainWindow();
}

LRESULT MainWindow::onNotify(const NMHDR& header) {
    if (!toolbarHwnd_) return 0;
    const auto tooltips = reinterpret_cast<HWND>(::SendMessageA(toolbarHwnd_, TB_GETTOOLTIPS, 0, 0));
    if (!tooltips || header.hwndFrom != tooltips) return 0;
    const std::string_view text = toolbarTooltip(static_cast<int>(header.idFrom));
    if (header.code == TTN_GETDISPINFOW) {
        auto& info = *reinterpret_cast<NMTTDISPINFOW*>(const_cast<NMHDR*>(&header));
        tooltipText_.assign(text.begin(), text.end());  // the texts are plain ASCII
        info.hinst = nullptr;
        info.lpszText = tooltipText_.data();
    } else if (header.code == TTN_GETDISPINFOA) {
        // An ANSI parent may be asked in ANSI instead; the answer is the same text.
        auto& info = *reinterpret_cast<NMTTDISPINFOA*>(const_cast<NMHDR*>(&header));
        info.hinst = nullptr;
        const std::size_t n = std::min(text.size(), std::size(info.szText) - 1);
        std::copy_n(text.data(), n, info.szText);
        info.szText[n] = '\0';
        info.lpszText = info.szText;
    }
    return 0;
}

LRESULT MainWindow::onEditorColor(HDC dc) {
    const auto color = static_cast<COLORREF>(app_.settings.backgroundColor);
    if (!backgroundBrush_ || backgroundBrushColor_ != color) {
        backgroundBrush_.reset(::CreateSolidBrush(color));
        backgroundBrushColor_ = color;
    }
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkColor(dc, color);
    return reinterpret_cast<LRESULT>(backgroundBrush_.get());
}

bool MainWindow::onClose() {
    Context ctx = context();
    if (!closeMainWindow(ctx)) return false;
    ::DestroyWindow(hwnd_);
    return true;
}

void MainWindow::onDestroy() {
    editorHwnd_ = gutterHwnd_ = toolbarHwnd_ = statusHwnd_ = nullptr;
    editor_.attach(nullptr);
    toolbarImages_.reset();
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
