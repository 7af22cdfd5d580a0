#pragma once
// The main window's layout arithmetic: where the gutter and the editor go for a client size, so
// that both show the same whole number of lines, and the status bar's part edges.
#include "editor/EditorState.h"
#include "editor/Gutter.h"
#include "platform/Dpi.h"

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

// Fixed pixel metrics of the window at 96 dpi, scaled to the window's DPI where they are used.
inline constexpr int kCollapsedGutterWidth = 10;
inline constexpr int kCollapsedEditorX = 12;
inline constexpr Size kInitialClientSize{500, 495};
inline constexpr int kToolbarSeparatorWidth = 18;

// Where the editor's outer edge goes for a client size in pixels at dpi, before its height is
// snapped to lines.
Rect editorOuterRect(int cx, int cy, int dpi);

// From the editor's client size at that outer size: the client sizes that make gutter and
// editor exactly visibleLines lines high (plus two pixels), and where the editor stands.
struct ClientLayout {
    int visibleLines = 0;
    int editorHeight = 0;
    Size gutterClient;
    Size editorClient;
    int editorX = kEditorX;
};
ClientLayout clientLayout(int cx, Size editorClient, const FontMetrics& font, bool showLineNumbers, int dpi);

// The 96-dpi widths of the status bar's parts after the path, in order; the path takes the rest.
inline constexpr std::array<int, 3> kStatusPartWidths{50, 50, 100};  // line, column, encoding
// The right edges that SB_SETPARTS expects for the path and the parts after it at dpi.
std::array<int, 1 + kStatusPartWidths.size()> statusBarEdges(int cx, int dpi);

// The toolbar's picture size at dpi: of the sizes the icons are drawn at, the one nearest the
// scaled 16 pixels (the larger of two as near), so a picture is never stretched.
int toolbarIconSize(int dpi);

}  // namespace tess
