// Feeds arbitrary bytes to the settings reader: it must never crash, must keep the record within
// its bounds, and what it read must survive being written and read again.
#include "FuzzCheck.h"
#include "state/Settings.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

bool roundTrips(const tess::Settings& s) {
    // Quotes inside a value, or a value taken unquoted with a quote in it, cannot be written back
    // unescaped; the file format has no escape.
    auto plain = [](const std::string& text) { return text.find('"') == std::string::npos; };
    if (!plain(s.versionText) || !plain(s.lastFile)) return false;
    for (const auto& path : s.recentFiles)
        if (!plain(path)) return false;
    for (const auto& path : s.browserPaths)
        if (!plain(path)) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tess::Settings s;
    tess::readSettingsFile(std::string_view(reinterpret_cast<const char*>(data), size), s);

    check(s.recentCount >= 0 && s.recentCount <= 4);
    for (std::size_t i = static_cast<std::size_t>(s.recentCount); i < s.recentFiles.size(); ++i)
        check(s.recentFiles[i].empty());
    check(s.windowX >= 0 && s.windowY >= 0);
    check(s.clientWidth >= 300 && s.clientHeight >= 200);
    check(s.fontSize >= 0 && s.fontSize <= 96);
    check(s.tabSpaces >= 0 && s.tabSpaces <= 32);
    check(s.backgroundColor >= 0 && s.backgroundColor <= 0xFFFFFF);
    check(s.browserIndex >= 0 && s.browserIndex <= 5);

    if (roundTrips(s)) {
        const std::string text = tess::settingsFileText(s, s.lastFile);
        tess::Settings again;
        tess::readSettingsFile(text, again);
        check(tess::settingsFileText(again, again.lastFile) == text);
    }
    return 0;
}
