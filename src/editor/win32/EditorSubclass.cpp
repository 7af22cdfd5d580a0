#include "editor/win32/EditorSubclass.h"

#include "app/win32/MainWindow.h"
#include "editor/Gutter.h"
#include "editor/KeyHandling.h"

#include <commctrl.h>
#include <windowsx.h>

#include <memory>

namespace tess::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 0x7E55;
// Marks a control that already has the handler (mingw's comctl32 has no GetWindowSubclass).
constexpr char kHookProperty[] = "TessalineEditorKeys";

// One per editor control: the key rules' own state lives as long as the control.
struct EditorHook {
    MainWindow* window = nullptr;
    EditorKeys keys;
};

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
    default: return Key::Other;
    }
}

bool shiftDown() { return ::GetKeyState(VK_SHIFT) < 0; }

// The rules only look at brackets, line breaks and tabs, all ASCII. The control may be a Unicode
// window, whose characters come as UTF-16 units: anything beyond ASCII must not be cut down to a
// byte that happens to look like a bracket.
char ruleCharacter(WPARAM unit) { return unit < 0x80 ? static_cast<char>(unit) : '\0'; }

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
        ::SendMessageA(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        const LRESULT packed = ::SendMessageA(editor, EM_POSFROMCHAR, end, 0);
        if (packed != -1) point = {GET_X_LPARAM(packed), GET_Y_LPARAM(packed)};
    }
    point.y += lineHeight;
    if (!::PtInRect(&client, point)) point = {client.left, client.top};
    ::ClientToScreen(editor, &point);
    return point;
}

LRESULT handle(EditorHook& hook, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result, bool& passed) {
    const auto passOn = [&] {
        result = ::DefSubclassProc(hwnd, msg, wParam, lParam);
        passed = true;
    };
    Context ctx = hook.window->context();
    switch (msg) {
    case WM_CHAR: return hook.keys.charTyped(ctx, ruleCharacter(wParam), passOn) ? result : 0;
    // Once the loop's dialog key handling has asked for its dialog code, the control closes its
    // parent on Escape, as if it stood in a dialog box; here that would close the program.
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) return 0;
        return hook.keys.keyPressed(ctx, keyOf(wParam), shiftDown(), passOn) ? result : 0;
    case WM_KEYUP: return hook.keys.keyReleased(ctx, keyOf(wParam), shiftDown(), passOn) ? result : 0;
    // After the control has scrolled, so that the gutter shows the lines now in view.
    case WM_ERASEBKGND:
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
        passOn();
        refreshGutter(ctx);
        return result;
    case WM_LBUTTONUP:
        passOn();
        hook.keys.leftButtonReleased(ctx);
        return result;
    // The control's class asks for double clicks: a second right click soon after the first
    // comes as a double click, and must open the menu all the same.
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: {
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        hook.keys.rightButtonPressed(ctx, {point.x, point.y});
        ::ClientToScreen(hwnd, &point);
        // Owned by the main window, so a chosen item arrives there as a command.
        if (HMENU menu = hook.window->contextMenu())
            ::TrackPopupMenuEx(menu, 0, point.x, point.y, hook.window->hwnd(), nullptr);
        passOn();
        return result;
    }
    // The context menu opened at the press; the release (which can reach the control after that
    // menu has closed) must not open the control's own menu as well. The menu key and Shift+F10
    // come with no position: they get the same menu, just below the caret.
    case WM_CONTEXTMENU:
        if (GET_X_LPARAM(lParam) == -1 && GET_Y_LPARAM(lParam) == -1) {
            const POINT point = belowCaret(hwnd, hook.window->app().font.lineHeight);
            if (HMENU menu = hook.window->contextMenu())
                ::TrackPopupMenuEx(menu, 0, point.x, point.y, hook.window->hwnd(), nullptr);
        }
        return 0;
    // While the button selects text past the edge, the control scrolls from its own timer and
    // tells nobody; the gutter must keep up with it.
    case WM_TIMER:
    case WM_MOUSEMOVE:
        passOn();
        if (msg == WM_TIMER || ::GetCapture() == hwnd) refreshGutter(ctx);
        return result;
    // Without DLGC_HASSETSEL the dialog keyboard handling does not select the whole text each
    // time it gives the editor the focus. Queries about a particular message keep the control's
    // answer, which asks for every key, Tab and Enter included.
    case WM_GETDLGCODE:
        passOn();
        return lParam == 0 ? (result & ~static_cast<LRESULT>(DLGC_HASSETSEL)) : result;
    default: passOn(); return result;
    }
}

LRESULT CALLBACK editorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
    auto* hook = reinterpret_cast<EditorHook*>(data);
    if (msg == WM_NCDESTROY) {
        ::RemoveWindowSubclass(hwnd, &editorProc, id);
        ::RemovePropA(hwnd, kHookProperty);
        delete hook;
        return ::DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    LRESULT result = 0;
    bool passed = false;
    // Windows' own frames stand between the control and us; an exception must not cross them.
    try {
        return handle(*hook, hwnd, msg, wParam, lParam, result, passed);
    } catch (...) {
        return passed ? result : ::DefSubclassProc(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

// Installing twice on one control keeps the first handler: a second one in the chain would
// complete every bracket and indent every Enter twice.
bool installEditorSubclass(HWND editor, MainWindow& window) {
    if (!editor) return false;
    if (auto* existing = static_cast<EditorHook*>(::GetPropA(editor, kHookProperty))) {
        existing->window = &window;
        return true;
    }
    auto hook = std::make_unique<EditorHook>();
    hook->window = &window;
    if (!::SetWindowSubclass(editor, &editorProc, kSubclassId, reinterpret_cast<DWORD_PTR>(hook.get()))) return false;
    ::SetPropA(editor, kHookProperty, hook.release());
    return true;
}

}  // namespace tess::win32
