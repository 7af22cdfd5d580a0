// The editor's two pure rules that the behaviour tables reach only through one font and one document.
#include "editor/Bookmarks.h"
#include "editor/Gutter.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

TEST(BookmarkRule, MarksFollowTheirLinesText) {
    struct { const char* name; std::vector<int> marks, result; int line; bool atStart; int before, after; } rows[] = {
        {"lines 3 to 5 cut whole", {2, 3, 4, 6}, {2, 3}, 3, true, 10, 7},  // 6 moves onto 3: marked once, not twice
        {"Delete at the end of line 4 joins 5", {4, 5, 8}, {4, 7}, 4, false, 10, 9},  // 5 goes into 4: marked once
        {"a mark past the end goes, one on the last line stays", {2, 10, 12}, {2, 9}, 4, true, 10, 9},
    };
    for (auto& r : rows) {
        shiftBookmarks(r.marks, r.line, r.atStart, r.before, r.after);
        EXPECT_EQ(r.marks, r.result) << r.name;
    }
}

TEST(GutterFieldWidth, RoundsHalfToEven) {
    const struct { int charWidth; bool numbers; int width; } rows[] = {{8, true, 7}, {4, true, 14}, {200, true, 0}, {0, true, 0}, {8, false, 1}};
    for (const auto& r : rows) EXPECT_EQ(gutterFieldWidth(r.charWidth, r.numbers), r.width) << r.charWidth;
}

}  // namespace
}  // namespace tess
