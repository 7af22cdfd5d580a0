#include "app/Layout.h"


namespace tess {

Rect editorOuterRect(int cx, int cy) { return {kEditorX, kWorkAreaTop, cx - 70, cy - 62}; }

ClientLayout clientLayout(int cx, Size editorClient, const FontMetrics& font, bool showLineNumbers) {
    ClientLayout out;
    out.visibleLines = font.visibleLines;
    if (font.lineHeight != 0)
        out.visibleLines = roundHalfEven(static_cast<double>(editorClient.height) / font.lineHeight);
    // Until the font has been measured there is no line height to snap to: keep the height.
    out.editorHeight = font.lineHeight != 0 ? font.lineHeight * out.visibleLines + 2 : editorClient.height;
    if (showLineNumbers) {
        out.gutterClient = {kGutterWidth, out.editorHeight};
        out.editorClient = {editorClient.width, out.editorHeight};
        out.editorX = kEditorX;
    } else {
        out.gutterClient = {kCollapsedGutterWidth, out.editorHeight};
        out.editorClient = {cx - 32, out.editorHeight};
        out.editorX = kCollapsedEditorX;
    }
    return out;
}

std::array<int, 4> statusBarEdges(int cx) {
    // The column keeps the 50 pixels it always showed (it used to run on past the window's edge);
    // the encoding's part, wide enough for "UTF-8 with BOM" beside the size grip, comes out of
    // the path's, the one part whose width follows the window's.
    const int widths[3] = {cx - 100 - kEncodingPartWidth, 50, 50};
    std::array<int, 4> edges{};
    int sum = 0;
    for (int i = 0; i < 3; ++i) {
        sum += widths[i];
        edges[static_cast<std::size_t>(i)] = sum - 1;
    }
    edges[3] = -1;
    return edges;
}

}  // namespace tess
