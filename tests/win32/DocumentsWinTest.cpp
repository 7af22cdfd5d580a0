// Documents against a real EDIT control and real files in a temporary folder: byte-exact round
// trips, saves that fail at each step, files the editor must refuse, and the real open and save
// dialogs answered as a user would answer them (DialogAnswerer).
#include "document/Documents.h"

#include "DialogAnswerer.h"
#include "FakeMainView.h"
#include "WinTestSupport.h"
#include "platform/win32/EditControlWin.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace tess::win32 {
namespace {

using test::readBytes;

class Documents : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(owner && editorHwnd);
        editor.attach(editorHwnd.get());
        editor.setTextLimit(100000);
        app.paths.dataFolder = other.path();
        ::SetCurrentDirectoryA(other.path().c_str());
    }
    void TearDown() override { ::SetCurrentDirectoryA("C:\\"); }

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

TEST_F(Documents, TextComesBackByteForByteThroughOpenSaveAndSaveAs) {
    std::string everyByte;
    for (int b = 1; b <= 255; ++b) everyByte.push_back(static_cast<char>(b));
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"a LF b", "a\nb"},
        {"every byte value 1 to 255", everyByte},
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

TEST_F(Documents, ASaveThatFailsAtAnyStepLeavesTheOldFileAndTheDocumentModified) {
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

TEST_F(Documents, AFileHoldingAZeroByteIsRefused) {
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
TEST_F(Documents, ALoadedTextLongerThanTheLimitCanStillBeTypedInto) {
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

TEST_F(Documents, RealOpenDialogStartsInTheDocumentsFolderAndLeavesTheCurrentFolder) {
    app.currentFile = folder / "index.html";
    ASSERT_TRUE(test::writeBytes(folder / "other.css", "p {}"));
    const std::string before = currentDirectory();
    test::DialogAnswerer answerer({test::DialogAnswer::typeFileName("other.css"), test::DialogAnswer::press(IDCANCEL)});
    openDocument(real);
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].title, "Open File");
    EXPECT_EQ(answerer.seen()[0].fileName, "");
    EXPECT_EQ(answerer.seen()[0].filters, kFilters);
    EXPECT_FALSE(answerer.seen()[0].readOnlyBoxVisible);
    EXPECT_EQ(app.currentFile, folder / "other.css");  // the name typed was found in the start folder
    EXPECT_EQ(editor.text(), "p {}");
    EXPECT_EQ(currentDirectory(), before);

    openDocument(real);  // cancelled: the document stays
    EXPECT_EQ(answerer.seen().size(), 2u);
    EXPECT_EQ(app.currentFile, folder / "other.css");
    EXPECT_EQ(editor.text(), "p {}");
}

TEST_F(Documents, RealSaveDialogProposesTheNameAndAddsTheDefaultExtension) {
    app.currentFile = folder / "index.html";
    editor.setText("<p>new</p>");
    test::DialogAnswerer answerer({test::DialogAnswer::typeFileName("newpage")});
    ASSERT_TRUE(saveDocumentAs(real));
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].title, "Save File");
    EXPECT_EQ(answerer.seen()[0].fileName, "index");  // index.html without its extension
    EXPECT_EQ(answerer.seen()[0].filters, kFilters);
    EXPECT_FALSE(answerer.seen()[0].readOnlyBoxVisible);
    EXPECT_EQ(app.currentFile, folder / "newpage.html");
    EXPECT_EQ(readBytes(folder / "newpage.html"), "<p>new</p>");
}

}  // namespace
}  // namespace tess::win32
