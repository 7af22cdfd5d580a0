#include "document/Documents.h"

#include "TestContext.h"

#include <gtest/gtest.h>

#include <functional>

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

struct DiscardCase {
    const char* name;
    std::string currentFile;   // its file exists on disk when named
    bool modified;
    std::deque<Answer> answers;
    std::optional<std::string> saveAsResult;  // the Save As dialog's answer, if it is shown
    bool writeFails;
    bool asked;
    const char* savedTo;  // "" when nothing is written
    bool goesOn;
};

void runReplacingCommand(TestContext& t, Replacing command) {
    switch (command) {
    case Replacing::New: newDocument(t.ctx); break;
    case Replacing::Open: openDocument(t.ctx); break;
    case Replacing::Recent: openRecentFile(t.ctx, 1); break;
    }
}

TEST(ConfirmDiscard, EveryAnswerBeforeNewOpenAndRecentEntry) {
    const DiscardCase cases[] = {
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

            runReplacingCommand(t, command);

            ASSERT_EQ(t.desktop.boxes.empty(), !c.asked);
            if (c.asked) EXPECT_EQ(t.desktop.boxes.front(), kDiscardQuestion);
            if (c.writeFails) EXPECT_EQ(t.desktop.boxes.back(), fileErrorBox("Disk full"));
            if (*c.savedTo) {
                EXPECT_EQ(t.desktop.written, std::vector<std::string>{c.savedTo});
                EXPECT_EQ(t.desktop.files[c.savedTo], "unsaved text");
            } else {
                EXPECT_TRUE(t.desktop.written.empty());
            }
            if (c.goesOn) {
                EXPECT_EQ(t.editor.text(), command == Replacing::New ? "" : "next text");
                EXPECT_FALSE(t.editor.modified());
            } else {
                EXPECT_EQ(t.editor.text(), "unsaved text");
                EXPECT_TRUE(t.editor.modified());
                EXPECT_TRUE(t.desktop.openRequests.empty());
            }
        }
    }
}

TEST(SaveBeforeClose, SavesToTheExistingFileOrThroughSaveAsAndSaysWhetherItSaved) {
    TestContext t;
    editDocument(t, "C:\\Web\\a.html", "text");
    t.desktop.files["C:\\Web\\a.html"] = "";
    EXPECT_TRUE(saveBeforeClose(t.ctx));
    EXPECT_EQ(t.desktop.files["C:\\Web\\a.html"], "text");
    EXPECT_TRUE(t.desktop.saveRequests.empty());

    TestContext untitled;
    editDocument(untitled, "");
    EXPECT_FALSE(saveBeforeClose(untitled.ctx));  // Save As cancelled
    EXPECT_EQ(untitled.desktop.saveRequests.size(), 1u);
    EXPECT_TRUE(untitled.editor.modified());
}

// ---- New

TEST(NewDocument, EmptiesTheEditorAsAnUndoableEditAndStartsUntitledAndUnchanged) {
    TestContext t;
    editDocument(t, "C:\\Web\\page.html", "<p>text</p>");
    t.desktop.answers = {Answer::No};
    newDocument(t.ctx);
    EXPECT_EQ(t.editor.text(), "");
    EXPECT_EQ(t.app.currentFile, "");
    EXPECT_FALSE(t.editor.modified());
    EXPECT_TRUE(t.app.bookmarks.empty());
    EXPECT_EQ(t.view.statusPath, "");
    EXPECT_EQ(t.view.statusLine, " 1");
    t.editor.undo();
    EXPECT_EQ(t.editor.text(), "<p>text</p>");
}

// ---- Open

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
        {false, "C:\\index.html", "C:\\", ""},
        {false, "", "C:\\Data\\", ""},
        {false, "index.html", "C:\\Data\\", ""},
        {true, "C:\\Web\\style.css", "C:\\Web\\", "style"},
        {true, "C:\\Web\\jquery.min.js", "C:\\Web\\", "jquery.min"},
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
        EXPECT_EQ(r.filters, (std::vector<FileFilter>{{"Html Files (*.html, *.css)", "*.html;*.htm;*.css"},
                                                      {"JavaScript(*.js)", "*.js"},
                                                      {"PHP Files (*.php)", "*.php"},
                                                      {"Text Files (*.txt)", "*.txt"},
                                                      {"All Files (*.*)", "*.*"}}));
        EXPECT_EQ(t.app.currentFile, c.currentFile);  // cancelled: nothing changes
    }
}

TEST(OpenDocument, LoadsTheChosenFileClearingMarksAndTheModifiedFlag) {
    TestContext t;
    editDocument(t, "C:\\Web\\old.html", "old");
    t.desktop.answers = {Answer::No};
    t.desktop.files["C:\\Web\\new.css"] = "a\nb";
    t.desktop.openResults.push_back("C:\\Web\\new.css");
    openDocument(t.ctx);
    EXPECT_EQ(t.editor.text(), "a\nb");
    EXPECT_EQ(t.app.currentFile, "C:\\Web\\new.css");
    EXPECT_EQ(t.view.statusPath, "C:\\Web\\new.css");
    EXPECT_TRUE(t.app.bookmarks.empty());
    EXPECT_FALSE(t.editor.modified());
    EXPECT_EQ(t.app.settings.recentCount, 0);  // a file enters the list when it is saved
}

