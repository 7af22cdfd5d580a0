#include "document/Documents.h"

#include "TestContext.h"

#include <gtest/gtest.h>

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
    const struct {
        const char* name;
        std::string currentFile;  // its file exists on disk when it is in C:\Web
        bool modified;
        std::deque<Answer> answers;
        std::optional<std::string> saveAsResult;  // the Save As dialog's answer, if it is shown
        bool writeFails;
        bool asked;
        const char* savedTo;  // "" when nothing is written
        bool goesOn;
    } cases[] = {
        {"unchanged document: no question", "C:\\Web\\old.html", false, {}, {}, false, false, "", true},
        {"No discards the changes", "C:\\Web\\old.html", true, {Answer::No}, {}, false, true, "", true},
        {"Yes saves to the existing file", "C:\\Web\\old.html", true, {Answer::Yes}, {}, false, true,
         "C:\\Web\\old.html", true},
        {"Yes on an untitled document goes through Save As", "", true, {Answer::Yes}, "C:\\Web\\named.html", false,
         true, "C:\\Web\\named.html", true},
        {"Yes, then Save As cancelled: the text is kept", "", true, {Answer::Yes}, std::nullopt, false, true, "",
         false},
        {"Yes, then the save fails: the text is kept", "C:\\Web\\old.html", true, {Answer::Yes}, {}, true, true, "",
         false},
        {"Yes when the named file has gone: Save As", "C:\\Gone\\old.html", true, {Answer::Yes},
         "C:\\Web\\again.html", false, true, "C:\\Web\\again.html", true},
    };
    for (Replacing command : {Replacing::New, Replacing::Open, Replacing::Recent}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + ", command " + std::to_string(static_cast<int>(command)));
            TestContext t;
            editDocument(t, c.currentFile, "unsaved text");
            t.editor.setModified(c.modified);
            if (c.currentFile.rfind("C:\\Web\\", 0) == 0) t.desktop.files[c.currentFile] = "on disk";
            if (c.writeFails) t.desktop.writeErrors[c.currentFile] = FileError::DiskFull;
            t.desktop.answers = c.answers;
            t.desktop.saveResults.push_back(c.saveAsResult);
            t.desktop.files["C:\\Web\\next.html"] = "next text";
            t.desktop.openResults.push_back("C:\\Web\\next.html");
            t.app.settings.recentFiles[0] = "C:\\Web\\next.html";
            t.app.settings.recentCount = 1;

            if (command == Replacing::New) newDocument(t.ctx);
            if (command == Replacing::Open) openDocument(t.ctx);
            if (command == Replacing::Recent) openRecentFile(t.ctx, 1);

            ASSERT_EQ(t.desktop.boxes.empty(), !c.asked);
            if (c.asked) {
                EXPECT_EQ(t.desktop.boxes.front(), kDiscardQuestion);
                EXPECT_EQ(t.desktop.boxes.back(), c.writeFails ? fileErrorBox("Disk full") : kDiscardQuestion);
            }
            if (*c.savedTo) {
                EXPECT_EQ(t.desktop.written, std::vector<std::string>{c.savedTo});
                EXPECT_EQ(t.desktop.files[c.savedTo], "unsaved text");
            } else {
                EXPECT_TRUE(t.desktop.written.empty());
            }
            // A file enters the recent list when it is saved, not when it is opened.
            EXPECT_EQ(t.app.settings.recentFiles[0], *c.savedTo ? c.savedTo : "C:\\Web\\next.html");
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

// Both dialogs start in the document's folder (the data folder for an untitled document or a bare
// name from the command line); Save As proposes the name without its extension and asks about
// an existing file itself, with its own words.
TEST(FileDialogs, StartFolderProposedNameAndOptions) {
    const struct {
        bool save;
        const char* currentFile;
        const char* folder;
        const char* name;
    } cases[] = {
        {false, "C:\\Web\\index.html", "C:\\Web\\", ""},
        {false, "", "C:\\Data\\", ""},
        {false, "index.html", "C:\\Data\\", ""},
        {true, "C:\\Web\\style.css", "C:\\Web\\", "style"},
        {true, "", "C:\\Data\\", ""},
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
        EXPECT_EQ(r.filters.size(), 5u);
        EXPECT_EQ(t.app.currentFile, c.currentFile);  // cancelled: nothing changes
    }
}

// ---- Loading

TEST(FileErrorText, EveryErrorHasItsText) {
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
    };
    for (const auto& c : cases) EXPECT_EQ(fileErrorText(c.error), c.text) << c.text;
}

