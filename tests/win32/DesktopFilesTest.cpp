// The real desktop's file operations on real files in a temporary folder: bytes come back
// exactly, a safe write replaces the old file in one step or leaves it alone, and each failure
// the system reports arrives as the error the user is shown.
#include "WinTestSupport.h"
#include "platform/win32/DesktopWin.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace tess::win32 {
namespace {

class DesktopFiles : public testing::Test {
protected:
    std::string path(const char* name) const { return folder / name; }
    std::vector<std::string> files() const { return folder.files(); }
    void writeRaw(const std::string& file, std::string_view bytes) { ASSERT_TRUE(test::writeBytes(file, bytes)); }

    // A file with bytes in it, held open as another program would hold it: no sharing at all.
    UniqueFile holdWithoutSharing(const std::string& file, std::string_view bytes) {
        writeRaw(file, bytes);
        return UniqueFile(::CreateFileA(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    }

    test::TempFolder folder;
    DesktopWin desktop;
};

std::string everyByteAndEveryLineEnd() {
    std::string bytes;
    for (int b = 1; b <= 255; ++b) bytes.push_back(static_cast<char>(b));
    bytes += "CR\rLF\nCRLF\r\nLFCR\n\rCRCRLF\r\r\n";
    bytes.push_back('\0');  // the desktop moves bytes; refusing a NUL is the documents' business
    bytes += "after NUL\r\n";
    return bytes;
}

TEST_F(DesktopFiles, BytesComeBackExactly) {
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"every byte value and line end", everyByteAndEveryLineEnd()},
        {"larger than one write", std::string(300000, 'x') + "\r\nend"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = path("page.html");
        ASSERT_EQ(desktop.writeFileSafely(file, c.bytes), FileError::None);
        const ReadResult read = desktop.readFile(file);
        EXPECT_EQ(read.error, FileError::None);
        EXPECT_EQ(read.bytes.size(), c.bytes.size());
        EXPECT_TRUE(read.bytes == c.bytes);
        EXPECT_EQ(files(), std::vector<std::string>{"page.html"});
    }
}

TEST_F(DesktopFiles, ASafeWriteReplacesAnExistingFileAndLeavesNoTemporaryFile) {
    const std::string file = path("style.css");
    writeRaw(file, std::string(5000, 'o'));
    ASSERT_EQ(desktop.writeFileSafely(file, "short"), FileError::None);
    EXPECT_EQ(desktop.readFile(file).bytes, "short");
    EXPECT_EQ(files(), std::vector<std::string>{"style.css"});
}

TEST_F(DesktopFiles, ReadFailuresAreReportedAsTheUserSeesThem) {
    const std::string locked = path("locked.html");
    const UniqueFile holder = holdWithoutSharing(locked, "held");
    ASSERT_TRUE(holder);
    const struct {
        const char* name;
        std::string path;
        FileError error;
        const char* text;
    } cases[] = {
        {"missing file", path("none.html"), FileError::FileNotFound, "File not found"},
        {"missing folder", path("none\\page.html"), FileError::PathNotFound, "Path not found"},
        {"a folder", folder.path().substr(0, folder.path().size() - 1), FileError::PermissionDenied, "Permission denied"},
        {"open elsewhere without sharing", locked, FileError::FileIsOpen, "File is open"},
        {"a name with a character files cannot have", path("a<b.html"), FileError::BadFileName, "Bad file name"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ReadResult read = desktop.readFile(c.path);
        EXPECT_EQ(read.error, c.error);
        EXPECT_EQ(fileErrorText(read.error), c.text);
        EXPECT_TRUE(read.bytes.empty());
    }
}

TEST_F(DesktopFiles, AFailedSafeWriteLeavesTheOldFileAndNoTemporaryFile) {
    const std::string readOnly = path("readonly.html");
    writeRaw(readOnly, "read-only text");
    ASSERT_TRUE(::SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string locked = path("locked.html");
    UniqueFile holder = holdWithoutSharing(locked, "locked text");
    ASSERT_TRUE(holder);
    const struct {
        const char* name;
        std::string path;
        FileError error;
    } cases[] = {
        {"missing folder", path("none\\page.html"), FileError::PathNotFound},
        {"read-only file", readOnly, FileError::PermissionDenied},
        {"open elsewhere without sharing", locked, FileError::FileIsOpen},
        {"a folder", folder.path().substr(0, folder.path().size() - 1), FileError::PermissionDenied},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(desktop.writeFileSafely(c.path, "new text"), c.error);
        EXPECT_EQ(files(), (std::vector<std::string>{"locked.html", "readonly.html"}));
    }
    holder.reset();
    EXPECT_EQ(desktop.readFile(readOnly).bytes, "read-only text");
    EXPECT_EQ(desktop.readFile(locked).bytes, "locked text");
}

TEST_F(DesktopFiles, ExistenceFolderCreationAndDeletion) {
    const std::string file = path("a.txt");
    const std::string sub = path("sub");
    writeRaw(file, "a");
    EXPECT_TRUE(desktop.fileExists(file));
    EXPECT_FALSE(desktop.folderExists(file));
    EXPECT_FALSE(desktop.fileExists(sub));
    EXPECT_TRUE(desktop.createFolder(sub));
    EXPECT_TRUE(desktop.folderExists(sub));
    EXPECT_FALSE(desktop.fileExists(sub));
    EXPECT_FALSE(desktop.createFolder(sub));  // already there
    EXPECT_TRUE(desktop.deleteFile(file));
    EXPECT_FALSE(desktop.fileExists(file));
    EXPECT_FALSE(desktop.deleteFile(file));
    ::RemoveDirectoryA(sub.c_str());
}

}  // namespace
}  // namespace tess::win32
