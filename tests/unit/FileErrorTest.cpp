#include "platform/FileError.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

TEST(FileErrorText, EveryErrorNumberHasItsText) {
    const struct {
        FileError error;
        int number;
        const char* text;
    } cases[] = {
        {FileError::BadFileNameOrNumber, 52, "Bad file name or number"},
        {FileError::FileNotFound, 53, "File not found"},
        {FileError::BadFileMode, 54, "Bad file mode"},
        {FileError::FileIsOpen, 55, "File is open"},
        {FileError::DeviceIoError, 57, "Device I/O error"},
        {FileError::FileAlreadyExists, 58, "File already exists"},
        {FileError::DiskFull, 61, "Disk full"},
        {FileError::BadFileName, 64, "Bad file name"},
        {FileError::TooManyFiles, 67, "Too many files"},
        {FileError::DeviceUnavailable, 68, "Device unavailable"},
        {FileError::PermissionDenied, 70, "Permission denied"},
        {FileError::DiskNotReady, 71, "Disk not ready"},
        {FileError::DiskMediaError, 72, "Disk media error"},
        {FileError::PathFileAccessError, 75, "Path/file access error"},
        {FileError::PathNotFound, 76, "Path not found"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(static_cast<int>(c.error), c.number);
        EXPECT_EQ(fileErrorText(c.error), c.text) << c.number;
    }
}

}  // namespace
}  // namespace tess
