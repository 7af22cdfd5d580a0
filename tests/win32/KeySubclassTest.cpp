// The editor's key handling on the real EDIT control inside a real main window, driven by the
// messages a keyboard produces: WM_KEYDOWN and WM_KEYUP with their repeat count, scan code,
// previous-state and transition bits, posted and pumped through the same steps as the program's
// message loop, so that TranslateMessage makes the WM_CHAR of each key press.
#include "FakeDesktop.h"
#include "MarkedText.h"
#include "app/win32/MainWindow.h"
#include "editor/win32/EditorSubclass.h"
#include "resources/resource.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <windows.h>
#include <windowsx.h>

#include <string>
#include <vector>

namespace tess::win32 {
namespace {

using test::CaseName;
using test::parseMarked;

bool isExtendedKey(UINT vk) {
    switch (vk) {
    case VK_UP: case VK_DOWN: case VK_LEFT: case VK_RIGHT: case VK_HOME: case VK_END:
    case VK_PRIOR: case VK_NEXT: case VK_DELETE: case VK_INSERT: return true;
    default: return false;
    }
}

// The lParam of a key message: repeat count 1, scan code, extended-key bit, previous state
// (bit 30: the key was already down) and transition (bit 31: released).
LPARAM keyData(UINT vk, bool released, bool wasDown) {
    DWORD data = 1 | ((::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC) & 0xFF) << 16);
    if (isExtendedKey(vk)) data |= 1u << 24;
    if (wasDown || released) data |= 1u << 30;
    if (released) data |= 1u << 31;
    return static_cast<LPARAM>(data);
}

class KeySubclass : public testing::Test {
protected:
    void SetUp() override { create(); }
    void TearDown() override { shift(false); }
    // Tests of the keyboard focus need the window on screen.
    virtual bool visible() const { return false; }

    void create() {
        ASSERT_TRUE(window.create(::GetModuleHandleA(nullptr),
                                  {.desktop = &desktop, .show = visible(), .quitOnDestroy = false}));
        editor = window.editorHwnd();
        pump();
    }

    void set(std::string_view marked) {
        const test::MarkedText m = parseMarked(marked);
        ::SetWindowTextA(editor, m.text.c_str());
        ::SendMessageA(editor, EM_SETSEL, static_cast<WPARAM>(m.anchor), m.caret);
    }
    std::string text() const {
        std::string buffer(static_cast<std::size_t>(::GetWindowTextLengthA(editor)) + 1, '\0');
        buffer.resize(static_cast<std::size_t>(::GetWindowTextA(editor, buffer.data(), static_cast<int>(buffer.size()))));
        return buffer;
    }
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
            if (window.accelerators() && ::TranslateAcceleratorA(window.hwnd(), window.accelerators(), &msg)) continue;
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
    void tap(UINT vk) {
        press(vk);
        release(vk);
    }
    // Shift as the keyboard state that TranslateMessage and GetKeyState read.
    void shift(bool down) {
        BYTE state[256] = {};
        ::GetKeyboardState(state);
        state[VK_SHIFT] = state[VK_LSHIFT] = down ? 0x80 : 0;
        ::SetKeyboardState(state);
    }
    // Each character typed with the key that makes it on a US layout, Shift included.
    void type(std::string_view chars) {
        for (char c : chars) {
            SHORT scan = ::VkKeyScanA(c);
            // Wine under Xvfb finds no key for the parentheses; they are Shift+9 and Shift+0.
            if (scan == -1 && c == '(') scan = 0x100 | '9';
            if (scan == -1 && c == ')') scan = 0x100 | '0';
            ASSERT_NE(scan, -1) << c;
            const bool needsShift = (scan & 0x100) != 0;
            if (needsShift) shift(true);
            tap(LOBYTE(scan));
            if (needsShift) shift(false);
        }
    }

