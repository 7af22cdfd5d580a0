#pragma once
#include <windows.h>

namespace tess::win32 {

// The About box's picture: a "T" laid in tiles, drawn to whatever size the dialog units give it.
void drawAboutPicture(HDC dc, const RECT& area);

}  // namespace tess::win32
