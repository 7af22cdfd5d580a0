// The real open and save dialogs, answered as a user would answer them (DialogAnswerer): their
// title, filters, start folder, default extension and read-only box.
#include "document/Documents.h"

#include "DialogAnswerer.h"
#include "FakeMainView.h"
#include "WinTestSupport.h"
#include "platform/win32/DesktopWin.h"
#include "platform/win32/EditControlWin.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace tess::win32 {
namespace {

std::string currentDirectory() {
    char dir[MAX_PATH] = {};
    ::GetCurrentDirectoryA(static_cast<DWORD>(std::size(dir)), dir);
    return dir;
}

class DocumentDialogs : public testing::Test {
protected:
    void SetUp() override {
        owner_ = ::CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr);
        editorHwnd_ = ::CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_MULTILINE, 0, 0, 100, 100, nullptr, nullptr,
                                        ::GetModuleHandleA(nullptr), nullptr);
        editor.attach(editorHwnd_);
        desktop.setOwner(owner_);
        app.paths.dataFolder = other.path();
        app.currentFile = docs / "index.html";
        ASSERT_TRUE(test::writeBytes(app.currentFile, "<p>index</p>"));
        ASSERT_TRUE(test::writeBytes(docs / "other.css", "p {}"));
        ::SetCurrentDirectoryA(other.path().c_str());
    }
    void TearDown() override {
        ::SetCurrentDirectoryA("C:\\");
        ::DestroyWindow(editorHwnd_);
        ::DestroyWindow(owner_);
    }

    const std::vector<std::string> kFilters{"Html Files (*.html, *.css)", "JavaScript(*.js)", "PHP Files (*.php)",
                                            "Text Files (*.txt)", "All Files (*.*)"};
    test::TempFolder docs, other;
    DesktopWin desktop;
    App app;
    EditControlWin editor;
    test::FakeMainView view;
    Context ctx{app, editor, desktop, view};
    HWND owner_ = nullptr;
    HWND editorHwnd_ = nullptr;
};

TEST_F(DocumentDialogs, OpenDialogStartsInTheDocumentsFolderAndLeavesTheCurrentFolder) {
    const std::string before = currentDirectory();
    test::DialogAnswerer answerer({test::DialogAnswer::typeFileName("other.css")});
    openDocument(ctx);
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].title, "Open File");
    EXPECT_EQ(answerer.seen()[0].fileName, "");
    EXPECT_EQ(answerer.seen()[0].filters, kFilters);
    EXPECT_FALSE(answerer.seen()[0].readOnlyBoxVisible);
    EXPECT_EQ(app.currentFile, docs / "other.css");  // the name typed was found in the start folder
    EXPECT_EQ(editor.text(), "p {}");
    EXPECT_EQ(currentDirectory(), before);

    test::DialogAnswerer cancel({test::DialogAnswer::press(IDCANCEL)});
    openDocument(ctx);
    ASSERT_EQ(cancel.seen().size(), 1u);
    EXPECT_EQ(app.currentFile, docs / "other.css");  // cancelled: the document stays
    EXPECT_EQ(editor.text(), "p {}");
}

TEST_F(DocumentDialogs, SaveDialogProposesTheFolderAndAddsTheDefaultExtension) {
    editor.setText("<p>new</p>");
    test::DialogAnswerer answerer({test::DialogAnswer::typeFileName("newpage")});
    ASSERT_TRUE(saveDocumentAs(ctx));
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].title, "Save File");
    EXPECT_EQ(answerer.seen()[0].fileName, "index");  // index.html without its extension
    EXPECT_EQ(answerer.seen()[0].filters, kFilters);
    EXPECT_FALSE(answerer.seen()[0].readOnlyBoxVisible);
    EXPECT_EQ(app.currentFile, docs / "newpage.html");
    EXPECT_EQ(test::readBytes(docs / "newpage.html"), "<p>new</p>");
}

}  // namespace
}  // namespace tess::win32
