#pragma once
// The settings record and its file. The file format is comma-separated values, strings in
// double quotes without escaping, one group per line, CR LF line ends.
#include <array>
#include <cstdint>
#include <string>

namespace tess {

struct Settings {
    std::string versionText = "1.06";
    std::int32_t windowX = 0;
    std::int32_t windowY = 0;
    std::int32_t clientWidth = 0;
    std::int32_t clientHeight = 0;
    std::int32_t fontSize = 10;
    std::int32_t recentCount = 0;
    std::int32_t showLineNumbers = 1;
    std::int32_t useLastSize = 1;
    std::int32_t loadLastFile = 0;
    std::int32_t browserIndex = 0;
    std::int32_t tabSpaces = 3;
    std::int32_t askToQuit = 0;
    std::int32_t autoCompleteBrackets = 1;
    std::int32_t backgroundColor = 0xFFFFFF;
    std::int32_t wordWrap = 0;
    std::string lastFile;
    std::array<std::string, 4> recentFiles;   // [0] is the most recent
    std::array<std::string, 5> browserPaths;  // command prefix: full path and one space
};

}  // namespace tess
