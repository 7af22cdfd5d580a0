// What only the real main window shows of its editor: the context menu, word wrap's new control,
// the gutter beside whatever scrolled the editor, the keyboard focus and the real clipboard.
#include "EditorSubject.h"
#include "WinTestSupport.h"
#include "resources/resource.h"
#include "state/Settings.h"

#include <gtest/gtest.h>
#include <windowsx.h>

#include <algorithm>
#include <tuple>

namespace tess::test {
namespace {

using Shell = TestWindow<RealClipboardDesktop>;

int firstVisible(Shell& w) { return static_cast<int>(::SendMessageA(w.window.editorHwnd(), EM_GETFIRSTVISIBLELINE, 0, 0)); }
// The gutter's rows for the lines the editor shows: their numbers, ">" before a marked one.
std::vector<std::string> inView(Shell& w) {
    std::vector<std::string> rows;
    const auto& marks = w.app().bookmarks;
    const int last = std::min(firstVisible(w) + w.app().font.visibleLines, w.window.editor().lineCount());
    for (int l = firstVisible(w) + 1; l <= last; ++l) rows.push_back((std::count(marks.begin(), marks.end(), l) ? ">" : "") + std::to_string(l));
    return rows;
}
// 1 when the editor wraps and the menu says so, 0 when neither, -1 when they disagree.
int wrapping(Shell& w) {
    const bool style = !(::GetWindowLongA(w.window.editorHwnd(), GWL_STYLE) & (WS_HSCROLL | ES_AUTOHSCROLL));
    return style == ((::GetMenuState(::GetMenu(w.hwnd()), IDM_WORDWRAP, MF_BYCOMMAND) & MF_CHECKED) != 0) ? style : -1;
}

// Which window fills which pop-up menu and where the menu stands; the menu closes as soon as it waits for the user.
HWND g_owner;
HMENU g_menu;
RECT g_menuRect;
LRESULT CALLBACK watchMenus(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_INITMENUPOPUP && !g_menu) g_owner = sent->hwnd, g_menu = reinterpret_cast<HMENU>(sent->wParam);
    if (code == HC_ACTION && sent->message == WM_ENTERIDLE && sent->wParam == MSGF_MENU)
        ::GetWindowRect(::FindWindowA("#32768", nullptr), &g_menuRect), ::EndMenu();
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// The right button puts the caret under the pointer and opens the program's menu there, also as a
// quick second click; its release (the control answers it with WM_CONTEXTMENU) opens no second one.
// The menu key and Shift+F10 ask with no position: the menu opens below the caret, which stays.
TEST(EditorWindow, TheContextMenuFromTheMouseAndTheKeyboard) {
    auto s = makeEditorSubject();
    Shell& w = windowOf(*s);
    const HWND editor = w.window.editorHwnd();
    const char *before = "first line\r\nsecond [line]\r\nthird", *clicked = "first line\r\nsec|ond line\r\nthird";
    const struct { UINT message; const char* after; bool opens = true; } rows[] = {
        {WM_RBUTTONDOWN, clicked}, {WM_RBUTTONDBLCLK, clicked}, {WM_RBUTTONUP, before, false}, {WM_CONTEXTMENU, before}};
    for (const auto& r : rows) {
        s->set(before);
        const bool keyboard = r.message == WM_CONTEXTMENU;
        const LRESULT at = ::SendMessageA(editor, EM_POSFROMCHAR, keyboard ? 23 : 15, 0);  // the selection's end, or column 4
        POINT p{GET_X_LPARAM(at) + (keyboard ? 0 : 3), GET_Y_LPARAM(at) + (keyboard ? w.app().font.lineHeight : 3)};
        g_owner = nullptr, g_menu = nullptr, g_menuRect = {};
        const HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, &watchMenus, nullptr, ::GetCurrentThreadId());
        ::SendMessageA(editor, r.message, keyboard ? reinterpret_cast<WPARAM>(editor) : 0, keyboard ? MAKELPARAM(-1, -1) : MAKELPARAM(p.x, p.y));
        ::UnhookWindowsHookEx(hook);
        ::ClientToScreen(editor, &p);
        EXPECT_EQ(std::tuple(g_menu, g_owner, g_menuRect.left, g_menuRect.top),
                  r.opens ? std::tuple(w.window.contextMenu(), w.hwnd(), p.x, p.y) : std::tuple(HMENU{}, HWND{}, 0L, 0L)) << r.message;
        EXPECT_EQ(s->marked(), r.after) << r.message;
    }
}

// The other wrapping needs a new control: the document moves across whole, the bookmarks do not; a
// saved choice applies at start. With word wrap on, the control's lines are display lines; Enter,
// block Tab and the line commands still take the text line, wherever the control wrapped it.
TEST(EditorWindow, WordWrapMakesANewEditorThatStillWorksOnTextLines) {
    Shell started(settingsFileText(Settings{.wordWrap = 1}, ""));
    EXPECT_EQ(wrapping(started), 1);
    started.command(IDM_WORDWRAP);
    EXPECT_EQ(wrapping(started), 0);

    auto s = makeEditorSubject();
    Shell& w = windowOf(*s);
    std::string line = "    ";
    for (int i = 0; i < 40; ++i) line += "word" + std::to_string(i) + " ";
    const std::string head = line.substr(0, 200), tail = line.substr(200), document = "a\r\n" + head + "|" + tail + "\r\nb";
    const std::string plain = parseMarked(document).text;
    s->set(document);
    s->editor().setTextLimit(250000);
    s->bookmark({1, 3});
    for (const bool wraps : {true, false, true}) {
        s->editor().setModified(wraps);
        s->command(IDM_WORDWRAP);
        EXPECT_EQ(std::tuple(wrapping(w), s->editor().text(), s->modified(), s->editor().textLimit(), s->editor().lineCount() > 3,
                             w.app().bookmarks.empty()), std::tuple(wraps ? 1 : 0, plain, wraps, 250000, wraps, true));
        EXPECT_EQ(s->gutterRows(), inView(w));
    }
    // Before, keys or a command, the text and the clipboard after, the boxes; the last row's Tab is on a selection from a wrap point.
    using Row = std::tuple<std::string, const char*, int, std::string, std::string, std::size_t>;
    for (const auto& [before, keys, command, after, clipboard, boxes] :
         {Row{document, "{Enter}", 0, "a\r\n" + head + "\r\n    " + tail + "\r\nb", "kept", 0},
          Row{document, "", IDM_YANKLINE, "a\r\nb", "kept", 0}, Row{document, "", IDM_COPYLINE, plain, line, 0},
          Row{"a\r\n" + line + "|\r\nb", "{S-Up}{S-Home}{Tab}", 0, plain, "kept", 1}}) {
        s->set(before);
        ASSERT_GE(s->editor().lineFromChar(s->editor().selection().start), 3) << "the caret should be on a third display line";
        s->desktop().setClipboardText("kept");
        s->desktop().answers = {Answer::Ok};
        command ? s->command(command) : s->keys(keys);
        EXPECT_EQ(std::tuple(s->editor().text(), s->desktop().clipboardText(), s->desktop().boxes.size()), std::tuple(after, clipboard, boxes))
            << keys << command;
    }
}

// Whatever scrolls the editor, a message or the control by itself, the gutter shows the lines now in view.
TEST(EditorWindow, TheGutterStaysInStepWithEveryScroll) {
    auto s = makeEditorSubject();
    Shell& w = windowOf(*s);
    s->set(numberedLines(200));
    s->bookmark({2, 190});
    s->caretAt(1, 1);
    const struct { UINT message; WPARAM wParam; const char* keys; } scrolls[] = {{WM_VSCROLL, SB_PAGEDOWN, ""},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), ""}, {0, 0, "{PgUp}"}, {0, 0, "{PgDn}{PgDn}{PgDn}"}, {WM_TIMER, 1, ""}};
    for (const auto& scroll : scrolls) {
        const int before = firstVisible(w);
        if (scroll.message == WM_TIMER) {  // the control's own timer while the button selects past the edge, after a silent scroll
            ::SendMessageA(w.window.editorHwnd(), EM_LINESCROLL, 0, 40);
            ::SetWindowTextA(w.window.gutterHwnd(), "stale");
        }
        scroll.message ? (void)::SendMessageA(w.window.editorHwnd(), scroll.message, scroll.wParam, 0) : s->keys(scroll.keys);
        EXPECT_NE(firstVisible(w), before) << scroll.message << scroll.keys;
        EXPECT_EQ(s->gutterRows(), inView(w)) << scroll.message << scroll.keys;
    }
}

// Escape closes no window; a click into the gutter hands the keyboard back to the editor; Edit >
// Copy leaves plain text as the one format placed, the rest only the system's forms of it.
TEST(EditorWindow, EscapeTheGutterClickAndEditCopy) {
    auto s = makeEditorSubject();
    Shell& w = windowOf(*s);
    s->set("[hello\r\nworld]");
    s->keys("{Esc}");
    EXPECT_TRUE(::IsWindow(w.hwnd()));
    ::SetFocus(w.window.gutterHwnd());
    EXPECT_EQ(::GetFocus(), w.window.editorHwnd());
    s->command(IDM_COPY);
    const std::vector<UINT> formats = clipboardFormats();
    EXPECT_EQ(formats.empty() ? 0u : formats[0], static_cast<UINT>(CF_TEXT));
    for (const UINT f : formats) EXPECT_TRUE(f == CF_TEXT || f == CF_OEMTEXT || f == CF_UNICODETEXT || f == CF_LOCALE) << f;
    EXPECT_EQ(s->desktop().clipboardText(), "hello\r\nworld");
}

}  // namespace
}  // namespace tess::test
