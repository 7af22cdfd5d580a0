// The editor's two pure rules that the behaviour tables reach only through one font and one document.
#include "editor/Bookmarks.h"
#include "editor/Gutter.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

TEST(BookmarkRule, MarksFollowTheirLinesText) {
    const struct { const char* name; std::vector<int> marks; int line; bool atLineStart; int before, after; std::vector<int> result; } rows[] = {
        {"Enter at the end of line 4", {4, 6}, 4, false, 10, 11, {4, 7}}, {"lines 3 to 5 cut whole", {2, 3, 4, 6}, 3, true, 10, 7, {2, 3}},
        {"Delete at the end of line 4 joins 5", {4, 5, 8}, 4, false, 10, 9, {4, 7}}, {"Yank line 5", {3, 5, 7}, 5, true, 10, 9, {3, 6}},
        {"two breaks pasted inside line 3", {2, 3, 9}, 3, false, 10, 12, {2, 3, 11}}, {"a mark past the end goes", {2, 12}, 4, true, 10, 9, {2}},
        {"two breaks pasted at the start of line 3", {2, 3, 9}, 3, true, 10, 12, {2, 5, 11}},
    };
    for (const auto& r : rows) {
        std::vector<int> marks = r.marks;
        shiftBookmarks(marks, r.line, r.atLineStart, r.before, r.after);
        EXPECT_EQ(marks, r.result) << r.name;
    }
}

// 62 pixels over the character width, less one, rounded half to even; 1 with numbers off.
TEST(GutterFieldWidth, RoundsHalfToEven) {
    const struct { int charWidth; bool numbers; int width; } rows[] = {{8, true, 7}, {4, true, 14}, {200, true, 0}, {0, true, 0}, {8, false, 1}};
    for (const auto& r : rows) EXPECT_EQ(gutterFieldWidth(r.charWidth, r.numbers), r.width) << r.charWidth;
}

}  // namespace
}  // namespace tess
