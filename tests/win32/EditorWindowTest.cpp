// The editor inside a real main window, driven as a user drives it: WM_KEYDOWN and WM_KEYUP with
// their repeat count, scan code, previous-state and transition bits, posted and pumped through the
// program's loop steps so that TranslateMessage makes the WM_CHAR of each press; commands as the
// menus, accelerators and toolbar send them; the real clipboard. What the user sees is read back:
// the text and selection, the status bar, the gutter (control 102), the File menu.
#include "MarkedText.h"
#include "NumberedLines.h"
#include "WinTestSupport.h"
#include "app/Settings.h"
#include "app/win32/MainWindow.h"
#include "editor/Caret.h"
#include "editor/win32/EditorSubclass.h"
#include "resources/resource.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tess::win32 {
namespace {

// The lParam of a key message: repeat count 1, scan code, extended-key bit, previous state
// (bit 30: the key was already down) and transition (bit 31: released).
LPARAM keyData(UINT vk, bool released, bool wasDown) {
    DWORD data = 1 | ((::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC) & 0xFF) << 16);
    if ((vk >= VK_PRIOR && vk <= VK_DOWN) || vk == VK_INSERT || vk == VK_DELETE) data |= 1u << 24;
    if (wasDown || released) data |= 1u << 30;
    if (released) data |= 1u << 31;
    return static_cast<LPARAM>(data);
}

