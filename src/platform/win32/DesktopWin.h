#pragma once
#include "platform/Desktop.h"

#include <windows.h>

namespace tess::win32 {

// FileError for a Win32 error code from a file operation.
FileError fileErrorFromWin32(DWORD error);

// The real desktop. Message boxes and dialogs are owned by `owner` (may be null).
class DesktopWin : public Desktop {
public:
    explicit DesktopWin(HWND owner = nullptr) : owner_(owner) {}
    void setOwner(HWND owner) { owner_ = owner; }

    Answer messageBox(const MessageBoxRequest& request) override;
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override;
    void beep() override;
    void setClipboardText(std::string_view text) override;
    std::string clipboardText() override;
    bool startProcess(const std::string& commandLine) override;
    bool shellOpen(const std::string& target) override;
    bool fileExists(const std::string& path) override;
    bool folderExists(const std::string& path) override;
    bool createFolder(const std::string& path) override;
    ReadResult readFile(const std::string& path) override;
    FileError writeFileSafely(const std::string& path, std::string_view bytes) override;
    bool deleteFile(const std::string& path) override;

private:
    HWND owner_;
};

}  // namespace tess::win32
