#include "WinTestSupport.h"

#include "platform/win32/UniqueHandle.h"

#include <algorithm>

namespace tess::test {

std::string windowText(HWND window) {
    std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::vector<UINT> clipboardFormats() {
    std::vector<UINT> formats;
    if (!::OpenClipboard(nullptr)) return formats;
    for (UINT f = ::EnumClipboardFormats(0); f != 0; f = ::EnumClipboardFormats(f)) formats.push_back(f);
    ::CloseClipboard();
    return formats;
}

bool writeBytes(const std::string& path, std::string_view bytes) {
    win32::UniqueFile file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    return file && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

std::optional<std::string> readBytes(const std::string& path) {
    win32::UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(::GetFileSize(file.get(), nullptr)), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    return bytes;
}

TempFolder::TempFolder() {
    static int counter = 0;
    char base[MAX_PATH] = {};
    ::GetTempPathA(static_cast<DWORD>(std::size(base)), base);
    path_ = std::string(base) + "tess" + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(++counter) + "\\";
    ::CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
    for (const auto& name : files()) {
        ::SetFileAttributesA((path_ + name).c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA((path_ + name).c_str());
    }
    ::RemoveDirectoryA(path_.c_str());
}

std::vector<std::string> TempFolder::files() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE search = ::FindFirstFileA((path_ + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace tess::test
