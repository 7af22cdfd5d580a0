#include "platform/win32/DesktopWin.h"

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <cwchar>
#include <vector>

namespace tess::win32 {

FileError fileErrorFromWin32(DWORD error) {
    switch (error) {
    case ERROR_SUCCESS: return FileError::None;
    case ERROR_FILE_NOT_FOUND: return FileError::FileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_PATHNAME: return FileError::PathNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_UNABLE_TO_REMOVE_REPLACED: return FileError::PermissionDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return FileError::FileIsOpen;
    case ERROR_TOO_MANY_OPEN_FILES: return FileError::TooManyFiles;
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY: return FileError::BadFileName;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return FileError::FileAlreadyExists;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return FileError::DiskFull;
    case ERROR_NOT_READY: return FileError::DiskNotReady;
    case ERROR_CRC:
    case ERROR_SECTOR_NOT_FOUND: return FileError::DiskMediaError;
    case ERROR_DEV_NOT_EXIST:
    case ERROR_BAD_UNIT:
    case ERROR_INVALID_DRIVE: return FileError::DeviceUnavailable;
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE: return FileError::DeviceIoError;
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2: return FileError::PathFileAccessError;  // new file not put in place
    default: return FileError::PathFileAccessError;
    }
}

Answer DesktopWin::messageBox(const MessageBoxRequest& request) {
    UINT flags = 0;
    switch (request.buttons) {
    case Buttons::Ok: flags |= MB_OK; break;
    case Buttons::OkCancel: flags |= MB_OKCANCEL; break;
    case Buttons::YesNo: flags |= MB_YESNO; break;
    case Buttons::YesNoCancel: flags |= MB_YESNOCANCEL; break;
    }
    switch (request.icon) {
    case Icon::None: break;
    case Icon::Information: flags |= MB_ICONINFORMATION; break;
    case Icon::Question: flags |= MB_ICONQUESTION; break;
    case Icon::Exclamation: flags |= MB_ICONEXCLAMATION; break;
    case Icon::Error: flags |= MB_ICONERROR; break;
    }
    switch (request.modality) {
    case Modality::Application: flags |= MB_APPLMODAL; break;
    case Modality::Task: flags |= MB_TASKMODAL; break;
    case Modality::System: flags |= MB_SYSTEMMODAL; break;
    }
    const HWND owner = activeOwner();
    // A box that could not be shown (Windows answers 0, Wine -1, e.g. for an owner that is no
    // longer a window) answers Cancel: the user chose nothing, and on Cancel every caller keeps
    // everything as it was.
    switch (::MessageBoxW(owner, wide(request.text).c_str(), wide(request.title).c_str(), flags)) {
    case IDOK: return Answer::Ok;
    case IDYES: return Answer::Yes;
    case IDNO: return Answer::No;
    default: return Answer::Cancel;
    }
}

namespace {

// "Description\0pattern\0...\0\0", as OPENFILENAME wants its filter.
std::string filterString(const std::vector<FileFilter>& filters) {
    std::string result;
    for (const auto& filter : filters) {
        result += filter.description;
        result.push_back('\0');
        result += filter.pattern;
        result.push_back('\0');
    }
    result.push_back('\0');
    return result;
}

// The name comes back as the user chose it, in UTF-8.
std::optional<std::string> runFileDialog(HWND owner, const FileDialogRequest& request, bool save) {
    const std::wstring filter = wide(filterString(request.filters)), title = wide(request.title),
                       folder = wide(request.initialFolder), extension = wide(request.defaultExtension);
    wchar_t file[MAX_PATH * 4] = {};
    const std::wstring initialName = wide(request.initialName);
    wcsncpy(file, initialName.c_str(), std::size(file) - 1);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = static_cast<DWORD>(std::size(file));
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrTitle = title.c_str();
    ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST;
    if (request.fileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST;
    if (request.hideReadOnly) ofn.Flags |= OFN_HIDEREADONLY;
    if (request.keepCurrentFolder) ofn.Flags |= OFN_NOCHANGEDIR;
    if (request.promptOverwrite) ofn.Flags |= OFN_OVERWRITEPROMPT;
    const BOOL chosen = save ? ::GetSaveFileNameW(&ofn) : ::GetOpenFileNameW(&ofn);
    if (!chosen) return std::nullopt;
    return narrow(file);
}

}  // namespace

std::optional<std::string> DesktopWin::openFileDialog(const FileDialogRequest& request) {
    return runFileDialog(activeOwner(), request, false);
}

std::optional<std::string> DesktopWin::saveFileDialog(const FileDialogRequest& request) {
    return runFileDialog(activeOwner(), request, true);
}

// A box or a dialog belongs to the window the user is working in: the find dialog over the main
// window, the options dialog, the help window. The system disables that window while the box is
// open and activates it again when the box closes, so the keyboard goes back to where it was. An
// unowned box would leave nothing active after it, and a box owned by the main window while a
// dialog is up would hand the activation to a disabled window: either way the keys typed next
// would go nowhere until a click.
HWND DesktopWin::activeOwner() const {
    const HWND active = ::GetActiveWindow();
    return active ? active : owner_;
}

void DesktopWin::beep() { ::MessageBeep(MB_OK); }

// The clipboard needs an owner window: emptying it while opened without one leaves it ownerless,
// and SetClipboardData is then documented to fail. Without a main window a hidden message-only
// window of our own stands in.
HWND DesktopWin::clipboardOwner() {
    if (owner_) return owner_;
    if (!clipboardWindow_)
        clipboardWindow_.reset(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                                 ::GetModuleHandleW(nullptr), nullptr));
    return clipboardWindow_.get();
}

// Another program may hold the clipboard for a moment (clipboard viewers, history tools, the
// system's own clipboard service, which on a loaded machine was seen to hold it for over a second
// right after a copy): keep trying for about four seconds, soon at first, as a copy or paste the user
// asked for should not fail, or read nothing, on a collision.
bool DesktopWin::openClipboard() {
    const HWND owner = clipboardOwner();
    for (DWORD wait = 1; wait <= 2048; wait *= 2) {
        if (::OpenClipboard(owner)) return true;
        ::Sleep(wait);
    }
    return ::OpenClipboard(owner) != FALSE;
}

// As Unicode text: the system offers it to programs that ask for 8-bit text in their code page.
void DesktopWin::setClipboardText(std::u16string_view text) {
    text = text.substr(0, text.find(u'\0'));
    UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (text.size() + 1) * sizeof(char16_t)));
    if (!memory) return;
    {
        GlobalLockGuard lock(memory.get());
        if (!lock.get()) return;
        std::memcpy(lock.get(), text.data(), text.size() * sizeof(char16_t));
    }
    if (!openClipboard()) return;
    ::EmptyClipboard();
    // On success the clipboard owns the memory.
    if (::SetClipboardData(CF_UNICODETEXT, memory.get())) memory.release();
    ::CloseClipboard();
}

