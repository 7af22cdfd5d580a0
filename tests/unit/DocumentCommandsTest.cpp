#include "app/Close.h"
#include "document/Documents.h"

#include "TestContext.h"

#include <gtest/gtest.h>

#include <map>

namespace tess {
namespace {

using test::TestContext;

const MessageBoxRequest kDiscardQuestion{.title = "Tessaline",
                                         .text = "File has changed...\r\nsave it before opening another file?",
                                         .buttons = Buttons::YesNo,
                                         .icon = Icon::Question,
                                         .modality = Modality::Task};

MessageBoxRequest fileErrorBox(const std::string& text) {
    return {.title = "File Error ", .text = text + "   ", .buttons = Buttons::Ok, .icon = Icon::Error};
}

// A modified document with two bookmarks, shown as path (untitled when empty).
void editDocument(TestContext& t, const std::string& path, const std::string& text = "edited") {
    t.app.currentFile = path;
    t.editor.setText(text);
    t.editor.setModified(true);
    t.app.bookmarks = {1, 3};
}

// ---- The question before the text is discarded: every command that replaces the text, every answer.

enum class Replacing { New, Open, Recent };

TEST(ConfirmDiscard, EveryAnswerBeforeNewOpenAndRecentEntry) {
    // A modified document is asked about. The current file exists on disk when it is in C:\Web; the
    // Save As dialog answers dialog if it is shown; savedTo is "" when nothing is written; goesOn:
    // the command replaced the text.
    const std::string old = "C:\\Web\\old.html", named = "C:\\Web\\named.html";
    const struct {
        const char* name;
        std::string currentFile;
        bool modified;
        Answer answer;
        std::optional<std::string> dialog;
        bool writeFails;
        std::string savedTo;
        bool goesOn;
    } cases[] = {
        {"unchanged document: no question", old, false, Answer::Yes, {}, false, "", true},
        {"No discards the changes", old, true, Answer::No, {}, false, "", true},
        {"Yes saves to the existing file", old, true, Answer::Yes, {}, false, old, true},
        {"Yes on an untitled document goes through Save As", "", true, Answer::Yes, named, false, named, true},
        {"Yes, then Save As cancelled: the text is kept", "", true, Answer::Yes, std::nullopt, false, "", false},
        {"Yes, then the save fails: the text is kept", old, true, Answer::Yes, {}, true, "", false},
        {"Yes when the named file has gone: Save As", "C:\\Gone\\old.html", true, Answer::Yes, named, false, named,
         true},
    };
    for (Replacing command : {Replacing::New, Replacing::Open, Replacing::Recent}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + ", command " + std::to_string(static_cast<int>(command)));
            TestContext t;
            editDocument(t, c.currentFile, "unsaved text");
            t.editor.setModified(c.modified);
            if (c.currentFile.rfind("C:\\Web\\", 0) == 0) t.desktop.files[c.currentFile] = "on disk";
            if (c.writeFails) t.desktop.writeErrors[c.currentFile] = FileError::DiskFull;
            t.desktop.answers = {c.answer};
            t.desktop.saveResults.push_back(c.dialog);
            t.desktop.files["C:\\Web\\next.html"] = "next text";
            t.desktop.openResults.push_back("C:\\Web\\next.html");
            t.app.settings.recentFiles[0] = "C:\\Web\\next.html";
            t.app.settings.recentCount = 1;

            if (command == Replacing::New) newDocument(t.ctx);
            if (command == Replacing::Open) openDocument(t.ctx);
            if (command == Replacing::Recent) openRecentFile(t.ctx, 1);

            std::vector<MessageBoxRequest> boxes;
            if (c.modified) boxes.push_back(kDiscardQuestion);
            if (c.writeFails) boxes.push_back(fileErrorBox("Disk full"));
            EXPECT_EQ(t.desktop.boxes, boxes);
            EXPECT_EQ(t.desktop.written.size(), c.savedTo.empty() ? 0u : 1u);
            if (!c.savedTo.empty()) {
                EXPECT_EQ(t.desktop.files[c.savedTo], "unsaved text");
            }
            // A file enters the recent list when it is saved, not when it is opened.
            EXPECT_EQ(t.app.settings.recentFiles[0], c.savedTo.empty() ? "C:\\Web\\next.html" : c.savedTo);
            if (c.goesOn) {
                const bool isNew = command == Replacing::New;
                EXPECT_EQ(t.editor.text(), isNew ? "" : "next text");
                EXPECT_EQ(t.app.currentFile, isNew ? "" : "C:\\Web\\next.html");
                EXPECT_EQ(t.view.statusPath, t.app.currentFile);
                EXPECT_FALSE(t.editor.modified());
                EXPECT_TRUE(t.app.bookmarks.empty());
                if (isNew) {  // New empties the editor as an edit that can be undone
                    t.editor.undo();
                    EXPECT_EQ(t.editor.text(), "unsaved text");
                }
            } else {
                EXPECT_EQ(t.editor.text(), "unsaved text");
                EXPECT_TRUE(t.editor.modified());
                EXPECT_EQ(t.app.bookmarks, (std::vector<int>{1, 3}));
                EXPECT_TRUE(t.desktop.openRequests.empty());
            }
        }
    }
}

