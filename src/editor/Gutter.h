#pragma once
#include "app/App.h"

namespace tess {

// Rebuilds the line-number gutter's text from the editor's visible lines and the bookmarks.
void refreshGutter(Context& ctx);

}  // namespace tess
