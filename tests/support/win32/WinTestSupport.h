#pragma once
// What the tests under Wine share: the main window made hidden over a scripted desktop, real
// temporary folders and files, desktops that reach the real file system or clipboard, and
// readers of what a real control shows.
#include "FakeDesktop.h"
#include "app/win32/MainWindow.h"
#include "platform/win32/DesktopWin.h"

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tess::test {

constexpr char kTestDataFolder[] = "C:\\Data\\";
constexpr char kTestSettingsFile[] = "C:\\Data\\Tessaline.ini";

std::string windowText(HWND window);
std::vector<std::string> splitLines(const std::string& text);  // on CR LF; none at the end
std::vector<UINT> clipboardFormats();
void sendCommand(HWND window, int id, int code = 0);
void pumpMessages();

// Writes the bytes to a real file, replacing it; false when the file cannot be written.
bool writeBytes(const std::string& path, std::string_view bytes);
std::optional<std::string> readBytes(const std::string& path);

// A fresh folder under the system's temporary folder, removed with its files afterwards
// (read-only ones too).
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const char* name) const { return path_ + name; }
    std::vector<std::string> files() const;  // sorted names of the files in it

private:
    std::string path_;
};

// The real files that documents are read from and saved to; message boxes, dialogs and the
// clipboard scripted and recorded as in the fake.
class RealFilesDesktop : public FakeDesktop {
public:
    bool fileExists(const std::string& path) override { return real.fileExists(path); }
    ReadResult readFile(const std::string& path) override { return real.readFile(path); }
    FileError writeFileSafely(const std::string& path, std::string_view bytes) override {
        return real.writeFileSafely(path, bytes);
    }
    win32::DesktopWin real;
};

// The real clipboard, because the EDIT control's own cut, copy and paste use it; the rest scripted.
class RealClipboardDesktop : public FakeDesktop {
public:
    void setClipboardText(std::string_view text) override { real.setClipboardText(text); }
    std::string clipboardText() override { return real.clipboardText(); }
    win32::DesktopWin real;
};

// A hidden main window over a scripted desktop whose data folder is C:\Data\, started with the
// given settings file (none: a first run), command line and files.
template <class DesktopT = FakeDesktop>
struct TestWindow {
    DesktopT desktop;
    win32::MainWindow window;
    bool created = false;

    explicit TestWindow(const std::string& settings = {}, const std::string& commandLine = {},
                        const std::map<std::string, std::string>& files = {}) {
        desktop.folders.insert(kTestDataFolder);
        desktop.files = files;
        if (!settings.empty()) desktop.files[kTestSettingsFile] = settings;
        created = window.create(::GetModuleHandleA(nullptr), {.desktop = &desktop,
                                                              .commandLine = commandLine,
                                                              .show = false,
                                                              .quitOnDestroy = false,
                                                              .dataFolder = kTestDataFolder});
    }
    HWND hwnd() const { return window.hwnd(); }
    void command(int id, int code = 0) { sendCommand(window.hwnd(), id, code); }
};

}  // namespace tess::test
