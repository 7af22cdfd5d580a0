#pragma once
// What the editor keeps beside its control, owned by the editor view: the caret record, the
// bookmarks and the font's measures. Editor operations that use it take an EditorContext.
#include "state/App.h"

#include <vector>

namespace tess {

// Caret record and the editor's key-handling state; lines and columns are 1-based.
struct CaretState {
    int caretLine = 0;
    int caretColumn = 0;
    int goalColumn = 0;
    bool enterPrepared = false;  // set by an Enter press in the editor, consumed by its release
};

struct FontMetrics {
    int charWidth = 0;
    int lineHeight = 0;
    int visibleLines = 0;
};

struct EditorState {
    CaretState caret;
    std::vector<int> bookmarks;  // 1-based lines, ascending, distinct
    FontMetrics font;
};

struct EditorContext : Context {
    EditorState& edit;
};

}  // namespace tess
