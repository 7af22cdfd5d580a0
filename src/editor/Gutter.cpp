#include "editor/Gutter.h"

#include "state/MainView.h"
#include "platform/EditControl.h"

#include <algorithm>
#include <cmath>

namespace tess {

// One character less than fits in the gutter's width leaves room for the control's margin; a font
// too wide for even one character gives no field at all.
int gutterFieldWidth(int charWidth, bool showLineNumbers, int dpi) {
    if (!showLineNumbers) return 1;
    if (charWidth <= 0) return 0;
    return std::max(roundHalfEven(static_cast<double>(scaled(kGutterWidth, dpi)) / charWidth - 1.0), 0);
}

// Linear in the rows shown: the bookmarks are sorted, so one binary search finds the first
// that can be on screen and a single pointer walks along with the rows.
std::string gutterRows(const GutterRowsInput& input) {
    const int rows = std::min(input.visibleLines, input.lineCount - input.firstLine + 1);
    const int width = std::max(input.fieldWidth, 0);
    std::string text;
    if (rows <= 0) return text;
    text.reserve(static_cast<std::size_t>(rows) * (static_cast<std::size_t>(width) + 2));

    auto mark = std::lower_bound(input.bookmarks.begin(), input.bookmarks.end(), input.firstLine);
    std::string label;
    for (int row = 0; row < rows; ++row) {
        const int line = input.firstLine + row;
        while (mark != input.bookmarks.end() && *mark < line) ++mark;
        label.clear();
        if (mark != input.bookmarks.end() && *mark == line) label = ">";
        if (input.showLineNumbers) label += std::to_string(line);
        if (static_cast<int>(label.size()) > width) label.resize(static_cast<std::size_t>(width));
        text.append(static_cast<std::size_t>(width) - label.size(), ' ');
        text += label;
        text += "\r\n";
    }
    while (text.size() >= 2 && text.ends_with("\r\n")) text.resize(text.size() - 2);
    return text;
}

void refreshGutter(EditorContext& ctx) {
    const bool numbers = ctx.app.settings.showLineNumbers;
    ctx.view.setGutterText(gutterRows({
        .firstLine = ctx.editor.firstVisibleLine() + 1,
        .lineCount = ctx.editor.lineCount(),
        .visibleLines = ctx.edit.font.visibleLines,
        .fieldWidth = gutterFieldWidth(ctx.edit.font.charWidth, numbers, ctx.app.dpi),
        .showLineNumbers = numbers,
        .bookmarks = ctx.edit.bookmarks,
    }));
}

int roundHalfEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    double result = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) result = below + 1.0;
    return static_cast<int>(result);
}

void measureFont(EditControl& gutter, FontMetrics& font) {
    gutter.setText(u"12\r\n3");
    const int p0 = gutter.lineIndex(0);
    const int p1 = gutter.lineIndex(1);
    const Point first = gutter.positionFromChar(p0);
    const Point second = gutter.positionFromChar(p0 + 1);
    const Point nextLine = gutter.positionFromChar(p1);
    font.charWidth = second.x - first.x;
    font.lineHeight = nextLine.y - first.y;
}

}  // namespace tess