std::u16string DesktopWin::clipboardText() {
    if (!openClipboard()) return {};
    std::u16string result;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        GlobalLockGuard lock(data);
        if (const auto* chars = static_cast<const char16_t*>(lock.get())) {
            const std::u16string_view all(chars, ::GlobalSize(data) / sizeof(char16_t));
            result = all.substr(0, all.find(u'\0'));
        }
    }
    ::CloseClipboard();
    return result;
}

bool DesktopWin::startProcess(const std::string& commandLine) {
    std::wstring mutableLine = wide(commandLine);  // CreateProcessW may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process))
        return false;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

// No owner: a failure the shell reports itself is not tied to a window of ours.
bool DesktopWin::shellOpen(const std::string& target, ShowAs show) {
    const auto result = reinterpret_cast<INT_PTR>(::ShellExecuteW(
        nullptr, L"open", wide(target).c_str(), nullptr, nullptr, show == ShowAs::Maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL));
    return result > 32;
}

std::string DesktopWin::programFilesFolder() {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return narrow(path);
}

bool DesktopWin::fileExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DesktopWin::folderExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<FileStamp> DesktopWin::fileStamp(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(wide(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    const auto join = [](DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; };
    return FileStamp{join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime),
                     join(data.nFileSizeHigh, data.nFileSizeLow)};
}

bool DesktopWin::createFolder(const std::string& path) { return ::CreateDirectoryW(wide(path).c_str(), nullptr) != 0; }

ReadResult DesktopWin::readFile(const std::string& path) {
    // Pages are often held open by other programs while they are edited (a local web server, a
    // build tool writing them): reading shares everything, and only a program that shares nothing
    // keeps the file from us.
    UniqueFile file(::CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {fileErrorFromWin32(::GetLastError()), {}};
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) return {fileErrorFromWin32(::GetLastError()), {}};
    if (size.QuadPart > 0x7FFFFFFF) return {FileError::PathFileAccessError, {}};
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        if (!::ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr))
            return {fileErrorFromWin32(::GetLastError()), {}};
        if (read == 0) break;
        done += read;
    }
    bytes.resize(done);
    return {FileError::None, std::move(bytes)};
}