class EditorWindow : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(shell.created);
        editor = window.editorHwnd();
        pump();
        // The gutter's field is 62 / charWidth - 1 characters, rounded half to even.
        width = static_cast<int>(std::nearbyint(62.0 / window.app().font.charWidth - 1.0));
    }
    void TearDown() override { shift(false); }

    // The text and selection in marked form, left as a click would leave them: the goal column gone.
    void set(std::string_view marked) {
        const test::MarkedText m = test::parseMarked(marked);
        ::SetWindowTextA(editor, m.text.c_str());
        ::SendMessageA(editor, EM_SETSEL, static_cast<WPARAM>(m.anchor), m.caret);
        ::SendMessageA(editor, WM_LBUTTONUP, 0, 0);
        desktop.boxes.clear();
    }
    std::string text() const { return test::windowText(editor); }
    std::string marked() const {
        DWORD start = 0, end = 0;
        ::SendMessageA(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return test::markSelection(text(), static_cast<int>(start), static_cast<int>(end));
    }
    std::string status(int part) const {
        char buffer[512] = {};
        ::SendMessageA(window.statusBarHwnd(), SB_GETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(buffer));
        return buffer;
    }
    // The program's loop, up to an empty queue: accelerators, dialog keys, translation, dispatch.
    void pump() {
        MSG msg{};
        for (int i = 0; i < 10000 && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
            if (::TranslateAcceleratorA(window.hwnd(), window.accelerators(), &msg)) continue;
            if (::IsDialogMessageA(window.hwnd(), &msg)) continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    void press(UINT vk, bool wasDown = false) {
        ::PostMessageA(editor, WM_KEYDOWN, vk, keyData(vk, false, wasDown));
        pump();
    }
    void release(UINT vk) {
        ::PostMessageA(editor, WM_KEYUP, vk, keyData(vk, true, true));
        pump();
    }
    // Shift as the keyboard state that TranslateMessage and GetKeyState read.
    void shift(bool down) {
        BYTE state[256] = {};
        ::GetKeyboardState(state);
        state[VK_SHIFT] = state[VK_LSHIFT] = down ? 0x80 : 0;
        ::SetKeyboardState(state);
    }
    // Types a script: each character with the key that makes it on a US layout, Shift included;
    // "{Name}" (a capital after the brace) for a named key, "{S-Name}" with Shift held, "{Name:3}" for a key held down for three
    // presses (auto-repeat) and then released.
    void keys(std::string_view script) {
        static const std::map<std::string_view, UINT> named{
            {"Enter", VK_RETURN}, {"Tab", VK_TAB},   {"Up", VK_UP},     {"Down", VK_DOWN},   {"Left", VK_LEFT},
            {"End", VK_END},      {"Esc", VK_ESCAPE}, {"Back", VK_BACK}, {"PgUp", VK_PRIOR}, {"PgDn", VK_NEXT}};
        for (std::size_t i = 0; i < script.size(); ++i) {
            UINT vk = 0;
            bool withShift = false;
            int presses = 1;
            if (script[i] == '{' && i + 1 < script.size() && std::isupper(static_cast<unsigned char>(script[i + 1]))) {
                const std::size_t end = script.find('}', i);
                std::string_view name = script.substr(i + 1, end - i - 1);
                i = end;
                if (name.starts_with("S-")) {
                    withShift = true;
                    name.remove_prefix(2);
                }
                if (const auto colon = name.find(':'); colon != name.npos) {
                    presses = name[colon + 1] - '0';
                    name = name.substr(0, colon);
                }
                vk = named.at(name);
            } else {
                SHORT scan = ::VkKeyScanA(script[i]);
                // Wine under Xvfb finds no key for the parentheses; they are Shift+9 and Shift+0.
                if (scan == -1 && (script[i] == '(' || script[i] == ')')) scan = 0x100 | (script[i] == '(' ? '9' : '0');
                ASSERT_NE(scan, -1) << script[i];
                vk = LOBYTE(scan);
                withShift = (scan & 0x100) != 0;
            }
            shift(withShift);
            for (int p = 0; p < presses; ++p) press(vk, p > 0);
            release(vk);
            shift(false);
        }
    }
    void command(int id) { shell.command(id); }

    // Puts the caret at a line and column (from 1) and records it, as a click's release does.
    void caretAt(int line, int column) {
        const int pos = window.editor().lineIndex(line - 1) + column - 1;
        ::SendMessageA(editor, EM_SETSEL, pos, pos);
        recordCaret(window.app().caret, window.editor());
    }
    void bookmarkLines(const std::vector<int>& lines) {
        for (int line : lines) {
            caretAt(line, 1);
            command(IDM_SETBOOKMARK);
        }
    }
    int firstVisible() const { return static_cast<int>(::SendMessageA(editor, EM_GETFIRSTVISIBLELINE, 0, 0)); }
    std::vector<std::string> gutterRows() const { return test::splitLines(test::windowText(window.gutterHwnd())); }
    // A row per line the editor shows, down to the text's last line: the number right-aligned in
    // the field, ">" before a bookmarked line.
    void expectGutterInStep(const std::string& after) {
        const int first = firstVisible();
        const int last = std::min(first + window.app().font.visibleLines, window.editor().lineCount());
        const auto& marks = window.app().bookmarks;
        std::vector<std::string> expected;
        for (int line = first + 1; line <= last; ++line) {
            const std::string label = (std::count(marks.begin(), marks.end(), line) ? ">" : "") + std::to_string(line);
            expected.push_back(std::string(static_cast<std::size_t>(width) - label.size(), ' ') + label);
        }
        EXPECT_EQ(gutterRows(), expected) << after;
    }

    test::TestWindow<test::RealClipboardDesktop> shell;
    MainWindow& window = shell.window;
    test::RealClipboardDesktop& desktop = shell.desktop;
    HWND editor = nullptr;
    int width = 0;
};

#define K20 "0123456789abcdefghij"

// What the keys do on the real control, marked text before and after. Each key's release shows
// the caret's line and column in the status bar, and no key closes the window.
TEST_F(EditorWindow, KeysOnTheRealControl) {
    const struct {
        const char* name;
        const char* before;
        const char* keys;
        const char* after;
        const char* undone = nullptr;  // the text after Edit > Undo, when checked
        const char* box = nullptr;     // the title of the one box shown, if any
    } cases[] = {
        {"bracket: paren in empty text", "|", "(", "(|)"},
        {"bracket: brace at end of text", "abc|", "{", "abc{|}"},
        {"bracket: square in the middle, undone as one step", "a|b", "[", "a[|]b", "a[b"},
        {"bracket: angle at start", "|ab", "<", "<|>ab"},
        {"bracket: selection replaced", "x[abc]y", "(", "x(|)y"},
        {"bracket: selection over lines replaced", "a[b\r\nc]d", "{", "a{|}d"},
        {"bracket: before a closing bracket", "|)", "(", "(|))"},
        {"bracket: closing one typed, not skipped", "(|)", ")", "()|)"},
        {"bracket: a typed call", "|", "f(x", "f(x|)"},
        {"bracket: plain letters", "|", "ab>", "ab>|"},
        {"Enter: middle of indented line, undone as one step", "   a|bc", "{Enter}", "   a\r\n   |bc", "   abc"},
        {"Enter: end of last line", "  x|", "{Enter}", "  x\r\n  |"},
        {"Enter: end of a line before another", "  ab|\r\nnext", "{Enter}", "  ab\r\n  |\r\nnext"},
        {"Enter: a selection is kept", "a[bc]d", "{Enter}", "a\r\n|bcd"},
        {"Enter: a tab is no indentation", "\tab|c", "{Enter}", "\tab\r\n|c"},
        {"Enter: line of spaces", "    |", "{Enter}", "    \r\n    |"},
        {"Enter: start of indented line", "|  abc", "{Enter}", "\r\n  |  abc"},
        {"Enter: empty text", "|", "{Enter}", "\r\n|"},
        {"Enter: second of three lines", "a\r\n    b|c\r\nd", "{Enter}", "a\r\n    b\r\n    |c\r\nd"},
        {"Enter: held down, every new line indented", "  a|b", "{Enter:3}", "  a\r\n  \r\n  \r\n  |b"},
        {"goal: down through a short line", "012345678|9abcdefghij\r\nabc\r\n" K20, "{Down}{Down}",
         K20 "\r\nabc\r\n012345678|9abcdefghij"},
        {"goal: up through a short line", K20 "\r\nabc\r\n012345678|9abcdefghij", "{Up}{Up}",
         "012345678|9abcdefghij\r\nabc\r\n" K20},
        {"goal: into a line of nine", "012345678|9abcdefghij\r\nabc\r\n123456789", "{Down}{Down}",
         K20 "\r\nabc\r\n123|456789"},
        {"goal: into a line of exactly ten", "012345678|9abcdefghij\r\nabc\r\n0123456789", "{Down}{Down}",
         K20 "\r\nabc\r\n012345678|9"},
        {"goal: through an empty line", "0123456789abcd|efghij\r\n\r\n" K20, "{Down}{Down}",
         K20 "\r\n\r\n0123456789abcd|efghij"},
        {"goal: End clears it", "012345678|9abcdefghij\r\nabc\r\n" K20, "{Down}{End}{Down}", K20 "\r\nabc\r\n012|3456789abcdefghij"},
        {"goal: Left clears it", "012345678|9abcdefghij\r\nabc\r\n" K20, "{Down}{Left}{Down}", K20 "\r\nabc\r\n01|23456789abcdefghij"},
        {"goal: Down held down reaches it at the release", "012345678|9abcdefghij\r\nabc\r\n" K20, "{Down:2}",
         K20 "\r\nabc\r\n012345678|9abcdefghij"},
        {"goal: Shift+Down selects without it", "012345678|9abcdefghij\r\nabc\r\n" K20, "{S-Down}{S-Down}",
         "012345678[9abcdefghij\r\nabc\r\n012]3456789abcdefghij"},
        {"Tab: whole lines with the break, undone as one step", "[aa\r\n bb\r\n]cc", "{Tab}", "[   aa\r\n    bb]\r\ncc",
         "aa\r\n bb\r\ncc"},
        {"Tab: whole lines without the break", "x\r\n[aa\r\nbb]\r\ncc", "{Tab}", "x\r\n[   aa\r\n   bb]\r\ncc"},
        {"Tab: whole lines selected upwards", "]aa\r\nbb\r\n[cc", "{Tab}", "[   aa\r\n   bb]\r\ncc"},
        {"Tab: a second Tab indents the block again", "[aa\r\nbb\r\n]cc", "{Tab}{Tab}", "[      aa\r\n      bb]\r\ncc"},
        {"Tab: a partial block is refused", "a[a\r\nbb]\r\ncc", "{Tab}", "a|a\r\nbb\r\ncc", nullptr, "Cannot be tabbed"},
        {"Tab: no selection", "ab|c", "{Tab}", "ab   |c"},
        {"Shift+Tab: 1, 0 and 5 leading spaces", "[ a\r\nb\r\n     c]", "{S-Tab}", "[a\r\nb\r\n  c]"},
        {"Shift+Tab: after three spaces", "ab   |", "{S-Tab}", "ab|"},
        {"Shift+Tab: after a space and a letter", "ab x|", "{S-Tab}", "ab x|"},
        {"Shift+Tab: at column one", "|abc", "{S-Tab}", "|abc"},
        {"Escape neither closes the window nor changes the text", "abc|", "{Esc}", "abc|"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        set(c.before);
        ::SendMessageA(editor, EM_SETMODIFY, TRUE, 0);  // a close would have to ask first
        keys(c.keys);
        EXPECT_EQ(marked(), c.after);
        ASSERT_TRUE(::IsWindow(window.hwnd()));
        EXPECT_EQ(desktop.boxes.size(), c.box ? 1u : 0u);
        if (c.box) {
            EXPECT_EQ(desktop.boxes.front().title, c.box);
            continue;
        }
        const int start = window.editor().selection().start;
        const int line = window.editor().lineFromChar(start);
        EXPECT_EQ(status(1), " " + std::to_string(line + 1));
        EXPECT_EQ(status(2), " " + std::to_string(start - window.editor().lineIndex(line) + 1));
        if (c.undone) {
            command(IDM_UNDO);
            EXPECT_EQ(text(), c.undone);
        }
    }
}

TEST_F(EditorWindow, BracketsOnlyWhenWantedAndOnlyForTheirOwnCharacter) {
    // U+0128 ends in the byte of "(": a Unicode control must not complete it.
    set("a|");
    ::SendMessageW(editor, WM_CHAR, 0x0128, 1);
    EXPECT_EQ(text().find(')'), std::string::npos) << text();

    window.app().settings.autoCompleteBrackets = 0;
    set("a[bc]d");
    keys("(<[{");
    EXPECT_EQ(marked(), "a(<[{|d");
}

TEST_F(EditorWindow, ALoneEnterReleaseChangesNothing) {
    // The release of the Enter that closed a dialog arrives at the editor alone.
    set("ab|c");
    keys("{Left}");
    ::SendMessageA(editor, EM_SETSEL, 2, 2);
    release(VK_RETURN);
    EXPECT_EQ(marked(), "ab|c");
    EXPECT_EQ(status(2), " 2");  // not updated by the lone release
    keys("{Enter}");
    EXPECT_EQ(marked(), "ab\r\n|c");
}

TEST_F(EditorWindow, OnScreenTheTabPressChangesNothingAndTheEditorKeepsTheKeyboard) {
    ::ShowWindow(window.hwnd(), SW_SHOW);
    // As after a message box: whatever the main window is given, typing must reach the editor.
    ::SetFocus(window.hwnd());
    ASSERT_EQ(::GetFocus(), editor);
    set("a[bc\r\nd]e");
    for (bool withShift : {false, true}) {
        shift(withShift);
        press(VK_TAB);
        shift(false);
        EXPECT_EQ(marked(), "a[bc\r\nd]e") << withShift;
        EXPECT_EQ(::GetFocus(), editor) << withShift;
    }
}

TEST_F(EditorWindow, DialogCodeIsTheControlsOwnWithoutHasSetSel) {
    HWND plain = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_MULTILINE | ES_WANTRETURN, 0, 0, 50, 50, window.hwnd(),
                                   nullptr, nullptr, nullptr);
    const LRESULT own = ::SendMessageA(plain, WM_GETDLGCODE, 0, 0);
    ASSERT_TRUE(own & DLGC_HASSETSEL);
    EXPECT_EQ(::SendMessageA(editor, WM_GETDLGCODE, 0, 0), own & ~static_cast<LRESULT>(DLGC_HASSETSEL));
    // With a message, such as the Tab the loop asks about, the answer is the control's own.
    MSG tab{plain, WM_KEYDOWN, VK_TAB, keyData(VK_TAB, false, false), 0, {}};
    const LRESULT plainTab = ::SendMessageA(plain, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab));
    tab.hwnd = editor;
    EXPECT_EQ(::SendMessageA(editor, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab)), plainTab);
    ::DestroyWindow(plain);
}

