#pragma once
#include "state/App.h"

namespace tess {

// Records the caret, then shows the path, " " + line and " " + column in the status bar.
void updateStatusBar(Context& ctx);

}  // namespace tess
