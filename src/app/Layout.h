#pragma once
// The main window's layout arithmetic: where the gutter and the editor go for a client size, so
// that both show the same whole number of lines, and the status bar's part edges.
#include "app/App.h"

#include <array>

namespace tess {

class EditControl;

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Size {
    int width = 0, height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Fixed pixel metrics of the window, kept in one place so that DPI scaling can be one change.
inline constexpr int kWorkAreaTop = 30;
inline constexpr int kGutterX = 2;
inline constexpr int kGutterY = 32;
inline constexpr int kGutterWidth = 62;
inline constexpr int kCollapsedGutterWidth = 10;
inline constexpr int kEditorX = 64;
inline constexpr int kCollapsedEditorX = 12;

// Step one: the outer sizes before the editor's client area is known.
struct OuterLayout {
    Rect gutter;  // outer
    Rect editor;  // outer
};
OuterLayout outerLayout(int cx, int cy);

// Step two, from the editor's client size after step one: the client sizes that make gutter and
// editor exactly visibleLines lines high (plus two pixels), and where the editor stands.
struct ClientLayout {
    int visibleLines = 0;
    int editorHeight = 0;
    Size gutterClient;
    Size editorClient;
    int editorX = kEditorX;
};
ClientLayout clientLayout(int cx, Size editorClient, const FontMetrics& font, bool showLineNumbers);

// The right edges that SB_SETPARTS expects for the path, line and column parts.
std::array<int, 3> statusBarEdges(int cx);

// Rounds to the nearest integer, halves to the even neighbour.
int roundHalfEven(double value);

// Measures the editor font on the gutter (which holds the same font): sets charWidth and
// lineHeight. Leaves "12" CR LF "3" in the gutter; the caller refreshes it afterwards.
void measureFont(EditControl& gutter, FontMetrics& font);

}  // namespace tess