TEST(LoadDocument, AFailedLoadShowsWhyAndKeepsTextAndName) {
    const struct {
        FileError error;
        std::string bytes;
        const char* text;
    } cases[] = {
        {FileError::FileNotFound, "", "File not found"},
        {FileError::PermissionDenied, "", "Permission denied"},
        // The control would cut the text at the NUL, and a later save would write the cut text back.
        {FileError::None, std::string("ab\0cd", 5), "File contains a zero byte and cannot be edited"},
    };
    for (const auto& c : cases) {
        TestContext t;
        editDocument(t, "C:\\Web\\old.html", "old");
        t.desktop.files["C:\\Web\\bad.html"] = c.bytes;
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

TEST(SaveCommand, TitledDocumentIsAskedFirstWhetherOrNotModified) {
    const MessageBoxRequest question{.title = "Save File",
                                     .text = "Save file now?",
                                     .buttons = Buttons::YesNo,
                                     .icon = Icon::Question,
                                     .modality = Modality::Task};
    for (bool modified : {true, false}) {
        for (Answer answer : {Answer::Yes, Answer::No}) {
            TestContext t;
            editDocument(t, "C:\\Web\\page.html", "text");
            t.editor.setModified(modified);
            t.desktop.answers = {answer};
            saveDocumentCommand(t.ctx);
            EXPECT_EQ(t.desktop.boxes, std::vector<MessageBoxRequest>{question});
            EXPECT_TRUE(t.desktop.saveRequests.empty());
            EXPECT_EQ(t.desktop.written.size(), answer == Answer::Yes ? 1u : 0u);
            EXPECT_EQ(t.editor.modified(), answer == Answer::No && modified);
        }
    }
}

TEST(SaveCommand, UntitledDocumentGoesStraightToSaveAsAndBecomesTheFile) {
    TestContext t;
    editDocument(t, "", "text");
    t.desktop.saveResults.push_back("C:\\Web\\new.html");
    saveDocumentCommand(t.ctx);
    EXPECT_TRUE(t.desktop.boxes.empty());
    EXPECT_EQ(t.desktop.files["C:\\Web\\new.html"], "text");
    EXPECT_EQ(t.app.currentFile, "C:\\Web\\new.html");
    EXPECT_EQ(t.view.statusPath, "C:\\Web\\new.html");
    EXPECT_EQ(t.app.settings.recentFiles[0], "C:\\Web\\new.html");
    EXPECT_FALSE(t.editor.modified());
}

TEST(SaveDocument, EmptyDocumentWritesAnEmptyFileInsteadOfDeletingIt) {
    TestContext t;
    editDocument(t, "C:\\Web\\page.html", "");
    t.desktop.files["C:\\Web\\page.html"] = "old text";
    EXPECT_TRUE(saveDocument(t.ctx, ""));
    EXPECT_EQ(t.desktop.files.at("C:\\Web\\page.html"), "");
    EXPECT_TRUE(t.desktop.deleted.empty());
}

TEST(SaveDocument, AFailedWriteLeavesTheFilesTheNameAndTheModifiedFlag) {
    for (bool saveAs : {false, true}) {
        SCOPED_TRACE(saveAs ? "Save As" : "Save");
        TestContext t;
        editDocument(t, "C:\\Web\\page.html", "new text");
        t.desktop.files["C:\\Web\\page.html"] = "old text";
        t.desktop.writeErrors["C:\\Web\\page.html"] = FileError::DiskFull;
        t.desktop.writeErrors["C:\\Locked\\copy.html"] = FileError::PermissionDenied;
        t.desktop.saveResults.push_back("C:\\Locked\\copy.html");
        EXPECT_FALSE(saveAs ? saveDocumentAs(t.ctx) : saveDocument(t.ctx, ""));
        EXPECT_EQ(t.desktop.boxes, std::vector{fileErrorBox(saveAs ? "Permission denied" : "Disk full")});
        EXPECT_EQ(t.desktop.files, (std::map<std::string, std::string>{{"C:\\Web\\page.html", "old text"}}));
        EXPECT_EQ(t.app.currentFile, "C:\\Web\\page.html");
        EXPECT_TRUE(t.editor.modified());
        EXPECT_EQ(t.app.settings.recentCount, 0);
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

TEST(SaveAs, AnExistingFileIsOverwrittenOnlyAfterYes) {
    const MessageBoxRequest question{.title = "C:\\Web\\taken.html",
                                     .text = "file already exists... Ok to override?",
                                     .buttons = Buttons::YesNo,
                                     .icon = Icon::Exclamation,
                                     .modality = Modality::Task};
    for (Answer answer : {Answer::Yes, Answer::No}) {
        const bool yes = answer == Answer::Yes;
        TestContext t;
        editDocument(t, "C:\\Web\\mine.html", "mine");
        t.desktop.files["C:\\Web\\taken.html"] = "theirs";
        t.desktop.saveResults.push_back("C:\\Web\\taken.html");
        t.desktop.answers = {answer};
        EXPECT_EQ(saveDocumentAs(t.ctx), yes);
        EXPECT_EQ(t.desktop.boxes, std::vector<MessageBoxRequest>{question});
        EXPECT_EQ(t.desktop.files["C:\\Web\\taken.html"], yes ? "mine" : "theirs");
        EXPECT_EQ(t.app.currentFile, yes ? "C:\\Web\\taken.html" : "C:\\Web\\mine.html");
        EXPECT_EQ(t.editor.modified(), !yes);
    }
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
