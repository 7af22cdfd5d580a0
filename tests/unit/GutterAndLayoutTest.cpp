#include "app/Layout.h"
#include "editor/Gutter.h"
#include "TestContext.h"

#include "NumberedLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tess {
namespace {

// ---- The gutter

TEST(GutterFieldWidth, RoundsSixtyTwoOverCharWidthMinusOneHalvesToEven) {
    const struct {
        int charWidth;
        bool numbers;
        int width;
    } cases[] = {
        {8, true, 7},     // 6.75
        {4, true, 14},    // 14.5: half to even, not 15
        {200, true, 0},   // negative: no room at all
        {0, true, 0},     // not measured yet
        {8, false, 1},    // numbers off: the one bookmark column
    };
    for (const auto& c : cases)
        EXPECT_EQ(gutterFieldWidth(c.charWidth, c.numbers), c.width) << "charWidth " << c.charWidth;
}

TEST(GutterRows, BuildsOneRightAlignedRowPerVisibleLineDownToTheLastLine) {
    const struct {
        const char* name;
        int firstLine, lineCount, visibleLines, fieldWidth;
        bool numbers;
        std::vector<int> bookmarks;
        std::string rows;
    } cases[] = {
        {"three lines in a twenty-line view", 1, 3, 20, 7, true, {}, "      1\r\n      2\r\n      3"},
        {"scrolled to line 95 of 100", 95, 100, 20, 3, true, {}, " 95\r\n 96\r\n 97\r\n 98\r\n 99\r\n100"},
        {"bookmark on 12 in a field of 7", 12, 40, 1, 7, true, {12}, "    >12"},
        {"numbers off, bookmarks on 1 and 3", 1, 3, 3, 1, false, {1, 3}, ">\r\n \r\n>"},
        {"label longer than the field is cut", 1234, 2000, 1, 3, true, {1234}, ">12"},
        {"more lines than the view", 1, 50, 2, 2, true, {}, " 1\r\n 2"},
        {"bookmarks off screen are not shown", 5, 9, 2, 3, true, {1, 4, 6, 9}, "  5\r\n >6"},
        {"field of 0 (font not measured) leaves the gutter empty", 1, 3, 20, 0, true, {2}, ""},
        {"no laid-out lines", 1, 3, 0, 7, true, {}, ""},
    };
    for (const auto& c : cases) {
        const GutterRowsInput input{c.firstLine, c.lineCount, c.visibleLines, c.fieldWidth, c.numbers, c.bookmarks};
        EXPECT_EQ(gutterRows(input), c.rows) << c.name;
    }
}

TEST(RefreshGutter, ShowsTheEditorsVisibleLinesWithTheBookmarksAndTheMeasuredFont) {
    test::TestContext t;
    t.editor.setText(test::numberedLines(100));
    t.editor.setFirstVisibleLine(94);
    t.app.font = {.charWidth = 8, .lineHeight = 16, .visibleLines = 20};
    t.app.bookmarks = {3, 97};
    refreshGutter(t.ctx);
    EXPECT_EQ(t.view.gutterText, "     95\r\n     96\r\n    >97\r\n     98\r\n     99\r\n    100");

    t.app.settings.showLineNumbers = 0;
    refreshGutter(t.ctx);
    EXPECT_EQ(t.view.gutterText, " \r\n \r\n>\r\n \r\n \r\n ");
}

// ---- The main window's layout

// The editor snaps to whole lines (10.4 lines of room give 10, 10.6 give 11) and the gutter
// follows; without line numbers the gutter narrows and the editor moves left.
TEST(ClientLayout, GutterAndEditorShowTheSameWholeLines) {
    const struct {
        const char* name;
        int roomHeight, lineHeight;
        bool numbers;
        int visibleLines, height, gutterWidth, editorX, editorWidth;
    } cases[] = {
        {"10.4 lines", 156, 15, true, 10, 152, 62, 64, 520},
        {"10.6 lines", 159, 15, true, 11, 167, 62, 64, 520},
        {"exactly 10 lines", 150, 15, true, 10, 152, 62, 64, 520},
        {"line numbers off", 300, 15, false, 20, 302, 10, 12, 568},
        {"font not measured: height and line count kept", 300, 0, true, 7, 300, 62, 64, 520},
    };
    for (const auto& c : cases) {
        const FontMetrics font{.charWidth = c.lineHeight ? 8 : 0, .lineHeight = c.lineHeight, .visibleLines = 7};
        const ClientLayout layout = clientLayout(600, {520, c.roomHeight}, font, c.numbers);
        EXPECT_EQ(layout.visibleLines, c.visibleLines) << c.name;
        EXPECT_EQ(layout.editorHeight, c.height) << c.name;
        EXPECT_EQ(layout.gutterClient, (Size{c.gutterWidth, c.height})) << c.name;
        EXPECT_EQ(layout.editorClient, (Size{c.editorWidth, c.height})) << c.name;
        EXPECT_EQ(layout.editorX, c.editorX) << c.name;
    }
}

}  // namespace
}  // namespace tess
