// The editor's key behaviours on the in-memory control. Each key is driven the way the control
// receives it (press, the character its translation gives, release), and the control's own part
// is the in-memory model's typeChar / pressDelete / moveCaretDown.
#include "MarkedText.h"
#include "TestContext.h"
#include "editor/KeyHandling.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace tess {
namespace {

using test::CaseName;
using test::parseMarked;
using test::TestContext;

class Editor {
public:
    explicit Editor(std::string_view marked = "|") { set(marked); }

    void set(std::string_view marked) {
        const test::MarkedText m = parseMarked(marked);
        t.editor.setText(m.text);
        t.editor.setSelection(m.anchor, m.caret);
    }
    // The text with the selection marked as above.
    std::string marked() const {
        const Selection s = t.editor.selection();
        return test::markSelection(t.editor.text(), s.start, s.end);
    }

    bool press(Key key, bool shift = false) {
        return keys.keyPressed(t.ctx, key, shift, [&] { controlKey(key, shift); });
    }
    bool release(Key key, bool shift = false) {
        return keys.keyReleased(t.ctx, key, shift, [] {});
    }
    bool character(char c) {
        return keys.charTyped(t.ctx, c, [&] {
            if (c == '\b') t.editor.pressBackspace();
            else t.editor.typeChar(c);
        });
    }
    void type(std::string_view text) {
        for (char c : text) {
            press(Key::Other);
            character(c);
            release(Key::Other);
        }
    }
    void enter() {
        press(Key::Enter);
        character('\r');
        release(Key::Enter);
    }
    void tab(bool shift = false) {
        press(Key::Tab, shift);
        character('\t');
        release(Key::Tab, shift);
    }
    void tap(Key key, bool shift = false) {
        press(key, shift);
        release(key, shift);
    }

