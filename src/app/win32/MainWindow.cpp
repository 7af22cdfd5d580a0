#include "app/win32/MainWindow.h"

#include "app/Close.h"
#include "app/Commands.h"
#include "app/Layout.h"
#include "app/ScreenPlacement.h"
#include "document/DiskChanges.h"
#include "document/Documents.h"
#include "app/win32/WindowPlace.h"
#include "dialogs/win32/AboutPicture.h"
#include "editor/StatusBar.h"
#include "platform/win32/DialogTemplate.h"
#include "platform/win32/WideText.h"
#include "resources/resource.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace tess::win32 {

namespace {

constexpr char kClassName[] = "TessalineMain";
constexpr char kCaption[] = "Tessaline";
constexpr DWORD kMainStyle = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS;

HMENU controlId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

// Items with a popup go into a submenu of that name, made where the first of them comes.
void appendItems(HMENU menu, const std::vector<MenuItem>& items) {
    HMENU popup = nullptr;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = items[i];
        if (!item.popup.empty() && (i == 0 || items[i - 1].popup != item.popup)) {
            popup = ::CreatePopupMenu();
            ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), wide(item.popup).c_str());
        }
        HMENU into = item.popup.empty() ? menu : popup;
        if (item.separator()) ::AppendMenuW(into, MF_SEPARATOR, 0, nullptr);
        else ::AppendMenuW(into, MF_STRING, static_cast<UINT_PTR>(item.command), wide(item.text).c_str());
    }
}

// The pixels of a size x size, 32-bit icon resource (bottom row first, alpha included), or null
// when the group has no such image.
const std::uint32_t* iconPixels(HINSTANCE instance, std::string_view name, int size) {
    const std::wstring group = wide(name);
    const HRSRC directory = ::FindResourceW(instance, group.c_str(), RT_GROUP_ICON);
    if (!directory) return nullptr;
    const auto bytes = static_cast<BYTE*>(::LockResource(::LoadResource(instance, directory)));
    const int id = bytes ? ::LookupIconIdFromDirectoryEx(bytes, TRUE, size, size, LR_DEFAULTCOLOR) : 0;
    const HRSRC image = id ? ::FindResourceW(instance, MAKEINTRESOURCEW(id), RT_ICON) : nullptr;
    if (!image) return nullptr;
    const auto header = static_cast<const BITMAPINFOHEADER*>(::LockResource(::LoadResource(instance, image)));
    const DWORD pixelBytes = static_cast<DWORD>(size * size * 4);
    if (!header || ::SizeofResource(instance, image) < sizeof(BITMAPINFOHEADER) + pixelBytes ||
        header->biSize < sizeof(BITMAPINFOHEADER) || header->biWidth != size || header->biHeight != 2 * size ||
        header->biBitCount != 32 || header->biCompression != BI_RGB)
        return nullptr;
    return reinterpret_cast<const std::uint32_t*>(reinterpret_cast<const BYTE*>(header) + header->biSize);
}

// The named icons side by side in one 32-bit bitmap, an icon that is not a size x size 32-bit
// image leaving its place empty. Made from the resources' own pixels: loading each as an icon
// object and taking its bitmaps costs about a millisecond apiece under Wine, on every start.
UniqueGdiObject iconStrip(HINSTANCE instance, const std::vector<std::string_view>& names, int size) {
    const int width = size * static_cast<int>(names.size());
    BITMAPINFO info{};
    info.bmiHeader = {.biSize = sizeof(BITMAPINFOHEADER), .biWidth = width, .biHeight = size, .biPlanes = 1,
                      .biBitCount = 32, .biCompression = BI_RGB};
    void* bits = nullptr;
    UniqueGdiObject strip(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!strip) return strip;
    auto* out = static_cast<std::uint32_t*>(bits);
    std::fill_n(out, static_cast<std::size_t>(width) * size, 0u);
    for (int i = 0; i < static_cast<int>(names.size()); ++i) {
        const std::uint32_t* in = iconPixels(instance, names[static_cast<std::size_t>(i)], size);
        for (int row = 0; in && row < size; ++row)
            std::copy_n(in + row * size, size, out + row * width + i * size);
    }
    return strip;
}

