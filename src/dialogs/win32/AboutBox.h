#pragma once
#include <windows.h>

namespace tess {
class Desktop;
}

namespace tess::win32 {

// "About Tessaline", modal over owner, until Enter, Esc or the close box ends it; its links go to
// the desktop's shell.
void runAboutBox(HWND owner, Desktop& desktop);

}  // namespace tess::win32