    test::FakeDesktop desktop;
    MainWindow window;
    HWND editor = nullptr;
};

// ---- Brackets

struct BracketCase {
    const char* name;
    const char* before;
    const char* typed;
    const char* after;
};

class KeySubclassBrackets : public KeySubclass, public testing::WithParamInterface<BracketCase> {};

TEST_P(KeySubclassBrackets, TypedOnTheRealControl) {
    const BracketCase& c = GetParam();
    set(c.before);
    type(c.typed);
    EXPECT_EQ(marked(), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Table, KeySubclassBrackets,
    testing::Values(BracketCase{"ParenInEmptyText", "|", "(", "(|)"},
                    BracketCase{"BraceAtEndOfText", "abc|", "{", "abc{|}"},
                    BracketCase{"SquareInMiddle", "a|b", "[", "a[|]b"},
                    BracketCase{"AngleAtStart", "|ab", "<", "<|>ab"},
                    BracketCase{"SelectionReplaced", "x[abc]y", "(", "x(|)y"},
                    BracketCase{"SelectionOverLinesReplaced", "a[b\r\nc]d", "{", "a{|}d"},
                    BracketCase{"BeforeAClosingBracket", "|)", "(", "(|))"},
                    BracketCase{"ClosingNotSkipped", "(|)", ")", "()|)"},
                    BracketCase{"TypedCall", "|", "f(x", "f(x|)"},
                    BracketCase{"PlainLetters", "|", "ab>", "ab>|"}),
    CaseName{});

TEST_F(KeySubclass, UndoAfterACompletionTakesBackThePair) {
    set("x|y");
    type("(");
    ::SendMessageA(editor, EM_UNDO, 0, 0);
    EXPECT_EQ(text(), "x(y");
}

TEST_F(KeySubclass, CompletionOffLeavesTypedBracketsAlone) {
    window.app().settings.autoCompleteBrackets = 0;
    set("a[bc]d");
    type("(<[{");
    EXPECT_EQ(marked(), "a(<[{|d");
}

TEST_F(KeySubclass, NonAsciiCharactersAreNeverTakenForBrackets) {
    // U+0128 ends in the byte of "(": a Unicode control must not complete it.
    set("a|");
    ::SendMessageW(editor, WM_CHAR, 0x0128, 1);
    EXPECT_EQ(text().find(')'), std::string::npos) << text();
}

// ---- Enter

struct EnterCase {
    const char* name;
    const char* before;
    const char* after;
};

class KeySubclassEnter : public KeySubclass, public testing::WithParamInterface<EnterCase> {};

TEST_P(KeySubclassEnter, SplitsAndIndentsOnTheRealControl) {
    const EnterCase& c = GetParam();
    set(c.before);
    tap(VK_RETURN);
    EXPECT_EQ(marked(), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Table, KeySubclassEnter,
    testing::Values(EnterCase{"MiddleOfIndentedLine", "   a|bc", "   a\r\n   |bc"},
                    EnterCase{"EndOfLastLine", "  x|", "  x\r\n  |"},
                    EnterCase{"EndOfLineBeforeAnother", "  ab|\r\nnext", "  ab\r\n  |\r\nnext"},
                    EnterCase{"SelectionKept", "a[bc]d", "a\r\n|bcd"},
                    EnterCase{"TabIsNoIndentation", "\tab|c", "\tab\r\n|c"},
                    EnterCase{"LineOfSpaces", "    |", "    \r\n    |"},
                    EnterCase{"StartOfIndentedLine", "|  abc", "\r\n  |  abc"},
                    EnterCase{"EmptyText", "|", "\r\n|"},
                    EnterCase{"SecondOfThreeLines", "a\r\n    b|c\r\nd", "a\r\n    b\r\n    |c\r\nd"}),
    CaseName{});

TEST_F(KeySubclass, EnterIsOneUndoStep) {
    set("   a|bc");
    tap(VK_RETURN);
    ::SendMessageA(editor, EM_UNDO, 0, 0);
    EXPECT_EQ(text(), "   abc");
}

TEST_F(KeySubclass, AutoRepeatedEnterIndentsEveryNewLine) {
    set("  a|b");
    press(VK_RETURN);
    press(VK_RETURN, true);
    press(VK_RETURN, true);
    release(VK_RETURN);
    EXPECT_EQ(marked(), "  a\r\n  \r\n  \r\n  |b");
    EXPECT_EQ(status(1), " 4");
    EXPECT_EQ(status(2), " 3");
}

TEST_F(KeySubclass, SentKeySequenceWithoutTranslationWorksToo) {
    // The sequence as it arrives after translation, sent rather than posted.
    set("  a|b");
    ::SendMessageA(editor, WM_KEYDOWN, VK_RETURN, keyData(VK_RETURN, false, false));
    ::SendMessageA(editor, WM_CHAR, '\r', keyData(VK_RETURN, false, false));
    ::SendMessageA(editor, WM_KEYUP, VK_RETURN, keyData(VK_RETURN, true, true));
    EXPECT_EQ(marked(), "  a\r\n  |b");
}

TEST_F(KeySubclass, LoneEnterReleaseChangesNothing) {
    // The release of the Enter that closed a dialog arrives at the editor alone.
    set("ab|c");
    tap(VK_RIGHT);
    const std::string column = status(2);
    ::SendMessageA(editor, EM_SETSEL, 1, 1);
    release(VK_RETURN);
    EXPECT_EQ(marked(), "a|bc");
    EXPECT_EQ(status(2), column);
    tap(VK_RETURN);
    EXPECT_EQ(marked(), "a\r\n|bc");
}

// ---- Up and Down

struct GoalCase {
    const char* name;
    const char* text;
    int startLine, startColumn;
    std::vector<UINT> keys;
    int line, column;
};

class KeySubclassGoal : public KeySubclass, public testing::WithParamInterface<GoalCase> {};

TEST_P(KeySubclassGoal, RealControlMovesAndTheGoalColumnCorrects) {
    const GoalCase& c = GetParam();
    set(c.text);
    const int start = static_cast<int>(::SendMessageA(editor, EM_LINEINDEX, c.startLine - 1, 0)) + c.startColumn - 1;
    ::SendMessageA(editor, EM_SETSEL, start, start);
    for (UINT key : c.keys) tap(key);
    EXPECT_EQ(status(1), " " + std::to_string(c.line));
    EXPECT_EQ(status(2), " " + std::to_string(c.column));
    DWORD selStart = 0, selEnd = 0;
    ::SendMessageA(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
    const int expected = static_cast<int>(::SendMessageA(editor, EM_LINEINDEX, c.line - 1, 0)) + c.column - 1;
    EXPECT_EQ(static_cast<int>(selStart), expected);
    EXPECT_EQ(selStart, selEnd);
}

#define K20 "0123456789abcdefghij"

INSTANTIATE_TEST_SUITE_P(
    Table, KeySubclassGoal,
    testing::Values(GoalCase{"DownThroughShortLine", K20 "\r\nabc\r\n" K20, 1, 10, {VK_DOWN, VK_DOWN}, 3, 10},
                    GoalCase{"UpThroughShortLine", K20 "\r\nabc\r\n" K20, 3, 10, {VK_UP, VK_UP}, 1, 10},
                    GoalCase{"IntoLineOfNine", K20 "\r\nabc\r\n123456789", 1, 10, {VK_DOWN, VK_DOWN}, 3, 4},
                    GoalCase{"IntoLineOfExactlyTen", K20 "\r\nabc\r\n0123456789", 1, 10, {VK_DOWN, VK_DOWN}, 3, 10},
                    GoalCase{"ThroughEmptyLine", K20 "\r\n\r\n" K20, 1, 15, {VK_DOWN, VK_DOWN}, 3, 15},
                    GoalCase{"EndClearsTheGoal", K20 "\r\nabc\r\n" K20, 1, 10, {VK_DOWN, VK_END, VK_DOWN}, 3, 4},
                    GoalCase{"LeftClearsTheGoal", K20 "\r\nabc\r\n" K20, 1, 10, {VK_DOWN, VK_LEFT, VK_DOWN}, 3, 3}),
    CaseName{});

TEST_F(KeySubclass, AutoRepeatedDownReachesTheGoalAtTheRelease) {
    set(K20 "\r\nabc\r\n" K20);
    ::SendMessageA(editor, EM_SETSEL, 9, 9);
    press(VK_DOWN);
    press(VK_DOWN, true);
    release(VK_DOWN);
    EXPECT_EQ(status(1), " 3");
    EXPECT_EQ(status(2), " 10");
}

TEST_F(KeySubclass, ShiftDownSelectsWithoutTheGoalColumn) {
    set(K20 "\r\nabc\r\n" K20);
    ::SendMessageA(editor, EM_SETSEL, 9, 9);
    shift(true);
    tap(VK_DOWN);
    tap(VK_DOWN);
    shift(false);
    DWORD start = 0, end = 0;
    ::SendMessageA(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 9u);
    // The control keeps column 4 from the short line.
    EXPECT_EQ(static_cast<LRESULT>(end), ::SendMessageA(editor, EM_LINEINDEX, 2, 0) + 3);
}

// ---- Tab and Shift+Tab

struct TabCase {
    const char* name;
    const char* before;
    bool shift;
    const char* after;
};

class KeySubclassTab : public KeySubclass, public testing::WithParamInterface<TabCase> {};

TEST_P(KeySubclassTab, IndentsAndUnindentsOnTheRealControl) {
    const TabCase& c = GetParam();
    set(c.before);
    shift(c.shift);
    tap(VK_TAB);
    shift(false);
    EXPECT_EQ(marked(), c.after);
    EXPECT_TRUE(desktop.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, KeySubclassTab,
    testing::Values(TabCase{"WholeLinesWithTheBreak", "[aa\r\nbb\r\ncc\r\n]dd", false, "[   aa\r\n   bb\r\n   cc]\r\ndd"},
                    TabCase{"WholeLinesWithoutTheBreak", "x\r\n[aa\r\nbb]\r\ncc", false, "x\r\n[   aa\r\n   bb]\r\ncc"},
                    TabCase{"WholeLinesSelectedUpwards", "]aa\r\nbb\r\n[cc", false, "[   aa\r\n   bb]\r\ncc"},
                    TabCase{"UnindentOneZeroFive", "[ a\r\nb\r\n     c]", true, "[a\r\nb\r\n  c]"},
                    TabCase{"NoSelection", "ab|c", false, "ab   |c"},
                    TabCase{"ShiftAfterThreeSpaces", "ab   |", true, "ab|"},
                    TabCase{"ShiftAfterSpaceAndLetter", "ab x|", true, "ab x|"},
                    TabCase{"ShiftAtColumnOne", "|abc", true, "|abc"}),
    CaseName{});

TEST_F(KeySubclass, SecondTabIndentsTheBlockAgain) {
    set("[aa\r\nbb\r\n]cc");
    tap(VK_TAB);
    tap(VK_TAB);
    EXPECT_EQ(marked(), "[      aa\r\n      bb]\r\ncc");
}

TEST_F(KeySubclass, PartialBlockShowsCannotBeTabbed) {
    set("a[a\r\nbb]\r\ncc");
    tap(VK_TAB);
    EXPECT_EQ(marked(), "a|a\r\nbb\r\ncc");
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].title, "Cannot be tabbed");
    EXPECT_EQ(desktop.boxes[0].text, "Selection must be a complete block of text");
    EXPECT_EQ(desktop.boxes[0].modality, Modality::System);
    EXPECT_FALSE(desktop.boxes[0].ownedByMainWindow);
}

TEST_F(KeySubclass, UndoAfterABlockIndentRestoresTheBlock) {
    set("[aa\r\n bb\r\n]cc");
    tap(VK_TAB);
    ::SendMessageA(editor, EM_UNDO, 0, 0);
    EXPECT_EQ(text(), "aa\r\n bb\r\ncc");
}

class KeySubclassShown : public KeySubclass {
protected:
    bool visible() const override { return true; }
};

TEST_F(KeySubclassShown, TabPressChangesNothingAndKeepsTheFocus) {
    ::SetFocus(editor);
    ASSERT_EQ(::GetFocus(), editor);
    set("a[bc\r\nd]e");
    press(VK_TAB);
    EXPECT_EQ(marked(), "a[bc\r\nd]e");
    EXPECT_EQ(::GetFocus(), editor);
    shift(true);
    press(VK_TAB, true);
    shift(false);
    EXPECT_EQ(marked(), "a[bc\r\nd]e");
    EXPECT_EQ(::GetFocus(), editor);
}

TEST_F(KeySubclassShown, FocusOnTheMainWindowGoesOnToTheEditor) {
    // As after a message box: whatever the main window is given, typing must reach the editor.
    ::SetFocus(window.hwnd());
    EXPECT_EQ(::GetFocus(), editor);
}

// ---- Dialog code and right button

TEST_F(KeySubclass, DialogCodeWithoutAMessageLacksHasSetSel) {
    HWND plain = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_MULTILINE | ES_WANTRETURN, 0, 0, 50, 50,
                                   window.hwnd(), nullptr, ::GetModuleHandleA(nullptr), nullptr);
    const LRESULT own = ::SendMessageA(plain, WM_GETDLGCODE, 0, 0);
    ASSERT_TRUE(own & DLGC_HASSETSEL);
    EXPECT_EQ(::SendMessageA(editor, WM_GETDLGCODE, 0, 0), own & ~static_cast<LRESULT>(DLGC_HASSETSEL));

    MSG tab{plain, WM_KEYDOWN, VK_TAB, keyData(VK_TAB, false, false), 0, {}};
    const LRESULT plainTab = ::SendMessageA(plain, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab));
    tab.hwnd = editor;
    EXPECT_EQ(::SendMessageA(editor, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab)), plainTab);
    EXPECT_TRUE(plainTab & (DLGC_WANTALLKEYS | DLGC_WANTTAB));
    ::DestroyWindow(plain);
}