// Set while a close question is open, however the question ends.
class QuestionOpen {
public:
    explicit QuestionOpen(bool& open) : open_(open) { open_ = true; }
    ~QuestionOpen() { open_ = false; }
    QuestionOpen(const QuestionOpen&) = delete;
    QuestionOpen& operator=(const QuestionOpen&) = delete;

private:
    bool& open_;
};

}  // namespace

MainWindow::MainWindow(App& app, Desktop& desktop, std::function<bool(int)> runCommand)
    : app_(app), desktop_(desktop), runCommand_(std::move(runCommand)), editorView_(*this, app) {}

// The window goes first, while the font, the brush and the image list its controls use still exist.
MainWindow::~MainWindow() {
    if (hwnd()) ::DestroyWindow(hwnd());
}

CommandContext MainWindow::context() {
    return {{{app_, editorView_.editor(), desktop_, *this, printers}, editorView_.state()}, find_};
}

bool MainWindow::create(HINSTANCE instance) {
    instance_ = instance;
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    if (!registerClass(instance, {.name = kClassName,
                                  .icon = ::LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP)),
                                  .background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)}))
        return false;
    // The style is what DragAcceptFiles sets, without loading the shell at every start.
    if (!Window::create(WS_EX_ACCEPTFILES, kClassName, kCaption, kMainStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                        kInitialClientSize.width, kInitialClientSize.height, nullptr, nullptr, instance))
        return false;
    app_.dpi = windowDpi(hwnd());

    // Client area of 500 x 495 pixels at 96 dpi, centred in the work area. The frame counts the
    // menu bar, which comes with the settings (it lists their recent files).
    RECT frame{0, 0, scaled(kInitialClientSize.width, app_.dpi), scaled(kInitialClientSize.height, app_.dpi)};
    ::AdjustWindowRectEx(&frame, kMainStyle, TRUE, 0);
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    // At a high DPI on a small screen the design's size may not fit: then it is cut to the work
    // area, title bar on screen.
    const Rect place = placeOnScreen({work.left + (work.right - work.left - width) / 2,
                                      work.top + (work.bottom - work.top - height) / 2, width, height},
                                     {{work.left, work.top, work.right - work.left, work.bottom - work.top}});
    ::SetWindowPos(hwnd(), nullptr, place.x, place.y, place.width, place.height, SWP_NOZORDER | SWP_NOACTIVATE);

    if (!editorView_.create(hwnd(), instance, false)) {
        ::DestroyWindow(hwnd());
        return false;
    }
    return true;
}

// The saved size is taken before the menu bar goes in: every layout records the client size.
void MainWindow::applySettings(bool useLastSize) {
    const Settings saved = app_.settings;
    buildMenus();
    if (useLastSize) applyLastSize(saved);
    // The editor is still empty, so it is simply made again the way the settings say, sunken
    // edge and all.
    if (app_.settings.wordWrap) editorView_.startWrapped();
}

