// The real desktop: the clipboard, message boxes answered as a user would answer them
// (DialogAnswerer), and file operations on real files in a temporary folder, each failure the
// system reports arriving as the error the user is shown.
#include "DialogAnswerer.h"
#include "WinTestSupport.h"
#include "platform/win32/DesktopWin.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tess::win32 {
namespace {

HWND newOwner() { return ::CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr); }

TEST(DesktopClipboard, TextComesBackAsItWasPutUnderTheOwnersName) {
    std::string everyByte;
    for (int b = 1; b <= 255; ++b) everyByte.push_back(static_cast<char>(b));
    const struct {
        const char* name;
        std::string put;
        std::string got;
    } cases[] = {
        {"line ends of every kind", "a\r\nb\nc\rd\r\n", "a\r\nb\nc\rd\r\n"},
        {"every byte value", everyByte, everyByte},
        {"a whole document", std::string(100000, 'w'), std::string(100000, 'w')},
        {"text stops at the first NUL", std::string("ab\0cd", 5), "ab"},
        {"empty", "", ""},
    };
    UniqueHwnd owner(newOwner());
    DesktopWin desktop(owner.get());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        desktop.setClipboardText(c.put);
        const std::string got = desktop.clipboardText();
        EXPECT_EQ(got.size(), c.got.size());
        EXPECT_TRUE(got == c.got);
    }
    ASSERT_TRUE(::OpenClipboard(nullptr));
    EXPECT_EQ(::GetClipboardOwner(), owner.get());
    ::CloseClipboard();
}

TEST(DesktopMessageBox, ReturnsTheButtonTheUserPressed) {
    UniqueHwnd owner(newOwner());
    const struct {
        const char* name;
        Buttons buttons;
        int pressed;
        Answer answer;
        std::vector<int> shown;
        bool owned = true;
    } cases[] = {
        {"Yes/No answered No", Buttons::YesNo, IDNO, Answer::No, {IDYES, IDNO}},
        {"Yes/No answered Yes", Buttons::YesNo, IDYES, Answer::Yes, {IDYES, IDNO}},
        {"Yes/No/Cancel answered Cancel", Buttons::YesNoCancel, IDCANCEL, Answer::Cancel, {IDYES, IDNO, IDCANCEL}},
        {"OK/Cancel answered OK", Buttons::OkCancel, IDOK, Answer::Ok, {IDOK, IDCANCEL}},
        {"OK alone, not owned by the main window", Buttons::Ok, IDOK, Answer::Ok, {IDOK}, false},
    };
    DesktopWin desktop(owner.get());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::DialogAnswerer answerer({test::DialogAnswer::press(c.pressed)});
        EXPECT_EQ(desktop.messageBox({.title = "Tessaline", .text = "Save file now?", .buttons = c.buttons,
                                      .icon = Icon::Question, .ownedByMainWindow = c.owned}),
                  c.answer);
        ASSERT_EQ(answerer.seen().size(), 1u);
        EXPECT_EQ(answerer.seen()[0].title, "Tessaline");
        EXPECT_EQ(answerer.seen()[0].text, "Save file now?");
        EXPECT_EQ(answerer.seen()[0].buttons, c.shown);
        EXPECT_EQ(answerer.seen()[0].owner, c.owned ? owner.get() : nullptr);
    }
}

// A file with bytes in it, held open as another program would hold it: no sharing at all.
UniqueFile holdWithoutSharing(const std::string& file, std::string_view bytes) {
    EXPECT_TRUE(test::writeBytes(file, bytes));
    return UniqueFile(::CreateFileA(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
}

// A failed safe write leaves the old file as it was and no temporary file behind.
TEST(DesktopFiles, EachFailureArrivesAsTheErrorTheUserIsShown) {
    test::TempFolder folder;
    DesktopWin desktop;
    const std::string readOnly = folder / "readonly.html", locked = folder / "locked.html";
    ASSERT_TRUE(test::writeBytes(readOnly, "read-only text"));
    ASSERT_TRUE(::SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    UniqueFile holder = holdWithoutSharing(locked, "locked text");
    ASSERT_TRUE(holder);
    const struct {
        const char* name;
        std::string path;
        FileError read;
        std::optional<FileError> write;  // none: writing there would succeed
    } cases[] = {
        {"missing file", folder / "none.html", FileError::FileNotFound, std::nullopt},
        {"missing folder", folder / "none\\page.html", FileError::PathNotFound, FileError::PathNotFound},
        {"a folder", folder.path().substr(0, folder.path().size() - 1), FileError::PermissionDenied,
         FileError::PermissionDenied},
        {"open elsewhere without sharing", locked, FileError::FileIsOpen, FileError::FileIsOpen},
        {"read-only file", readOnly, FileError::None, FileError::PermissionDenied},
        {"a name with a character files cannot have", folder / "a<b.html", FileError::BadFileName, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ReadResult read = desktop.readFile(c.path);
        EXPECT_EQ(read.error, c.read);
        EXPECT_EQ(read.bytes.empty(), c.read != FileError::None);
        if (c.write) {
            EXPECT_EQ(desktop.writeFileSafely(c.path, "new text"), *c.write);
        }
        EXPECT_EQ(folder.files(), (std::vector<std::string>{"locked.html", "readonly.html"}));
    }
    holder.reset();
    EXPECT_EQ(desktop.readFile(readOnly).bytes, "read-only text");
    EXPECT_EQ(desktop.readFile(locked).bytes, "locked text");
}

TEST(DesktopFiles, ExistenceFolderCreationAndDeletion) {
    test::TempFolder folder;
    DesktopWin desktop;
    const std::string file = folder / "a.txt", sub = folder / "sub";
    ASSERT_TRUE(test::writeBytes(file, "a"));
    EXPECT_TRUE(desktop.fileExists(file));
    EXPECT_FALSE(desktop.folderExists(file));
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
