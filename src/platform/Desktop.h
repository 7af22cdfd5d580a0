#pragma once
// Everything the program asks of the desktop outside its own windows: message boxes, the file
// dialogs, the beep, the clipboard, processes, the shell and the file system. Tests use a
// scripted fake that records every call (tests/support/FakeDesktop.h).
#include "platform/FileError.h"
#include "platform/TextEncoding.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tess {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Information, Question, Exclamation, Error };
enum class Modality { Application, Task, System };
enum class Answer { Ok, Cancel, Yes, No };

struct MessageBoxRequest {
    std::string title;
    std::string text;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    Modality modality = Modality::Application;
    friend bool operator==(const MessageBoxRequest&, const MessageBoxRequest&) = default;
};

// The program's questions: task-modal, question icon unless told.
inline MessageBoxRequest question(std::string title, std::string text, Buttons buttons,
                                  Icon icon = Icon::Question) {
    return {.title = std::move(title), .text = std::move(text), .buttons = buttons, .icon = icon,
            .modality = Modality::Task};
}

// How the shell shows what it opens.
enum class ShowAs { Normal, Maximized };

struct FileFilter {
    std::string description;
    std::string pattern;
    friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

struct FileDialogRequest {
    std::string title;
    std::vector<FileFilter> filters;
    std::string initialFolder;
    std::string initialName;
    std::string defaultExtension;
    bool fileMustExist = false;
    bool hideReadOnly = true;
    bool keepCurrentFolder = true;
    bool promptOverwrite = false;
    friend bool operator==(const FileDialogRequest&, const FileDialogRequest&) = default;
};

// What tells a file rewritten by someone else from the one last seen: its last write time (in the
// system's units) and its size.
struct FileStamp {
    std::uint64_t lastWrite = 0;
    std::uint64_t size = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

struct ReadResult {
    FileError error = FileError::None;
    std::string bytes;
};

class Desktop {
public:
    virtual ~Desktop() = default;

    virtual Answer messageBox(const MessageBoxRequest& request) = 0;
    // nullopt when the user cancels.
    virtual std::optional<std::string> openFileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> saveFileDialog(const FileDialogRequest& request) = 0;
    virtual void beep() = 0;

    // Unicode text only; reading stops at the first NUL.
    virtual void setClipboardText(std::u16string_view text) = 0;
    virtual std::u16string clipboardText() = 0;

    virtual bool startProcess(const std::string& commandLine) = 0;
    virtual bool shellOpen(const std::string& target, ShowAs show) = 0;

    // The Program Files folder as the system reports it to this program, without a trailing
    // backslash: "Program Files (x86)" for a 32-bit program on 64-bit Windows; "" when unknown.
    virtual std::string programFilesFolder() = 0;

    virtual bool fileExists(const std::string& path) = 0;
    virtual bool folderExists(const std::string& path) = 0;
    virtual bool createFolder(const std::string& path) = 0;
    virtual ReadResult readFile(const std::string& path) = 0;
    // Writes to a temporary file beside the target and replaces the target in one step, so a
    // failure leaves the old file as it was and no temporary file behind.
    virtual FileError writeFileSafely(const std::string& path, std::string_view bytes) = 0;
    virtual bool deleteFile(const std::string& path) = 0;
    // One look at the file's attributes, never at its bytes; nothing when no file is there (gone,
    // renamed, a folder) or it cannot be looked at.
    virtual std::optional<FileStamp> fileStamp(const std::string& path) = 0;

    // The system's ANSI code page: what a document in no Unicode form is read and saved in.
    virtual const CodePage& ansiCodePage() = 0;
};

}  // namespace tess
