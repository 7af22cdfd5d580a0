// Documents against the real EDIT control and real files in a temporary folder: byte-exact
// round trips, saves that fail at each step, files the editor must refuse.
#include "document/Documents.h"

#include "FakeDesktop.h"
#include "FakeMainView.h"
#include "platform/win32/DesktopWin.h"
#include "platform/win32/EditControlWin.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tess::win32 {
namespace {

// Real file system; message boxes and dialogs scripted and recorded as in the fake.
class RealFilesDesktop : public test::FakeDesktop {
public:
    bool fileExists(const std::string& path) override { return real.fileExists(path); }
    bool folderExists(const std::string& path) override { return real.folderExists(path); }
    bool createFolder(const std::string& path) override { return real.createFolder(path); }
    ReadResult readFile(const std::string& path) override { return real.readFile(path); }
    FileError writeFileSafely(const std::string& path, std::string_view bytes) override {
        return real.writeFileSafely(path, bytes);
    }
    bool deleteFile(const std::string& path) override { return real.deleteFile(path); }

    DesktopWin real;
};

void writeBytes(const std::string& path, std::string_view bytes) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    EXPECT_TRUE(::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    EXPECT_EQ(written, bytes.size());
    ::CloseHandle(file);
}

std::optional<std::string> readBytes(const std::string& path) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(::GetFileSize(file, nullptr)), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    ::CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

// A fresh folder under the system's temporary folder, removed with its files afterwards.
class TempFolder {
public:
    TempFolder() {
        char base[MAX_PATH] = {};
        ::GetTempPathA(static_cast<DWORD>(std::size(base)), base);
        path_ = std::string(base) + "tessdoc" + std::to_string(::GetCurrentProcessId()) + "_" +
                std::to_string(counter_++) + "\\";
        ::CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TempFolder() {
        for (const auto& name : files()) ::DeleteFileA((path_ + name).c_str());
        ::RemoveDirectoryA(path_.c_str());
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const char* name) const { return path_ + name; }

    std::vector<std::string> files() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found{};
        HANDLE search = ::FindFirstFileA((path_ + "*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    static inline int counter_ = 0;
    std::string path_;
};

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

    TempFolder folder;
    RealFilesDesktop desktop;
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
        writeBytes(source, c.bytes);
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

TEST_F(DocumentFiles, SavingAnEmptyDocumentLeavesAnEmptyFile) {
    const std::string page = folder / "page.html";
    writeBytes(page, "<p>old</p>");
    ASSERT_TRUE(loadDocument(ctx, page));
    editor.setText("");
    ASSERT_TRUE(saveDocument(ctx, ""));
    EXPECT_EQ(readBytes(page), std::string());
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
        writeBytes(page, original);
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

TEST_F(DocumentFiles, SavingOverAFileThatCannotBeReplacedKeepsItAndTheChanges) {
    const std::string page = folder / "page.html";
    const struct {
        const char* name;
        std::function<HANDLE()> hold;  // returns the handle to close afterwards, if any
        std::function<void()> release;
        const char* text;
    } cases[] = {
        {"held open by another program",
         [&] { return ::CreateFileA(page.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr); },
         [] {}, "File is open"},
        {"read-only",
         [&] {
             ::SetFileAttributesA(page.c_str(), FILE_ATTRIBUTE_READONLY);
             return INVALID_HANDLE_VALUE;
         },
         [&] { ::SetFileAttributesA(page.c_str(), FILE_ATTRIBUTE_NORMAL); }, "Permission denied"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(page, "original");
        ASSERT_TRUE(loadDocument(ctx, page));
        editor.setSelection(0, -1);
        editor.replaceSelection("changed", true);
        desktop.boxes.clear();
        const HANDLE held = c.hold();
        desktop.answers = {Answer::Yes};
        saveDocumentCommand(ctx);
        if (held != INVALID_HANDLE_VALUE) ::CloseHandle(held);
        c.release();
        EXPECT_EQ(desktop.boxes.back(), errorBox(c.text).front());
        EXPECT_EQ(readBytes(page), "original");
        EXPECT_EQ(folder.files(), std::vector<std::string>{"page.html"});
        EXPECT_TRUE(editor.modified());
    }
}

TEST_F(DocumentFiles, SaveAsIntoAMissingFolderFailsWithoutTakingTheName) {
    const std::string page = folder / "page.html";
    writeBytes(page, "old");
    ASSERT_TRUE(loadDocument(ctx, page));
    editor.setModified(true);
    desktop.saveResults.push_back(folder / "missing\\page.html");
    EXPECT_FALSE(saveDocumentAs(ctx));
    EXPECT_EQ(desktop.boxes, errorBox("Path not found"));
    EXPECT_EQ(app.currentFile, page);
    EXPECT_TRUE(editor.modified());
}

TEST_F(DocumentFiles, FailedOpensShowThePlatformErrorAndKeepTheDocument) {
    const std::string locked = folder / "locked.html";
    writeBytes(locked, "held by another program");
    HANDLE holder = ::CreateFileA(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const struct {
        const char* name;
        std::string path;
        const char* text;
    } cases[] = {
        {"missing file", folder / "none.html", "File not found"},
        {"missing folder", folder / "none\\page.html", "Path not found"},
        {"a folder where a file should be", folder.path(), "Permission denied"},
        {"file held open without sharing", locked, "File is open"},
    };
    const std::string page = folder / "page.html";
    writeBytes(page, "kept");
    ASSERT_TRUE(loadDocument(ctx, page));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        desktop.boxes.clear();
        EXPECT_FALSE(loadDocument(ctx, c.path));
        EXPECT_EQ(desktop.boxes, errorBox(c.text));
        EXPECT_EQ(editor.text(), "kept");
        EXPECT_EQ(app.currentFile, page);
    }
    ::CloseHandle(holder);
}

TEST_F(DocumentFiles, AFileHoldingAZeroByteIsRefused) {
    const std::string page = folder / "page.html";
    writeBytes(page, "kept");
    ASSERT_TRUE(loadDocument(ctx, page));
    const std::string binary = folder / "image.gif";
    writeBytes(binary, std::string("GIF89a\0\x01rest", 11));
    desktop.openResults.push_back(binary);
    openDocument(ctx);
    EXPECT_EQ(desktop.boxes, errorBox("File contains a zero byte and cannot be edited"));
    EXPECT_EQ(editor.text(), "kept");
    EXPECT_EQ(app.currentFile, page);
}

TEST_F(DocumentFiles, ALoadedTextLongerThanTheLimitCanStillBeTypedInto) {
    const std::string big = folder / "big.html";
    writeBytes(big, std::string(150000, 'x'));
    ASSERT_TRUE(loadDocument(ctx, big));
    ASSERT_EQ(editor.textLength(), 150000);
    editor.setSelection(150000, 150000);
    ::SendMessageA(editorHwnd_, WM_CHAR, 'y', 1);
    EXPECT_EQ(editor.textLength(), 150001);
    EXPECT_EQ(editor.text().back(), 'y');
}

}  // namespace
}  // namespace tess::win32
