#pragma once
// What the tests under Wine share: the hidden program over a scripted desktop, real files and temporary folders, the
// real clipboard.
#include "FakeDesktop.h"
#include "FakePrinter.h"
#include "app/win32/Program.h"
#include "platform/win32/DesktopWin.h"

#include <windows.h>

#include <optional>

namespace tess::test {

constexpr char kTestDataFolder[] = "C:\\Data\\";
constexpr char kTestSettingsFile[] = "C:\\Data\\Tessaline.ini";

std::string windowText(HWND window);  // UTF-8
std::vector<UINT> clipboardFormats();

// Real files by UTF-8 paths; writing replaces the file.
bool writeBytes(const std::string& path, std::string_view bytes);
std::optional<std::string> readBytes(const std::string& path);

// A fresh temporary folder, removed with its files (read-only ones too) afterwards.
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

// The real clipboard, because the EDIT control's own cut, copy and paste use it; the rest scripted, message boxes too
// unless realBoxes asks for the real ones (still recorded).
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

// The hidden program on a fake printer, data folder C:\Data\, started with a settings file (none: a first run), a
// command line, files.
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
    // Every queued message, routed as the program's loop routes it.
    void pump() { program.router().pumpPending(); }

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
// The real main window under a subject that makeEditorSubject() made.
TestWindow<RealClipboardDesktop>& windowOf(EditorSubject& subject);

}  // namespace tess::test
