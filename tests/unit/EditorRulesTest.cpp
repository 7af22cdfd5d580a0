// The gutter's width rule, which the behaviour tables reach only through one font.
#include "editor/Gutter.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

TEST(GutterFieldWidth, RoundsHalfToEven) {
    const struct { int charWidth; bool numbers; int width; } rows[] = {{8, true, 7}, {4, true, 14}, {200, true, 0}, {0, true, 0}, {8, false, 1}};
    for (const auto& r : rows) EXPECT_EQ(gutterFieldWidth(r.charWidth, r.numbers), r.width) << r.charWidth;
}

}  // namespace
}  // namespace tess
