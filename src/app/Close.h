#pragma once
#include "state/App.h"

namespace tess {

// The questions before the main window closes, then deleting the preview file and writing the
// settings file. True when the window may close; false leaves everything open and unchanged.
bool closeMainWindow(Context& ctx);

}  // namespace tess
