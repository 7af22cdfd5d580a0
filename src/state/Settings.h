#pragma once
// The settings record and its file. The file format is comma-separated values, strings in
// double quotes without escaping, one group per line, CR LF line ends.
#include "state/Version.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tess {

struct Settings {
    std::string versionText{kVersion};  // the version that wrote the file; never compared
    std::int32_t windowX = 0;
    std::int32_t windowY = 0;
    std::int32_t clientWidth = 0;
    std::int32_t clientHeight = 0;
    std::int32_t fontSize = 10;
    std::int32_t recentCount = 0;
    bool showLineNumbers = true;
    bool useLastSize = true;
    bool loadLastFile = false;
    std::int32_t browserIndex = 0;
    std::int32_t tabSpaces = 3;
    bool askToQuit = false;
    bool autoCompleteBrackets = true;
    std::int32_t backgroundColor = 0xFFFFFF;
    bool wordWrap = false;
    std::string lastFile;
    std::array<std::string, 4> recentFiles;   // [0] is the most recent
    std::array<std::string, 5> browserPaths;  // command prefix: full path and one space
};

// The spaces Tab, Enter and the skeleton indent by: a first run's 0 stands for 3.
inline int indentUnit(const Settings& s) { return s.tabSpaces > 0 ? s.tabSpaces : 3; }

// The whole settings file for s, with currentFile in the place of lastFile.
std::string settingsFileText(const Settings& s, std::string_view currentFile);

// Reads the values of a settings file over s in file order, then clamps them. Values that are
// missing or cannot be read keep what s held; at most four recent files are kept.
void readSettingsFile(std::string_view bytes, Settings& s);

// The bounds a settings record is held to after reading: a window closed while minimised, or a
// hand-edited file, must still give a usable window and editor.
void clampSettings(Settings& s);

}  // namespace tess
