#include "editor/LineCommands.h"
#include "editor/Caret.h"
#include "TestContext.h"

#include "NumberedLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tess {
namespace {

using test::numberedLines;

struct LineCommands : ::testing::Test {
    test::TestContext t;
    void SetUp() override { t.app.font = {.charWidth = 8, .lineHeight = 16, .visibleLines = 20}; }
};

TEST_F(LineCommands, YankLineRemovesTheCaretsLineAndMovesTheBookmarks) {
    const struct {
        const char* name;
        std::string text;
        std::vector<int> marks;
        int line;
        std::string after;
        std::vector<int> marksAfter;
    } rows[] = {
        {"line 5 of 7 with marks on 3, 5 and 7", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7", {3, 5, 7}, 5,
         "1\r\n2\r\n3\r\n4\r\n6\r\n7", {3, 6}},
        {"the last line loses only its text", "one\r\ntwo\r\nthree", {3}, 3, "one\r\ntwo\r\n", {3}},
        {"an empty last line: nothing changes", "one\r\n", {}, 2, "one\r\n", {}},
        {"an empty text: nothing changes", "", {}, 1, "", {}},
        {"a line ended by CR CR LF goes with all three", "1\r\n2\r\r\n3", {3}, 2, "1\r\n3", {2}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        t.editor.setText(r.text);
        t.app.bookmarks = r.marks;
        t.desktop.clipboard = "kept";
        placeCaret(t.app.caret, t.editor, 2, r.line);
        t.app.caret.caretLine = 1;  // the record lags: the caret's own line is yanked
        yankLine(t.ctx);
        EXPECT_EQ(t.editor.text(), r.after);
        EXPECT_EQ(t.app.bookmarks, r.marksAfter);
        EXPECT_EQ(t.editor.selection(), (Selection{t.editor.lineIndex(r.line - 1), t.editor.lineIndex(r.line - 1)}));
        EXPECT_EQ(t.view.statusLine, " " + std::to_string(r.line));
        EXPECT_EQ(t.editor.modified(), r.text != r.after);
        EXPECT_EQ(t.desktop.clipboard, "kept");
    }
}

TEST_F(LineCommands, PasteOfTwoBreaksInTheMiddleOfLine3MovesLine3AndBelow) {
    t.editor.setText(numberedLines(10));
    t.editor.setVisibleLineCount(3);
    t.app.font.visibleLines = 3;
    t.app.bookmarks = {2, 3, 9};
    placeCaret(t.app.caret, t.editor, 3, 3);
    pasteClipboard(t.ctx);  // nothing on the clipboard: the text stays, the caret goes to the line start
    EXPECT_EQ(t.editor.text(), numberedLines(10));
    EXPECT_EQ(t.editor.selection(), (Selection{t.editor.lineIndex(2), t.editor.lineIndex(2)}));
    placeCaret(t.app.caret, t.editor, 3, 3);

    t.app.caret.caretLine = 7;  // stale record: the paste happens on line 3 all the same
    t.desktop.clipboard = "A\r\nB\r\nC";
    pasteClipboard(t.ctx);
    EXPECT_EQ(t.editor.lineCount(), 12);
    EXPECT_EQ(t.editor.lineText(2), "liA");
    EXPECT_EQ(t.editor.lineText(4), "Cne 3");
    EXPECT_EQ(t.app.bookmarks, (std::vector<int>{2, 5, 11}));
    // The caret stands at the start of the line where the pasted text ends, scrolled into view.
    EXPECT_EQ(t.editor.selection(), (Selection{t.editor.lineIndex(4), t.editor.lineIndex(4)}));
    EXPECT_EQ(t.editor.firstVisibleLine(), 2);
    EXPECT_EQ(t.view.gutterText, "      3\r\n      4\r\n     >5");
    EXPECT_EQ(t.view.statusLine, " 5");
    EXPECT_EQ(t.view.statusColumn, " 1");
}

TEST_F(LineCommands, CutOfWholeLinesDropsTheirBookmarksAndUndoBringsTheLinesBack) {
    t.editor.setText(numberedLines(10));
    t.app.bookmarks = {2, 3, 4, 6};
    t.editor.setSelection(t.editor.lineIndex(2), t.editor.lineIndex(5));  // lines 3 to 5 with their breaks
    cutSelection(t.ctx);
    EXPECT_EQ(t.desktop.clipboard, "line 3\r\nline 4\r\nline 5\r\n");
    EXPECT_EQ(t.editor.lineCount(), 7);
    EXPECT_EQ(t.app.bookmarks, (std::vector<int>{2, 3}));

    undoEdit(t.ctx);
    EXPECT_EQ(t.editor.text(), numberedLines(10));
    EXPECT_EQ(t.app.bookmarks, (std::vector<int>{2, 6}));
    EXPECT_NE(t.view.gutterText.find(">6"), std::string::npos);
}

}  // namespace
}  // namespace tess