// Closing asks its own question, then saves the same way; the window closes only when the text the
// user asked to keep was really saved.
TEST(CloseMainWindow, YesClosesOnlyOnceTheDocumentIsSaved) {
    const std::string old = "C:\\Web\\old.html", named = "C:\\Web\\named.html", ini = "C:\\Data\\Tessaline.ini";
    const struct {
        const char* name;
        std::string currentFile;
        std::optional<std::string> dialog;
        bool writeFails;
        std::string savedTo;
    } cases[] = {
        {"saved to the existing file", old, {}, false, old},
        {"saved through Save As", "", named, false, named},
        {"Save As cancelled", "", std::nullopt, false, ""},
        {"the save failed", old, {}, true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestContext t;
        editDocument(t, c.currentFile, "unsaved text");
        t.desktop.folders.insert("C:\\Data\\");
        if (!c.currentFile.empty()) t.desktop.files[c.currentFile] = "on disk";
        if (c.writeFails) t.desktop.writeErrors[c.currentFile] = FileError::DiskFull;
        t.desktop.answers = {Answer::Yes};
        t.desktop.saveResults.push_back(c.dialog);

        const bool closes = !c.savedTo.empty();
        EXPECT_EQ(closeMainWindow(t.ctx), closes);
        EXPECT_EQ(t.desktop.boxes.front().text, "File has changed...\r\ndo you want to save it?");
        EXPECT_EQ(t.desktop.boxes.size(), c.writeFails ? 2u : 1u);
        EXPECT_EQ(t.editor.modified(), !closes);
        EXPECT_EQ(t.editor.text(), "unsaved text");
        if (closes) {
            EXPECT_EQ(t.desktop.files[c.savedTo], "unsaved text");
            EXPECT_EQ(t.desktop.written, (std::vector<std::string>{c.savedTo, ini}));
        } else {
            EXPECT_TRUE(t.desktop.written.empty());  // not even the settings: the program goes on
            if (!c.currentFile.empty()) {
                EXPECT_EQ(t.desktop.files[c.currentFile], "on disk");
            }
        }
    }
}

// Both dialogs start in the document's folder (the data folder for an untitled document or a bare
// name from the command line); Save As proposes the name without its extension and asks about
// an existing file itself, with its own words.
TEST(FileDialogs, StartFolderProposedNameAndOptions) {
    const struct {
        bool save;
        const char *currentFile, *folder, *name;
    } cases[] = {
        {false, "C:\\Web\\index.html", "C:\\Web\\", ""},
        {false, "", "C:\\Data\\", ""},
        {true, "C:\\Web\\style.css", "C:\\Web\\", "style"},
        {true, "notes.txt", "C:\\Data\\", "notes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.save ? "Save As from '" : "Open from '") + c.currentFile + "'");
        TestContext t;
        t.app.currentFile = c.currentFile;
        if (c.save) EXPECT_FALSE(saveDocumentAs(t.ctx));
        else openDocument(t.ctx);
        const auto& requests = c.save ? t.desktop.saveRequests : t.desktop.openRequests;
        ASSERT_EQ(requests.size(), 1u);
        const FileDialogRequest& r = requests[0];
        EXPECT_EQ(r.initialFolder, c.folder);
        EXPECT_EQ(r.initialName, c.name);
        EXPECT_EQ(r.title, c.save ? "Save File" : "Open File");
        EXPECT_EQ(r.defaultExtension, "html");
        EXPECT_EQ(r.fileMustExist, !c.save);
        EXPECT_TRUE(r.hideReadOnly);
        EXPECT_TRUE(r.keepCurrentFolder);
        EXPECT_FALSE(r.promptOverwrite);
        EXPECT_EQ(t.app.currentFile, c.currentFile);  // cancelled: nothing changes
    }
}

// ---- Loading

// Every error the desktop reports has its text.
TEST(LoadDocument, AFailedLoadShowsWhyAndKeepsTextAndName) {
    const struct {
        FileError error;
        const char* text;
    } cases[] = {
        {FileError::BadFileNameOrNumber, "Bad file name or number"},
        {FileError::FileNotFound, "File not found"},
        {FileError::BadFileMode, "Bad file mode"},
        {FileError::FileIsOpen, "File is open"},
        {FileError::DeviceIoError, "Device I/O error"},
        {FileError::FileAlreadyExists, "File already exists"},
        {FileError::DiskFull, "Disk full"},
        {FileError::BadFileName, "Bad file name"},
        {FileError::TooManyFiles, "Too many files"},
        {FileError::DeviceUnavailable, "Device unavailable"},
        {FileError::PermissionDenied, "Permission denied"},
        {FileError::DiskNotReady, "Disk not ready"},
        {FileError::DiskMediaError, "Disk media error"},
        {FileError::PathFileAccessError, "Path/file access error"},
        {FileError::PathNotFound, "Path not found"},
        // The control would cut the text at the NUL, and a later save would write the cut text back.
        {FileError::None, "File contains a zero byte and cannot be edited"},
    };
    for (const auto& c : cases) {
        TestContext t;
        editDocument(t, "C:\\Web\\old.html", "old");
        t.desktop.files["C:\\Web\\bad.html"] = std::string("ab\0cd", 5);
        if (c.error != FileError::None) t.desktop.readErrors["C:\\Web\\bad.html"] = c.error;
        EXPECT_FALSE(loadDocument(t.ctx, "C:\\Web\\bad.html"));
        EXPECT_EQ(t.desktop.boxes, std::vector<MessageBoxRequest>{fileErrorBox(c.text)});
        EXPECT_EQ(t.editor.text(), "old");
        EXPECT_EQ(t.app.currentFile, "C:\\Web\\old.html");  // a later Save cannot overwrite the failed file
        EXPECT_TRUE(t.editor.modified());
    }
}

TEST(LoadDocument, ATextLongerThanTheLimitRaisesItSoTypingStillWorks) {
    TestContext t;
    t.desktop.files["C:\\big.txt"] = std::string(150000, 'x');
    ASSERT_TRUE(loadDocument(t.ctx, "C:\\big.txt"));
    t.editor.setSelection(150000, 150000);
    t.editor.typeChar('y');
    EXPECT_EQ(t.editor.textLength(), 150001);
}

// ---- Saving

// Save asks first whenever the document is titled and goes straight to Save As when it is not;
// Save As asks before overwriting another file. A failed write leaves the file on disk, the
// document's name and its modified flag as they were, and writing an empty document writes an
// empty file. On disk: page.html and taken.html, a page.html on a full disk, and a locked folder.
TEST(SaveCommands, EveryQuestionEveryAnswerAndEveryFailure) {
    const MessageBoxRequest saveNow{.title = "Save File",
                                    .text = "Save file now?",
                                    .buttons = Buttons::YesNo,
                                    .icon = Icon::Question,
                                    .modality = Modality::Task};
    const MessageBoxRequest overwrite{.title = "C:\\Web\\taken.html",
                                      .text = "file already exists... Ok to override?",
                                      .buttons = Buttons::YesNo,
                                      .icon = Icon::Exclamation,
                                      .modality = Modality::Task};
    const std::string page = "C:\\Web\\page.html", taken = "C:\\Web\\taken.html", full = "C:\\Full\\page.html";
    const struct {
        const char* name;
        bool saveAs;  // else Save
        std::string currentFile, text;
        bool modified;
        std::optional<std::string> dialog;  // the Save As dialog's answer, if it is shown
        Answer answer;
        std::vector<MessageBoxRequest> boxes;
        std::string savedTo, fileAfter;  // savedTo "": nothing written
    } cases[] = {
        {"Save, Yes", false, page, "new", true, {}, Answer::Yes, {saveNow}, page, page},
        {"Save, No", false, page, "new", true, {}, Answer::No, {saveNow}, "", page},
        {"Save of an unchanged document asks too", false, page, "new", false, {}, Answer::Yes, {saveNow}, page, page},
        {"Save of an empty document writes an empty file", false, page, "", true, {}, Answer::Yes, {saveNow}, page,
         page},
        {"Save when the write fails", false, full, "new", true, {}, Answer::Yes, {saveNow, fileErrorBox("Disk full")},
         "", full},
        {"Save of an untitled document is Save As", false, "", "new", true, "C:\\Web\\new.html", Answer::Yes, {},
         "C:\\Web\\new.html", "C:\\Web\\new.html"},
        {"Save As over another file, Yes", true, page, "new", true, taken, Answer::Yes, {overwrite}, taken, taken},
        {"Save As over another file, No", true, page, "new", true, taken, Answer::No, {overwrite}, "", page},
        {"Save As when the write fails", true, page, "new", true, "C:\\Locked\\copy.html", Answer::Yes,
         {fileErrorBox("Permission denied")}, "", page},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestContext t;
        editDocument(t, c.currentFile, c.text);
        t.editor.setModified(c.modified);
        const std::map<std::string, std::string> disk{{page, "old"}, {taken, "theirs"}, {full, "old"}};
        t.desktop.files = disk;
        t.desktop.writeErrors = {{full, FileError::DiskFull}, {"C:\\Locked\\copy.html", FileError::PermissionDenied}};
        t.desktop.saveResults.push_back(c.dialog);
        t.desktop.answers = {c.answer};
        if (c.saveAs) EXPECT_EQ(saveDocumentAs(t.ctx), !c.savedTo.empty());
        else saveDocumentCommand(t.ctx);

        EXPECT_EQ(t.desktop.boxes, c.boxes);
        EXPECT_EQ(t.desktop.saveRequests.size(), c.dialog ? 1u : 0u);
        std::map<std::string, std::string> diskAfter = disk;
        if (!c.savedTo.empty()) diskAfter[c.savedTo] = c.text;
        EXPECT_EQ(t.desktop.files, diskAfter);
        EXPECT_EQ(t.app.currentFile, c.fileAfter);
        EXPECT_EQ(t.view.statusPath, c.fileAfter == c.currentFile ? "" : c.fileAfter);
        EXPECT_EQ(t.editor.modified(), c.savedTo.empty() && c.modified);
        EXPECT_EQ(t.app.settings.recentFiles[0], c.savedTo);
    }
}

// As the preview file of the browser command is written.
TEST(SaveDocument, ToAnotherNameKeepsTheModifiedFlagAndRecordsTheDocumentNotThatName) {
    TestContext t;
    editDocument(t, "C:\\Web\\page.html", "text");
    EXPECT_TRUE(saveDocument(t.ctx, "C:\\Data\\runFile.htm"));
    EXPECT_EQ(t.desktop.files["C:\\Data\\runFile.htm"], "text");
    EXPECT_TRUE(t.editor.modified());
    EXPECT_EQ(t.view.recentItems, std::vector<std::string>{"&1  page.html"});

    TestContext untitled;
    editDocument(untitled, "", "text");
    EXPECT_TRUE(saveDocument(untitled.ctx, "C:\\Data\\runFile.htm"));
    EXPECT_EQ(untitled.app.settings.recentCount, 0);
}

// ---- Recent-file entries

TEST(RecentEntry, LoadsTheFileItNamesAfterTheQuestion) {
    TestContext t;
    editDocument(t, "C:\\Web\\current.html", "current");
    t.desktop.files["C:\\Web\\current.html"] = "";
    t.desktop.files["C:\\Web\\second.html"] = "second";
    t.app.settings.recentFiles = {"C:\\Web\\first.html", "C:\\Web\\second.html", "C:\\Web\\current.html", ""};
    t.app.settings.recentCount = 3;
    // Yes saves current.html first, which moves it to the top of the list: entry 2 must still
    // mean the file the user clicked.
    t.desktop.answers = {Answer::Yes};
    openRecentFile(t.ctx, 2);
    EXPECT_EQ(t.desktop.boxes.front(), kDiscardQuestion);
    EXPECT_EQ(t.desktop.files["C:\\Web\\current.html"], "current");
    EXPECT_EQ(t.app.currentFile, "C:\\Web\\second.html");
    EXPECT_EQ(t.editor.text(), "second");
}

TEST(RecentEntry, AnEntryPastTheListDoesNothing) {
    TestContext t;
    editDocument(t, "C:\\Web\\current.html", "current");
    t.app.settings.recentFiles[0] = "C:\\Web\\a.html";
    t.app.settings.recentFiles[1] = "C:\\Web\\stale.html";  // beyond recentCount
    t.app.settings.recentCount = 1;
    for (int index : {0, 2, 5}) openRecentFile(t.ctx, index);
    EXPECT_TRUE(t.desktop.boxes.empty());
    EXPECT_EQ(t.app.currentFile, "C:\\Web\\current.html");
}

}  // namespace
}  // namespace tess
