#include "app/Layout.h"

#include <cstdlib>

namespace tess {

Rect editorOuterRect(int cx, int cy, int dpi) {
    return {scaled(kEditorX, dpi), scaled(kWorkAreaTop, dpi), cx - scaled(70, dpi), cy - scaled(62, dpi)};
}

ClientLayout clientLayout(int cx, Size editorClient, const FontMetrics& font, bool showLineNumbers, int dpi) {
    ClientLayout out;
    out.visibleLines = font.visibleLines;
    if (font.lineHeight != 0)
        out.visibleLines = roundHalfEven(static_cast<double>(editorClient.height) / font.lineHeight);
    // Until the font has been measured there is no line height to snap to: keep the height.
    out.editorHeight = font.lineHeight != 0 ? font.lineHeight * out.visibleLines + scaled(2, dpi) : editorClient.height;
    if (showLineNumbers) {
        out.gutterClient = {scaled(kGutterWidth, dpi), out.editorHeight};
        out.editorClient = {editorClient.width, out.editorHeight};
        out.editorX = scaled(kEditorX, dpi);
    } else {
        out.gutterClient = {scaled(kCollapsedGutterWidth, dpi), out.editorHeight};
        out.editorClient = {cx - scaled(32, dpi), out.editorHeight};
        out.editorX = scaled(kCollapsedEditorX, dpi);
    }
    return out;
}

// The path's part gives the others their room: the column keeps the 50 pixels it always showed (it
// used to run on past the window's edge), and the encoding's part, wide enough for "UTF-8 with BOM"
// beside the size grip, comes out of the path's, the one part whose width follows the window's.
// The last part's edge lies far past the window's, so that it reaches the edge at any width.
std::array<int, 1 + kStatusPartWidths.size()> statusBarEdges(int cx, int dpi) {
    constexpr int kToTheEdge = 9999;
    std::array<int, 1 + kStatusPartWidths.size()> edges{};
    int right = cx;
    for (const int width : kStatusPartWidths) right -= scaled(width, dpi);
    edges[0] = right - 1;
    for (std::size_t i = 0; i < kStatusPartWidths.size(); ++i) {
        right += i + 1 == kStatusPartWidths.size() ? kToTheEdge : scaled(kStatusPartWidths[i], dpi);
        edges[i + 1] = right - 1;
    }
    return edges;
}

int toolbarIconSize(int dpi) {
    constexpr int kDrawnSizes[] = {16, 24, 32};
    const int wanted = scaled(16, dpi);
    int best = kDrawnSizes[0];
    for (const int size : kDrawnSizes)
        if (std::abs(size - wanted) <= std::abs(best - wanted)) best = size;
    return best;
}

}  // namespace tess