// Records which window is asked to fill which pop-up menu, and ends the menu loop as soon as it
// waits for the user.
HWND g_menuOwner = nullptr;
HMENU g_openedMenu = nullptr;

LRESULT CALLBACK watchMenus(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_INITMENUPOPUP && !g_openedMenu) {
        g_menuOwner = sent->hwnd;
        g_openedMenu = reinterpret_cast<HMENU>(sent->wParam);
    }
    if (code == HC_ACTION && sent->message == WM_ENTERIDLE && sent->wParam == MSGF_MENU) ::EndMenu();
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// The right button puts the caret under the pointer (clearing the goal column) and opens the
// program's context menu, owned by the main window; so does a quick second click; the release
// opens no second menu. The menu key and Shift+F10 ask without a position and leave the caret.
TEST_F(EditorWindow, ContextMenuFromTheMouseAndTheKeyboard) {
    const char* const kBefore = "first line\r\nsecond [line]\r\nthird";
    const char* const kClicked = "first line\r\nsec|ond line\r\nthird";  // line 2, column 4
    const struct {
        const char* name;
        UINT message;
        const char* after;
        bool opens = true;
    } cases[] = {
        {"right button press", WM_RBUTTONDOWN, kClicked},
        {"quick second click", WM_RBUTTONDBLCLK, kClicked},
        {"release", WM_RBUTTONUP, kBefore, false},
        {"menu key or Shift+F10", WM_CONTEXTMENU, kBefore},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        set(kBefore);
        window.app().caret.goalColumn = 5;
        const LRESULT at = ::SendMessageA(editor, EM_POSFROMCHAR, window.editor().lineIndex(1) + 3, 0);
        POINT point{GET_X_LPARAM(at) + window.app().font.charWidth / 2, GET_Y_LPARAM(at) + window.app().font.lineHeight / 2};
        g_menuOwner = nullptr;
        g_openedMenu = nullptr;
        HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, &watchMenus, nullptr, ::GetCurrentThreadId());
        if (c.message != WM_CONTEXTMENU) {
            ::SendMessageA(editor, c.message, c.message == WM_RBUTTONUP ? 0 : MK_RBUTTON, MAKELPARAM(point.x, point.y));
            ::ClientToScreen(editor, &point);
        } else {
            point = {-1, -1};
        }
        // The control's own answer to the release, or the keyboard's request.
        if (c.message == WM_RBUTTONUP || c.message == WM_CONTEXTMENU)
            ::SendMessageA(editor, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(editor), MAKELPARAM(point.x, point.y));
        ::UnhookWindowsHookEx(hook);
        EXPECT_EQ(g_openedMenu, c.opens ? window.contextMenu() : nullptr);
        EXPECT_EQ(g_menuOwner, c.opens ? window.hwnd() : nullptr);
        EXPECT_EQ(marked(), c.after);
        EXPECT_EQ(window.app().caret.goalColumn, c.after == kClicked ? 0 : 5);
    }
}