bool DesktopWin::injectedFailure(SafeWriteStep step) const {
    if (failingStep_ != step) return false;
    ::SetLastError(failingError_);
    return true;
}

namespace {

// Why the target could not be replaced. The replace reports a file that another program holds
// open as plain access denied, or as a target it could not remove; opening the file without
// sharing tells those apart from a real refusal.
FileError replaceFailure(const std::wstring& path, DWORD error) {
    if (error == ERROR_ACCESS_DENIED || error == ERROR_UNABLE_TO_REMOVE_REPLACED) {
        HANDLE probe = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (probe != INVALID_HANDLE_VALUE) ::CloseHandle(probe);
        else if (::GetLastError() == ERROR_SHARING_VIOLATION) return FileError::FileIsOpen;
    }
    return fileErrorFromWin32(error);
}

// Whether no other program holds the file open without letting it be removed or renamed.
bool removable(const std::wstring& path) {
    const UniqueFile file(::CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
    return static_cast<bool>(file);
}

// The attributes a rewritten file keeps: the ones a user or program set on it. The archive bit
// is set whatever it was, as the new content has not been backed up yet.
DWORD keptAttributes(DWORD old) {
    constexpr DWORD kSettable = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED |
                                FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_TEMPORARY;
    return (old & kSettable) | FILE_ATTRIBUTE_ARCHIVE;
}

}  // namespace

// Puts the finished temporary file in the target's place in one step. An existing target is
// replaced with ReplaceFile, which keeps what the file carries besides its bytes (attributes,
// security, creation time); a new one is a plain rename.
FileError DesktopWin::replaceTarget(const std::wstring& path, const std::wstring& temp, DWORD attributes) {
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    // Wine's ReplaceFile first renames the target to a file of its own beside it, and leaves that
    // file behind when the rename fails, as it does for a target another program holds open:
    // such a target is refused before.
    bool done = false;
    if (!injectedFailure(SafeWriteStep::Replace))
        done = exists ? removable(path) && ::ReplaceFileW(path.c_str(), temp.c_str(), nullptr,
                                                          REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                      : ::MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    const DWORD error = done ? ERROR_SUCCESS : ::GetLastError();
    // These leave the target's name free: the old file was moved away (with no backup asked for,
    // to no name we know) or is gone, and the new text is still in the temporary file. Moving it
    // in is the one way left to keep a file under that name; it never overwrites, since whatever
    // stands there by then is not ours to replace.
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 ||
        error == ERROR_FILE_NOT_FOUND)
        done = ::MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH);
    if (!done) return replaceFailure(path, error);
    // Wine's ReplaceFile is two renames: the target comes out with the temporary file's
    // attributes and creation time, so a hidden page would turn visible. Setting the attributes
    // again restores them there; on Windows, which kept them, it only marks the file for backup.
    // (Wine ignores a new creation time, so that one cannot be put back.)
    if (exists) ::SetFileAttributesW(path.c_str(), keptAttributes(attributes));
    return FileError::None;
}

