// The editor's two pure rules that the behaviour tables reach only through one font and one document.
#include "editor/Bookmarks.h"
#include "editor/Gutter.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

// A mark that an edit leaves past the last line goes; one on the new last line stays.
TEST(BookmarkRule, NoMarkPastTheEnd) {
    std::vector<int> marks{2, 10, 12};
    shiftBookmarks(marks, 4, true, 10, 9);
    EXPECT_EQ(marks, (std::vector<int>{2, 9}));
}

TEST(GutterFieldWidth, RoundsHalfToEven) {
    // At 144 dpi the gutter is 93 pixels wide.
    const struct { int charWidth; bool numbers; int dpi, width; } rows[] = {{8, true, 96, 7}, {4, true, 96, 14}, {200, true, 96, 0},
                                                                           {0, true, 96, 0}, {8, false, 96, 1}, {12, true, 144, 7}, {10, true, 144, 8}};
    for (const auto& r : rows) EXPECT_EQ(gutterFieldWidth(r.charWidth, r.numbers, r.dpi), r.width) << r.charWidth;
}

}  // namespace
}  // namespace tess
