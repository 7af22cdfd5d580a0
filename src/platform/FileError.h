#pragma once
#include <string>
#include <string_view>

namespace tess {

// The program's error numbers for file operations; the numbers are those of its error-text table.
enum class FileError : int {
    None = 0,
    BadFileNameOrNumber = 52,
    FileNotFound = 53,
    BadFileMode = 54,
    FileIsOpen = 55,
    DeviceIoError = 57,
    FileAlreadyExists = 58,
    DiskFull = 61,
    BadFileName = 64,
    TooManyFiles = 67,
    DeviceUnavailable = 68,
    PermissionDenied = 70,
    DiskNotReady = 71,
    DiskMediaError = 72,
    PathFileAccessError = 75,
    PathNotFound = 76,
};

// The short description shown to the user, e.g. "File not found".
std::string_view fileErrorText(FileError error);

// The text of the "File Error " box: the file's full path on a line of its own, then what went wrong.
std::string fileErrorMessage(std::string_view path, std::string_view what);

}  // namespace tess