// Records the pop-up menu the main window is asked to fill, and ends the menu loop as soon as
// it waits for the user.
HMENU g_openedMenu = nullptr;
HHOOK g_hook = nullptr;

LRESULT CALLBACK watchMenus(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_INITMENUPOPUP) g_openedMenu = reinterpret_cast<HMENU>(sent->wParam);
    if (code == HC_ACTION && sent->message == WM_ENTERIDLE && sent->wParam == MSGF_MENU) ::EndMenu();
    return ::CallNextHookEx(g_hook, code, wParam, lParam);
}

TEST_F(KeySubclass, RightButtonPutsTheCaretUnderThePointerAndOpensTheContextMenu) {
    set("first line\r\nsecond line\r\nthird|");
    const int target = static_cast<int>(::SendMessageA(editor, EM_LINEINDEX, 1, 0)) + 3;  // line 2, column 4
    const LRESULT packed = ::SendMessageA(editor, EM_POSFROMCHAR, target, 0);
    const int x = GET_X_LPARAM(packed) + window.app().font.charWidth / 2;
    const int y = GET_Y_LPARAM(packed) + window.app().font.lineHeight / 2;
    ASSERT_GT(window.app().font.lineHeight, 0);
    window.app().caret.goalColumn = 5;

    g_openedMenu = nullptr;
    g_hook = ::SetWindowsHookExA(WH_CALLWNDPROC, &watchMenus, nullptr, ::GetCurrentThreadId());
    ::SendMessageA(editor, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
    ::UnhookWindowsHookEx(g_hook);

    EXPECT_EQ(marked(), "first line\r\nsec|ond line\r\nthird");
    EXPECT_EQ(window.app().caret.caretLine, 2);
    EXPECT_EQ(window.app().caret.goalColumn, 0);
    EXPECT_EQ(g_openedMenu, window.contextMenu());
}

TEST_F(KeySubclass, EscapeInTheEditorNeitherClosesTheWindowNorChangesTheText) {
    // The control, asked for its dialog code by the loop's dialog key handling, would otherwise
    // post WM_CLOSE to the main window on Escape.
    set("abc|");
    ::SendMessageA(editor, EM_SETMODIFY, TRUE, 0);
    tap(VK_ESCAPE);
    EXPECT_TRUE(::IsWindow(window.hwnd()));
    EXPECT_TRUE(desktop.boxes.empty());
    EXPECT_EQ(marked(), "abc|");
}

TEST_F(KeySubclass, ScrollingShowsTheLinesNowInViewInTheGutter) {
    std::string text;
    for (int i = 1; i <= 200; ++i) text += "line " + std::to_string(i) + "\r\n";
    set(text + "|");
    ::SendMessageA(editor, EM_SETSEL, 0, 0);
    ::SendMessageA(editor, EM_SCROLLCARET, 0, 0);
    for (WPARAM scroll : {WPARAM(SB_PAGEDOWN), WPARAM(SB_LINEDOWN), WPARAM(SB_LINEUP)}) {
        ::SendMessageA(editor, WM_VSCROLL, scroll, 0);
        const int first = static_cast<int>(::SendMessageA(editor, EM_GETFIRSTVISIBLELINE, 0, 0)) + 1;
        ASSERT_GT(first, 1);
        char gutter[64] = {};
        ::GetWindowTextA(window.gutterHwnd(), gutter, static_cast<int>(std::size(gutter)));
        const std::string row = std::string(gutter).substr(0, std::string(gutter).find('\r'));
        EXPECT_EQ(row.substr(row.find_first_not_of(' ')), std::to_string(first)) << scroll;
    }
}

TEST_F(KeySubclass, QuickSecondRightClickOpensTheMenuToo) {
    set("abc\r\ndef|");
    const LRESULT packed = ::SendMessageA(editor, EM_POSFROMCHAR, 1, 0);  // line 1, column 2
    const int x = GET_X_LPARAM(packed) + window.app().font.charWidth / 2;
    const int y = GET_Y_LPARAM(packed) + window.app().font.lineHeight / 2;
    g_openedMenu = nullptr;
    g_hook = ::SetWindowsHookExA(WH_CALLWNDPROC, &watchMenus, nullptr, ::GetCurrentThreadId());
    ::SendMessageA(editor, WM_RBUTTONDBLCLK, MK_RBUTTON, MAKELPARAM(x, y));
    ::UnhookWindowsHookEx(g_hook);
    EXPECT_EQ(g_openedMenu, window.contextMenu());
    EXPECT_EQ(marked(), "a|bc\r\ndef");
}

TEST_F(KeySubclass, RightButtonReleaseOpensNoSecondMenu) {
    set("abc|");
    g_openedMenu = nullptr;
    g_hook = ::SetWindowsHookExA(WH_CALLWNDPROC, &watchMenus, nullptr, ::GetCurrentThreadId());
    ::SendMessageA(editor, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    POINT screen{5, 5};
    ::ClientToScreen(editor, &screen);
    ::SendMessageA(editor, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(editor), MAKELPARAM(screen.x, screen.y));
    ::UnhookWindowsHookEx(g_hook);
    EXPECT_EQ(g_openedMenu, nullptr);
}

// ---- Re-installing

TEST_F(KeySubclass, InstallingTwiceDoesNotDoubleTheBehaviour) {
    ASSERT_TRUE(installEditorSubclass(editor, window));
    set("|");
    type("(");
    tap(VK_RETURN);
    EXPECT_EQ(marked(), "(\r\n|)");
}

TEST_F(KeySubclass, WordWrapKeepsTheKeyHandlingInBothDirections) {
    for (int round = 0; round < 2; ++round) {
        window.onCommand(IDM_WORDWRAP);
        editor = window.editorHwnd();
        set("  x|");
        type("[");
        tap(VK_RETURN);
        EXPECT_EQ(marked(), "  x[\r\n  |]") << round;
    }
}

TEST_F(KeySubclass, BlockIndentUnderWordWrapAddsNoLineBreaks) {
    window.onCommand(IDM_WORDWRAP);
    editor = window.editorHwnd();
    std::string longLine;
    for (int i = 0; i < 40; ++i) longLine += "word" + std::to_string(i) + " ";
    set("[" + longLine + "\r\nshort\r\n]");
    ASSERT_GT(::SendMessageA(editor, EM_GETLINECOUNT, 0, 0), 3) << "the long line should wrap";
    tap(VK_TAB);
    EXPECT_EQ(text(), "   " + longLine + "\r\n   short\r\n");
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(KeySubclass, ARecreatedEditorGetsTheHandlerAgain) {
    ::DestroyWindow(editor);
    editor = window.createEditor(false);
    ASSERT_TRUE(installEditorSubclass(editor, window));
    set("  x|");
    type("[");
    tap(VK_RETURN);
    EXPECT_EQ(marked(), "  x[\r\n  |]");
}

}  // namespace
}  // namespace tess::win32