// The settings keep the client size at 96 dpi.
void MainWindow::applyLastSize(const Settings& s) {
    const int clientWidth = scaled(s.clientWidth, app_.dpi), clientHeight = scaled(s.clientHeight, app_.dpi);
    RECT frame{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectEx(&frame, kMainStyle, ::GetMenu(hwnd()) != nullptr, 0);
    // A place saved on a monitor that is gone, or a size from a larger screen, comes back on screen.
    const Rect saved{s.windowX, s.windowY, frame.right - frame.left, frame.bottom - frame.top};
    const Rect place = placeOnScreen(saved, monitorWorkAreas());
    ::SetWindowPos(hwnd(), nullptr, place.x, place.y, place.width, place.height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (place.width != saved.width || place.height != saved.height) return;
    // A menu bar that wraps takes more height than AdjustWindowRectEx assumes: correct once.
    RECT client{}, window{};
    ::GetClientRect(hwnd(), &client);
    ::GetWindowRect(hwnd(), &window);
    const int dw = clientWidth - client.right;
    const int dh = clientHeight - client.bottom;
    if (dw != 0 || dh != 0)
        ::SetWindowPos(hwnd(), nullptr, 0, 0, window.right - window.left + dw, window.bottom - window.top + dh,
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

bool MainWindow::finishStartup() {
    ::InvalidateRect(editorHwnd(), nullptr, TRUE);
    if (!createToolbar() || !createStatusBar()) return false;
    editorView_.applyFont();
    CommandContext ctx = context();
    updateStatusBar(ctx);
    showEncoding(app_.encoding);
    return editorView_.installEditorSubclass();
}

void MainWindow::buildMenus() {
    HMENU bar = ::CreateMenu();
    recentSeparator_ = false;
    for (const auto& menu : menuBar(app_.settings)) {
        HMENU popup = ::CreatePopupMenu();
        appendItems(popup, menu.items);
        ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), wide(menu.title).c_str());
    }
    HMENU old = ::GetMenu(hwnd());
    ::SetMenu(hwnd(), bar);
    if (old) ::DestroyMenu(old);
    showWordWrapCheck();

    contextMenu_.reset(::CreatePopupMenu());
    appendItems(contextMenu_.get(), tess::contextMenu());

    std::vector<ACCEL> table;
    for (const Command& c : commandTable()) {
        if (!c.key.code || c.key.elsewhere) continue;
        BYTE flags = FVIRTKEY;
        if (c.key.control) flags |= FCONTROL;
        if (c.key.shift) flags |= FSHIFT;
        if (c.key.alt) flags |= FALT;
        table.push_back(ACCEL{flags, static_cast<WORD>(c.key.code), static_cast<WORD>(c.id)});
    }
    accelerators_.reset(::CreateAcceleratorTableW(table.data(), static_cast<int>(table.size())));
}

void MainWindow::showWordWrapCheck() {
    ::CheckMenuItem(::GetMenu(hwnd()), IDM_WORDWRAP,
                    MF_BYCOMMAND | (app_.settings.wordWrap ? MF_CHECKED : MF_UNCHECKED));
}

bool MainWindow::createToolbar() {
    if (toolbar_) ::DestroyWindow(toolbar_);
    toolbar_ = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP,
                                 0, 0, 0, 0, hwnd(), controlId(IDC_TOOLBAR), instance_, nullptr);
    if (!toolbar_) return false;
    ::SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);

    // The pictures go into the image list in button order.
    std::vector<std::string_view> icons;
    std::vector<TBBUTTON> buttons;
    for (const Command& c : commandTable()) {
        if (!c.button.id) continue;
        if (c.button.gapBefore)
            buttons.push_back({.iBitmap = scaled(kToolbarSeparatorWidth, app_.dpi), .fsStyle = BTNS_SEP});
        buttons.push_back({.iBitmap = static_cast<int>(icons.size()), .idCommand = c.button.id,
                           .fsState = TBSTATE_ENABLED, .fsStyle = BTNS_BUTTON});
        icons.push_back(c.button.icon);
    }
    // Only the size this DPI shows is read from the resources.
    const int iconSize = toolbarIconSize(app_.dpi);
    toolbarImages_.reset(::ImageList_Create(iconSize, iconSize, ILC_COLOR32, static_cast<int>(icons.size()), 0));
    if (const UniqueGdiObject strip = iconStrip(instance_, icons, iconSize))
        ::ImageList_Add(toolbarImages_.get(), static_cast<HBITMAP>(strip.get()), nullptr);
    ::SendMessageW(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(toolbarImages_.get()));
    ::SendMessageW(toolbar_, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    ::SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
    return true;
}

bool MainWindow::createStatusBar() {
    if (statusBar_) ::DestroyWindow(statusBar_);
    statusBar_ = ::CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, hwnd(),
                                   controlId(IDC_STATUSBAR), instance_, nullptr);
    if (!statusBar_) return false;
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    const auto edges = statusBarEdges(client.right, app_.dpi);
    ::SendMessageW(statusBar_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    return true;
}

void MainWindow::editorMetricsChanged() { ::SendMessageW(hwnd(), WM_SIZE, 0, 0); }

// Reads the real client size, so WM_SIZE with zero arguments works.
void MainWindow::layout() {
    if (!editorHwnd() || !gutterHwnd()) return;
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    const int cx = client.right;
    const int cy = client.bottom;
    const int dpi = app_.dpi;
    app_.settings.clientWidth = unscaled(cx, dpi);
    app_.settings.clientHeight = unscaled(cy, dpi);

    // The editor's client size at its outer size, snapped to whole lines: each control is moved
    // once, straight to its final place.
    const Rect outer = editorOuterRect(cx, cy, dpi);
    const SIZE frame = editorView_.editorFrame();
    const Size editorClient{std::max(outer.width - static_cast<int>(frame.cx), 0),
                            std::max(outer.height - static_cast<int>(frame.cy), 0)};
    const ClientLayout layout =
        clientLayout(cx, editorClient, editorView_.state().font, app_.settings.showLineNumbers, dpi);
    editorView_.state().font.visibleLines = layout.visibleLines;
    editorView_.place(scaled(kGutterX, dpi), scaled(kGutterY, dpi),
                      {layout.gutterClient.width, layout.gutterClient.height}, layout.editorX,
                      scaled(kWorkAreaTop, dpi), {layout.editorClient.width, layout.editorClient.height});

    if (toolbar_) ::SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
    if (statusBar_) {
        ::SendMessageW(statusBar_, WM_SIZE, 0, 0);
        const auto edges = statusBarEdges(cx, dpi);
        ::SendMessageW(statusBar_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    }
}

void MainWindow::setStatusTexts(std::string_view path, std::string_view line, std::string_view column) {
    if (!statusBar_) return;
    const std::wstring texts[3] = {wide(path), wide(line), wide(column)};
    for (int part = 0; part < 3; ++part)
        ::SendMessageW(statusBar_, SB_SETTEXTW, part, reinterpret_cast<LPARAM>(texts[part].c_str()));
}

void MainWindow::showEncoding(Encoding encoding) {
    if (statusBar_)
        ::SendMessageW(statusBar_, SB_SETTEXTW, 3, reinterpret_cast<LPARAM>(wide(encodingName(encoding)).c_str()));
    // The radio group's own menu, the File menu's submenu.
    HMENU file = ::GetSubMenu(::GetMenu(hwnd()), 0);
    HMENU popup = nullptr;
    for (int i = 0; file && !popup && i < ::GetMenuItemCount(file); ++i) popup = ::GetSubMenu(file, i);
    if (popup)
        ::CheckMenuRadioItem(popup, encodingCommand(Encoding::Ansi), encodingCommand(Encoding::Utf16Be),
                             encodingCommand(encoding), MF_BYCOMMAND);
}

void MainWindow::setGutterText(std::string_view text) { editorView_.setGutterText(text); }

void MainWindow::setRecentFileItems(const std::vector<std::string>& items) {
    HMENU file = ::GetSubMenu(::GetMenu(hwnd()), 0);
    if (!file) return;
    std::vector<int> entries;  // the recent-file commands, in list order
    int itemsAfter = 0;        // what the menu has after them: the Encoding menu
    std::string_view previousPopup;
    for (const Command& c : commandTable()) {
        if (c.menu != MenuName::File) continue;
        if (c.recentFileEntry()) entries.push_back(c.id), itemsAfter = 0;
        else if (c.popup.empty() || c.popup != previousPopup) ++itemsAfter;
        previousPopup = c.popup;
    }
    for (const int command : entries) ::DeleteMenu(file, command, MF_BYCOMMAND);
    // A separator closes the list when it has entries; without them it would stand right under the
    // one above the list.
    int at = ::GetMenuItemCount(file) - itemsAfter;
    if (recentSeparator_) ::DeleteMenu(file, static_cast<UINT>(--at), MF_BYPOSITION);
    recentSeparator_ = !items.empty();
    if (recentSeparator_)
        ::InsertMenuW(file, static_cast<UINT>(at), MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    for (std::size_t i = 0; i < items.size() && i < entries.size(); ++i)
        ::InsertMenuW(file, static_cast<UINT>(at + static_cast<int>(i)), MF_BYPOSITION | MF_STRING, entries[i],
                      wide(items[i]).c_str());
    ::DrawMenuBar(hwnd());
}

std::optional<WindowGeometry> MainWindow::windowGeometry() const {
    if (!hwnd()) return std::nullopt;
    if (::IsIconic(hwnd()) || ::IsZoomed(hwnd())) {
        // A minimised window stands far off screen with no client area, a maximised one fills the
        // screen: what comes back next time is the place and size it is restored to.
        const RECT normal = normalPlace(hwnd());
        RECT frame{};
        ::AdjustWindowRectEx(&frame, kMainStyle, ::GetMenu(hwnd()) != nullptr, 0);
        return WindowGeometry{normal.left, normal.top, normal.right - normal.left - (frame.right - frame.left),
                              normal.bottom - normal.top - (frame.bottom - frame.top), app_.dpi};
    }
    RECT window{}, client{};
    ::GetWindowRect(hwnd(), &window);
    ::GetClientRect(hwnd(), &client);
    return WindowGeometry{window.left, window.top, client.right, client.bottom, app_.dpi};
}

// While a document loads or saves no message is handled, so the cursor set here stays until the end.
void MainWindow::showBusy(bool busy) {
    if (busy) cursorBeforeBusy_ = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    else ::SetCursor(cursorBeforeBusy_ ? cursorBeforeBusy_ : ::LoadCursorW(nullptr, IDC_ARROW));
}

void MainWindow::requestClose() { ::SendMessageW(hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); }

void MainWindow::toggleWordWrap() {
    editorView_.toggleWordWrap();
    showWordWrapCheck();
}

// The only owner-drawn control of the program's dialogs is the About box's picture.
int MainWindow::runModalDialog(const DialogLayout& dialogLayout, DialogModel& model) {
    return runModal(hwnd(), dialogLayout, model, [](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<INT_PTR> {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (msg != WM_DRAWITEM || item->CtlType != ODT_STATIC) return std::nullopt;
        drawAboutPicture(item->hDC, item->rcItem);
        return TRUE;
    });
}
void MainWindow::layOut() { ::SendMessageW(hwnd(), WM_SIZE, 0, 0); }

void MainWindow::applyEditorFont() { editorView_.applyFont(); }

void MainWindow::repaintEditor() { ::InvalidateRect(editorHwnd(), nullptr, TRUE); }


LRESULT MainWindow::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    // Minimised there is no client area to lay out, and the remembered size must survive.
    case WM_SIZE:
        if (!::IsIconic(hwnd())) layout();
        return 0;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        // The editor notifies after it has changed its text or scrolled, also where no key, bar or
        // wheel message announced it (the caret brought into view, typing below the view).
        if (id == IDC_EDITOR) {
            CommandContext ctx = context();
            refreshGutter(ctx);
        } else if (id == IDC_GUTTER) {
            ::SetFocus(editorHwnd());
        } else {
            runCommand_(id);
        }
        return 0;
    }
    case WM_NOTIFY: return onNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_DPICHANGED: onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_CTLCOLOREDIT:
        if (reinterpret_cast<HWND>(lParam) == editorHwnd())
            return reinterpret_cast<LRESULT>(editorView_.paint(reinterpret_cast<HDC>(wParam)));
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            onClose();
            return 0;
        }
        break;
    // Any other way of closing (the task bar, another program) asks the same questions.
    case WM_CLOSE: onClose(); return 0;
    case WM_QUERYENDSESSION: return onQueryEndSession();
    case WM_ENDSESSION:
        if (wParam) {
            CommandContext ctx = context();
            endSession(ctx);
        }
        return 0;
    case WM_TESS_CLEARMODIFIED: editor().setModified(false); return 0;
    // A box asked in the middle of activation would come up before the window has the focus.
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) ::PostMessageW(hwnd(), WM_TESS_CHECKFILE, 0, 0);
        break;
    case WM_TESS_CHECKFILE:
        if (!closeQuestionOpen_) {
            CommandContext ctx = context();
            checkFileOnDisk(ctx);
        }
        return 0;
    case WM_DROPFILES: onDropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
    // The keyboard goes back to the editor when the window is activated again (after a message
    // box, say); the window itself has no use for it.
    case WM_SETFOCUS:
        if (editorHwnd()) ::SetFocus(editorHwnd());
        return 0;
    default: break;
    }
    return Window::handleMessage(msg, wParam, lParam);
}

