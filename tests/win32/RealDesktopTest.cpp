// The real desktop, and documents on it in a real EDIT control: the clipboard; message boxes and
// the open and save dialogs answered as a user would answer them (DialogAnswerer); real files in a
// temporary folder, with byte-exact round trips, each failure the system reports arriving as the
// error the user is shown, saves that fail at each step, and files the editor must refuse.
#include "document/Documents.h"

#include "DialogAnswerer.h"
#include "FakeMainView.h"
#include "WinTestSupport.h"
#include "platform/win32/EditControlWin.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tess::win32 {
namespace {

using test::readBytes;

class RealDesktop : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(owner && editorHwnd);
        editor.attach(editorHwnd.get());
        editor.setTextLimit(100000);
        app.paths.dataFolder = other.path();
        ::SetCurrentDirectoryA(other.path().c_str());
    }
    void TearDown() override { ::SetCurrentDirectoryA("C:\\"); }

    // Bytes 1 to 255: NUL is the one byte the control cannot hold.
    static std::string everyByte() {
        std::string bytes;
        for (int b = 1; b <= 255; ++b) bytes.push_back(static_cast<char>(b));
        return bytes;
    }
    static MessageBoxRequest errorBox(const std::string& text) {
        return {.title = "File Error ", .text = text + "   ", .buttons = Buttons::Ok, .icon = Icon::Error};
    }

    test::TempFolder folder, other;
    UniqueHwnd owner{::CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr)};
    UniqueHwnd editorHwnd{::CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                                            0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr)};
    App app;
    EditControlWin editor;
    test::FakeMainView view;
    test::RealFilesDesktop desktop;  // real files, scripted boxes and dialogs
    Context ctx{app, editor, desktop, view};
    DesktopWin realDesktop{owner.get()};
    Context real{app, editor, realDesktop, view};
};

TEST_F(RealDesktop, ClipboardTextComesBackAsItWasPutUnderTheOwnersName) {
    const struct {
        const char* name;
        std::string put;
        std::string got;
    } cases[] = {
        {"line ends of every kind", "a\r\nb\nc\rd\r\n", "a\r\nb\nc\rd\r\n"},
        {"every byte value", everyByte(), everyByte()},
        {"a whole document", std::string(100000, 'w'), std::string(100000, 'w')},
        {"text stops at the first NUL", std::string("ab\0cd", 5), "ab"},
        {"empty", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        realDesktop.setClipboardText(c.put);
        const std::string got = realDesktop.clipboardText();
        EXPECT_EQ(got.size(), c.got.size());
        EXPECT_TRUE(got == c.got);
    }
    ASSERT_TRUE(::OpenClipboard(nullptr));
    EXPECT_EQ(::GetClipboardOwner(), owner.get());
    ::CloseClipboard();
}

TEST_F(RealDesktop, MessageBoxReturnsTheButtonTheUserPressed) {
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::DialogAnswerer answerer({test::DialogAnswer::press(c.pressed)});
        EXPECT_EQ(realDesktop.messageBox({.title = "Tessaline", .text = "Save file now?", .buttons = c.buttons,
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
TEST_F(RealDesktop, EachFileFailureArrivesAsTheErrorTheUserIsShown) {
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
        const ReadResult read = realDesktop.readFile(c.path);
        EXPECT_EQ(read.error, c.read);
        EXPECT_EQ(read.bytes.empty(), c.read != FileError::None);
        if (c.write) {
            EXPECT_EQ(realDesktop.writeFileSafely(c.path, "new text"), *c.write);
        }
        EXPECT_EQ(folder.files(), (std::vector<std::string>{"locked.html", "readonly.html"}));
    }
    holder.reset();
    EXPECT_EQ(realDesktop.readFile(readOnly).bytes, "read-only text");
    EXPECT_EQ(realDesktop.readFile(locked).bytes, "locked text");
}

TEST_F(RealDesktop, TextComesBackByteForByteThroughOpenSaveAndSaveAs) {
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"a LF b", "a\nb"},
        {"every byte value 1 to 255", everyByte()},
        {"mixed line ends", "one\rtwo\nthree\r\nfour\n\rfive\r\n\r\nsix\r"},
        {"empty, written as an empty file", ""},
    };
    const std::string source = folder / "source.txt", copy = folder / "copy.html";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(test::writeBytes(source, c.bytes));
        desktop.openResults.push_back(source);
        openDocument(ctx);
        ASSERT_EQ(app.currentFile, source);
        EXPECT_EQ(editor.text(), c.bytes);
        EXPECT_FALSE(editor.modified());

        editor.setModified(true);
        saveDocumentCommand(ctx);  // "Save file now?" answered Yes
        EXPECT_EQ(readBytes(source), c.bytes);
        EXPECT_FALSE(editor.modified());

        desktop.saveResults.push_back(copy);
        ASSERT_TRUE(saveDocumentAs(ctx));
        EXPECT_EQ(readBytes(copy), c.bytes);
        EXPECT_EQ(folder.files(), (std::vector<std::string>{"copy.html", "source.txt"}));
        ::DeleteFileA(copy.c_str());
        EXPECT_EQ(desktop.boxes.size(), 1u);  // only the save question
        desktop.boxes.clear();
    }
}

TEST_F(RealDesktop, ASaveThatFailsAtAnyStepLeavesTheOldFileAndTheDocumentModified) {
    const struct {
        const char* name;
        SafeWriteStep step;
        DWORD error;
        const char* text;
    } cases[] = {
        {"temporary file cannot be created", SafeWriteStep::CreateTemp, ERROR_ACCESS_DENIED, "Permission denied"},
        {"writing fails", SafeWriteStep::Write, ERROR_DISK_FULL, "Disk full"},
        {"replacing the old file fails", SafeWriteStep::Replace, ERROR_SHARING_VIOLATION, "File is open"},
    };
    const std::string page = folder / "page.html";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(test::writeBytes(page, "<p>original</p>\r\n"));
        ASSERT_TRUE(loadDocument(ctx, page));
        editor.setSelection(0, -1);
        editor.replaceSelection("<p>changed</p>", true);
        desktop.boxes.clear();
        desktop.real.failSafeWriteStep(c.step, c.error);
        saveDocumentCommand(ctx);
        EXPECT_EQ(desktop.boxes.back(), errorBox(c.text));
        EXPECT_EQ(readBytes(page), "<p>original</p>\r\n");
        EXPECT_EQ(folder.files(), std::vector<std::string>{"page.html"});  // no temporary file left
        EXPECT_TRUE(editor.modified());
        EXPECT_EQ(app.settings.recentCount, 0);

        desktop.real.failSafeWriteStep(std::nullopt);
        saveDocumentCommand(ctx);
        EXPECT_EQ(readBytes(page), "<p>changed</p>");
        EXPECT_FALSE(editor.modified());
        app.settings.recentCount = 0;
    }
}

