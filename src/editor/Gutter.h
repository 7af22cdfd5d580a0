#pragma once
#include "app/App.h"

#include <span>
#include <string>

namespace tess {

// What one gutter text is built from; lines are 1-based.
struct GutterRowsInput {
    int firstLine = 1;       // the first line the editor shows
    int lineCount = 1;       // the editor's line count
    int visibleLines = 0;    // whole lines the editor shows
    int fieldWidth = 0;      // characters per row
    bool showLineNumbers = true;
    std::span<const int> bookmarks;  // ascending
};

// Characters per gutter row for the editor font's character width.
int gutterFieldWidth(int charWidth, bool showLineNumbers);
// The gutter's whole text: one row per visible line down to the last line, rows joined by CR LF.
std::string gutterRows(const GutterRowsInput& input);

// Rebuilds the line-number gutter's text from the editor's visible lines and the bookmarks.
void refreshGutter(Context& ctx);

}  // namespace tess
