#include "app/Layout.h"

#include "platform/EditControl.h"

#include <cmath>

namespace tess {

OuterLayout outerLayout(int cx, int cy) {
    return OuterLayout{.gutter = {kGutterX, kGutterY, kGutterWidth, cy - 52},
                       .editor = {kEditorX, kWorkAreaTop, cx - 70, cy - 62}};
}

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

std::array<int, 3> statusBarEdges(int cx) {
    const int widths[3] = {cx - 100, 50, 9999};
    std::array<int, 3> edges{};
    int sum = 0;
    for (int i = 0; i < 3; ++i) {
        sum += widths[i];
        edges[static_cast<std::size_t>(i)] = sum - 1;
    }
    return edges;
}

int roundHalfEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    double result = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) result = below + 1.0;
    return static_cast<int>(result);
}

void measureFont(EditControl& gutter, FontMetrics& font) {
    gutter.setText("12\r\n3");
    const int p0 = gutter.lineIndex(0);
    const int p1 = gutter.lineIndex(1);
    const Point first = gutter.positionFromChar(p0);
    const Point second = gutter.positionFromChar(p0 + 1);
    const Point nextLine = gutter.positionFromChar(p1);
    font.charWidth = second.x - first.x;
    font.lineHeight = nextLine.y - first.y;
}

}  // namespace tess
