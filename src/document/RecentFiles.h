#pragma once
// The recent-file list of the File menu and the parts of a Windows path it needs.
#include "state/Settings.h"

#include <string>
#include <string_view>
#include <vector>

namespace tess {

// "C:\Web\" for C:\Web\index.html; "" for a bare name.
std::string folderOf(std::string_view path);
// "index.html" for C:\Web\index.html.
std::string fileNameOf(std::string_view path);
// The file name without its extension: "style" for C:\Web\style.css.
std::string fileStemOf(std::string_view path);
// Paths compared as the Windows file system compares them: without regard to letter case.
bool samePath(std::string_view a, std::string_view b);

// Puts path at the top of the list: an entry naming the same file moves up (spelled as path now),
// a full list drops its oldest entry.
void pushRecentFile(Settings& settings, const std::string& path);
// The File menu's texts for the list, "&1  index.html" and so on, up to the first empty entry.
std::vector<std::string> recentFileItems(const Settings& settings);

}  // namespace tess
