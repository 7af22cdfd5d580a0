#pragma once
// The screens the main window may stand on and the place it comes back to.
#include "app/Layout.h"

#include <windows.h>

#include <vector>

namespace tess::win32 {

// The work area of every monitor, in screen coordinates.
std::vector<Rect> monitorWorkAreas();
// The window's normal (restored) place in screen coordinates, also while it is minimised or maximised.
RECT normalPlace(HWND window);

}  // namespace tess::win32