LRESULT MainWindow::onNotify(const NMHDR& header) {
    if (!toolbar_) return 0;
    const auto tooltips = reinterpret_cast<HWND>(::SendMessageW(toolbar_, TB_GETTOOLTIPS, 0, 0));
    if (!tooltips || header.hwndFrom != tooltips) return 0;
    const std::string_view text = toolbarTooltip(static_cast<int>(header.idFrom));
    if (header.code == TTN_GETDISPINFOW) {
        auto& info = *reinterpret_cast<NMTTDISPINFOW*>(const_cast<NMHDR*>(&header));
        tooltipText_ = wide(text);
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

// On a monitor of another DPI everything is made again at its size at once: the pictures, the
// status bar, the editor's font, the window's size the system suggests, and the layout. The text
// keeps its caret and selection (a new font leaves them), and the first line shown is put back.
void MainWindow::onDpiChanged(int dpi, const RECT& suggested) {
    const HWND editor = editorHwnd();
    const auto firstLine = [&] { return static_cast<int>(::SendMessageW(editor, EM_GETFIRSTVISIBLELINE, 0, 0)); };
    const int first = firstLine();
    app_.dpi = dpi;
    if (toolbar_) createToolbar();
    if (statusBar_) createStatusBar();
    editorView_.applyFont();
    ::SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    layout();
    ::SendMessageW(editor, EM_LINESCROLL, 0, first - firstLine());
    CommandContext ctx = context();
    refreshGutter(ctx);
    if (statusBar_) updateStatusBar(ctx), showEncoding(app_.encoding);  // a new status bar starts empty
}

// Close requests keep coming while the question is open (the close box again, the task bar,
// another program): the question already open answers them all, so they are not asked again.
void MainWindow::onClose() {
    if (closeQuestionOpen_) return;
    bool mayClose = false;
    {
        const QuestionOpen open(closeQuestionOpen_);
        CommandContext ctx = context();
        mayClose = closeMainWindow(ctx);
    }
    if (mayClose) ::DestroyWindow(hwnd());
}

// Shutdown or log-off: the question the close box asks. While a close question is open the user
// has not decided yet, so the session is refused rather than asked about twice.
LRESULT MainWindow::onQueryEndSession() {
    if (closeQuestionOpen_) return FALSE;
    const QuestionOpen open(closeQuestionOpen_);
    CommandContext ctx = context();
    return mayEndSession(ctx) ? TRUE : FALSE;
}

void MainWindow::onDropFiles(HDROP drop) {
    std::vector<std::string> paths;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring name(::DragQueryFileW(drop, i, nullptr, 0), L'\0');
        ::DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size() + 1));
        paths.push_back(narrow(name));
    }
    ::DragFinish(drop);
    CommandContext ctx = context();
    openDroppedFiles(ctx, paths);
}

void MainWindow::destroyed() {
    toolbar_ = statusBar_ = nullptr;
    editorView_.editor().attach(nullptr);
    toolbarImages_.reset();
    if (onEnded) onEnded();
}

}  // namespace tess::win32
