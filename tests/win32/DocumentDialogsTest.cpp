// The real open and save dialogs, answered from a CBT hook as a user would answer them: their
// title, filters, start folder, default extension and read-only box.
#include "document/Documents.h"

#include "FakeMainView.h"
#include "platform/win32/DesktopWin.h"
#include "platform/win32/EditControlWin.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <dlgs.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace tess::win32 {
namespace {

// What the hook saw of a file dialog before it typed a name and pressed OK.
struct SeenDialog {
    std::string title;
    std::vector<std::string> filters;
    std::string proposedName;
    bool readOnlyBoxVisible = true;
};

// Answers every file dialog this thread opens: records it, types `name` and presses OK. The
// dialog is activated before it has filled its controls, so the answer is posted to it and given
// once its own initialisation is over.
class FileDialogAnswerer {
public:
    explicit FileDialogAnswerer(std::string name) : name_(std::move(name)) {
        current_ = this;
        hook_ = ::SetWindowsHookExA(WH_CBT, &FileDialogAnswerer::hookProc, nullptr, ::GetCurrentThreadId());
    }
    ~FileDialogAnswerer() {
        ::UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    FileDialogAnswerer(const FileDialogAnswerer&) = delete;
    FileDialogAnswerer& operator=(const FileDialogAnswerer&) = delete;

    std::vector<SeenDialog> seen;

private:
    static constexpr UINT kAnswerNow = WM_APP + 77;

    static LRESULT CALLBACK hookProc(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_ACTIVATE && current_) current_->catchDialog(reinterpret_cast<HWND>(wParam));
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static LRESULT CALLBACK dialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == kAnswerNow && current_) {
            current_->answer(dialog);
            return 0;
        }
        return ::CallWindowProcA(current_->dialogProcs_.at(dialog), dialog, msg, wParam, lParam);
    }

    void catchDialog(HWND dialog) {
        char cls[16] = {};
        ::GetClassNameA(dialog, cls, static_cast<int>(std::size(cls)));
        if (std::string(cls) != "#32770" || dialogProcs_.count(dialog)) return;
        dialogProcs_[dialog] = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FileDialogAnswerer::dialogProc)));
        ::PostMessageA(dialog, kAnswerNow, 0, 0);
    }

    void answer(HWND dialog) {
        SeenDialog d;
        char text[256] = {};
        ::GetWindowTextA(dialog, text, static_cast<int>(std::size(text)));
        d.title = text;
        if (HWND types = ::GetDlgItem(dialog, cmb1)) {
            const int count = static_cast<int>(::SendMessageA(types, CB_GETCOUNT, 0, 0));
            for (int i = 0; i < count; ++i) {
                char item[256] = {};
                ::SendMessageA(types, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
                d.filters.emplace_back(item);
            }
        }
        HWND readOnly = ::GetDlgItem(dialog, chx1);
        d.readOnlyBoxVisible = readOnly && ::IsWindowVisible(readOnly);
        seen.push_back(d);
        HWND nameField = ::GetDlgItem(dialog, cmb13);
        if (!nameField) nameField = ::GetDlgItem(dialog, edt1);
        ::GetWindowTextA(nameField, text, static_cast<int>(std::size(text)));
        seen.back().proposedName = text;
        ::SetWindowTextA(nameField, name_.c_str());
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }

    static inline FileDialogAnswerer* current_ = nullptr;
    std::string name_;
    HHOOK hook_ = nullptr;
    std::map<HWND, WNDPROC> dialogProcs_;
};

std::string makeFolder(const char* leaf) {
    char base[MAX_PATH] = {};
    ::GetTempPathA(static_cast<DWORD>(std::size(base)), base);
    std::string folder = std::string(base) + leaf + std::to_string(::GetCurrentProcessId()) + "\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void writeFile(const std::string& path, const char* text) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(file, text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
    ::CloseHandle(file);
}

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
        docs = makeFolder("tessdlg");
        other = makeFolder("tessdlgcwd");
        app.paths.dataFolder = other;
        app.currentFile = docs + "index.html";
        writeFile(app.currentFile, "<p>index</p>");
        writeFile(docs + "other.css", "p {}");
        ::SetCurrentDirectoryA(other.c_str());
    }
    void TearDown() override {
        ::SetCurrentDirectoryA("C:\\");
        for (const char* name : {"index.html", "other.css", "newpage.html"}) ::DeleteFileA((docs + name).c_str());
        ::RemoveDirectoryA(docs.c_str());
        ::RemoveDirectoryA(other.c_str());
        ::DestroyWindow(editorHwnd_);
        ::DestroyWindow(owner_);
    }

    const std::vector<std::string> kFilters{"Html Files (*.html, *.css)", "JavaScript(*.js)", "PHP Files (*.php)",
                                            "Text Files (*.txt)", "All Files (*.*)"};
    std::string docs, other;
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
    FileDialogAnswerer answerer("other.css");
    openDocument(ctx);
    ASSERT_EQ(answerer.seen.size(), 1u);
    EXPECT_EQ(answerer.seen[0].title, "Open File");
    EXPECT_EQ(answerer.seen[0].proposedName, "");
    EXPECT_EQ(answerer.seen[0].filters, kFilters);
    EXPECT_FALSE(answerer.seen[0].readOnlyBoxVisible);
    EXPECT_EQ(app.currentFile, docs + "other.css");  // the name typed was found in the start folder
    EXPECT_EQ(editor.text(), "p {}");
    EXPECT_EQ(currentDirectory(), before);
}

TEST_F(DocumentDialogs, SaveDialogProposesTheFolderAndAddsTheDefaultExtension) {
    editor.setText("<p>new</p>");
    FileDialogAnswerer answerer("newpage");
    ASSERT_TRUE(saveDocumentAs(ctx));
    ASSERT_EQ(answerer.seen.size(), 1u);
    EXPECT_EQ(answerer.seen[0].title, "Save File");
    EXPECT_EQ(answerer.seen[0].proposedName, "index");  // index.html without its extension
    EXPECT_EQ(answerer.seen[0].filters, kFilters);
    EXPECT_FALSE(answerer.seen[0].readOnlyBoxVisible);
    EXPECT_EQ(app.currentFile, docs + "newpage.html");
    EXPECT_EQ(desktop.readFile(docs + "newpage.html").bytes, "<p>new</p>");
}

}  // namespace
}  // namespace tess::win32
