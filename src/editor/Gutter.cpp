#include "editor/Gutter.h"

#include "app/MainView.h"
#include "platform/EditControl.h"

#include <algorithm>

namespace tess {

namespace {

// The gutter is 62 pixels wide while it shows numbers; one character less than fits leaves room
// for the control's margin.
constexpr int kGutterPixels = 62;

}  // namespace

// 62 / charWidth - 1 rounded to the nearest integer, halves to even, worked out in integers so
// that a half is recognised exactly: (62 - cw) / cw = q + r / cw with 0 <= r < cw.
int gutterFieldWidth(int charWidth, bool showLineNumbers) {
    if (!showLineNumbers) return 1;
    if (charWidth <= 0) return 0;
    const int numerator = kGutterPixels - charWidth;
    int quotient = numerator / charWidth;
    int remainder = numerator % charWidth;
    if (remainder < 0) {
        remainder += charWidth;
        --quotient;
    }
    if (2 * remainder > charWidth || (2 * remainder == charWidth && quotient % 2 != 0)) ++quotient;
    return std::max(quotient, 0);
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

void refreshGutter(Context& ctx) {
    const bool numbers = ctx.app.settings.showLineNumbers != 0;
    ctx.view.setGutterText(gutterRows({
        .firstLine = ctx.editor.firstVisibleLine() + 1,
        .lineCount = ctx.editor.lineCount(),
        .visibleLines = ctx.app.font.visibleLines,
        .fieldWidth = gutterFieldWidth(ctx.app.font.charWidth, numbers),
        .showLineNumbers = numbers,
        .bookmarks = ctx.app.bookmarks,
    }));
}

}  // namespace tess
