#pragma once
// Where the main window may stand at start-up: on a screen, whatever place was saved.
#include "app/Layout.h"

#include <vector>

namespace tess {

// The window's place and outer size: unchanged when enough of it shows on a monitor's work area
// and it fits there; otherwise moved onto the work area it overlaps most or, overlapping none,
// the nearest one, its size kept when it fits and cut down to the work area when not.
Rect placeOnScreen(Rect window, const std::vector<Rect>& workAreas);

}  // namespace tess
