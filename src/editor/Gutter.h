#pragma once
#include "editor/EditorState.h"

#include <span>
#include <string>

namespace tess {

class EditControl;

// What one gutter text is built from; lines are 1-based.
struct GutterRowsInput {
    int firstLine = 1;       // the first line the editor shows
    int lineCount = 1;       // the editor's line count
    int visibleLines = 0;    // whole lines the editor shows
    int fieldWidth = 0;      // characters per row
    bool showLineNumbers = true;
    std::span<const int> bookmarks;  // ascending
};

// Where the gutter and the editor stand in the main window, and the gutter's client width with line
// numbers shown, at 96 dpi; the layout and the row width both use them, scaled to the window's DPI.
inline constexpr int kWorkAreaTop = 30;
inline constexpr int kGutterX = 2;
inline constexpr int kGutterY = 32;
inline constexpr int kEditorX = 64;
inline constexpr int kGutterWidth = 62;

// Rounds to the nearest integer, halves to the even neighbour.
int roundHalfEven(double value);

// Measures the editor font on the gutter (which holds the same font): sets charWidth and
// lineHeight. Leaves "12" CR LF "3" in the gutter; the caller refreshes it afterwards.
void measureFont(EditControl& gutter, FontMetrics& font);

// Characters per gutter row for the editor font's character width, the gutter being scaled to dpi.
int gutterFieldWidth(int charWidth, bool showLineNumbers, int dpi);
// The gutter's whole text: one row per visible line down to the last line, rows joined by CR LF.
std::string gutterRows(const GutterRowsInput& input);

// Rebuilds the line-number gutter's text from the editor's visible lines and the bookmarks.
void refreshGutter(EditorContext& ctx);

}  // namespace tess