TEST(OpenDocument, CancelledDialogChangesNothing) {
    TestContext t;
    editDocument(t, "C:\\Web\\old.html", "old");
    t.desktop.answers = {Answer::No};
    openDocument(t.ctx);
    EXPECT_EQ(t.editor.text(), "old");
    EXPECT_EQ(t.app.currentFile, "C:\\Web\\old.html");
    EXPECT_TRUE(t.editor.modified());
    EXPECT_EQ(t.app.bookmarks, (std::vector<int>{1, 3}));
}

// ---- Loading failures

TEST(LoadDocument, AFailedOpenShowsItsErrorTextAndKeepsTextAndName) {
    const struct {
        FileError error;
        const char* text;
    } cases[] = {
        {FileError::FileNotFound, "File not found"},
        {FileError::PathNotFound, "Path not found"},
        {FileError::PermissionDenied, "Permission denied"},
        {FileError::FileIsOpen, "File is open"},
        {FileError::BadFileName, "Bad file name"},
        {FileError::DeviceUnavailable, "Device unavailable"},
    };
    for (const auto& c : cases) {
        TestContext t;
        editDocument(t, "C:\\Web\\old.html", "old");
        t.desktop.readErrors["C:\\Web\\bad.html"] = c.error;
        EXPECT_FALSE(loadDocument(t.ctx, "C:\\Web\\bad.html"));
        ASSERT_EQ(t.desktop.boxes.size(), 1u) << c.text;
        EXPECT_EQ(t.desktop.boxes[0], fileErrorBox(c.text));
        EXPECT_EQ(t.editor.text(), "old");
        EXPECT_EQ(t.app.currentFile, "C:\\Web\\old.html");  // a later Save cannot overwrite the failed file
        EXPECT_TRUE(t.editor.modified());
    }
}

TEST(LoadDocument, AFileHoldingAZeroByteIsRefusedNotCut) {
    TestContext t;
    editDocument(t, "C:\\Web\\old.html", "old");
    t.desktop.files["C:\\Web\\binary.dat"] = std::string("ab\0cd", 5);
    EXPECT_FALSE(loadDocument(t.ctx, "C:\\Web\\binary.dat"));
    ASSERT_EQ(t.desktop.boxes.size(), 1u);
    EXPECT_EQ(t.desktop.boxes[0], fileErrorBox("File contains a zero byte and cannot be edited"));
    EXPECT_EQ(t.editor.text(), "old");
    EXPECT_EQ(t.app.currentFile, "C:\\Web\\old.html");
}

TEST(LoadDocument, ATextLongerThanTheLimitRaisesItSoTypingStillWorks) {
    TestContext t;
    t.desktop.files["C:\\big.txt"] = std::string(150000, 'x');
    ASSERT_TRUE(loadDocument(t.ctx, "C:\\big.txt"));
    t.editor.setSelection(150000, 150000);
    t.editor.typeChar('y');
    EXPECT_EQ(t.editor.textLength(), 150001);
}

// ---- Save

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
            ASSERT_EQ(t.desktop.boxes.size(), 1u);
            EXPECT_EQ(t.desktop.boxes[0], question);
            EXPECT_TRUE(t.desktop.saveRequests.empty());
            if (answer == Answer::Yes) {
                EXPECT_EQ(t.desktop.files["C:\\Web\\page.html"], "text");
                EXPECT_FALSE(t.editor.modified());
            } else {
                EXPECT_TRUE(t.desktop.written.empty());
                EXPECT_EQ(t.editor.modified(), modified);
            }
        }
    }
}

TEST(SaveCommand, UntitledDocumentGoesStraightToSaveAs) {
    TestContext t;
    editDocument(t, "", "text");
    t.desktop.saveResults.push_back("C:\\Web\\new.html");
    saveDocumentCommand(t.ctx);
    EXPECT_TRUE(t.desktop.boxes.empty());
    EXPECT_EQ(t.desktop.saveRequests.size(), 1u);
    EXPECT_EQ(t.desktop.files["C:\\Web\\new.html"], "text");
    EXPECT_EQ(t.app.currentFile, "C:\\Web\\new.html");
}

TEST(SaveDocument, EmptyDocumentWritesAnEmptyFileInsteadOfDeletingIt) {
    TestContext t;
    editDocument(t, "C:\\Web\\page.html", "");
    t.desktop.files["C:\\Web\\page.html"] = "old text";
    EXPECT_TRUE(saveDocument(t.ctx, ""));
    ASSERT_EQ(t.desktop.files.count("C:\\Web\\page.html"), 1u);
    EXPECT_EQ(t.desktop.files["C:\\Web\\page.html"], "");
    EXPECT_TRUE(t.desktop.deleted.empty());
}

