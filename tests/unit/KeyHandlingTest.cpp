// The editor's key behaviours on the in-memory control. Each key is driven the way the control
// receives it (press, the character its translation gives, release), and the control's own part
// is the in-memory model's typeChar / pressDelete / moveCaretDown.
#include "MarkedText.h"
#include "TestContext.h"
#include "editor/KeyHandling.h"
#include "editor/LineCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tess {
namespace {

using test::CaseName;

// In the keys a test types, CR is Enter, LF is Ctrl+Enter, TAB is Tab, these stand for the other
// keys the editor handles and for Edit > Undo, and any other character is typed with an ordinary
// key ("\b" is Backspace).
const std::string kUp = "\x01", kDown = "\x02", kLeft = "\x03", kHome = "\x04", kDelete = "\x05", kShiftTab = "\x06",
                  kUndo = "\x07";

class Editor {
public:
    explicit Editor(std::string_view marked = "|") { set(marked); }
    void set(std::string_view marked) { test::setMarked(t.editor, marked); }
    std::string marked() const { return test::markedText(t.editor); }

    bool press(Key key, bool shift = false) {
        return keys.keyPressed(t.ctx, key, shift, [&] { controlKey(key); });
    }
    bool release(Key key, bool shift = false) { return keys.keyReleased(t.ctx, key, shift, [] {}); }
    bool character(char c) {
        return keys.charTyped(t.ctx, c, [&] {
            if (c == '\b') t.editor.pressBackspace();
            else t.editor.typeChar(c);
        });
    }
    void tap(Key key, bool shift = false) {
        press(key, shift);
        release(key, shift);
    }
    void type(std::string_view typed) {
        for (char c : typed) {
            if (const auto i = (kUp + kDown + kLeft + kHome + kDelete).find(c); i != std::string::npos) {
                tap(std::array{Key::Up, Key::Down, Key::Left, Key::Home, Key::Delete}[i]);
                continue;
            }
            if (c == kUndo[0]) {
                undoEdit(t.ctx);
                continue;
            }
            const bool shift = c == kShiftTab[0];
            const Key key = (c == '\r' || c == '\n') ? Key::Enter : (c == '\t' || shift) ? Key::Tab : Key::Other;
            press(key, shift);
            character(shift ? '\t' : c);
            release(key, shift);
        }
    }

