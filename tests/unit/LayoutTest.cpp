#include "app/Layout.h"
#include "InMemoryEditControl.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

TEST(LayoutRounding, HalvesGoToTheEvenNeighbour) {
    const struct {
        double value;
        int expected;
    } cases[] = {{10.4, 10}, {10.5, 10}, {10.6, 11}, {11.5, 12}, {0.5, 0}, {1.5, 2}, {0.0, 0}, {6.75, 7}};
    for (const auto& c : cases) EXPECT_EQ(roundHalfEven(c.value), c.expected) << c.value;
}

// The editor snaps to whole lines: 10.4 lines of room give 10 lines, 10.6 give 11.
struct SnapCase {
    const char* name;
    int editorClientHeight;
    int visibleLines;
    int editorHeight;
};
void PrintTo(const SnapCase& c, std::ostream* os) { *os << c.name; }

class LayoutSnap : public testing::TestWithParam<SnapCase> {};

TEST_P(LayoutSnap, GutterAndEditorShowTheSameWholeLines) {
    const SnapCase& c = GetParam();
    const FontMetrics font{.charWidth = 8, .lineHeight = 15, .visibleLines = 0};
    const ClientLayout layout = clientLayout(600, {520, c.editorClientHeight}, font, true);
    EXPECT_EQ(layout.visibleLines, c.visibleLines);
    EXPECT_EQ(layout.editorHeight, c.editorHeight);
    EXPECT_EQ(layout.gutterClient, (Size{62, c.editorHeight}));
    EXPECT_EQ(layout.editorClient, (Size{520, c.editorHeight}));
    EXPECT_EQ(layout.editorX, 64);
}

INSTANTIATE_TEST_SUITE_P(Cases, LayoutSnap,
                         testing::Values(SnapCase{"TenPointFour", 156, 10, 152}, SnapCase{"TenPointSix", 159, 11, 167},
                                         SnapCase{"ExactlyTen", 150, 10, 152}, SnapCase{"JustUnderTenAndAHalf", 157, 10, 152}),
                         [](const testing::TestParamInfo<SnapCase>& p) { return std::string(p.param.name); });

TEST(LayoutCollapsedGutter, MovesTheEditorLeftAndNarrowsTheGutter) {
    const FontMetrics font{.charWidth = 8, .lineHeight = 15, .visibleLines = 0};
    const ClientLayout layout = clientLayout(600, {520, 300}, font, false);
    EXPECT_EQ(layout.editorX, 12);
    EXPECT_EQ(layout.gutterClient, (Size{10, 15 * 20 + 2}));
    EXPECT_EQ(layout.editorClient, (Size{600 - 32, 15 * 20 + 2}));
}

TEST(LayoutUnmeasuredFont, KeepsTheHeightAndTheLineCount) {
    const FontMetrics font{.charWidth = 0, .lineHeight = 0, .visibleLines = 7};
    const ClientLayout layout = clientLayout(600, {520, 300}, font, true);
    EXPECT_EQ(layout.visibleLines, 7);
    EXPECT_EQ(layout.editorHeight, 300);
}

TEST(LayoutOuter, StartsFromTheClientSize) {
    const OuterLayout outer = outerLayout(500, 495);
    EXPECT_EQ(outer.gutter, (Rect{2, 32, 62, 443}));
    EXPECT_EQ(outer.editor, (Rect{64, 30, 430, 433}));
}

TEST(LayoutStatusBar, PartEdgesFollowTheWidths) {
    EXPECT_EQ(statusBarEdges(500), (std::array<int, 3>{399, 449, 10448}));
    EXPECT_EQ(statusBarEdges(1000), (std::array<int, 3>{899, 949, 10948}));
}

TEST(LayoutMeasureFont, ReadsCellWidthAndLineHeightFromTheGutter) {
    test::InMemoryEditControl gutter;
    FontMetrics font;
    measureFont(gutter, font);
    EXPECT_EQ(gutter.text(), "12\r\n3");
    EXPECT_EQ(font.charWidth, test::InMemoryEditControl::kCharWidth);
    EXPECT_EQ(font.lineHeight, test::InMemoryEditControl::kLineHeight);
}

}  // namespace
}  // namespace tess
