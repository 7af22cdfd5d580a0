#pragma once
#include "app/App.h"

namespace tess {

// Moves the bookmarks after an edit that may have changed the line count (lineCountBefore was
// stored before the edit).
void adjustBookmarks(Context& ctx);

}  // namespace tess
