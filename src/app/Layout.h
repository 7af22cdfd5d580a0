#pragma once
// The main window's layout arithmetic: where the gutter and the editor go for a client size, so
// that both show the same whole number of lines, and the status bar's part edges.
#include "editor/Gutter.h"
#include "state/App.h"

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
inline constexpr int kCollapsedGutterWidth = 10;
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

}  // namespace tess