    test::TestContext t;
    EditorKeys keys;

private:
    // What the control does by itself with a key press that reaches it.
    void controlKey(Key key) {
        const int p = t.editor.selection().start;
        if (key == Key::Up) t.editor.moveCaretUp();
        if (key == Key::Down) t.editor.moveCaretDown();
        if (key == Key::Delete) t.editor.pressDelete();
        if (key == Key::Left) t.editor.setSelection(p > 0 ? p - 1 : 0, p > 0 ? p - 1 : 0);
    }
};

// ---- Brackets, Enter, Tab and Shift+Tab: what the keys leave in the text

const MessageBoxRequest kCannotBeTabbed{.title = "Cannot be tabbed",
                                        .text = "Selection must be a complete block of text",
                                        .buttons = Buttons::Ok,
                                        .icon = Icon::Information,
                                        .modality = Modality::System,
                                        .ownedByMainWindow = false};

struct KeyCase {
    std::string name, before, keys, after;
    int tabSpaces = 3;
    bool refused = false;  // a Tab on a partial block: the message, the selection collapsed
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class Typing : public testing::TestWithParam<KeyCase> {};

TEST_P(Typing, LeavesTheTextAndSelection) {
    const KeyCase& c = GetParam();
    Editor e(c.before);
    e.t.app.settings.tabSpaces = c.tabSpaces;
    e.type(c.keys);
    EXPECT_EQ(e.marked(), c.after);
    ASSERT_EQ(e.t.desktop.boxes.size(), c.refused ? 1u : 0u);
    if (c.refused) {
        EXPECT_EQ(e.t.desktop.boxes[0], kCannotBeTabbed);
        return;
    }
    // The status bar shows where the caret ended.
    const std::string head = e.t.editor.text().substr(0, static_cast<std::size_t>(e.t.editor.selection().start));
    const std::size_t lineStart = head.rfind('\n') + 1;  // 0 on the first line
    EXPECT_EQ(e.t.view.statusLine, " " + std::to_string(1 + std::count(head.begin(), head.end(), '\n')));
    EXPECT_EQ(e.t.view.statusColumn, " " + std::to_string(head.size() - lineStart + 1));
}

INSTANTIATE_TEST_SUITE_P(
    Brackets, Typing,
    testing::Values(KeyCase{"ParenInEmptyText", "|", "(", "(|)"},
                    KeyCase{"BraceAtEndOfText", "abc|", "{", "abc{|}"},
                    KeyCase{"SquareInMiddleOfLine", "a|b", "[", "a[|]b"},
                    KeyCase{"AngleAtStartOfSecondLine", "ab\r\n|cd", "<", "ab\r\n<|>cd"},
                    KeyCase{"SelectionIsReplaced", "x[abc]y", "(", "x(|)y"},
                    KeyCase{"SelectionMadeUpwardsIsReplaced", "x]abc[y", "(", "x(|)y"},
                    KeyCase{"SelectionOverLinesIsReplaced", "a[b\r\nc]d", "{", "a{|}d"},
                    KeyCase{"CompletedEvenBeforeAClosingBracket", "|)", "(", "(|))"},
                    KeyCase{"ClosingBracketsAreTypedNotSkipped", "(|)", ")>]}x", "()>]}x|)"}),
    CaseName{});

INSTANTIATE_TEST_SUITE_P(
    Enter, Typing,
    testing::Values(KeyCase{"MiddleOfIndentedLine", "   a|bc", "\r", "   a\r\n   |bc"},
                    KeyCase{"EndOfLastLine", "  x|", "\r", "  x\r\n  |"},
                    KeyCase{"EndOfLineBeforeAnother", "  ab|\r\nnext", "\r", "  ab\r\n  |\r\nnext"},
                    KeyCase{"SelectionIsKept", "a[bc]d", "\r", "a\r\n|bcd"},
                    KeyCase{"TabIsNoIndentation", "\tab|c", "\r", "\tab\r\n|c"},
                    KeyCase{"LineOfSpacesCountsThemAll", "      |", "\r", "      \r\n      |"},
                    KeyCase{"InsideLineOfSpaces", "   |   ", "\r", "   \r\n      |   "},
                    KeyCase{"StartOfIndentedLine", "|  abc", "\r", "\r\n  |  abc"},
                    KeyCase{"SecondOfThreeLines", "a\r\n    b|c\r\nd", "\r", "a\r\n    b\r\n    |c\r\nd"},
                    KeyCase{"CtrlEnterGivesALineFeedButIsEnter", " a|b", "\n", " a\r\n |b"}),
    CaseName{});

INSTANTIATE_TEST_SUITE_P(
    Tab, Typing,
    testing::Values(
        KeyCase{"WholeLinesWithTheBreakAfter", "[aa\r\nbb\r\ncc\r\n]dd", "\t", "[   aa\r\n   bb\r\n   cc]\r\ndd"},
        KeyCase{"WholeLinesWithoutTheBreak", "x\r\n[aa\r\nbb]\r\ncc", "\t", "x\r\n[   aa\r\n   bb]\r\ncc"},
        KeyCase{"WholeLinesSelectedUpwards", "]aa\r\nbb\r\n[cc", "\t", "[  aa\r\n  bb]\r\ncc", 2},
        KeyCase{"OneWholeLine", "[abc]", "\t", "[    abc]", 4},
        KeyCase{"WholeTextEndingWithABreak", "[a\r\nb\r\n]", "\t", "[ a\r\n b]\r\n", 1},
        KeyCase{"EmptyLineWithItsBreak", "a\r\n[\r\n]b", "\t", "a\r\n[   ]\r\nb"},
        KeyCase{"SecondTabIndentsTheSameBlockAgain", "[aa\r\nbb\r\n]cc", "\t\t", "[      aa\r\n      bb]\r\ncc"},
        KeyCase{"NoSelectionInsertsTabSpaces", "ab|c", "\t", "ab   |c"},
        KeyCase{"ZeroTabSpacesMeansThree", "a|", "\t", "a   |", 0},
        KeyCase{"PartialFromTheMiddleOfALine", "a[a\r\nbb]\r\ncc", "\t", "a|a\r\nbb\r\ncc", 3, true},
        KeyCase{"PartialWithinOneLine", "a[bc]d", "\t", "a|bcd", 3, true},
        KeyCase{"PartialIntoTheNextLine", "[aa\r\nb]b\r\n", "\t", "|aa\r\nbb\r\n", 3, true}),
    CaseName{});

INSTANTIATE_TEST_SUITE_P(
    ShiftTab, Typing,
    testing::Values(KeyCase{"BlockOneZeroFive", "[ a\r\nb\r\n     c]", kShiftTab, "[a\r\nb\r\n  c]"},
                    KeyCase{"BlockKeepsTabs", "[\t a\r\n    b]", kShiftTab, "[\t a\r\n b]"},
                    KeyCase{"BlockOfSpaces", "[       ]", kShiftTab, "[    ]"},
                    KeyCase{"BlockWithoutSpacesIsSelected", "[ab\r\ncd\r\n]", kShiftTab, "[ab\r\ncd]\r\n"},
                    KeyCase{"PartialBlock", "  a[a\r\n  bb]", kShiftTab, "  a|a\r\n  bb", 3, true},
                    KeyCase{"AfterThreeSpaces", "ab   |", kShiftTab, "ab|"},
                    KeyCase{"AfterFiveSpacesRemovesThree", "ab     |x", kShiftTab, "ab  |x"},
                    KeyCase{"AfterSpaceAndLetter", "ab x|", kShiftTab, "ab x|"},
                    KeyCase{"AtColumnOne", "|abc", kShiftTab, "|abc"},
                    KeyCase{"AtColumnOneOfSecondLine", "a  \r\n|b", kShiftTab, "a  \r\n|b"},
                    KeyCase{"InsideLeadingSpaces", "x\r\n  |  y", kShiftTab, "x\r\n|  y"}),
    CaseName{});

TEST(Typing, BracketsAloneWhenCompletionIsOff) {
    Editor e("a[bc]d");
    e.t.app.settings.autoCompleteBrackets = 0;
    e.type("(<[{");
    EXPECT_EQ(e.marked(), "a(<[{|d");
}

// One undo takes back all a key did: the control's undo selects what it puts back.
INSTANTIATE_TEST_SUITE_P(Undo, Typing,
                         testing::Values(KeyCase{"BracketCompletion", "x|y", "(" + kUndo, "x[(]y"},
                                         KeyCase{"EnterWithItsIndentation", "   a|bc", "\r" + kUndo, "   a|bc"},
                                         KeyCase{"BlockIndent", "[aa\r\n bb\r\n]cc", "\t" + kUndo, "[aa\r\n bb]\r\ncc"}),
                         CaseName{});

TEST(Typing, AtTheTextLimitNothingIsLeftHalfDone) {
    const struct {
        const char* name;
        const char* before;
        int limit;
        const char *keys, *after;
        int beeps;
    } rows[] = {
        {"bracket without room: the character before stays", "abc|", 3, "(", "abc|", 0},
        {"bracket with room for one: no partner", "abc|", 4, "(", "abc(|", 0},
        {"Enter without room for the whole break", "  ab|", 5, "\r", "  ab|", 0},
        {"Enter with room for part of the indentation", "  ab|", 7, "\r", "  ab\r\n |", 0},
        {"block indent past the limit: the block stays whole", "[aa\r\nbb]", 10, "\t", "[aa\r\nbb]", 1},
    };
    for (const auto& r : rows) {
        Editor e(r.before);
        e.t.editor.setTextLimit(r.limit);
        e.type(r.keys);
        EXPECT_EQ(e.marked(), r.after) << r.name;
        EXPECT_EQ(e.t.desktop.beeps, r.beeps) << r.name;
    }
}

// ---- Enter press and release

TEST(EnterKey, AutoRepeatedPressesEachIndentFromTheCurrentCaret) {
    Editor e("  a|b\r\nc");
    e.t.app.bookmarks = {2};
    for (int i = 0; i < 3; ++i) {
        e.press(Key::Enter);
        e.character('\r');
    }
    EXPECT_TRUE(e.release(Key::Enter));
    EXPECT_EQ(e.marked(), "  a\r\n  \r\n  \r\n  |b\r\nc");
    EXPECT_EQ(e.t.app.bookmarks, std::vector<int>{5});
    EXPECT_EQ(e.t.view.statusLine, " 4");
    EXPECT_EQ(e.t.view.statusColumn, " 3");
}

TEST(EnterKey, OnlyTheReleaseOfAnEnterPressInTheEditorIsActedOn) {
    Editor e(" a|b");
    EXPECT_FALSE(e.release(Key::Enter));  // the Enter that confirmed a dialog
    EXPECT_EQ(e.marked(), " a|b");
    EXPECT_EQ(e.t.view.statusUpdates, 0);
    e.press(Key::Enter);
    e.character('\r');
    e.press(Key::Other);  // any other key ends the Enter
    EXPECT_FALSE(e.release(Key::Enter));
    EXPECT_EQ(e.marked(), " a\r\n |b");
    e.type("\r");
    EXPECT_FALSE(e.release(Key::Enter));  // acted on once only
    // Ctrl+M types a carriage return without an Enter press: the control's own, unindented break.
    e.press(Key::Other);
    e.character('\r');
    EXPECT_EQ(e.marked(), " a\r\n \r\n \r\n|b");
}

// ---- Tab press and release

TEST(TabKey, OnlyTheReleaseActsAndARefusedOneIsNotPassedOn) {
    Editor e("a[bc\r\nd]e");
    for (bool shift : {false, true}) {
        EXPECT_FALSE(e.press(Key::Tab, shift));
        EXPECT_FALSE(e.character('\t'));
        EXPECT_EQ(e.marked(), "a[bc\r\nd]e");
    }
    EXPECT_FALSE(e.release(Key::Tab, true));
    EXPECT_EQ(e.t.view.statusUpdates, 0);
}

// ---- Up and Down with the goal column: back to the starting column where a line is long enough

const std::string k12 = "0123456789ab";
const std::string kGoal10 = "012345678|9ab\r\nabc\r\n" + k12;  // the caret in column 10 above a short line

INSTANTIATE_TEST_SUITE_P(
    GoalColumn, Typing,
    testing::Values(
        KeyCase{"DownThroughAShortLineIntoALongOne", kGoal10, kDown + kDown, k12 + "\r\nabc\r\n012345678|9ab"},
        KeyCase{"DownAndBackUp", kGoal10, kDown + kDown + kUp + kUp, kGoal10},
        KeyCase{"IntoALineOfNineWhereTheControlPutsIt", "012345678|9ab\r\nabc\r\n123456789", kDown + kDown,
                k12 + "\r\nabc\r\n123|456789"},
        KeyCase{"IntoALineOfExactlyTheGoalLength", "012345678|9ab\r\nabc\r\n0123456789", kDown + kDown,
                k12 + "\r\nabc\r\n012345678|9"},
        KeyCase{"ThroughSeveralShortLines", "0123456789a|b\r\na\r\n\r\nabcd\r\n" + k12, kDown + kDown + kDown + kDown,
                k12 + "\r\na\r\n\r\nabcd\r\n0123456789a|b"},
        KeyCase{"LeftClearsTheGoal", kGoal10, kDown + kLeft + kDown, k12 + "\r\nabc\r\n01|23456789ab"},
        KeyCase{"HomeClearsTheGoal", kGoal10, kDown + kHome + kDown, k12 + "\r\nabc\r\n012|3456789ab"},
        KeyCase{"DeleteKeepsTheGoal", "012345678|9ab\r\nabc\r\n\r\n" + k12, kDown + kDelete + kDown,
                k12 + "\r\nabc\r\n012345678|9ab"}),
    CaseName{});

TEST(GoalColumn, AutoRepeatedDownPressesReachTheGoalAtTheRelease) {
    Editor e(kGoal10);
    e.press(Key::Down);
    e.press(Key::Down);
    e.release(Key::Down);
    EXPECT_EQ(e.marked(), k12 + "\r\nabc\r\n012345678|9ab");
    EXPECT_EQ(e.t.view.statusColumn, " 10");
}

TEST(GoalColumn, IsClearedByTabAndTheMouseButtonsButNotByTypingOrEnter) {
    const struct {
        const char* name;
        void (*run)(Editor&);
        bool clears;
    } events[] = {
        {"tab", [](Editor& e) { e.type("\t"); }, true},
        {"left button", [](Editor& e) { e.keys.leftButtonReleased(e.t.ctx); }, true},
        {"right button", [](Editor& e) { e.keys.rightButtonPressed(e.t.ctx, {0, 0}); }, true},
        {"typing", [](Editor& e) { e.type("x"); }, false},
        {"enter", [](Editor& e) { e.type("\r"); }, false},
        {"shift down", [](Editor& e) { e.tap(Key::Down, true); }, false},
    };
    for (const auto& event : events) {
        Editor e(kGoal10);
        e.tap(Key::Down);
        ASSERT_EQ(e.t.app.caret.goalColumn, 10);
        event.run(e);
        EXPECT_EQ(e.t.app.caret.goalColumn == 0, event.clears) << event.name;
    }
}

// ---- The status bar follows key releases and clicks

// The typing table checks the status bar after every key; the other keys share a handler with
// Left and Home, and shifted moves are the control's own.
TEST(KeyRelease, ShiftedMovesAndTheLeftButtonUpdateTheStatusBar) {
    for (Key key : {Key::Up, Key::Right, Key::End, Key::PageDown}) {
        Editor e("ab\r\nc|d");
        EXPECT_TRUE(e.release(key, true));
        EXPECT_EQ(e.t.view.statusColumn, " 2");
    }
    Editor e("ab\r\ncd\r\ne|f");
    e.keys.leftButtonReleased(e.t.ctx);
    EXPECT_EQ(e.t.view.statusLine, " 3");
    EXPECT_EQ(e.t.view.statusColumn, " 2");
}

// ---- Bookmarks follow the keys that change the line count

TEST(KeysMoveBookmarks, EditsThatChangeTheLineCount) {
    const struct {
        const char* name;
        const char* before;
        std::vector<int> bookmarks;
        std::string keys;
        std::vector<int> after;
    } rows[] = {
        {"Enter at the end of line 4", "1\r\n2\r\n3\r\n4|\r\n5\r\n6", {4, 6}, "\r", {4, 7}},
        {"Enter in the middle of a marked line", "1\r\n2|2\r\n3", {2, 3}, "\r", {2, 4}},
        {"Delete at the end of line 4", "1\r\n2\r\n3\r\n4|\r\n5\r\n6\r\n7\r\n8", {4, 5, 8}, kDelete, {4, 7}},
        {"Delete at the end of marked line 4 with line 5 unmarked", "1\r\n2\r\n3\r\n4|\r\n5\r\n6\r\n7\r\n8", {4, 8}, kDelete, {4, 7}},
        {"Delete on an empty marked line takes its mark away", "1\r\n|\r\n3\r\n4", {2, 4}, kDelete, {3}},
        {"Backspace at the start of line 2", "1\r\n|2\r\n3", {1, 3}, "\b", {1, 2}},
        {"Enter at the end of marked line 4, undone", "1\r\n2\r\n3\r\n4|\r\n5\r\n6", {4, 6}, "\r" + kUndo, {4, 6}},
        {"Backspace at the start of line 2, undone", "1\r\n|2\r\n3", {1, 3}, "\b" + kUndo, {1, 3}},
        {"bracket typed over three lines", "1\r\n[2\r\n3\r\n4]\r\n5", {1, 3, 5}, "(", {1, 3}},
    };
    for (const auto& r : rows) {
        Editor e(r.before);
        e.t.app.bookmarks = r.bookmarks;
        e.type(r.keys);
        EXPECT_EQ(e.t.app.bookmarks, r.after) << r.name;
    }
}

// ---- Right-button press

TEST(RightButton, PutsTheCaretUnderThePointer) {
    const struct {
        const char* name;
        int firstVisible, lineHeight, charWidth;
        Point point;
        int line, column;
    } rows[] = {
        {"second line, fourth column", 0, 16, 8, {3 * 8 + 1, 16 + 5}, 2, 4},
        {"the lowest pixel of a line counts to it, scrolled down", 5, 16, 8, {2 * 8, 3 * 16}, 8, 3},
        {"right of the line end", 0, 16, 8, {60 * 8, 20}, 2, 14},
        {"below the last line", 20, 16, 8, {8, 30 * 16}, 31, 2},
        {"font not measured: the recorded line", 3, 0, 0, {100, 100}, 1, 1},
        {"no character width: the line start", 0, 16, 0, {100, 20}, 2, 1},
    };
    std::string text;
    for (int i = 1; i <= 30; ++i) text += "line " + std::to_string(i) + (i < 10 ? " ......" : "") + "\r\n";
    for (const auto& r : rows) {
        Editor e("line 1 .|" + text.substr(8) + "last");  // line 1, column 9
        e.t.app.caret = {.caretLine = 1, .goalColumn = 7};
        e.t.editor.setFirstVisibleLine(r.firstVisible);
        e.t.app.font = {.charWidth = r.charWidth, .lineHeight = r.lineHeight};
        e.keys.rightButtonPressed(e.t.ctx, r.point);
        const int expected = e.t.editor.lineIndex(r.line - 1) + r.column - 1;
        EXPECT_EQ(e.t.editor.selection(), (Selection{expected, expected})) << r.name;
        EXPECT_EQ(e.t.app.caret.caretLine, r.line) << r.name;
        EXPECT_EQ(e.t.app.caret.goalColumn, 0) << r.name;
    }
}

}  // namespace
}  // namespace tess
