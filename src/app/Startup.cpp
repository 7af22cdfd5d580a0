#include "app/Startup.h"

#include "state/MainView.h"
#include "platform/Desktop.h"

#include <algorithm>
#include <iterator>

namespace tess {

namespace {
constexpr std::string_view kVendorFolder = "\\Orvalle\\Tessaline\\";
}

std::string chooseDataFolder(std::string_view programFolder, const std::function<SystemFolders()>& systemFolders) {
    // Only an installed copy shares its data with every user; a copy anywhere else, a USB stick
    // say, keeps its files beside itself. The comparison is exact, letter case included.
    if (programFolder.ends_with(kVendorFolder)) {
        const SystemFolders system = systemFolders();
        if (!system.programFiles.empty() && programFolder == system.programFiles + std::string(kVendorFolder))
            return system.commonAppData + std::string(kVendorFolder);
    }
    std::string own(programFolder);
    if (own.empty() || own.back() != '\\') own += '\\';
    return own;
}

Paths makePaths(const std::string& dataFolder) {
    return Paths{.dataFolder = dataFolder,
                 .settingsFile = dataFolder + "Tessaline.ini",
                 .helpFile = dataFolder + "TessalineHelp.ahp",
                 .previewFile = dataFolder + "runFile.htm"};
}

Settings firstRunSettings() {
    Settings s;
    s.versionText = std::string(kVersion);
    s.windowX = s.windowY = s.clientWidth = s.clientHeight = 0;
    s.fontSize = 0;
    s.recentCount = 0;
    s.showLineNumbers = true;
    s.useLastSize = true;
    s.loadLastFile = false;
    s.browserIndex = 0;
    s.tabSpaces = 0;
    s.askToQuit = false;
    s.autoCompleteBrackets = true;
    s.backgroundColor = 0;
    s.wordWrap = false;
    return s;
}

namespace {

// The settings values that name files: UTF-8 in memory.
template <class Change>
void forEachPath(Settings& s, Change change) {
    change(s.lastFile);
    for (std::string& path : s.recentFiles) change(path);
    for (std::string& path : s.browserPaths) change(path);
}

}  // namespace

bool loadOrCreateSettings(Context& ctx, const std::string& dataFolder) {
    App& app = ctx.app;
    if (!ctx.desktop.folderExists(dataFolder)) ctx.desktop.createFolder(dataFolder);
    app.paths = makePaths(dataFolder);
    for (auto& path : app.settings.recentFiles) path.clear();
    for (auto& path : app.settings.browserPaths) path.clear();

    if (ctx.desktop.fileExists(app.paths.settingsFile)) {
        // An unreadable file leaves the defaults in force, as a missing value does.
        const ReadResult file = ctx.desktop.readFile(app.paths.settingsFile);
        readSettingsFile(file.error == FileError::None ? std::string_view(file.bytes) : std::string_view(),
                         app.settings);
        const CodePage& ansi = ctx.desktop.ansiCodePage();
        forEachPath(app.settings, [&](std::string& path) { path = settingsValueFromFile(path, ansi); });
        return true;
    }
    app.settings = firstRunSettings();
    return false;
}

std::string startupDocument(std::string_view commandLine, const Settings& settings) {
    std::string document;
    std::copy_if(commandLine.begin(), commandLine.end(), std::back_inserter(document),
                 [](char c) { return c != '"'; });
    if (document.empty() && settings.loadLastFile) document = settings.lastFile;
    // The most recent file opens even when "Load last file" is off.
    if (document.empty() && settings.recentCount != 0) document = settings.recentFiles[0];
    return document;
}

void applyInMemoryDefaults(App& app) {
    Settings& s = app.settings;
    if (s.backgroundColor == 0) s.backgroundColor = 0xFFFFFF;
    if (s.tabSpaces == 0) s.tabSpaces = 3;
    if (s.fontSize == 0) s.fontSize = 10;
}

void saveSettings(Context& ctx) {
    Settings& s = ctx.app.settings;
    if (const auto geometry = ctx.view.windowGeometry()) {
        s.windowX = geometry->x;
        s.windowY = geometry->y;
        // Kept at 96 dpi, so that the file means the same size on a screen of any DPI.
        s.clientWidth = unscaled(geometry->clientWidth, geometry->dpi);
        s.clientHeight = unscaled(geometry->clientHeight, geometry->dpi);
    }
    // Earlier versions read the file in the ANSI code page: a path it holds is written that way, and
    // only a path that needs more in UTF-8.
    const CodePage& ansi = ctx.desktop.ansiCodePage();
    Settings written = s;
    forEachPath(written, [&](std::string& path) { path = settingsValueToFile(path, ansi); });
    // Failures are not reported: the program goes on with what it has in memory.
    ctx.desktop.writeFileSafely(ctx.app.paths.settingsFile,
                                settingsFileText(written, settingsValueToFile(ctx.app.currentFile, ansi)));
}

}  // namespace tess
