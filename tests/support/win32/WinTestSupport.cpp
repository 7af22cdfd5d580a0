#include "WinTestSupport.h"

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

#include <algorithm>
#include <filesystem>

namespace tess::test {

std::string windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return win32::narrow(text);
}

std::vector<UINT> clipboardFormats() {
    std::vector<UINT> formats;
    if (!::OpenClipboard(nullptr)) return formats;
    for (UINT f = ::EnumClipboardFormats(0); f != 0; f = ::EnumClipboardFormats(f)) formats.push_back(f);
    ::CloseClipboard();
    return formats;
}

bool writeBytes(const std::string& path, std::string_view bytes) {
    win32::UniqueFile file(::CreateFileW(win32::wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    return file && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

std::optional<std::string> readBytes(const std::string& path) {
    win32::UniqueFile file(::CreateFileW(win32::wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(::GetFileSize(file.get(), nullptr)), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    return bytes;
}

TempFolder::TempFolder() {
    static int counter = 0;
    wchar_t base[MAX_PATH] = {};
    ::GetTempPathW(static_cast<DWORD>(std::size(base)), base);
    path_ = win32::narrow(base) + "tess" + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(++counter) + "\\";
    ::CreateDirectoryW(win32::wide(path_).c_str(), nullptr);
}

TempFolder::~TempFolder() {
    for (const auto& name : files()) {
        ::SetFileAttributesW(win32::wide(path_ + name).c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(win32::wide(path_ + name).c_str());
    }
    ::RemoveDirectoryW(win32::wide(path_).c_str());
}

std::vector<std::string> TempFolder::files() const {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(win32::wide(path_), error))
        if (!entry.is_directory()) names.push_back(win32::narrow(entry.path().filename().wstring()));
    std::ranges::sort(names);
    return names;
}

}  // namespace tess::test
