#pragma once
// What the tests under Wine share: the hidden program over a scripted desktop, real files, the real clipboard.
#include "FakeDesktop.h"
#include "FakePrinter.h"
#include "app/win32/Program.h"
#include "platform/win32/DesktopWin.h"
#include "platform/win32/WideText.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <optional>

namespace tess::test {

constexpr char kTestDataFolder[] = "C:\\Data\\";
constexpr char kTestSettingsFile[] = "C:\\Data\\Tessaline.ini";

inline std::string windowText(HWND window) {  // UTF-8
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return win32::narrow(text);
}

inline std::vector<UINT> clipboardFormats() {
    std::vector<UINT> formats;
    if (!::OpenClipboard(nullptr)) return formats;
    for (UINT f = ::EnumClipboardFormats(0); f != 0; f = ::EnumClipboardFormats(f)) formats.push_back(f);
    ::CloseClipboard();
    return formats;
}

// Real files by UTF-8 paths; writing replaces the file.
inline bool writeBytes(const std::string& path, std::string_view bytes) {
    win32::UniqueFile file(
        ::CreateFileW(win32::wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    return file && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

inline std::optional<std::string> readBytes(const std::string& path) {
    win32::UniqueFile file(
        ::CreateFileW(win32::wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(::GetFileSize(file.get(), nullptr)), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    return bytes;
}

// A fresh temporary folder, removed with its files (read-only ones too) afterwards.
class TempFolder {
public:
    TempFolder() {
        static int counter = 0;
        const std::string name = "tess" + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(++counter);
        path_ = win32::narrow((std::filesystem::temp_directory_path() / name).wstring()) + "\\";
        ::CreateDirectoryW(win32::wide(path_).c_str(), nullptr);
    }
    ~TempFolder() {
        for (const auto& name : files()) ::SetFileAttributesW(win32::wide(path_ + name).c_str(), FILE_ATTRIBUTE_NORMAL);
        std::error_code error;
        std::filesystem::remove_all(win32::wide(path_), error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const char* name) const { return path_ + name; }
    std::vector<std::string> files() const {  // sorted names of the files in it
        std::vector<std::string> names;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(win32::wide(path_), error))
            if (!entry.is_directory()) names.push_back(win32::narrow(entry.path().filename().wstring()));
        std::ranges::sort(names);
        return names;
    }

private:
    std::string path_;
};

// The real clipboard, which the EDIT control's cut, copy and paste use; real boxes (still recorded) if realBoxes.
class RealClipboardDesktop : public FakeDesktop {
public:
    void setClipboardText(std::u16string_view text) override { real.setClipboardText(text); }
    std::u16string clipboardText() override { return real.clipboardText(); }
    void putPictureOnClipboard() override {
        if (::OpenClipboard(nullptr))
            ::EmptyClipboard(), ::SetClipboardData(CF_BITMAP, ::CreateBitmap(1, 1, 1, 1, nullptr)), ::CloseClipboard();
    }
    bool clipboardHoldsPicture() override { return ::IsClipboardFormatAvailable(CF_BITMAP); }
    Answer messageBox(const MessageBoxRequest& request) override {
        if (!realBoxes) return FakeDesktop::messageBox(request);
        boxes.push_back(request);
        return real.messageBox(request);
    }
    win32::DesktopWin real;
    bool realBoxes = false;
};

// The hidden program (fake printers, data folder C:\Data\) run with settings (none: first run), command line, files.
template <class DesktopT = FakeDesktop>
struct TestWindow {
    DesktopT desktop;
    FakePrinters printers;  // window.printers = &win32::systemPrinters() prints for real
    win32::Program program;
    bool created = false;  // before window, whose start sets it
    win32::MainWindow& window;

    explicit TestWindow(const std::string& settings = {}, const std::string& commandLine = {},
                        const std::map<std::string, std::string>& files = {}, std::deque<Answer> answers = {})
        : window(start(settings, commandLine, files, std::move(answers))) {}
    HWND hwnd() const { return window.hwnd(); }
    App& app() { return program.app(); }
    void command(int id, int code = 0) { ::SendMessageA(window.hwnd(), WM_COMMAND, MAKEWPARAM(id, code), 0); }
    void pump() { program.router().pumpPending(); }  // every queued message, as the program's loop routes it

private:
    win32::MainWindow& start(const std::string& settings, const std::string& commandLine,
                             const std::map<std::string, std::string>& files, std::deque<Answer> answers) {
        desktop.folders.insert(kTestDataFolder);
        desktop.files = files;
        desktop.answers = std::move(answers);
        if (!settings.empty()) desktop.files[kTestSettingsFile] = settings;
        created = program.start(::GetModuleHandleA(nullptr), {.desktop = &desktop,
                                                              .commandLine = commandLine,
                                                              .show = false,
                                                              .quitOnEnd = false,
                                                              .dataFolder = kTestDataFolder,
                                                              .printers = &printers});
        return program.window();
    }
};

class EditorSubject;
TestWindow<RealClipboardDesktop>& windowOf(EditorSubject& subject);

}  // namespace tess::test