TEST_F(RealDesktop, AFileHoldingAZeroByteIsRefused) {
    const std::string page = folder / "page.html", binary = folder / "image.gif";
    ASSERT_TRUE(test::writeBytes(page, "kept"));
    ASSERT_TRUE(loadDocument(ctx, page));
    ASSERT_TRUE(test::writeBytes(binary, std::string("GIF89a\0\x01rest", 11)));
    desktop.openResults.push_back(binary);
    openDocument(ctx);
    EXPECT_EQ(desktop.boxes, std::vector{errorBox("File contains a zero byte and cannot be edited")});
    EXPECT_EQ(editor.text(), "kept");
    EXPECT_EQ(app.currentFile, page);
}

// The control's limit applies to typing, not to the text a load sets.
TEST_F(RealDesktop, ALoadedTextLongerThanTheLimitCanStillBeTypedInto) {
    const std::string big = folder / "big.html";
    ASSERT_TRUE(test::writeBytes(big, std::string(150000, 'x')));
    ASSERT_TRUE(loadDocument(ctx, big));
    editor.setSelection(150000, 150000);
    ::SendMessageA(editorHwnd.get(), WM_CHAR, 'y', 1);
    EXPECT_EQ(editor.textLength(), 150001);
    EXPECT_EQ(editor.text().back(), 'y');
}

const std::vector<std::string> kFilters{"Html Files (*.html, *.css)", "JavaScript(*.js)", "PHP Files (*.php)",
                                        "Text Files (*.txt)", "All Files (*.*)"};

std::string currentDirectory() {
    char dir[MAX_PATH] = {};
    ::GetCurrentDirectoryA(static_cast<DWORD>(std::size(dir)), dir);
    return dir;
}

// The real dialogs start in the document's folder, list the five filters, hide the read-only box
// and leave the current folder alone; Save proposes the name without its extension and adds the
// default one; a cancelled Open keeps the document.
TEST_F(RealDesktop, RealOpenAndSaveDialogs) {
    app.currentFile = folder / "index.html";
    ASSERT_TRUE(test::writeBytes(folder / "other.css", "p {}"));
    const std::string before = currentDirectory();
    test::DialogAnswerer answerer({test::DialogAnswer::typeFileName("other.css"), test::DialogAnswer::press(IDCANCEL),
                                   test::DialogAnswer::typeFileName("newpage")});
    openDocument(real);
    EXPECT_EQ(app.currentFile, folder / "other.css");  // the name typed was found in the start folder
    EXPECT_EQ(editor.text(), "p {}");
    openDocument(real);
    EXPECT_EQ(app.currentFile, folder / "other.css");
    ASSERT_TRUE(saveDocumentAs(real));
    EXPECT_EQ(app.currentFile, folder / "newpage.html");
    EXPECT_EQ(readBytes(folder / "newpage.html"), "p {}");
    EXPECT_EQ(currentDirectory(), before);

    ASSERT_EQ(answerer.seen().size(), 3u);
    const char* titles[] = {"Open File", "Open File", "Save File"};
    const char* proposed[] = {"", "", "other"};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(answerer.seen()[i].title, titles[i]) << i;
        EXPECT_EQ(answerer.seen()[i].fileName, proposed[i]) << i;
        EXPECT_EQ(answerer.seen()[i].filters, kFilters) << i;
        EXPECT_FALSE(answerer.seen()[i].readOnlyBoxVisible) << i;
    }
}

}  // namespace
}  // namespace tess::win32
