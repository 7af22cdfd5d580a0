#pragma once
#include "editor/EditorState.h"

namespace tess {

// Records the caret, then shows the path, " " + line and " " + column in the status bar.
void updateStatusBar(EditorContext& ctx);

}  // namespace tess
