#include "dialogs/win32/AboutPicture.h"

#include "platform/win32/UniqueHandle.h"

#include <array>

namespace tess::win32 {

// Two teals for the "T", on a ground of sand-coloured tiles with white grout between them.
void drawAboutPicture(HDC dc, const RECT& area) {
    constexpr int kTiles = 5;
    constexpr std::array<COLORREF, 2> kStroke{RGB(0, 104, 118), RGB(0, 132, 140)};
    constexpr std::array<COLORREF, 3> kGround{RGB(238, 226, 198), RGB(224, 208, 174), RGB(246, 238, 220)};
    const UniqueBrush grout(::CreateSolidBrush(RGB(252, 250, 244)));
    ::FillRect(dc, &area, grout.get());
    const int width = area.right - area.left, height = area.bottom - area.top;
    for (int row = 0; row < kTiles; ++row) {
        for (int column = 0; column < kTiles; ++column) {
            const bool inT = row == 0 || column == kTiles / 2;
            const COLORREF color = inT ? kStroke[static_cast<std::size_t>(row + column) % kStroke.size()]
                                       : kGround[static_cast<std::size_t>(row * 2 + column) % kGround.size()];
            const RECT tile{area.left + column * width / kTiles + 1, area.top + row * height / kTiles + 1,
                            area.left + (column + 1) * width / kTiles, area.top + (row + 1) * height / kTiles};
            const UniqueBrush brush(::CreateSolidBrush(color));
            ::FillRect(dc, &tile, brush.get());
        }
    }
}

}  // namespace tess::win32
