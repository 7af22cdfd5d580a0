#include "editor/LineCommands.h"
#include "editor/Bookmarks.h"
#include "editor/Caret.h"
#include "TestContext.h"

#include "NumberedLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tess {
namespace {

struct LineCommands : ::testing::Test {
    test::TestContext t;
    void SetUp() override { t.app.font = {.charWidth = 8, .lineHeight = 16, .visibleLines = 20}; }
    void caretAt(int line, int column) {
        placeCaret(t.app.caret, t.editor, column, line);
    }
};

TEST_F(LineCommands, YankLineRemovesTheLineAndMovesTheBookmarks) {
    t.editor.setText(test::numberedLines(10));
    t.app.bookmarks = {5, 8};
    t.desktop.clipboard = "kept";
    caretAt(5, 3);
    t.app.caret.caretLine = 2;  // the record lags: the caret's own line is yanked
    yankLine(t.ctx);
    EXPECT_EQ(t.editor.lineCount(), 9);
    EXPECT_EQ(t.editor.lineText(4), "line 6");
    EXPECT_EQ(t.editor.selection(), (Selection{t.editor.lineIndex(4), t.editor.lineIndex(4)}));
    EXPECT_EQ(t.app.bookmarks, (std::vector<int>{7}));
    EXPECT_EQ(t.desktop.clipboard, "kept");
    EXPECT_EQ(t.view.statusLine, " 5");
}

TEST_F(LineCommands, YankLineThenSetBookmarkKeepsTheOrder) {
    t.editor.setText(test::numberedLines(10));
    t.app.bookmarks = {3, 5, 7};
    caretAt(5, 1);
    yankLine(t.ctx);
    EXPECT_EQ(t.app.bookmarks, (std::vector<int>{3, 6}));
    caretAt(7, 1);
    setBookmark(t.ctx);
    EXPECT_EQ(t.app.bookmarks, (std::vector<int>{3, 6, 7}));
}

TEST_F(LineCommands, YankOnTheLastLineRemovesOnlyItsText) {
    t.editor.setText("one\r\ntwo\r\nthree");
    t.app.bookmarks = {3};
    caretAt(3, 4);
    yankLine(t.ctx);
    EXPECT_EQ(t.editor.text(), "one\r\ntwo\r\n");
    EXPECT_EQ(t.editor.lineCount(), 3);
    EXPECT_EQ(t.app.bookmarks, (std::vector<int>{3}));
}

TEST_F(LineCommands, YankOnAnEmptyLastLineLeavesTheDocumentUnchanged) {
    for (const char* text : {"", "one\r\n"}) {
        t.editor.setText(text);
        placeCaret(t.app.caret, t.editor, 1, t.editor.lineCount());
        yankLine(t.ctx);
        EXPECT_EQ(t.editor.text(), text);
        EXPECT_FALSE(t.editor.modified()) << "'" << text << "'";
    }
}

TEST_F(LineCommands, PasteOfTwoBreaksInTheMiddleOfLine3MovesLine3AndBelow) {
    t.editor.setText(test::numberedLines(10));
    t.app.bookmarks = {2, 3, 9};
    caretAt(3, 3);
    t.app.caret.caretLine = 7;  // stale record: the paste happens on line 3 all the same
    t.desktop.clipboard = "A\r\nB\r\nC";
    pasteClipboard(t.ctx);
    EXPECT_EQ(t.editor.lineCount(), 12);
    EXPECT_EQ(t.editor.lineText(2), "liA");
    EXPECT_EQ(t.editor.lineText(4), "Cne 3");
    EXPECT_EQ(t.app.bookmarks, (std::vector<int>{2, 5, 11}));
    // The caret stands at the start of the line where the pasted text ends.
    EXPECT_EQ(t.editor.selection(), (Selection{t.editor.lineIndex(4), t.editor.lineIndex(4)}));
    EXPECT_EQ(t.view.statusLine, " 5");
    EXPECT_EQ(t.view.statusColumn, " 1");
}

TEST_F(LineCommands, PasteScrollsTheCaretIntoView) {
    t.editor.setText(test::numberedLines(40));
    t.editor.setVisibleLineCount(20);
    caretAt(19, 1);
    t.desktop.clipboard = "a\r\nb\r\nc\r\n";
    pasteClipboard(t.ctx);
    EXPECT_EQ(t.editor.lineFromChar(-1), 21);
    EXPECT_EQ(t.editor.firstVisibleLine(), 2);
    EXPECT_NE(t.view.gutterText.find("22"), std::string::npos);
}

TEST_F(LineCommands, CutOfWholeLinesDropsTheirBookmarksAndUndoBringsTheLinesBack) {
    t.editor.setText(test::numberedLines(10));
    t.app.bookmarks = {2, 3, 4, 6};
    t.editor.setSelection(t.editor.lineIndex(2), t.editor.lineIndex(5));  // lines 3 to 5 with their breaks
    cutSelection(t.ctx);
    EXPECT_EQ(t.desktop.clipboard, "line 3\r\nline 4\r\nline 5\r\n");
    EXPECT_EQ(t.editor.lineCount(), 7);
    EXPECT_EQ(t.app.bookmarks, (std::vector<int>{2, 3}));

    undoEdit(t.ctx);
    EXPECT_EQ(t.editor.text(), test::numberedLines(10));
    EXPECT_EQ(t.app.bookmarks, (std::vector<int>{2, 6}));
    EXPECT_NE(t.view.gutterText.find(">6"), std::string::npos);
}

TEST_F(LineCommands, PasteWithNothingOnTheClipboardChangesNothing) {
    t.editor.setText("abc");
    caretAt(1, 2);
    pasteClipboard(t.ctx);
    EXPECT_EQ(t.editor.text(), "abc");
    EXPECT_EQ(t.editor.selection(), (Selection{0, 0}));
}

}  // namespace
}  // namespace tess
