#include "document/RecentFiles.h"

#include <algorithm>

namespace tess {

namespace {

constexpr int kMaxRecent = 4;

std::size_t nameStart(std::string_view path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string_view::npos ? 0 : slash + 1;
}

// Folds code page 1252 letters to lower case: the file system treats "É" and "é" as one.
unsigned char foldCase(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 0x20);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
    switch (c) {
    case 0x8A: return 0x9A;  // S caron
    case 0x8C: return 0x9C;  // OE
    case 0x8E: return 0x9E;  // Z caron
    case 0x9F: return 0xFF;  // Y diaeresis
    default: return c;
    }
}

int recentCount(const Settings& settings) {
    return std::clamp(static_cast<int>(settings.recentCount), 0, kMaxRecent);
}

}  // namespace

std::string folderOf(std::string_view path) { return std::string(path.substr(0, nameStart(path))); }

std::string fileNameOf(std::string_view path) { return std::string(path.substr(nameStart(path))); }

std::string fileStemOf(std::string_view path) {
    std::string name = fileNameOf(path);
    // A leading dot starts a name such as ".htaccess", not an extension.
    const auto dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    return name;
}

bool samePath(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return foldCase(static_cast<unsigned char>(x)) == foldCase(static_cast<unsigned char>(y));
    });
}

void pushRecentFile(Settings& settings, const std::string& path) {
    auto& files = settings.recentFiles;
    int count = recentCount(settings);
    const auto end = files.begin() + count;
    if (auto found = std::find_if(files.begin(), end, [&](const std::string& f) { return samePath(f, path); });
        found != end) {
        std::move(found + 1, end, found);
        --count;
        files[static_cast<std::size_t>(count)].clear();
    }
    count = std::min(count + 1, kMaxRecent);
    std::move_backward(files.begin(), files.begin() + count - 1, files.begin() + count);
    files[0] = path;
    settings.recentCount = count;
}

std::vector<std::string> recentFileItems(const Settings& settings) {
    std::vector<std::string> items;
    const int count = recentCount(settings);
    for (int i = 0; i < count && !settings.recentFiles[static_cast<std::size_t>(i)].empty(); ++i)
        items.push_back("&" + std::to_string(i + 1) + "  " + fileNameOf(settings.recentFiles[static_cast<std::size_t>(i)]));
    return items;
}

}  // namespace tess