// The handler is in front of the control once, whatever re-created or re-installed it.
TEST_F(EditorWindow, TheKeyHandlingWorksOnceAfterEveryReinstall) {
    const struct {
        const char* name;
        std::function<void()> change;
    } cases[] = {
        {"installed twice", [&] { ASSERT_TRUE(installEditorSubclass(editor, window)); }},
        {"word wrap on", [&] { command(IDM_WORDWRAP); }},
        {"word wrap off", [&] { command(IDM_WORDWRAP); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.change();
        editor = window.editorHwnd();
        set("  x|");
        keys("[{Enter}");
        EXPECT_EQ(marked(), "  x[\r\n  |]");
    }
}

TEST_F(EditorWindow, BlockIndentUnderWordWrapAddsNoLineBreaks) {
    command(IDM_WORDWRAP);
    editor = window.editorHwnd();
    std::string longLine;
    for (int i = 0; i < 40; ++i) longLine += "word" + std::to_string(i) + " ";
    set("[" + longLine + "\r\nshort\r\n]");
    ASSERT_GT(window.editor().lineCount(), 3) << "the long line should wrap";
    keys("{Tab}");
    EXPECT_EQ(text(), "   " + longLine + "\r\n   short\r\n");
    EXPECT_TRUE(desktop.boxes.empty());

    // From a wrap point to the line's end is the middle of a line, not a block.
    set(longLine + "|\r\nshort");
    ::SendMessageA(editor, EM_SETSEL, window.editor().lineIndex(1), longLine.size());
    keys("{Tab}");
    EXPECT_EQ(text(), longLine + "\r\nshort");
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].title, "Cannot be tabbed");
}

