// The caret record and the line primitives on the in-memory control.
#include "MarkedText.h"
#include "TestContext.h"
#include "editor/Caret.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

using test::TestContext;

constexpr char kText[] = "first\r\n  second\r\n\r\nlast";  // lines of 5, 8, 0 and 4 characters

// Line 0 is the recorded caret line. Nothing recorded yet (0) must not turn into the control's
// "the caret's line".
TEST(LinePrimitives, LengthAndTextOfALineOrOfTheRecordedOne) {
    TestContext t;
    t.editor.setText(kText);
    t.editor.setSelection(9, 9);
    const struct {
        int recorded, line, length;
        const char* text;
    } rows[] = {{0, 1, 5, "first"}, {0, 2, 8, "  second"}, {0, 3, 0, ""}, {0, 4, 4, "last"},
                {0, 5, 0, ""},       {0, -1, 0, ""},         {0, 0, 0, ""}, {4, 0, 4, "last"}};
    for (const auto& r : rows) {
        t.app.caret.caretLine = r.recorded;
        EXPECT_EQ(lineLength(t.app.caret, t.editor, r.line), r.length) << "line " << r.line << ", " << r.recorded;
        EXPECT_EQ(lineText(t.app.caret, t.editor, r.line), r.text) << "line " << r.line << ", " << r.recorded;
    }
}

TEST(PlaceCaret, PutsTheCaretOnTheLineAndRecordsIt) {
    const struct {
        const char* name;
        int column, line;
        int position;
        int recordedLine, recordedColumn;
    } rows[] = {
        {"start of a line", 1, 2, 7, 2, 1},
        {"after the last character", 5, 4, 23, 4, 5},
        {"line 0 is the caret's line, the record is left", 6, 0, 12, 7, 6},
        {"a column past the end stays on the line", 20, 1, 5, 1, 6},
        {"a line past the last goes to the last", 1, 9, 19, 4, 1},
    };
    for (const auto& r : rows) {
        TestContext t;
        t.editor.setText(kText);
        t.editor.setSelection(9, 9);  // line 2, column 3
        t.app.caret.caretLine = 7;    // stale on purpose
        placeCaret(t.app.caret, t.editor, r.column, r.line);
        EXPECT_EQ(t.editor.selection(), (Selection{r.position, r.position})) << r.name;
        EXPECT_EQ(t.app.caret.caretLine, r.recordedLine) << r.name;
        EXPECT_EQ(t.app.caret.caretColumn, r.recordedColumn) << r.name;
    }
}

TEST(InsertSnippet, ReplacesTheSelectionPlacesTheCaretAndIsOneUndoStep) {
    const struct {
        const char* name;
        const char* before;
        const char* snippet;
        int offset;
        const char* after;
        int limit = 100000;
    } rows[] = {
        {"offset 0 is after the text", "ab|cdef", "<b></b>", 0, "ab<b></b>|cdef"},
        {"offset between the tags", "ab|cdef", "<b>\r\n</b>", 3, "ab<b>|\r\n</b>cdef"},
        {"selection made upwards replaced", "a]bcd[ef", "XY", 1, "aX|Yef"},
        {"empty snippet removes the selection", "a[bc]def", "", 0, "a|def"},
        {"cut short by the limit: the caret stays inside what went in", "abc|def", "<b></b>", 0, "abc<b>|def", 9},
    };
    for (const auto& r : rows) {
        TestContext t;
        const test::MarkedText before = test::parseMarked(r.before);
        t.editor.setText(before.text);
        t.editor.setSelection(before.anchor, before.caret);
        t.editor.setTextLimit(r.limit);
        insertSnippet(t.app.caret, t.editor, r.snippet, r.offset);
        const Selection s = t.editor.selection();
        EXPECT_EQ(test::markSelection(t.editor.text(), s.start, s.end), r.after) << r.name;
        t.editor.undo();
        EXPECT_EQ(t.editor.text(), before.text) << r.name;
    }
}

}  // namespace
}  // namespace tess
