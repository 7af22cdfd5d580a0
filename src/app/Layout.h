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
inline constexpr int kEncodingPartWidth = 100;

// Where the editor's outer edge goes for a client size, before its height is snapped to lines.
Rect editorOuterRect(int cx, int cy);

// From the editor's client size at that outer size: the client sizes that make gutter and
// editor exactly visibleLines lines high (plus two pixels), and where the editor stands.
struct ClientLayout {
    int visibleLines = 0;
    int editorHeight = 0;
    Size gutterClient;
    Size editorClient;
    int editorX = kEditorX;
};
ClientLayout clientLayout(int cx, Size editorClient, const FontMetrics& font, bool showLineNumbers);

// The right edges that SB_SETPARTS expects for the path, line, column and encoding parts; the
// last, -1, runs to the window's edge.
std::array<int, 4> statusBarEdges(int cx);

}  // namespace tess
