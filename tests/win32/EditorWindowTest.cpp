// What only the real main window shows of its editor.
#include "EditorSubject.h"
#include "WinTestSupport.h"
#include "resources/resource.h"

#include <gtest/gtest.h>
#include <windowsx.h>

#include <algorithm>
#include <tuple>

namespace tess::test {
namespace {

using Shell = TestWindow<RealClipboardDesktop>;

struct EditorWindow : testing::Test {
    std::unique_ptr<EditorSubject> s = makeEditorSubject();
    Shell& w = windowOf(*s);
    const HWND editor = w.window.editorHwnd();  // until word wrap makes a new one
    int firstShown() { return int(::SendMessageA(editor, EM_GETFIRSTVISIBLELINE, 0, 0)); }
    // The gutter's rows for the lines the editor shows: their numbers, ">" before a marked one.
    std::vector<std::string> inView() {
        std::vector<std::string> rows;
        for (int l = firstShown() + 1; l <= firstShown() + s->edit().font.visibleLines; ++l)
            rows.push_back((std::ranges::count(s->edit().bookmarks, l) ? ">" : "") + std::to_string(l));
        return rows;
    }
};

// 1 when the editor wraps and the menu says so, 0 when neither, -1 when they disagree.
int wrapping(const Shell& w) {
    const bool style = !(::GetWindowLongA(w.window.editorHwnd(), GWL_STYLE) & (WS_HSCROLL | ES_AUTOHSCROLL));
    return style == bool(::GetMenuState(::GetMenu(w.hwnd()), IDM_WORDWRAP, MF_BYCOMMAND) & MF_CHECKED) ? style : -1;
}

// Which window fills which pop-up menu and where the menu stands; the menu closes as soon as it waits for the user.
struct { HWND owner; HMENU menu; RECT place; } g_seen;
LRESULT CALLBACK watchMenus(int code, WPARAM wParam, LPARAM lParam) {
    const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (sent.message == WM_INITMENUPOPUP && !g_seen.menu) g_seen.owner = sent.hwnd, g_seen.menu = HMENU(sent.wParam);
    if (sent.message == WM_ENTERIDLE) ::GetWindowRect(::FindWindowA("#32768", nullptr), &g_seen.place), ::EndMenu();
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// The right button moves the caret and opens the menu under the pointer, on a quick second click too, not on its
// release (which the control answers with WM_CONTEXTMENU); the menu key opens it below the caret.
TEST_F(EditorWindow, ContextMenuGutterFocusAndCopy) {
    const char *kept = "ab\r\nsecond [line]\r\nc", *moved = "ab\r\nsec|ond line\r\nc";
    const struct { UINT message; const char* after; bool opens = true, keyboard = false; } rows[] = {
        {WM_RBUTTONDOWN, moved}, {WM_RBUTTONDBLCLK, moved}, {WM_RBUTTONUP, kept, false},
        {WM_CONTEXTMENU, kept, true, true}};  // as the menu key sends it
    const HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, &watchMenus, nullptr, ::GetCurrentThreadId());
    for (const auto& r : rows) {
        s->set(kept);
        g_seen = {};
        const LRESULT at = ::SendMessageA(editor, EM_POSFROMCHAR, r.keyboard ? 15 : 7, 0);  // selection end, column 4
        POINT p{GET_X_LPARAM(at) + (r.keyboard ? 0 : 3),
                GET_Y_LPARAM(at) + (r.keyboard ? s->edit().font.lineHeight : 3)};
        ::SendMessageA(editor, r.message, r.keyboard ? WPARAM(editor) : 0, r.keyboard ? -1 : MAKELPARAM(p.x, p.y));
        r.opens ? (void)::ClientToScreen(editor, &p) : (void)(p = {});
        EXPECT_EQ(std::tuple(g_seen.menu == w.window.contextMenu() && g_seen.owner == w.hwnd(), g_seen.place.left,
                             g_seen.place.top, s->marked()), std::tuple(r.opens, p.x, p.y, r.after)) << r.message;
    }
    ::UnhookWindowsHookEx(hook);

    s->set(numberedLines(200));
    s->bookmark({190, 2});
    const struct { UINT message; WPARAM wParam; const char* keys; int silently = 0; } scrolls[] = {
        {WM_VSCROLL, SB_PAGEDOWN, ""}, {WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), ""}, {0, 0, "{Esc}{PgUp}"},
        {0, 0, "{PgDn}{PgDn}{PgDn}"}, {WM_TIMER, 1, "", 40}};  // the control's own, as the button selects on
    for (const auto& r : scrolls) {
        const int before = firstShown();
        ::SendMessageA(editor, EM_LINESCROLL, 0, r.silently), ::SetWindowTextA(w.window.gutterHwnd(), "stale");
        r.message ? (void)::SendMessageA(editor, r.message, r.wParam, 0) : s->keys(r.keys);
        EXPECT_EQ(std::pair(firstShown() != before, s->gutterRows()), std::pair(true, inView())) << r.message << r.keys;
    }
    for (const HWND target : {w.window.gutterHwnd(), w.hwnd()}) {  // Esc closed nothing; the frame hands the keys on
        ::SetFocus(target);
        EXPECT_EQ(std::pair(::IsWindow(w.hwnd()), ::GetFocus()), std::pair(TRUE, editor)) << target;
    }

