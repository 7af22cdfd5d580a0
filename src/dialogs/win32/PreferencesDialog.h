#pragma once
#include "state/App.h"

#include <windows.h>

namespace tess::win32 {

// "Tessaline Options", modal over owner, until "&Apply" or the close box ends it.
void runPreferencesDialog(HWND owner, Context& ctx);

}  // namespace tess::win32
