// Documents against the real EDIT control and real files in a temporary folder: byte-exact
// round trips, saves that fail at each step, files the editor must refuse.
#include "document/Documents.h"

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

class DocumentFiles : public testing::Test {
protected:
    void SetUp() override {
        editorHwnd_ = ::CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL,
                                        0, 0, 400, 300, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(editorHwnd_, nullptr);
        editor.attach(editorHwnd_);
        editor.setTextLimit(100000);
        app.paths.dataFolder = folder.path();
    }
    void TearDown() override { ::DestroyWindow(editorHwnd_); }

    std::vector<MessageBoxRequest> errorBox(const std::string& text) const {
        return {{.title = "File Error ", .text = text + "   ", .buttons = Buttons::Ok, .icon = Icon::Error}};
    }

    test::TempFolder folder;
    test::RealFilesDesktop desktop;
    App app;
    EditControlWin editor;
    test::FakeMainView view;
    Context ctx{app, editor, desktop, view};
    HWND editorHwnd_ = nullptr;
};

std::string everyByteButZero() {
    std::string bytes;
    for (int b = 1; b <= 255; ++b) bytes.push_back(static_cast<char>(b));
    return bytes;
}

TEST_F(DocumentFiles, TextComesBackByteForByteThroughOpenSaveAndSaveAs) {
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"a LF b", "a\nb"},
        {"every byte value 1 to 255", everyByteButZero()},
        {"mixed line ends", "one\rtwo\nthree\r\nfour\n\rfive\r\n\r\nsix\r"},
        {"one CR LF", "\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string source = folder / "source.txt";
        ASSERT_TRUE(test::writeBytes(source, c.bytes));
        desktop.openResults.push_back(source);
        openDocument(ctx);
        ASSERT_EQ(app.currentFile, source);
        EXPECT_EQ(editor.text(), c.bytes);
        EXPECT_FALSE(editor.modified());

        editor.setModified(true);
        desktop.answers = {Answer::Yes};  // "Save file now?"
        saveDocumentCommand(ctx);
        EXPECT_EQ(readBytes(source), c.bytes);
        EXPECT_FALSE(editor.modified());

        desktop.saveResults.push_back(folder / "copy.html");
        ASSERT_TRUE(saveDocumentAs(ctx));
        EXPECT_EQ(readBytes(folder / "copy.html"), c.bytes);
        EXPECT_EQ(folder.files(), (std::vector<std::string>{"copy.html", "source.txt"}));
        ::DeleteFileA((folder / "copy.html").c_str());
        EXPECT_TRUE(desktop.boxes.size() <= 1u);  // only the save question
        desktop.boxes.clear();
    }
}

TEST_F(DocumentFiles, ASaveThatFailsAtAnyStepLeavesTheOldFileAndTheDocumentModified) {
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
    const std::string original = "<p>original</p>\r\n";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(test::writeBytes(page, original));
        ASSERT_TRUE(loadDocument(ctx, page));
        editor.setSelection(0, -1);
        editor.replaceSelection("<p>changed</p>", true);
        ASSERT_TRUE(editor.modified());
        desktop.boxes.clear();
        desktop.real.failSafeWriteStep(c.step, c.error);

        desktop.answers = {Answer::Yes};
        saveDocumentCommand(ctx);

        EXPECT_EQ(desktop.boxes.back(), errorBox(c.text).front());
        EXPECT_EQ(readBytes(page), original);
        EXPECT_EQ(folder.files(), std::vector<std::string>{"page.html"});  // no temporary file left
        EXPECT_TRUE(editor.modified());
        EXPECT_EQ(app.settings.recentCount, 0);

        desktop.real.failSafeWriteStep(std::nullopt);
        desktop.answers = {Answer::Yes};
        saveDocumentCommand(ctx);
        EXPECT_EQ(readBytes(page), "<p>changed</p>");
        EXPECT_EQ(folder.files(), std::vector<std::string>{"page.html"});
        EXPECT_FALSE(editor.modified());
        app.settings.recentCount = 0;
    }
}

TEST_F(DocumentFiles, AFileHoldingAZeroByteIsRefused) {
    const std::string page = folder / "page.html";
    ASSERT_TRUE(test::writeBytes(page, "kept"));
    ASSERT_TRUE(loadDocument(ctx, page));
    const std::string binary = folder / "image.gif";
    ASSERT_TRUE(test::writeBytes(binary, std::string("GIF89a\0\x01rest", 11)));
    desktop.openResults.push_back(binary);
    openDocument(ctx);
    EXPECT_EQ(desktop.boxes, errorBox("File contains a zero byte and cannot be edited"));
    EXPECT_EQ(editor.text(), "kept");
    EXPECT_EQ(app.currentFile, page);
}

TEST_F(DocumentFiles, ALoadedTextLongerThanTheLimitCanStillBeTypedInto) {
    const std::string big = folder / "big.html";
    ASSERT_TRUE(test::writeBytes(big, std::string(150000, 'x')));
    ASSERT_TRUE(loadDocument(ctx, big));
    ASSERT_EQ(editor.textLength(), 150000);
    editor.setSelection(150000, 150000);
    ::SendMessageA(editorHwnd_, WM_CHAR, 'y', 1);
    EXPECT_EQ(editor.textLength(), 150001);
    EXPECT_EQ(editor.text().back(), 'y');
}

}  // namespace
}  // namespace tess::win32