    s->set("[hello\r\nworld]");
    s->command(IDM_COPY);  // Unicode text is the one format placed, the rest only the system's forms of it
    const std::vector<UINT> formats = clipboardFormats(), synthesised{CF_TEXT, CF_OEMTEXT, CF_LOCALE};
    for (const UINT f : formats) EXPECT_TRUE(f == formats[0] ? f == CF_UNICODETEXT : std::ranges::count(synthesised, f)) << f;
    EXPECT_EQ(s->desktop().clipboardText(), u"hello\r\nworld");
}

// The other wrapping makes a new control: the document and the sunken edge move across whole, the bookmarks do not; a
// saved choice applies at start. From a third display line, Enter, block Tab and the line commands still take the text line.
TEST_F(EditorWindow, WordWrapMakesANewEditor) {
    EXPECT_EQ(wrapping(Shell(settingsFileText(Settings{.wordWrap = 1}, ""))), 1);
    std::string line = "    ";
    for (int i = 0; i < 40; ++i) line += "word" + std::to_string(i) + " ";
    const std::string plain = "a\r\n" + line + "\r\nb", head = plain.substr(0, 203), tail = plain.substr(203);
    s->set(plain);
    s->editor().setTextLimit(250000);
    s->bookmark({1, 3});
    for (const bool wraps : {true, false, true}) {
        s->editor().setModified(wraps);
        s->command(IDM_WORDWRAP);
        const bool sunken = ::GetWindowLongA(w.window.editorHwnd(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE;
        EXPECT_EQ(
            std::tuple(wrapping(w), utf8(s->editor().text()), s->modified(), s->editor().textLimit(), sunken,
                       s->edit().bookmarks.empty(), s->gutterRows().size(), s->editor().lineFromChar(203) > 2),
            std::tuple(wraps ? 1 : 0, plain, wraps, 250000, true, true, std::size_t(s->editor().lineCount()), wraps));
    }
    s->desktop().setClipboardText(u"kept");
    s->desktop().answers = {Answer::Ok};
    const struct { const char* keys; int command; std::string after, clipboard; std::size_t boxes; } rows[] = {
        {"{Enter}", 0, head + "\r\n    " + tail, "kept", 0},
        {"{S-Up}{S-Home}{Tab}", 0, plain, "kept", 1},
        {"", IDM_YANKLINE, "a\r\nb", "kept", 0},
        {"", IDM_COPYLINE, plain, line, 0}};
    for (const auto& r : rows) {
        s->set(head + "|" + tail);
        r.command ? s->command(r.command) : s->keys(r.keys);
        EXPECT_EQ(std::tuple(utf8(s->editor().text()), utf8(s->desktop().clipboardText()), s->desktop().boxes.size()),
                  std::tuple(r.after, r.clipboard, r.boxes)) << r.keys << r.command;
    }
}

}  // namespace
}  // namespace tess::test
