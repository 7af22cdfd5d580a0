#pragma once
#include <windows.h>

namespace tess::win32 {

class MainWindow;

// Puts the editor's key and mouse handling in front of the edit control's own. Call it for the
// editor at start-up and again for every re-created editor; the handler goes when the control
// is destroyed. False when the control could not be subclassed.
bool installEditorSubclass(HWND editor, MainWindow& window);

}  // namespace tess::win32
