#pragma once
#include "platform/Desktop.h"
#include "platform/win32/UniqueHandle.h"

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace tess::win32 {

// FileError for a Win32 error code from a file operation.
FileError fileErrorFromWin32(DWORD error);

// The system's ANSI code page (GetACP) as the documents read in no Unicode form use it. Code page
// 1252 is the portable table, which gives every byte 1-255 back as it was; the others go through
// the system's converters, which may lack some bytes (roundTrips tells).
const CodePage& systemCodePage();

// The steps of writeFileSafely, in order.
enum class SafeWriteStep { CreateTemp, Write, Replace };

// The real desktop. Message boxes and dialogs are owned by the thread's active window, or by `owner`
// (may be null) when none is active.
class DesktopWin : public Desktop {
public:
    explicit DesktopWin(HWND owner = nullptr) : owner_(owner) {}
    void setOwner(HWND owner) { owner_ = owner; }

    Answer messageBox(const MessageBoxRequest& request) override;
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override;
    void beep() override;
    void setClipboardText(std::u16string_view text) override;
    std::u16string clipboardText() override;
    bool startProcess(const std::string& commandLine) override;
    bool shellOpen(const std::string& target, ShowAs show) override;
    std::string programFilesFolder() override;
    bool fileExists(const std::string& path) override;
    bool folderExists(const std::string& path) override;
    bool createFolder(const std::string& path) override;
    ReadResult readFile(const std::string& path) override;
    FileError writeFileSafely(const std::string& path, std::string_view bytes) override;
    bool deleteFile(const std::string& path) override;
    std::optional<FileStamp> fileStamp(const std::string& path) override;
    const CodePage& ansiCodePage() override { return systemCodePage(); }

    // Makes one step of writeFileSafely fail with error as if the system had refused it, so that
    // tests can check that the target survives each failure; nullopt restores normal writing.
    void failSafeWriteStep(std::optional<SafeWriteStep> step, DWORD error = ERROR_ACCESS_DENIED) {
        failingStep_ = step;
        failingError_ = error;
    }

private:
    HWND activeOwner() const;
    bool injectedFailure(SafeWriteStep step) const;
    FileError replaceTarget(const std::wstring& path, const std::wstring& temp, DWORD attributes);
    HWND clipboardOwner();
    bool openClipboard();

    HWND owner_;
    UniqueHwnd clipboardWindow_;
    std::optional<SafeWriteStep> failingStep_;
    DWORD failingError_ = ERROR_SUCCESS;
};

}  // namespace tess::win32