FileError DesktopWin::writeFileSafely(const std::string& utf8Path, std::string_view bytes) {
    const std::wstring path = wide(utf8Path);
    // A read-only file is not to be replaced. The replace would refuse it too, but only after
    // the whole text was written out to a temporary file.
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return FileError::PermissionDenied;
    // The temporary file stands in the target's folder, so the final move is a rename on one volume.
    const auto slash = path.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
    wchar_t temp[MAX_PATH] = {};
    if (!::GetTempFileNameW(folder.c_str(), L"tes", 0, temp)) {
        // GetTempFileNameW reports a missing folder as an invalid directory name.
        const DWORD error = ::GetLastError();
        return error == ERROR_DIRECTORY ? FileError::PathNotFound : fileErrorFromWin32(error);
    }
    const std::wstring tempPath = temp;
    FileError error = FileError::None;
    {
        UniqueFile file(::CreateFileW(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file || injectedFailure(SafeWriteStep::CreateTemp)) {
            error = fileErrorFromWin32(::GetLastError());
        } else {
            std::size_t done = 0;
            while (done < bytes.size() && error == FileError::None) {
                DWORD written = 0;
                if (!::WriteFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written,
                                 nullptr) ||
                    written == 0 || injectedFailure(SafeWriteStep::Write)) {
                    error = fileErrorFromWin32(::GetLastError());
                    // A write that reports success but moves nothing would otherwise loop forever.
                    if (error == FileError::None) error = FileError::DeviceIoError;
                }
                done += written;
            }
            if (error == FileError::None && !::FlushFileBuffers(file.get()))
                error = fileErrorFromWin32(::GetLastError());
        }
    }
    if (error == FileError::None) error = replaceTarget(path, tempPath, attributes);
    // Every failure, the replace's included, leaves the temporary file where it was: it goes.
    if (error != FileError::None) ::DeleteFileW(tempPath.c_str());
    return error;
}

bool DesktopWin::deleteFile(const std::string& path) { return ::DeleteFileW(wide(path).c_str()) != 0; }

namespace {

// A code page other than 1252, through the system's converters.
class SystemCodePage final : public CodePage {
public:
    explicit SystemCodePage(UINT codePage) : codePage_(codePage) {}

    // Bytes the code page has no character for cannot come back exactly; they still decode to
    // something, and roundTrips, which the document's load asks first, finds them.
    std::u16string decode(std::string_view bytes) const override {
        if (bytes.empty()) return {};
        const int size = static_cast<int>(bytes.size());
        DWORD flags = MB_ERR_INVALID_CHARS;
        int length = ::MultiByteToWideChar(codePage_, flags, bytes.data(), size, nullptr, 0);
        if (length == 0) {
            flags = 0;
            length = ::MultiByteToWideChar(codePage_, flags, bytes.data(), size, nullptr, 0);
        }
        std::wstring text(static_cast<std::size_t>(length), L'\0');
        ::MultiByteToWideChar(codePage_, flags, bytes.data(), size, text.data(), length);
        return units(text);
    }

    // Without best fit a character the code page lacks becomes the default character, and the
    // call says so. A UTF-8 code page takes neither the flag nor the question; it only fails on
    // half a surrogate pair, which reading the bytes back shows.
    std::optional<std::string> encode(std::u16string_view text) const override {
        if (text.empty()) return std::string();
        const std::wstring units = wide(text);
        const int size = static_cast<int>(units.size());
        const bool utf8 = codePage_ == CP_UTF8;
        const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
        const int length = ::WideCharToMultiByte(codePage_, flags, units.data(), size, nullptr, 0, nullptr, nullptr);
        if (length <= 0) return std::nullopt;
        std::string bytes(static_cast<std::size_t>(length), '\0');
        BOOL usedDefault = FALSE;
        ::WideCharToMultiByte(codePage_, flags, units.data(), size, bytes.data(), length, nullptr,
                              utf8 ? nullptr : &usedDefault);
        if (usedDefault || decode(bytes) != text) return std::nullopt;
        return bytes;
    }

private:
    UINT codePage_;
};

}  // namespace

const CodePage& systemCodePage() {
    static const UINT acp = ::GetACP();
    if (acp == 1252) return windows1252();
    static const SystemCodePage system(acp);
    return system;
}

}  // namespace tess::win32
