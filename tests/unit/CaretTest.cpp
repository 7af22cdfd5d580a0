// The caret record and the line primitives on the in-memory control.
#include "MarkedText.h"
#include "TestContext.h"
#include "editor/Caret.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

using test::CaseName;
using test::TestContext;

constexpr char kText[] = "first\r\n  second\r\n\r\nlast";  // lines of 5, 8, 0 and 4 characters

struct RecordCase {
    const char* name;
    int anchor, caret;
    int line, column;
};

class RecordCaret : public testing::TestWithParam<RecordCase> {};

TEST_P(RecordCaret, TakesLineAndColumnOfTheSelectionStart) {
    const RecordCase& c = GetParam();
    TestContext t;
    t.editor.setText(kText);
    t.editor.setSelection(c.anchor, c.caret);
    recordCaret(t.app.caret, t.editor);
    EXPECT_EQ(t.app.caret.caretLine, c.line);
    EXPECT_EQ(t.app.caret.caretColumn, c.column);
}

INSTANTIATE_TEST_SUITE_P(Table, RecordCaret,
                         testing::Values(RecordCase{"StartOfText", 0, 0, 1, 1},
                                         RecordCase{"EndOfFirstLine", 5, 5, 1, 6},
                                         RecordCase{"StartOfSecondLine", 7, 7, 2, 1},
                                         RecordCase{"EmptyLine", 17, 17, 3, 1},
                                         RecordCase{"EndOfText", 23, 23, 4, 5},
                                         RecordCase{"SelectionDownwards", 9, 21, 2, 3},
                                         RecordCase{"SelectionUpwards", 21, 9, 2, 3}),
                         CaseName{});

TEST(LinePrimitives, LengthAndTextOfEachLineAndOfTheRecordedOne) {
    TestContext t;
    t.editor.setText(kText);
    const struct {
        int line;
        int length;
        const char* text;
    } rows[] = {{1, 5, "first"}, {2, 8, "  second"}, {3, 0, ""}, {4, 4, "last"}, {5, 0, ""}, {-1, 0, ""}};
    for (const auto& row : rows) {
        EXPECT_EQ(lineLength(t.app.caret, t.editor, row.line), row.length) << row.line;
        EXPECT_EQ(lineText(t.app.caret, t.editor, row.line), row.text) << row.line;
    }
    t.app.caret.caretLine = 2;
    EXPECT_EQ(lineLength(t.app.caret, t.editor, 0), 8);
    EXPECT_EQ(lineText(t.app.caret, t.editor, 0), "  second");
}

TEST(LinePrimitives, NothingRecordedYetReadsNoLine) {
    // caretLine 0 is "not recorded": it must not turn into the control's "the caret's line".
    TestContext t;
    t.editor.setText(kText);
    t.editor.setSelection(9, 9);
    EXPECT_EQ(lineLength(t.app.caret, t.editor, 0), 0);
    EXPECT_EQ(lineText(t.app.caret, t.editor, 0), "");
}

struct PlaceCase {
    const char* name;
    int column, line;
    int position;
    int recordedLine, recordedColumn;
};

class PlaceCaret : public testing::TestWithParam<PlaceCase> {};

TEST_P(PlaceCaret, PutsTheCaretOnTheLineAndRecordsIt) {
    const PlaceCase& c = GetParam();
    TestContext t;
    t.editor.setText(kText);
    t.editor.setSelection(9, 9);  // line 2, column 3
    t.app.caret.caretLine = 7;    // stale on purpose
    placeCaret(t.app.caret, t.editor, c.column, c.line);
    EXPECT_EQ(t.editor.selection(), (Selection{c.position, c.position}));
    EXPECT_EQ(t.app.caret.caretLine, c.recordedLine);
    EXPECT_EQ(t.app.caret.caretColumn, c.recordedColumn);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PlaceCaret,
    testing::Values(PlaceCase{"StartOfLine", 1, 2, 7, 2, 1},
                    PlaceCase{"InsideLine", 4, 1, 3, 1, 4},
                    PlaceCase{"AfterLastCharacter", 5, 4, 23, 4, 5},
                    PlaceCase{"LineZeroIsTheCaretsLine", 6, 0, 12, 7, 6},
                    PlaceCase{"ColumnPastTheEndStaysOnTheLine", 20, 1, 5, 1, 6},
                    PlaceCase{"LinePastTheLastGoesToTheLast", 1, 9, 19, 4, 1}),
    CaseName{});

struct SnippetCase {
    const char* name;
    int selStart, selEnd;
    const char* snippet;
    int offset;
    const char* text;
    int caret;
};

class InsertSnippet : public testing::TestWithParam<SnippetCase> {};

TEST_P(InsertSnippet, ReplacesTheSelectionAndPlacesTheCaret) {
    const SnippetCase& c = GetParam();
    TestContext t;
    t.editor.setText("abcdef");
    t.editor.setSelection(c.selStart, c.selEnd);
    insertSnippet(t.app.caret, t.editor, c.snippet, c.offset);
    EXPECT_EQ(t.editor.text(), c.text);
    EXPECT_EQ(t.editor.selection(), (Selection{c.caret, c.caret}));
}

INSTANTIATE_TEST_SUITE_P(Table, InsertSnippet,
                         testing::Values(SnippetCase{"OffsetZeroIsAfterTheText", 2, 2, "<b></b>", 0, "ab<b></b>cdef", 9},
                                         SnippetCase{"OffsetBetweenTags", 2, 2, "<b></b>", 3, "ab<b></b>cdef", 5},
                                         SnippetCase{"SelectionReplaced", 1, 4, "XY", 0, "aXYef", 3},
                                         SnippetCase{"SelectionMadeUpwards", 4, 1, "XY", 1, "aXYef", 2},
                                         SnippetCase{"EmptySnippetRemovesSelection", 1, 3, "", 0, "adef", 1}),
                         CaseName{});

TEST(InsertSnippet, IsOneUndoableStep) {
    TestContext t;
    t.editor.setText("abc");
    t.editor.setSelection(1, 2);
    insertSnippet(t.app.caret, t.editor, "<p>\r\n</p>", 3);
    t.editor.undo();
    EXPECT_EQ(t.editor.text(), "abc");
}

TEST(InsertSnippet, CutShortByTheLimitKeepsTheCaretInsideWhatWentIn) {
    TestContext t;
    t.editor.setText("abcdef");
    t.editor.setTextLimit(9);
    t.editor.setSelection(3, 3);
    insertSnippet(t.app.caret, t.editor, "<b></b>", 0);
    EXPECT_EQ(t.editor.text(), "abc<b>def");
    EXPECT_EQ(t.editor.selection(), (Selection{6, 6}));
}

}  // namespace
}  // namespace tess
