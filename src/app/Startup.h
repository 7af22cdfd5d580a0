#pragma once
// The start-up rules that need no window: where the program keeps its files, the settings file
// at first start and at close, and which document opens first.
#include "state/App.h"

#include <functional>
#include <string>
#include <string_view>

namespace tess {

// The platform's folders, without a trailing backslash ("" when unknown).
struct SystemFolders {
    std::string programFiles;
    std::string commonAppData;
};

// The folder for the program's own files, ending with a backslash. programFolder is the folder of
// the executable with its trailing backslash. The system folders are asked for only when the
// program could be the installed copy: asking costs every start the shell's library.
std::string chooseDataFolder(std::string_view programFolder, const std::function<SystemFolders()>& systemFolders);

Paths makePaths(const std::string& dataFolder);

// The record written at first start: zeros for the sizes and colour, so the file shows that no
// choice was made yet.
Settings firstRunSettings();

// Steps after the data folder is known: create it, set the paths, then read the settings file or
// take the first-run record. Returns true when a file was read (the window may then take its last
// size); when none was, the caller writes the first file with saveSettings once the window has
// its menu bar, so that the file holds the window as it is seen.
bool loadOrCreateSettings(Context& ctx, const std::string& dataFolder);

// The document to open at start-up: the command line without its double quotes, else the last
// file (when asked for), else the most recent file. "" for none.
std::string startupDocument(std::string_view commandLine, const Settings& settings);

// Zeros in the settings file mean "the default"; they are replaced in memory only.
void applyInMemoryDefaults(App& app);

// Captures the window's position and client size (when the view knows them) and writes the file.
void saveSettings(Context& ctx);

}  // namespace tess