    TestContext t;
    EditorKeys keys;

private:
    // What the control does by itself with a key press that reaches it.
    void controlKey(Key key, bool) {
        switch (key) {
        case Key::Up: t.editor.moveCaretUp(); break;
        case Key::Down: t.editor.moveCaretDown(); break;
        case Key::Delete: t.editor.pressDelete(); break;
        case Key::Left: {
            const int p = t.editor.selection().start;
            t.editor.setSelection(p > 0 ? p - 1 : 0, p > 0 ? p - 1 : 0);
            break;
        }
        case Key::Right: {
            const int p = t.editor.selection().end;
            t.editor.setSelection(p + 1, p + 1);
            break;
        }
        default: break;
        }
    }
};

// ---- Bracket completion

struct BracketCase {
    const char* name;
    const char* before;
    char typed;
    const char* after;
};

class BracketCompletion : public testing::TestWithParam<BracketCase> {};

TEST_P(BracketCompletion, TypedOpeningBracketGetsItsPartnerAndTheCaretBetween) {
    const BracketCase& c = GetParam();
    Editor e(c.before);
    e.type(std::string(1, c.typed));
    EXPECT_EQ(e.marked(), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BracketCompletion,
    testing::Values(BracketCase{"ParenInEmptyText", "|", '(', "(|)"},
                    BracketCase{"BraceAtEndOfText", "abc|", '{', "abc{|}"},
                    BracketCase{"SquareInMiddleOfLine", "a|b", '[', "a[|]b"},
                    BracketCase{"AngleAtStartOfText", "|ab", '<', "<|>ab"},
                    BracketCase{"SelectionIsReplaced", "x[abc]y", '(', "x(|)y"},
                    BracketCase{"SelectionMadeUpwardsIsReplaced", "x]abc[y", '(', "x(|)y"},
                    BracketCase{"SelectionOverLinesIsReplaced", "a[b\r\nc]d", '{', "a{|}d"},
                    BracketCase{"CompletedEvenBeforeAClosingBracket", "|)", '(', "(|))"},
                    BracketCase{"SecondLine", "ab\r\ncd|", '<', "ab\r\ncd<|>"},
                    BracketCase{"ClosingBracketIsNotSkippedOver", "(|)", ')', "()|)"},
                    BracketCase{"ClosingAngleIsPlain", "a|", '>', "a>|"},
                    BracketCase{"OtherCharacterIsPlain", "a|", 'x', "ax|"}),
    CaseName{});

TEST(BracketCompletion, FollowsTheAutoCompleteSetting) {
    for (const char* bracket : {"(", "<", "[", "{"}) {
        Editor e("a[bc]d");
        e.t.app.settings.autoCompleteBrackets = 0;
        e.type(bracket);
        EXPECT_EQ(e.marked(), std::string("a") + bracket + "|d") << bracket;
    }
}

TEST(BracketCompletion, UndoTakesBackTheCompletion) {
    Editor e("x|y");
    e.type("(");
    e.t.editor.undo();
    EXPECT_EQ(e.t.editor.text(), "x(y");
}

TEST(BracketCompletion, AtTheTextLimitNothingElseIsReplaced) {
    // The control cannot insert the bracket; the character before the caret must stay.
    Editor e("abc|");
    e.t.editor.setTextLimit(3);
    e.type("(");
    EXPECT_EQ(e.marked(), "abc|");
    // One place left: the bracket goes in, its partner does not fit.
    e.t.editor.setTextLimit(4);
    e.type("(");
    EXPECT_EQ(e.marked(), "abc(|");
}

// ---- Enter

struct EnterCase {
    const char* name;
    const char* before;
    const char* after;
};

class EnterIndent : public testing::TestWithParam<EnterCase> {};

TEST_P(EnterIndent, SplitsAtTheSelectionStartAndIndentsLikeTheSplitLine) {
    const EnterCase& c = GetParam();
    Editor e(c.before);
    e.enter();
    EXPECT_EQ(e.marked(), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EnterIndent,
    testing::Values(EnterCase{"MiddleOfIndentedLine", "   a|bc", "   a\r\n   |bc"},
                    EnterCase{"EndOfLastLine", "  x|", "  x\r\n  |"},
                    EnterCase{"EndOfLineBeforeAnother", "  ab|\r\nnext", "  ab\r\n  |\r\nnext"},
                    EnterCase{"MiddleOfLineBeforeAnother", "  a|b\r\nnext", "  a\r\n  |b\r\nnext"},
                    EnterCase{"SelectionIsKept", "a[bc]d", "a\r\n|bcd"},
                    EnterCase{"SelectionMadeUpwardsIsKept", "a]bc[d", "a\r\n|bcd"},
                    EnterCase{"TabIsNoIndentation", "\tab|c", "\tab\r\n|c"},
                    EnterCase{"LineOfSpacesCountsThemAll", "      |", "      \r\n      |"},
                    EnterCase{"InsideLineOfSpaces", "   |   ", "   \r\n      |   "},
                    EnterCase{"StartOfIndentedLine", "|  abc", "\r\n  |  abc"},
                    EnterCase{"UnindentedLine", "ab|cd", "ab\r\n|cd"},
                    EnterCase{"EmptyText", "|", "\r\n|"},
                    EnterCase{"SecondOfThreeLines", "a\r\n    b|c\r\nd", "a\r\n    b\r\n    |c\r\nd"}),
    CaseName{});

TEST(EnterIndent, OneUndoTakesBackBreakAndIndentation) {
    Editor e("   a|bc");
    e.enter();
    e.t.editor.undo();
    EXPECT_EQ(e.t.editor.text(), "   abc");
}

TEST(EnterIndent, AutoRepeatedPressesEachIndentFromTheCurrentCaret) {
    Editor e("  a|b");
    e.press(Key::Enter);
    e.character('\r');
    e.press(Key::Enter);
    e.character('\r');
    e.press(Key::Enter);
    e.character('\r');
    EXPECT_TRUE(e.release(Key::Enter));
    EXPECT_EQ(e.marked(), "  a\r\n  \r\n  \r\n  |b");
    EXPECT_EQ(e.t.view.statusLine, " 4");
    EXPECT_EQ(e.t.view.statusColumn, " 3");
}

TEST(EnterIndent, LoneReleaseIsIgnoredAndSwallowed) {
    Editor e("ab|c");
    const int updates = e.t.view.statusUpdates;
    EXPECT_FALSE(e.release(Key::Enter));
    EXPECT_EQ(e.marked(), "ab|c");
    EXPECT_EQ(e.t.view.statusUpdates, updates);
    // The next real Enter works as usual, and its release is acted on once only.
    e.enter();
    EXPECT_EQ(e.marked(), "ab\r\n|c");
    EXPECT_FALSE(e.release(Key::Enter));
}

TEST(EnterIndent, ReleaseAfterAnotherKeyPressIsLone) {
    Editor e("ab|c");
    e.press(Key::Enter);
    e.character('\r');
    e.press(Key::Other);
    EXPECT_FALSE(e.release(Key::Enter));
    EXPECT_EQ(e.marked(), "ab\r\n|c");
}

TEST(EnterIndent, ReleaseUpdatesTheStatusBar) {
    Editor e("  ab|c");
    e.enter();
    EXPECT_EQ(e.t.view.statusLine, " 2");
    EXPECT_EQ(e.t.view.statusColumn, " 3");
    EXPECT_EQ(e.t.app.caret.caretLine, 2);
}

TEST(EnterIndent, CtrlEnterLineFeedIsSwallowedToo) {
    Editor e(" a|b");
    e.press(Key::Enter);
    e.character('\n');
    e.release(Key::Enter);
    EXPECT_EQ(e.marked(), " a\r\n |b");
}

TEST(EnterIndent, CarriageReturnWithoutEnterPressGoesToTheControl) {
    // Ctrl+M gives a carriage return of its own: the control breaks the line, unindented.
    Editor e(" a|b");
    e.press(Key::Other);
    e.character('\r');
    e.release(Key::Other);
    EXPECT_EQ(e.marked(), " a\r\n|b");
}

TEST(EnterIndent, NeverLeavesHalfALineBreakAtTheLimit) {
    Editor e("  ab|");
    e.t.editor.setTextLimit(5);
    e.enter();
    EXPECT_EQ(e.marked(), "  ab|");
    e.t.editor.setTextLimit(7);
    e.enter();
    EXPECT_EQ(e.marked(), "  ab\r\n |");
}

// ---- Up and Down with the goal column

struct GoalCase {
    const char* name;
    std::vector<std::string> lines;
    int startLine, startColumn;
    std::vector<Key> moves;  // each a press and a release
    int line, column;        // where the caret ends
};

class GoalColumn : public testing::TestWithParam<GoalCase> {};

TEST_P(GoalColumn, ReturnsToTheStartingColumnWhereTheLineIsLongEnough) {
    const GoalCase& c = GetParam();
    std::string text;
    for (std::size_t i = 0; i < c.lines.size(); ++i) text += (i ? "\r\n" : "") + c.lines[i];
    Editor e;
    e.t.editor.setText(text);
    const int start = e.t.editor.lineIndex(c.startLine - 1) + c.startColumn - 1;
    e.t.editor.setSelection(start, start);
    for (Key key : c.moves) e.tap(key);
    EXPECT_EQ(e.t.app.caret.caretLine, c.line);
    EXPECT_EQ(e.t.app.caret.caretColumn, c.column);
    const int expected = e.t.editor.lineIndex(c.line - 1) + c.column - 1;
    EXPECT_EQ(e.t.editor.selection(), (Selection{expected, expected}));
}

const std::string k20 = "0123456789abcdefghij";

INSTANTIATE_TEST_SUITE_P(
    Table, GoalColumn,
    testing::Values(
        GoalCase{"DownThroughShortLineIntoLongOne", {k20, "abc", k20}, 1, 10, {Key::Down, Key::Down}, 3, 10},
        GoalCase{"UpThroughShortLineIntoLongOne", {k20, "abc", k20}, 3, 10, {Key::Up, Key::Up}, 1, 10},
        GoalCase{"IntoLineOfNineWhereControlPutsIt", {k20, "abc", "123456789"}, 1, 10, {Key::Down, Key::Down}, 3, 4},
        GoalCase{"IntoLineOfExactlyTheGoalLength", {k20, "abc", "0123456789"}, 1, 10, {Key::Down, Key::Down}, 3, 10},
        GoalCase{"ThroughSeveralShortLines", {k20, "a", "", "abcd", k20}, 1, 12,
                 {Key::Down, Key::Down, Key::Down, Key::Down}, 5, 12},
        GoalCase{"AndBackUp", {k20, "abc", k20}, 1, 10, {Key::Down, Key::Down, Key::Up, Key::Up}, 1, 10},
        GoalCase{"ShortLineKeepsControlColumn", {k20, "abc"}, 1, 10, {Key::Down}, 2, 4},
        GoalCase{"LeftReleaseClearsTheGoal", {k20, "abc", k20}, 1, 10, {Key::Down, Key::Left, Key::Down}, 3, 3},
        GoalCase{"HomeReleaseClearsTheGoal", {k20, "abc", k20}, 1, 10, {Key::Down, Key::Home, Key::Down}, 3, 4},
        GoalCase{"DeleteKeepsTheGoal", {k20, "abc", "", k20}, 1, 10, {Key::Down, Key::Delete, Key::Down}, 3, 10}),
    CaseName{});

TEST(GoalColumn, AutoRepeatedDownPressesReachTheGoalAtTheRelease) {
    Editor e;
    e.t.editor.setText(k20 + "\r\nabc\r\n" + k20);
    e.t.editor.setSelection(9, 9);
    e.press(Key::Down);
    e.press(Key::Down);
    e.release(Key::Down);
    EXPECT_EQ(e.t.app.caret.caretLine, 3);
    EXPECT_EQ(e.t.app.caret.caretColumn, 10);
    EXPECT_EQ(e.t.view.statusColumn, " 10");
}

TEST(GoalColumn, IsClearedByTabLeftButtonAndRightButtonButNotByTypingOrEnter) {
    struct Event {
        const char* name;
        void (*run)(Editor&);
        bool clears;
    };
    const Event events[] = {
        {"tab", [](Editor& e) { e.tab(); }, true},
        {"left button", [](Editor& e) { e.keys.leftButtonReleased(e.t.ctx); }, true},
        {"right button", [](Editor& e) { e.keys.rightButtonPressed(e.t.ctx, {0, 0}); }, true},
        {"page down", [](Editor& e) { e.tap(Key::PageDown); }, true},
        {"end", [](Editor& e) { e.tap(Key::End); }, true},
        {"typing", [](Editor& e) { e.type("x"); }, false},
        {"enter", [](Editor& e) { e.enter(); }, false},
        {"shift down", [](Editor& e) { e.tap(Key::Down, true); }, false},
    };
    for (const Event& event : events) {
        Editor e;
        e.t.editor.setText(k20 + "\r\nabc\r\n" + k20);
        e.t.editor.setSelection(9, 9);
        e.tap(Key::Down);
        ASSERT_EQ(e.t.app.caret.goalColumn, 10);
        event.run(e);
        EXPECT_EQ(e.t.app.caret.goalColumn == 0, event.clears) << event.name;
    }
}

TEST(GoalColumn, ShiftMovesOnlyUpdateTheStatusBar) {
    Editor e;
    e.t.editor.setText(k20 + "\r\nabc\r\n" + k20);
    e.t.editor.setSelection(9, 9);
    e.press(Key::Down, true);
    EXPECT_EQ(e.t.app.caret.goalColumn, 0);
    e.release(Key::Down, true);
    EXPECT_EQ(e.t.view.statusUpdates, 1);
}

// ---- Tab and Shift+Tab

struct TabCase {
    const char* name;
    const char* before;
    bool shift;
    int tabSpaces;
    const char* after;
};

class TabKey : public testing::TestWithParam<TabCase> {};

TEST_P(TabKey, IndentsOrUnindents) {
    const TabCase& c = GetParam();
    Editor e(c.before);
    e.t.app.settings.tabSpaces = c.tabSpaces;
    e.tab(c.shift);
    EXPECT_EQ(e.marked(), c.after);
    EXPECT_TRUE(e.t.desktop.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, TabKey,
    testing::Values(
        TabCase{"WholeLinesWithTheBreakAfter", "[aa\r\nbb\r\ncc\r\n]dd", false, 3, "[   aa\r\n   bb\r\n   cc]\r\ndd"},
        TabCase{"WholeLinesWithoutTheBreak", "x\r\n[aa\r\nbb]\r\ncc", false, 3, "x\r\n[   aa\r\n   bb]\r\ncc"},
        TabCase{"WholeLinesSelectedUpwards", "]aa\r\nbb\r\n[cc", false, 2, "[  aa\r\n  bb]\r\ncc"},
        TabCase{"OneWholeLine", "[abc]", false, 4, "[    abc]"},
        TabCase{"WholeTextEndingWithABreak", "[a\r\nb\r\n]", false, 1, "[ a\r\n b]\r\n"},
        TabCase{"EmptyLineWithItsBreak", "a\r\n[\r\n]b", false, 3, "a\r\n[   ]\r\nb"},
        TabCase{"UnindentOneZeroFive", "[ a\r\nb\r\n     c]", true, 3, "[a\r\nb\r\n  c]"},
        TabCase{"UnindentKeepsTabs", "[\t a\r\n    b]", true, 3, "[\t a\r\n b]"},
        TabCase{"UnindentLineOfSpaces", "[       ]", true, 3, "[    ]"},
        TabCase{"UnindentWithoutSpacesSelectsTheBlock", "[ab\r\ncd\r\n]", true, 3, "[ab\r\ncd]\r\n"},
        TabCase{"NoSelectionInsertsTabSpaces", "ab|c", false, 3, "ab   |c"},
        TabCase{"NoSelectionFourSpaces", "|", false, 4, "    |"},
        TabCase{"ZeroTabSpacesMeansThree", "a|", false, 0, "a   |"},
        TabCase{"ShiftAfterThreeSpaces", "ab   |", true, 3, "ab|"},
        TabCase{"ShiftAfterFiveSpacesRemovesThree", "ab     |x", true, 3, "ab  |x"},
        TabCase{"ShiftAfterSpaceAndLetter", "ab x|", true, 3, "ab x|"},
        TabCase{"ShiftAtColumnOne", "|abc", true, 3, "|abc"},
        TabCase{"ShiftAtColumnOneOfSecondLine", "a  \r\n|b", true, 3, "a  \r\n|b"},
        TabCase{"ShiftInsideLeadingSpaces", "x\r\n  |  y", true, 3, "x\r\n|  y"}),
    CaseName{});

TEST(TabKey, SecondTabIndentsTheSameBlockAgain) {
    Editor e("[aa\r\nbb\r\n]cc");
    e.tab();
    e.tab();
    EXPECT_EQ(e.marked(), "[      aa\r\n      bb]\r\ncc");
}

struct PartialCase {
    const char* name;
    const char* before;
    bool shift;
    const char* after;
};

class TabPartialBlock : public testing::TestWithParam<PartialCase> {};

TEST_P(TabPartialBlock, IsRefusedWithTheMessageAndTheSelectionCollapsed) {
    const PartialCase& c = GetParam();
    Editor e(c.before);
    e.press(Key::Tab, c.shift);
    e.character('\t');
    const int updates = e.t.view.statusUpdates;
    EXPECT_FALSE(e.release(Key::Tab, c.shift));
    EXPECT_EQ(e.marked(), c.after);
    ASSERT_EQ(e.t.desktop.boxes.size(), 1u);
    EXPECT_EQ(e.t.desktop.boxes[0], (MessageBoxRequest{.title = "Cannot be tabbed",
                                                       .text = "Selection must be a complete block of text",
                                                       .buttons = Buttons::Ok,
                                                       .icon = Icon::Information,
                                                       .modality = Modality::System,
                                                       .ownedByMainWindow = false}));
    EXPECT_EQ(e.t.view.statusUpdates, updates);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TabPartialBlock,
    testing::Values(PartialCase{"FromTheMiddleOfALine", "a[a\r\nbb]\r\ncc", false, "a|a\r\nbb\r\ncc"},
                    PartialCase{"ToTheMiddleOfALine", "[aa\r\nb]b", false, "|aa\r\nbb"},
                    PartialCase{"WithinOneLine", "a[bc]d", false, "a|bcd"},
                    PartialCase{"ShiftFromTheMiddle", "  a[a\r\n  bb]", true, "  a|a\r\n  bb"},
                    PartialCase{"IntoTheNextLine", "[aa\r\nb]b\r\n", false, "|aa\r\nbb\r\n"}),
    CaseName{});

TEST(TabKey, PressChangesNeitherTextNorSelection) {
    Editor e("a[bc\r\nd]e");
    EXPECT_FALSE(e.press(Key::Tab));
    EXPECT_FALSE(e.character('\t'));
    EXPECT_EQ(e.marked(), "a[bc\r\nd]e");
    EXPECT_FALSE(e.press(Key::Tab, true));
    EXPECT_FALSE(e.character('\t'));
    EXPECT_EQ(e.marked(), "a[bc\r\nd]e");
}

TEST(TabKey, OneUndoTakesBackABlockIndent) {
    Editor e("[aa\r\n bb\r\n]cc");
    e.tab();
    e.t.editor.undo();
    EXPECT_EQ(e.t.editor.text(), "aa\r\n bb\r\ncc");
}

TEST(TabKey, BlockThatWouldPassTheLimitIsLeftWhole) {
    Editor e("[aa\r\nbb]");
    e.t.editor.setTextLimit(10);
    e.tab();
    EXPECT_EQ(e.t.editor.text(), "aa\r\nbb");
    EXPECT_EQ(e.t.desktop.beeps, 1);
}

TEST(TabKey, ReleaseUpdatesTheStatusBar) {
    Editor e("ab|");
    e.tab();
    EXPECT_EQ(e.t.view.statusColumn, " 6");
}

// ---- Status bar on key releases

TEST(KeyRelease, EveryListedKeyReleaseUpdatesTheStatusBar) {
    for (Key key : {Key::Up, Key::Down, Key::Left, Key::Right, Key::Home, Key::End, Key::PageUp, Key::PageDown,
                    Key::Delete, Key::Other}) {
        for (bool shift : {false, true}) {
            Editor e("ab\r\nc|d");
            EXPECT_TRUE(e.release(key, shift));
            EXPECT_EQ(e.t.view.statusUpdates, 1);
            EXPECT_EQ(e.t.view.statusLine, " 2");
            EXPECT_EQ(e.t.view.statusColumn, " 2");
        }
    }
}

TEST(KeyRelease, LeftButtonReleaseRecordsTheCaret) {
    Editor e("ab\r\ncd\r\ne|f");
    e.keys.leftButtonReleased(e.t.ctx);
    EXPECT_EQ(e.t.app.caret.caretLine, 3);
    EXPECT_EQ(e.t.view.statusColumn, " 2");
}

// ---- Keys that change the line count through the control

TEST(LineCount, DeleteAndBackspaceAcrossABreakRecordTheCountBefore) {
    Editor e("ab|\r\ncd\r\nef");
    e.tap(Key::Delete);
    EXPECT_EQ(e.t.editor.text(), "abcd\r\nef");
    EXPECT_EQ(e.t.app.caret.lineCountBefore, 3);
    e.set("ab\r\n|cd");
    e.press(Key::Other);
    e.character('\b');
    e.release(Key::Other);
    EXPECT_EQ(e.t.editor.text(), "abcd");
    EXPECT_EQ(e.t.app.caret.lineCountBefore, 2);
    EXPECT_EQ(e.t.app.caret.caretLine, 1);
}

struct BookmarkCase {
    const char* name;
    const char* before;
    std::vector<int> bookmarks;
    void (*edit)(Editor&);
    std::vector<int> after;
};

class BookmarksFollow : public testing::TestWithParam<BookmarkCase> {};

TEST_P(BookmarksFollow, EditsThatChangeTheLineCount) {
    const BookmarkCase& c = GetParam();
    Editor e(c.before);
    e.t.app.bookmarks = c.bookmarks;
    c.edit(e);
    EXPECT_EQ(e.t.app.bookmarks, c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BookmarksFollow,
    testing::Values(
        BookmarkCase{"EnterAtEndOfLineFour", "1\r\n2\r\n3\r\n4|\r\n5\r\n6", {4, 6}, [](Editor& e) { e.enter(); }, {4, 7}},
        BookmarkCase{"EnterInTheMiddleOfAMarkedLine", "1\r\n2|2\r\n3", {2, 3}, [](Editor& e) { e.enter(); }, {2, 4}},
        BookmarkCase{"AutoRepeatedEnter", "1\r\n2|\r\n3", {3},
                     [](Editor& e) {
                         for (int i = 0; i < 3; ++i) {
                             e.press(Key::Enter);
                             e.character('\r');
                         }
                         e.release(Key::Enter);
                     },
                     {6}},
        BookmarkCase{"DeleteAtEndOfLineFour", "1\r\n2\r\n3\r\n4|\r\n5\r\n6\r\n7\r\n8", {4, 5, 8},
                     [](Editor& e) { e.tap(Key::Delete); }, {4, 7}},
        BookmarkCase{"AutoRepeatedDelete", "1|\r\n2\r\n3\r\n4", {4},
                     [](Editor& e) {
                         e.press(Key::Delete);
                         e.press(Key::Delete);
                         e.press(Key::Delete);
                         e.release(Key::Delete);
                     },
                     {2}},
        BookmarkCase{"BracketOverThreeLines", "1\r\n[2\r\n3\r\n4]\r\n5", {1, 3, 5}, [](Editor& e) { e.type("("); }, {1, 3}},
        BookmarkCase{"TypingWithinALine", "1\r\n2|\r\n3", {3}, [](Editor& e) { e.type("ab"); }, {3}}),
    CaseName{});

// ---- Right-button press

struct PointCase {
    const char* name;
    int firstVisible;
    int lineHeight, charWidth;
    Point point;
    int line, column;
};

class RightButton : public testing::TestWithParam<PointCase> {};

TEST_P(RightButton, PutsTheCaretUnderThePointer) {
    const PointCase& c = GetParam();
    Editor e;
    std::string text;
    for (int i = 1; i <= 30; ++i) text += "line " + std::to_string(i) + (i < 10 ? " ......" : "") + "\r\n";
    text += "last";
    e.t.editor.setText(text);
    e.t.editor.setSelection(8, 8);  // line 1, column 9
    e.t.app.caret.caretLine = 1;
    e.t.editor.setFirstVisibleLine(c.firstVisible);
    e.t.app.font.lineHeight = c.lineHeight;
    e.t.app.font.charWidth = c.charWidth;
    e.t.app.caret.goalColumn = 7;
    e.keys.rightButtonPressed(e.t.ctx, c.point);
    const int expected = e.t.editor.lineIndex(c.line - 1) + c.column - 1;
    EXPECT_EQ(e.t.editor.selection(), (Selection{expected, expected}));
    EXPECT_EQ(e.t.app.caret.caretLine, c.line);
    EXPECT_EQ(e.t.app.caret.goalColumn, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RightButton,
    testing::Values(PointCase{"FirstLineFirstColumn", 0, 16, 8, {0, 0}, 1, 1},
                    PointCase{"SecondLineFourthColumn", 0, 16, 8, {3 * 8 + 1, 16 + 5}, 2, 4},
                    PointCase{"LowestPixelOfALineCountsToIt", 0, 16, 8, {0, 16}, 1, 1},
                    PointCase{"ScrolledDown", 5, 16, 8, {2 * 8, 2 * 16 + 3}, 8, 3},
                    PointCase{"RightOfTheLineEnd", 0, 16, 8, {60 * 8, 20}, 2, 14},
                    PointCase{"BelowTheLastLine", 20, 16, 8, {8, 30 * 16}, 31, 2},
                    PointCase{"FontNotMeasuredKeepsTheRecordedLine", 3, 0, 0, {100, 100}, 1, 1},
                    PointCase{"NoCharWidthGoesToTheLineStart", 0, 16, 0, {100, 20}, 2, 1}),
    CaseName{});

}  // namespace
}  // namespace tess
