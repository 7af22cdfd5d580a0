#include "editor/Bookmarks.h"
#include "TestContext.h"

#include "NumberedLines.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tess {
namespace {

TEST(BookmarkJump, NextAndPreviousWrapAround) {
    const std::vector<int> marks = {2, 5, 9};
    const struct {
        const char* name;
        bool next;
        int from, target;
    } cases[] = {
        {"next from a bookmarked line goes to the following one", true, 5, 9},
        {"next from the last wraps to the first", true, 9, 2},
        {"next from between", true, 6, 9},
        {"next from below all wraps", true, 12, 2},
        {"previous from the first wraps to the last", false, 2, 9},
        {"previous from a bookmarked line goes to the one before", false, 5, 2},
        {"previous from below all", false, 40, 9},
    };
    for (const auto& c : cases) {
        const auto target = c.next ? nextBookmarkLine(marks, c.from) : previousBookmarkLine(marks, c.from);
        EXPECT_EQ(target, std::optional<int>(c.target)) << c.name;
    }
    EXPECT_EQ(nextBookmarkLine({}, 3), std::nullopt);
    EXPECT_EQ(previousBookmarkLine({}, 3), std::nullopt);
}

TEST(BookmarkShift, FollowsTheLinesAnEditAddsOrRemoves) {
    const struct {
        const char* name;
        std::vector<int> marks;
        int caretLine, before, after;
        std::vector<int> result;
        FirstLine first = FirstLine::Removed;
    } cases[] = {
        {"Enter at the end of line 4 (caret on the new line 5)", {4, 6}, 5, 10, 11, {4, 7}},
        {"Delete at the end of line 4 joins line 5", {4, 5, 8}, 4, 10, 9, {4, 7}},
        {"cutting lines 3 to 5 whole", {2, 3, 4, 6}, 3, 10, 7, {2, 3}},
        {"Yank line on line 5", {3, 5, 7}, 5, 10, 9, {3, 6}},
        {"two lines pasted into line 3 push line 3 and below", {1, 2, 3, 10}, 3, 10, 12, {1, 2, 5, 12}},
        {"no change in the line count", {2, 5}, 2, 10, 10, {2, 5}},
        {"bookmarks beyond the last line are dropped", {2, 9, 12}, 4, 10, 10, {2, 9}},
        {"a stale bookmark beyond the text is dropped when lines go", {1, 8, 12}, 8, 10, 7, {1}},
        {"everything removed", {1, 2, 3}, 1, 3, 1, {1}},
        // Lines joined onto the edit's line live on in it, and so do their marks.
        {"Delete at the end of marked line 4 joins marked line 5", {4, 5, 8}, 4, 10, 9, {4, 7}, FirstLine::Joined},
        {"Delete at the end of marked line 4 joins line 5", {4, 8}, 4, 10, 9, {4, 7}, FirstLine::Joined},
        {"Backspace joins marked line 2 onto line 1", {2, 5}, 1, 10, 9, {1, 4}, FirstLine::Joined},
        {"a cut from inside line 3 to inside line 5", {2, 4, 5, 6, 9}, 3, 10, 8, {2, 3, 4, 7}, FirstLine::Joined},
    };
    for (const auto& c : cases) {
        std::vector<int> marks = c.marks;
        shiftBookmarks(marks, c.caretLine, c.before, c.after, c.first);
        EXPECT_EQ(marks, c.result) << c.name;
    }
}

TEST(BookmarkCommands, SetJumpAndClearOnTheEditor) {
    test::TestContext t;
    t.editor.setText(test::numberedLines(100));
    t.editor.setVisibleLineCount(20);
    t.app.font = {.charWidth = 8, .lineHeight = 16, .visibleLines = 20};
    // Set in any order, the list is ascending; a second toggle takes a mark away, a third sets it
    // again; 101 is below the text (a right click there) and sets nothing.
    for (int line : {9, 2, 5, 101, 80, 5, 5, 3, 3}) {
        t.app.caret.caretLine = line;
        setBookmark(t.ctx);
    }
    EXPECT_EQ(t.app.bookmarks, (std::vector<int>{2, 5, 9, 80}));
    EXPECT_EQ(t.view.gutterText.substr(0, 27), "      1\r\n     >2\r\n      3\r\n");

    t.app.caret.caretLine = 9;
    goToNextBookmark(t.ctx);
    EXPECT_EQ(t.app.caret.caretLine, 80);
    EXPECT_EQ(t.editor.selection(), (Selection{t.editor.lineIndex(79), t.editor.lineIndex(79)}));
    EXPECT_EQ(t.editor.firstVisibleLine(), 60);  // line 80 is the view's last
    EXPECT_EQ(t.view.gutterText.substr(t.view.gutterText.size() - 7), "    >80");
    EXPECT_EQ(t.view.statusLine, " 80");
    goToPreviousBookmark(t.ctx);
    EXPECT_EQ(t.app.caret.caretLine, 9);

    // An edit that did not adjust the bookmarks left one beyond the text: it is no target.
    t.app.bookmarks = {2, 150};
    t.app.caret.caretLine = 2;
    goToNextBookmark(t.ctx);
    EXPECT_EQ(t.app.caret.caretLine, 2);
    EXPECT_EQ(t.app.bookmarks, (std::vector<int>{2}));

    clearBookmarks(t.ctx);
    EXPECT_TRUE(t.app.bookmarks.empty());
    EXPECT_EQ(t.view.gutterText.find('>'), std::string::npos);
    const int updates = t.view.statusUpdates;
    goToNextBookmark(t.ctx);
    EXPECT_EQ(t.app.caret.caretLine, 2);
    EXPECT_EQ(t.view.statusUpdates, updates);
}

}  // namespace
}  // namespace tess