// With word wrap on, Enter indents like the text line it splits, not like the display line the
// caret happens to be on: those start wherever the control wrapped.
TEST_F(EditorWindow, EnterUnderWordWrapKeepsTheTextLinesIndentation) {
    command(IDM_WORDWRAP);
    editor = window.editorHwnd();
    std::string words;
    for (int i = 0; i < 40; ++i) words += "word" + std::to_string(i) + " ";
    const std::string spaces(70, ' ');  // longer than a display line: runs on into the next one
    const struct {
        const char* name;
        std::string before, after;
    } cases[] = {
        {"at the end of a wrapped line", "a\r\n    " + words + "|\r\nb", "a\r\n    " + words + "\r\n    |\r\nb"},
        {"inside its third display line", "    " + words.substr(0, 200) + "|" + words.substr(200),
         "    " + words.substr(0, 200) + "\r\n    |" + words.substr(200)},
        {"after indentation wider than the view", spaces + words + "|", spaces + words + "\r\n" + spaces + "|"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        set(c.before);
        const Selection caret = window.editor().selection();
        ASSERT_GT(window.editor().lineFromChar(caret.start), window.editor().lineFromChar(c.before.find_first_not_of(" a\r\n")) + 1)
            << "the caret should stand two display lines below the text line's first";
        keys("{Enter}");
        EXPECT_EQ(marked(), c.after);
    }
}

// With word wrap on, the line commands take the whole text line the caret is on, never a display
// line and the first characters of the next.
TEST_F(EditorWindow, LineCommandsUnderWordWrapTakeTheWholeTextLine) {
    command(IDM_WORDWRAP);
    editor = window.editorHwnd();
    std::string words;
    for (int i = 0; i < 40; ++i) words += "word" + std::to_string(i) + " ";
    const std::string document = "a\r\n" + words + "\r\nb";
    const struct {
        const char* name;
        int command;
        std::string after, clipboard;
    } cases[] = {
        {"Yank line", IDM_YANKLINE, "a\r\nb", "before"},
        {"Copy line", IDM_COPYLINE, document, words},
        {"Paste line", IDM_PASTELINE, "a\r\nbefore" + words + "\r\nb", "before"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        desktop.real.setClipboardText("before");
        set("a\r\n" + words.substr(0, 200) + "|" + words.substr(200) + "\r\nb");
        ASSERT_GE(window.editor().lineFromChar(window.editor().selection().start), 3) << "the line should wrap";
        recordCaret(window.app().caret, window.editor());
        command(c.command);
        EXPECT_EQ(text(), c.after);
        EXPECT_EQ(desktop.real.clipboardText(), c.clipboard);
    }
}

// 1 when the editor wraps and the menu says so, 0 when neither, -1 when they disagree.
int wrapping(MainWindow& window) {
    const bool style = !(::GetWindowLongA(window.editorHwnd(), GWL_STYLE) & (WS_HSCROLL | ES_AUTOHSCROLL));
    const bool check = ::GetMenuState(::GetMenu(window.hwnd()), IDM_WORDWRAP, MF_BYCOMMAND) & MF_CHECKED;
    return style && check ? 1 : !style && !check ? 0 : -1;
}

// Word wrap re-creates the editor with the other style; the document moves across whole.
TEST_F(EditorWindow, WordWrapKeepsTextModifiedFlagAndLimitAndDropsTheBookmarks) {
    const std::string longText = "first line\r\n" + std::string(300, 'x') + "\r\nlast";
    window.editor().setText(longText);
    window.editor().setTextLimit(250000);
    bookmarkLines({1, 3});
    for (bool modified : {true, false}) {
        SCOPED_TRACE(modified ? "wrapping, modified" : "not wrapping, unmodified");
        window.editor().setModified(modified);
        const HWND before = window.editorHwnd();
        command(IDM_WORDWRAP);
        editor = window.editorHwnd();
        ASSERT_NE(editor, before);
        EXPECT_EQ(::GetDlgItem(window.hwnd(), IDC_EDITOR), editor);
        RECT shown{}, rows{};  // the editor shows as many lines as the gutter
        ::GetClientRect(editor, &shown);
        ::GetClientRect(window.gutterHwnd(), &rows);
        EXPECT_EQ(shown.bottom, rows.bottom);
        EXPECT_EQ(wrapping(window), modified ? 1 : 0);
        EXPECT_EQ(window.app().settings.wordWrap, modified ? 1 : 0);
        EXPECT_EQ(text(), longText);
        EXPECT_EQ(window.editor().modified(), modified);
        EXPECT_EQ(window.editor().lineCount() > 3, modified) << "the long line wraps";
        EXPECT_EQ(::SendMessageA(editor, EM_GETLIMITTEXT, 0, 0), 250000);
        EXPECT_TRUE(window.app().bookmarks.empty());
        expectGutterInStep("the switch");  // the same lines, none marked
    }
}

TEST(WordWrapAtStartUp, TheSavedChoiceIsAppliedAndTheFirstSwitchTurnsItOff) {
    Settings saved;
    saved.wordWrap = 1;
    test::TestWindow<> shell(settingsFileText(saved, ""));
    ASSERT_TRUE(shell.created);
    EXPECT_EQ(wrapping(shell.window), 1);
    shell.command(IDM_WORDWRAP);
    EXPECT_EQ(wrapping(shell.window), 0);
}

// Whatever scrolls the editor, by a message or by itself, the gutter shows the lines now in view.
TEST_F(EditorWindow, TheGutterStaysInStepWithEveryScroll) {
    window.editor().setText(test::numberedLines(200));
    bookmarkLines({2, 190});
    caretAt(1, 1);
    const struct {
        const char* name;
        std::function<void()> scroll;
    } cases[] = {
        {"a page down on the scroll bar", [&] { ::SendMessageA(editor, WM_VSCROLL, SB_PAGEDOWN, 0); }},
        {"the wheel", [&] { ::SendMessageA(editor, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0); }},
        {"Page Up back to the caret", [&] { keys("{PgUp}"); }},
        {"Page Down", [&] { keys("{PgDn}{PgDn}{PgDn}"); }},
        {"a jump to the next bookmark", [&] { command(IDM_NEXTBOOKMARK); }},
        {"the control showing a caret set in code", [&] {
             caretAt(50, 1);
             ::SendMessageA(editor, EM_SCROLLCARET, 0, 0);
         }},
        {"the control's own timer during a mouse selection", [&] {
             ::SendMessageA(editor, EM_LINESCROLL, 0, 40);  // scrolls without a notification
             ::SetWindowTextA(window.gutterHwnd(), "stale");
             ::SendMessageA(editor, WM_TIMER, 1, 0);
         }},
        {"text put in below the view", [&] {
             caretAt(firstVisible() + window.app().font.visibleLines, 1);
             ::SendMessageA(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("x\r\n\r\n"));
         }},
    };
    expectGutterInStep("the start");
    for (const auto& c : cases) {
        const int before = firstVisible();
        c.scroll();
        EXPECT_NE(firstVisible(), before) << c.name;
        expectGutterInStep(c.name);
    }
}

TEST_F(EditorWindow, ShortDocumentsShowTheirLinesOnlyAndTheMarksWithNumbersOff) {
    window.editor().setText("a\r\nb\r\nc");
    bookmarkLines({1, 3});
    expectGutterInStep("numbers on");
    window.app().settings.showLineNumbers = 0;
    command(IDM_CLEARBOOKMARKS);
    bookmarkLines({1, 3});
    EXPECT_EQ(gutterRows(), (std::vector<std::string>{">", " ", ">"}));
}

TEST_F(EditorWindow, EveryGutterRowStandsBesideItsEditorLine) {
    window.editor().setText(test::numberedLines(40));
    const int rows = window.app().font.visibleLines;
    ASSERT_GT(rows, 10);
    // A row that wrapped inside the narrow gutter would push every later number down a line.
    EXPECT_EQ(::SendMessageA(window.gutterHwnd(), EM_GETLINECOUNT, 0, 0), rows);
    for (int row = 0; row < rows; ++row) {
        POINT at[2] = {};
        for (HWND control : {window.gutterHwnd(), editor}) {
            const LRESULT start = ::SendMessageA(control, EM_POSFROMCHAR, ::SendMessageA(control, EM_LINEINDEX, row, 0), 0);
            POINT& p = at[control == editor];
            p.y = HIWORD(start);
            ::MapWindowPoints(control, window.hwnd(), &p, 1);
        }
        // The two controls' borders differ by a pixel; a wrapped row would be a whole line off.
        EXPECT_NEAR(at[0].y, at[1].y, 2) << row;
    }
}

// The gutter hands the keyboard to the editor when it is clicked; a refresh of its text must not
// take the keyboard from elsewhere.
TEST_F(EditorWindow, AGutterRefreshLeavesTheKeyboardWhereItIs) {
    window.editor().setText(test::numberedLines(50));
    UniqueHwnd other(::CreateWindowExA(0, "EDIT", "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr));
    ::SetFocus(other.get());
    ASSERT_EQ(::GetFocus(), other.get());
    bookmarkLines({3});
    expectGutterInStep("a bookmark set");
    EXPECT_EQ(::GetFocus(), other.get());
    ::SetFocus(window.gutterHwnd());  // as a click into the gutter does: 102 notifies, the focus goes back
    EXPECT_EQ(::GetFocus(), editor);
}

// Bookmarks follow every real edit that changes the line count, and come back with Undo; the
// gutter shows them where they now are.
TEST_F(EditorWindow, BookmarksFollowRealEdits) {
    const struct {
        const char* name;
        std::vector<int> marks;
        int line, column, toLine;  // the caret, or a selection from it to the start of toLine
        std::function<void()> edit;
        int lineCount;
        std::vector<int> after, undone;
    } cases[] = {
        {"Yank line 5 of 10", {5, 8}, 5, 4, 0, [&] { command(IDM_YANKLINE); }, 9, {7}, {8}},
        {"Paste of two line breaks into line 3", {2, 3, 6}, 3, 4, 0, [&] {
             desktop.real.setClipboardText("X\r\nY\r\nZ");
             command(IDM_PASTE);
         }, 12, {2, 5, 8}, {2, 3, 6}},
        {"Cut of lines 3 to 5 from the toolbar", {2, 3, 4, 6}, 3, 1, 6, [&] { command(IDT_CUT); },
         7, {2, 3}, {2, 6}},
        {"Enter at the end of line 1", {3}, 1, 7, 0, [&] { keys("{Enter}"); }, 11, {4}, {3}},
        {"Backspace joining line 4 to line 3", {2, 6}, 4, 1, 0, [&] { keys("{Back}"); }, 9, {2, 5}, {2, 6}},
        {"typing over lines 3 and 4", {2, 6}, 3, 1, 5, [&] { keys("x"); }, 8, {2, 4}, {2, 6}},
        {"Backspace joining line 4 onto marked line 3", {3, 6}, 4, 1, 0, [&] { keys("{Back}"); }, 9, {3, 5}, {3, 6}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        window.editor().setText(test::numberedLines(10));
        command(IDM_CLEARBOOKMARKS);
        bookmarkLines(c.marks);
        caretAt(c.line, c.column);
        if (c.toLine) ::SendMessageA(editor, EM_SETSEL, window.editor().selection().start, window.editor().lineIndex(c.toLine - 1));
        c.edit();
        EXPECT_EQ(window.editor().lineCount(), c.lineCount);
        EXPECT_EQ(window.app().bookmarks, c.after);
        expectGutterInStep("the edit");
        command(IDM_UNDO);
        EXPECT_EQ(text(), test::numberedLines(10));
        EXPECT_EQ(window.app().bookmarks, c.undone);
    }
}

TEST_F(EditorWindow, CopyLineThenPasteLineJoinsTheLines) {
    window.editor().setText("abc\r\nxyz");
    caretAt(1, 3);
    command(IDM_COPYLINE);
    EXPECT_EQ(desktop.real.clipboardText(), "abc");
    caretAt(2, 2);
    command(IDM_PASTELINE);
    EXPECT_EQ(marked(), "abc\r\n|abcxyz");
    EXPECT_EQ(desktop.real.clipboardText(), "abc");
}

// Puts a format of no text on the clipboard, and the text too when there is one.
UINT putCustomFormat(const char* text = nullptr) {
    const UINT custom = ::RegisterClipboardFormatA("Tessaline test format");
    EXPECT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ::SetClipboardData(custom, ::GlobalAlloc(GMEM_MOVEABLE, 4));
    if (text) {
        HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, strlen(text) + 1);
        memcpy(::GlobalLock(block), text, strlen(text));
        ::GlobalUnlock(block);
        ::SetClipboardData(CF_TEXT, block);
    }
    ::CloseClipboard();
    return custom;
}

// The EDIT control puts Unicode text on the clipboard and the system adds the other text forms
// from it. After Edit > Copy the ANSI text is the one format placed (listed first); whatever else
// is listed is only the system's synthesised text forms, and what was there before is gone.
// Select all selects the whole text, line breaks included.
TEST_F(EditorWindow, SelectAllThenEditCopyLeavesThePlainTextAloneOnTheClipboard) {
    command(IDM_SELECTALL);  // an empty text: nothing selected, nothing changed
    EXPECT_EQ(marked(), "|");
    EXPECT_FALSE(window.editor().modified());
    putCustomFormat();
    window.editor().setText("hello\r\nworld");
    command(IDM_SELECTALL);
    EXPECT_EQ(marked(), "[hello\r\nworld]");
    command(IDM_COPY);
    const std::vector<UINT> formats = test::clipboardFormats();
    ASSERT_FALSE(formats.empty());
    EXPECT_EQ(formats.front(), static_cast<UINT>(CF_TEXT));
    const std::set<UINT> textForms = {CF_TEXT, CF_OEMTEXT, CF_UNICODETEXT, CF_LOCALE};
    for (UINT f : formats) EXPECT_TRUE(textForms.count(f)) << "format " << f;
    EXPECT_EQ(desktop.real.clipboardText(), "hello\r\nworld");
}

TEST_F(EditorWindow, PasteDropsOtherFormatsButLeavesAClipboardWithoutTextAlone) {
    window.editor().setText("ab");
    caretAt(1, 2);
    const UINT custom = putCustomFormat();
    command(IDM_PASTE);
    EXPECT_EQ(window.editor().text(), "ab");
    EXPECT_TRUE(::IsClipboardFormatAvailable(custom)) << "what the user copied elsewhere is still there";

    putCustomFormat("x");
    command(IDM_PASTE);
    EXPECT_EQ(window.editor().text(), "xab");
    EXPECT_FALSE(::IsClipboardFormatAvailable(custom));
}

}  // namespace
}  // namespace tess::win32