TEST(SaveDocument, AFailedWriteShowsTheErrorAndLeavesFileAndModifiedFlag) {
    TestContext t;
    editDocument(t, "C:\\Web\\page.html", "new text");
    t.desktop.files["C:\\Web\\page.html"] = "old text";
    t.desktop.writeErrors["C:\\Web\\page.html"] = FileError::DiskFull;
    EXPECT_FALSE(saveDocument(t.ctx, ""));
    EXPECT_EQ(t.desktop.boxes, std::vector<MessageBoxRequest>{fileErrorBox("Disk full")});
    EXPECT_EQ(t.desktop.files["C:\\Web\\page.html"], "old text");
    EXPECT_TRUE(t.editor.modified());
    EXPECT_EQ(t.app.settings.recentCount, 0);
}

TEST(SaveDocument, ToAnotherNameKeepsTheModifiedFlagAndRecordsTheDocumentNotThatName) {
    TestContext t;  // as the preview file of the browser command is written
    editDocument(t, "C:\\Web\\page.html", "text");
    EXPECT_TRUE(saveDocument(t.ctx, "C:\\Data\\runFile.htm"));
    EXPECT_EQ(t.desktop.files["C:\\Data\\runFile.htm"], "text");
    EXPECT_TRUE(t.editor.modified());
    EXPECT_EQ(t.app.settings.recentFiles[0], "C:\\Web\\page.html");
    EXPECT_EQ(t.view.recentItems, std::vector<std::string>{"&1  page.html"});

    TestContext untitled;
    editDocument(untitled, "", "text");
    EXPECT_TRUE(saveDocument(untitled.ctx, "C:\\Data\\runFile.htm"));
    EXPECT_EQ(untitled.app.settings.recentCount, 0);
}

// ---- Save As

TEST(SaveAs, AnExistingFileIsOverwrittenOnlyAfterYes) {
    const MessageBoxRequest question{.title = "C:\\Web\\taken.html",
                                     .text = "file already exists... Ok to override?",
                                     .buttons = Buttons::YesNo,
                                     .icon = Icon::Exclamation,
                                     .modality = Modality::Task};
    for (Answer answer : {Answer::Yes, Answer::No}) {
        TestContext t;
        editDocument(t, "C:\\Web\\mine.html", "mine");
        t.desktop.files["C:\\Web\\taken.html"] = "theirs";
        t.desktop.saveResults.push_back("C:\\Web\\taken.html");
        t.desktop.answers = {answer};
        EXPECT_EQ(saveDocumentAs(t.ctx), answer == Answer::Yes);
        EXPECT_EQ(t.desktop.boxes, std::vector<MessageBoxRequest>{question});
        if (answer == Answer::Yes) {
            EXPECT_EQ(t.desktop.files["C:\\Web\\taken.html"], "mine");
            EXPECT_EQ(t.app.currentFile, "C:\\Web\\taken.html");
            EXPECT_EQ(t.view.statusPath, "C:\\Web\\taken.html");
            EXPECT_FALSE(t.editor.modified());
        } else {
            EXPECT_EQ(t.desktop.files["C:\\Web\\taken.html"], "theirs");
            EXPECT_EQ(t.app.currentFile, "C:\\Web\\mine.html");
            EXPECT_TRUE(t.editor.modified());
        }
    }
}

TEST(SaveAs, ANewFileIsWrittenWithoutAQuestionAndBecomesTheDocument) {
    TestContext t;
    editDocument(t, "", "body");
    t.desktop.saveResults.push_back("C:\\Web\\fresh.html");
    EXPECT_TRUE(saveDocumentAs(t.ctx));
    EXPECT_TRUE(t.desktop.boxes.empty());
    EXPECT_EQ(t.desktop.files["C:\\Web\\fresh.html"], "body");
    EXPECT_EQ(t.app.currentFile, "C:\\Web\\fresh.html");
    EXPECT_EQ(t.view.statusPath, "C:\\Web\\fresh.html");
    EXPECT_EQ(t.app.settings.recentFiles[0], "C:\\Web\\fresh.html");
}

TEST(SaveAs, AFailedWriteKeepsTheOldNameAndTheModifiedFlag) {
    TestContext t;
    editDocument(t, "C:\\Web\\mine.html", "mine");
    t.desktop.saveResults.push_back("C:\\Locked\\copy.html");
    t.desktop.writeErrors["C:\\Locked\\copy.html"] = FileError::PermissionDenied;
    EXPECT_FALSE(saveDocumentAs(t.ctx));
    EXPECT_EQ(t.desktop.boxes, std::vector<MessageBoxRequest>{fileErrorBox("Permission denied")});
    EXPECT_EQ(t.app.currentFile, "C:\\Web\\mine.html");
    EXPECT_TRUE(t.editor.modified());
    EXPECT_EQ(t.app.settings.recentCount, 0);
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
