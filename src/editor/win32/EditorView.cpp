#include "editor/win32/EditorView.h"

#include "editor/Gutter.h"
#include "editor/LineCommands.h"
#include "editor/StatusBar.h"
#include "resources/resource.h"

#include <windowsx.h>

#include <algorithm>
#include <stdexcept>

namespace tess::win32 {

namespace {

constexpr DWORD kEditorStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                               ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN | WS_TABSTOP;
// A wrapping editor has nothing to scroll sideways.
constexpr DWORD kWrappingEditorStyle = kEditorStyle & ~(WS_HSCROLL | ES_AUTOHSCROLL);
// The gutter's rows are padded to nearly its full width; with the control's default margins a row
// would wrap onto a second line and every number after it would stand beside the wrong line, so
// the gutter scrolls instead of wrapping and has no margins (applyFont).
constexpr DWORD kGutterStyle = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL;
constexpr int kEditorTextLimit = 100000;

HMENU controlId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

Key keyOf(WPARAM virtualKey) {
    switch (virtualKey) {
    case VK_RETURN: return Key::Enter;
    case VK_TAB: return Key::Tab;
    case VK_UP: return Key::Up;
    case VK_DOWN: return Key::Down;
    case VK_LEFT: return Key::Left;
    case VK_RIGHT: return Key::Right;
    case VK_HOME: return Key::Home;
    case VK_END: return Key::End;
    case VK_PRIOR: return Key::PageUp;
    case VK_NEXT: return Key::PageDown;
    case VK_DELETE: return Key::Delete;
    case VK_INSERT: return Key::Insert;
    default: return Key::Other;
    }
}

bool shiftDown() { return ::GetKeyState(VK_SHIFT) < 0; }

// Bit 30 of the key data: the key was down before this press, which is an auto-repeat.
bool isRepeat(LPARAM data) { return (data & (1 << 30)) != 0; }

// The control is a Unicode window: its characters come as UTF-16 units, each half of a pair on its own.
char16_t ruleCharacter(WPARAM unit) { return static_cast<char16_t>(unit); }

// Alt+Backspace: the control's own undo key (bit 29 of the key data is the Alt key).
bool isAltBackspace(WPARAM key, LPARAM data) { return key == VK_BACK && (data & (1 << 29)) != 0; }

// Where a menu opened from the keyboard goes, in screen coordinates: under the caret's line, or
// the control's top left when the caret is out of view.
POINT belowCaret(HWND editor, int lineHeight) {
    POINT point{};
    RECT client{};
    ::GetClientRect(editor, &client);
    if (::GetFocus() == editor) {
        ::GetCaretPos(&point);
    } else {
        DWORD start = 0, end = 0;
        ::SendMessageW(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        const LRESULT packed = ::SendMessageW(editor, EM_POSFROMCHAR, end, 0);
        if (packed != -1) point = {GET_X_LPARAM(packed), GET_Y_LPARAM(packed)};
    }
    point.y += lineHeight;
    if (!::PtInRect(&client, point)) point = {client.left, client.top};
    ::ClientToScreen(editor, &point);
    return point;
}

}  // namespace

EditorView::EditorView(EditorHost& host, App& app) : host_(host), app_(app) {}

bool EditorView::create(HWND parent, HINSTANCE instance, bool wrap) {
    parent_ = parent;
    instance_ = instance;
    gutter_ = ::CreateWindowExW(0, L"EDIT", L"", kGutterStyle, kGutterX, kGutterY, kGutterWidth, 443, parent,
                                controlId(IDC_GUTTER), instance, nullptr);
    return gutter_ && createEditor(wrap);
}

// Every editor has the sunken edge, the one word wrap makes as much as the first.
HWND EditorView::createEditor(bool wrap) {
    const HWND editor =
        ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", wrap ? kWrappingEditorStyle : kEditorStyle, kEditorX,
                          kWorkAreaTop, 435, 433, parent_, controlId(IDC_EDITOR), instance_, nullptr);
    editor_.attach(editor);
    if (editor) ::SendMessageW(editor, EM_LIMITTEXT, kEditorTextLimit, 0);
    return editor;
}

bool EditorView::installEditorSubclass() { return keys_.attach(editor_.hwnd()); }

void EditorView::applyFont() {
    const bool wasModified = editor_.modified();
    // A point is a point on the monitor the window is on.
    UniqueFont font(::CreateFontW(-::MulDiv(app_.settings.fontSize, app_.dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                  FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  FIXED_PITCH | FF_MODERN, L"courier new"));
    // One font object for both, so the gutter's rows line up with the editor's lines.
    ::SendMessageW(gutter_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    ::SendMessageW(editor_.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    ::SendMessageW(gutter_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    // The old font is deleted only once no control uses it.
    font_ = std::move(font);
    if (!wasModified) editor_.setModified(false);

    EditControlWin gutter(gutter_);
    measureFont(gutter, state_.font);
    host_.editorMetricsChanged();
    EditorContext ctx = host_.editorContext();
    refreshGutter(ctx);
}

HBRUSH EditorView::paint(HDC dc) {
    const auto color = static_cast<COLORREF>(app_.settings.backgroundColor);
    if (!background_ || backgroundColor_ != color) {
        background_.reset(::CreateSolidBrush(color));
        backgroundColor_ = color;
    }
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkColor(dc, color);
    return background_.get();
}

void EditorView::startWrapped() {
    const HWND old = editor_.hwnd();
    if (!createEditor(true)) {
        editor_.attach(old);
        throw std::runtime_error("The editor could not be made for word wrap.");
    }
    ::DestroyWindow(old);
}

// The bookmarks are dropped: with the other wrapping the control's lines are no longer the lines
// they were set on.
void EditorView::toggleWordWrap() {
    const bool modified = editor_.modified();
    const std::u16string text = editor_.text();
    const int limit = editor_.textLimit();  // raised by loading a long document
    const HWND old = editor_.hwnd();
    const bool focused = ::GetFocus() == old;
    RECT place{};
    ::GetWindowRect(old, &place);
    ::MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&place), 2);

    const bool wrap = !app_.settings.wordWrap;
    const HWND editor = createEditor(wrap);
    if (!editor) {
        // The old control still holds the document: keep it rather than lose the text.
        editor_.attach(old);
        throw std::runtime_error("The editor could not be made again for word wrap.");
    }
    ::DestroyWindow(old);
    app_.settings.wordWrap = wrap;
    keys_.attach(editor);
    ::SetWindowPos(editor, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    editor_.setTextLimit(std::max(limit, editor_.textLimit()));
    state_.bookmarks.clear();
    applyFont();
    editor_.setText(text);
    ::ShowWindow(editor, SW_RESTORE);
    editor_.setModified(modified);
    if (focused) ::SetFocus(editor);

    // The font step refreshed the gutter while the control was still empty, and the caret is
    // now at the start of the text.
    EditorContext ctx = host_.editorContext();
    refreshGutter(ctx);
    updateStatusBar(ctx);
}

void EditorView::setGutterText(std::string_view text) {
    const std::u16string digits = utf16(text);
    if (EditControlWin(gutter_).text() == digits) return;
    ::SetWindowTextW(gutter_, reinterpret_cast<const wchar_t*>(digits.c_str()));
}

namespace {

// Edges and scroll bars: the controls keep their scroll bars, disabled when there is nothing to
// scroll, so the frame does not change with the size.
SIZE frameOf(HWND control) {
    RECT outer{}, inner{};
    ::GetWindowRect(control, &outer);
    ::GetClientRect(control, &inner);
    return {(outer.right - outer.left) - (inner.right - inner.left), (outer.bottom - outer.top) - (inner.bottom - inner.top)};
}

// Moves a control and gives it a client area of the wanted size, whatever its frame takes. A
// control that is resized lays out and repaints its text, all of it when wrapping: it is moved
// only when its place really changes.
void placeWithClientSize(HWND control, int x, int y, SIZE client) {
    const SIZE frame = frameOf(control);
    const int width = std::max<int>(client.cx + frame.cx, 0);
    const int height = std::max<int>(client.cy + frame.cy, 0);
    RECT now{};
    ::GetWindowRect(control, &now);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&now), 2);
    if (now.left == x && now.top == y && now.right - now.left == width && now.bottom - now.top == height) return;
    ::SetWindowPos(control, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

SIZE EditorView::editorFrame() const { return frameOf(editor_.hwnd()); }

void EditorView::place(int gutterX, int gutterY, SIZE gutterClient, int editorX, int editorY, SIZE editorClient) {
    placeWithClientSize(gutter_, gutterX, gutterY, gutterClient);
    placeWithClientSize(editor_.hwnd(), editorX, editorY, editorClient);
}

void EditorView::EditorSubclass::openContextMenu(POINT screen) {
    // Owned by the host window, so a chosen item arrives there as a command.
    if (const HMENU menu = view_.host_.contextMenu())
        ::TrackPopupMenuEx(menu, 0, screen.x, screen.y, view_.parent_, nullptr);
}

LRESULT EditorView::EditorSubclass::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    const auto passHere = [&] { result = passOn(msg, wParam, lParam); };
    EditorContext ctx = view_.host_.editorContext();
    switch (msg) {
    case WM_CHAR: return keys_.charTyped(ctx, ruleCharacter(wParam), passHere) ? result : 0;
    case WM_KEYDOWN:
        return keys_.keyPressed(ctx, keyOf(wParam), shiftDown(), passHere, isRepeat(lParam)) ? result : 0;
    case WM_KEYUP: return keys_.keyReleased(ctx, keyOf(wParam), shiftDown(), passHere) ? result : 0;
    // The control's own undo key undoes as Edit > Undo does, so the bookmarks follow it the same way.
    case WM_SYSKEYDOWN:
        if (!isAltBackspace(wParam, lParam)) break;
        undoEdit(ctx);
        return 0;
    case WM_SYSCHAR:
        if (wParam == VK_BACK) return 0;
        break;
    // After the control has scrolled, so that the gutter shows the lines now in view.
    case WM_ERASEBKGND:
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
        passHere();
        refreshGutter(ctx);
        return result;
    case WM_LBUTTONUP:
        passHere();
        keys_.leftButtonReleased(ctx);
        return result;
    // The control's class asks for double clicks: a second right click soon after the first
    // comes as a double click, and must open the menu all the same.
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: {
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        keys_.rightButtonPressed(ctx, {point.x, point.y});
        ::ClientToScreen(control(), &point);
        openContextMenu(point);
        return passOn(msg, wParam, lParam);
    }
    // The context menu opened at the press; the release (which can reach the control after that
    // menu has closed) must not open the control's own menu as well. The menu key and Shift+F10
    // come with no position: they get the same menu, just below the caret.
    case WM_CONTEXTMENU:
        if (GET_X_LPARAM(lParam) == -1 && GET_Y_LPARAM(lParam) == -1)
            openContextMenu(belowCaret(control(), view_.state_.font.lineHeight));
        return 0;
    // While the button selects text past the edge, the control scrolls from its own timer and
    // tells nobody; the gutter must keep up with it.
    case WM_TIMER:
    case WM_MOUSEMOVE:
        passHere();
        if (msg == WM_TIMER || ::GetCapture() == control()) refreshGutter(ctx);
        return result;
    default: break;
    }
    return passOn(msg, wParam, lParam);
}

}  // namespace tess::win32
