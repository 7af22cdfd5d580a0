#include "platform/FileError.h"

namespace tess {

std::string_view fileErrorText(FileError error) {
    switch (error) {
    case FileError::None: return "";
    case FileError::BadFileNameOrNumber: return "Bad file name or number";
    case FileError::FileNotFound: return "File not found";
    case FileError::BadFileMode: return "Bad file mode";
    case FileError::FileIsOpen: return "File is open";
    case FileError::DeviceIoError: return "Device I/O error";
    case FileError::FileAlreadyExists: return "File already exists";
    case FileError::DiskFull: return "Disk full";
    case FileError::BadFileName: return "Bad file name";
    case FileError::TooManyFiles: return "Too many files";
    case FileError::DeviceUnavailable: return "Device unavailable";
    case FileError::PermissionDenied: return "Permission denied";
    case FileError::DiskNotReady: return "Disk not ready";
    case FileError::DiskMediaError: return "Disk media error";
    case FileError::PathFileAccessError: return "Path/file access error";
    case FileError::PathNotFound: return "Path not found";
    }
    return "Path/file access error";
}

// A description alone leaves the user guessing which file is meant: the one loaded at start-up, a
// recent entry or the preview page is none that the window shows.
std::string fileErrorMessage(std::string_view path, std::string_view what) {
    return std::string(path) + "\r\n" + std::string(what) + "   ";
}

}  // namespace tess
