#pragma once
// Run browser: the editor's text shown in a browser through the preview file, the document itself
// left unsaved.
#include "state/App.h"

#include <string>
#include <string_view>

namespace tess {

// Taken, in this order, when no usable browser is set: the first whose executable exists. Each is a
// command prefix, the executable's path and one space.
inline constexpr std::string_view kFallbackBrowsers[] = {
    "C:\\Program Files (x86)\\Internet Explorer\\iexplore.exe ",
    "C:\\Program Files\\Internet Explorer\\iexplore.exe ",
};

// The executable a command prefix names, without its trailing spaces or quotes around it.
std::string browserExecutable(std::string_view prefix);
// The line that starts that executable with file as its one argument, both quoted.
std::string browserCommandLine(std::string_view prefix, std::string_view file);
// What the preview file holds for text: the text itself, behind a base element pointing at the
// document's folder when the document has a file.
std::u16string previewText(std::u16string_view text, std::string_view documentFile);

// Commands 345 and 212.
void runInBrowser(Context& ctx);

}  // namespace tess
