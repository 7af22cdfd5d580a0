#include "document/Documents.h"

#include "state/MainView.h"
#include "document/DiskChanges.h"
#include "editor/StatusBar.h"
#include "document/RecentFiles.h"
#include "editor/Gutter.h"
#include "editor/TextLimit.h"
#include "platform/EditControl.h"
#include "platform/FileNames.h"

#include <algorithm>

namespace tess {

namespace {

constexpr char kDefaultExtension[] = "html";

// A device name would open or write the device itself: it is refused before anything is read,
// created or replaced.
bool refusedDeviceName(Context& ctx, const std::string& path) {
    if (!isDeviceName(path)) return false;
    showFileError(ctx, path, refusalText(NameRefusal::Device));
    return true;
}

// A large document takes seconds to read or write, with no message handled meanwhile: the window
// shows that it is working for that long.
class Busy {
public:
    explicit Busy(MainView& view) : view_(view) { view_.showBusy(true); }
    ~Busy() { view_.showBusy(false); }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    MainView& view_;
};

// The folder a file dialog starts in: the document's own folder, or the data folder while the
// document has none (untitled, or a bare name from the command line).
std::string startFolder(const Context& ctx) {
    std::string folder = folderOf(ctx.app.currentFile);
    return folder.empty() ? ctx.app.paths.dataFolder : folder;
}

FileDialogRequest fileDialog(const Context& ctx, std::string title) {
    return {.title = std::move(title),
            .filters = documentFilters(),
            .initialFolder = startFolder(ctx),
            .defaultExtension = kDefaultExtension,
            .hideReadOnly = true,
            .keepCurrentFolder = true};
}

// The edit control starts each document with a fresh slate of marks and an unchanged state.
void afterTextReplaced(EditorContext& ctx) {
    updateStatusBar(ctx);
    ctx.view.showEncoding(ctx.app.encoding);
    ctx.edit.bookmarks.clear();
    ctx.editor.setModified(false);
    refreshGutter(ctx);
}

}  // namespace

void showFileError(Context& ctx, std::string_view path, std::string_view what) {
    ctx.desktop.messageBox({.title = "File Error ",
                            .text = fileErrorMessage(path, what),
                            .buttons = Buttons::Ok,
                            .icon = Icon::Error});
}

const std::vector<FileFilter>& documentFilters() {
    static const std::vector<FileFilter> filters{
        {"Html Files (*.html, *.css)", "*.html;*.htm;*.css"},
        {"JavaScript(*.js)", "*.js"},
        {"PHP Files (*.php)", "*.php"},
        {"Text Files (*.txt)", "*.txt"},
        {"All Files (*.*)", "*.*"},
    };
    return filters;
}

const CodePage& documentCodePage(Context& ctx) {
    return ctx.app.codePage ? *ctx.app.codePage : ctx.desktop.ansiCodePage();
}

bool loadDocument(EditorContext& ctx, const std::string& path) {
    if (refusedDeviceName(ctx, path)) return false;
    const Busy busy(ctx.view);
    // Taken before the read: a change made while reading is then noticed later, not missed.
    const std::optional<FileStamp> stamp = ctx.desktop.fileStamp(path);
    ReadResult file = ctx.desktop.readFile(path);
    if (file.error != FileError::None) {
        showFileError(ctx, path, fileErrorText(file.error));
        return false;
    }
    // Read as 8-bit text, a file must give the same bytes back on save: where the system's code page
    // has no character for some of them, every byte is taken as the Latin-1 character of its value.
    // Asked only of a file read as 8-bit text: a UTF-8 or UTF-16 one would pay for a second pass.
    const CodePage* codePage = &ctx.desktop.ansiCodePage();
    DecodedDocument document = decodeDocument(file.bytes, *codePage);
    if (document.encoding == Encoding::Ansi && !roundTrips(*codePage, file.bytes))
        codePage = &latin1(), document = decodeDocument(file.bytes, *codePage);
    // Half a UTF-16 unit at the end cannot be shown, nor written back as it was.
    if (document.refused) {
        showFileError(ctx, path, "File is not whole UTF-16 text and cannot be edited");
        return false;
    }
    // The edit control ends its text at the first NUL: loading such a file would silently cut it,
    // and a later save would write the cut text back. In UTF-16 a zero byte is half of an ordinary
    // character; only a NUL character counts.
    if (document.text.find(u'\0') != std::u16string::npos) {
        showFileError(ctx, path, "File contains a zero byte and cannot be edited");
        return false;
    }
    raiseTextLimitFor(ctx.editor, static_cast<int>(document.text.size()));
    ctx.editor.setText(document.text);
    ctx.app.encoding = document.encoding;
    ctx.app.codePage = codePage;
    ctx.app.currentFile = path;
    rememberFileStamp(ctx, stamp);
    afterTextReplaced(ctx);
    return true;
}

bool saveDocument(Context& ctx, const std::string& name) {
    const bool toCurrentFile = name.empty();
    const std::string& target = toCurrentFile ? ctx.app.currentFile : name;
    if (target.empty() || (toCurrentFile && !mayOverwriteFile(ctx))) return false;
    const Busy busy(ctx.view);
    // Nothing is written that would not read back as the text: a character the encoding cannot
    // store would otherwise become a "?" or a look-alike.
    std::optional<std::string> bytes = encodeDocument(ctx.editor.text(), ctx.app.encoding, documentCodePage(ctx));
    // A page kept in the ANSI code page that now holds more than it can store may become UTF-8,
    // which stores everything, if the user agrees; else it stays unsaved.
    if (!bytes && ctx.app.encoding == Encoding::Ansi) {
        const Answer answer = ctx.desktop.messageBox(question("Save File", saveAsUtf8Text(target), Buttons::YesNoCancel));
        if (answer != Answer::Yes) return false;
        ctx.app.encoding = Encoding::Utf8;
        ctx.view.showEncoding(Encoding::Utf8);
        bytes = encodeDocument(ctx.editor.text(), ctx.app.encoding, documentCodePage(ctx));
    }
    if (!bytes) {
        showFileError(ctx, target,
                      "Text holds characters that " + std::string(encodingName(ctx.app.encoding)) + " cannot store");
        return false;
    }
    // The old file is replaced only once the new text is safely on disk, and the document counts
    // as saved only then: a failed save must leave both the file and the unsaved state alone.
    const FileError error = ctx.desktop.writeFileSafely(target, *bytes);
    if (error != FileError::None) {
        showFileError(ctx, target, fileErrorText(error));
        return false;
    }
    // The program's own write is no change of someone else's.
    if (toCurrentFile) {
        ctx.editor.setModified(false);
        rememberFileStamp(ctx, ctx.desktop.fileStamp(target));
    }
    if (!ctx.app.currentFile.empty()) updateRecentFiles(ctx);
    return true;
}

void updateRecentFiles(Context& ctx) {
    pushRecentFile(ctx.app.settings, ctx.app.currentFile);
    ctx.view.setRecentFileItems(recentFileItems(ctx.app.settings));
}

bool saveBeforeClose(EditorContext& ctx) {
    if (ctx.desktop.fileExists(ctx.app.currentFile)) return saveDocument(ctx, "");
    return saveDocumentAs(ctx);
}

bool confirmDiscard(EditorContext& ctx) {
    if (!ctx.editor.modified()) return true;
    const Answer answer = ctx.desktop.messageBox(
        question("Tessaline", "File has changed...\r\nsave it before opening another file?", Buttons::YesNo));
    // A box that could not be shown answers Cancel: nothing is discarded on a question never asked.
    if (answer == Answer::Cancel) return false;
    if (answer != Answer::Yes) return true;
    // The user asked to keep the text: if it was not saved after all, nothing may replace it.
    return saveBeforeClose(ctx);
}

void newDocument(EditorContext& ctx) {
    if (!confirmDiscard(ctx)) return;
    ctx.editor.setSelection(0, -1);
    ctx.editor.replaceSelection(u"", true);
    ctx.app.currentFile.clear();
    rememberFileStamp(ctx, std::nullopt);
    ctx.app.encoding = Encoding::Ansi;
    ctx.app.codePage = nullptr;
    afterTextReplaced(ctx);
}

void openDocument(EditorContext& ctx) {
    if (!confirmDiscard(ctx)) return;
    FileDialogRequest request = fileDialog(ctx, "Open File");
    request.fileMustExist = true;
    const std::optional<std::string> path = ctx.desktop.openFileDialog(request);
    if (!path) return;
    loadDocument(ctx, *path);
}

void saveDocumentCommand(EditorContext& ctx) {
    if (ctx.app.currentFile.empty()) {
        saveDocumentAs(ctx);
        return;
    }
    const Answer answer = ctx.desktop.messageBox(question("Save File", "Save file now?", Buttons::YesNo));
    if (answer == Answer::Yes) saveDocument(ctx, "");
}

bool saveDocumentAs(EditorContext& ctx) {
    FileDialogRequest request = fileDialog(ctx, "Save File");
    if (!ctx.app.currentFile.empty()) request.initialName = fileStemOf(ctx.app.currentFile);
    const std::optional<std::string> path = ctx.desktop.saveFileDialog(request);
    if (!path || refusedDeviceName(ctx, *path)) return false;
    if (ctx.desktop.fileExists(*path)) {
        const Answer answer = ctx.desktop.messageBox(
            question(*path, "file already exists... Ok to override?", Buttons::YesNo, Icon::Exclamation));
        if (answer != Answer::Yes) return false;
    }
    // The document takes the new name only once its text is there.
    std::string previous = std::move(ctx.app.currentFile);
    ctx.app.currentFile = *path;
    if (!saveDocument(ctx, "")) {
        ctx.app.currentFile = std::move(previous);
        return false;
    }
    updateStatusBar(ctx);
    return true;
}

void openDroppedFiles(EditorContext& ctx, const std::vector<std::string>& paths) {
    const DiskQuestionsWait wait(ctx.app);
    if (paths.empty() || !confirmDiscard(ctx)) return;
    // Read as a file, a folder fails with a reason that names neither.
    if (ctx.desktop.folderExists(paths.front())) showFileError(ctx, paths.front(), "Is a folder and cannot be opened");
    else loadDocument(ctx, paths.front());
    if (paths.size() > 1)
        ctx.desktop.messageBox({.title = "Tessaline",
                                .text = droppedNotOpenedText({paths.begin() + 1, paths.end()}),
                                .buttons = Buttons::Ok,
                                .icon = Icon::Information});
}

void openRecentFile(EditorContext& ctx, int index) {
    const auto& settings = ctx.app.settings;
    if (index < 1 || index > std::min<int>(settings.recentCount, static_cast<int>(settings.recentFiles.size())))
        return;
    // Taken before the question: saving the current document reorders the list.
    const std::string path = settings.recentFiles[static_cast<std::size_t>(index - 1)];
    if (path.empty() || !confirmDiscard(ctx)) return;
    loadDocument(ctx, path);
}

void chooseEncoding(Context& ctx, Encoding encoding) {
    if (encoding == ctx.app.encoding) return;
    // A document read in another encoding has no 8-bit table of its own: ANSI is the system's.
    if (encoding == Encoding::Ansi) ctx.app.codePage = nullptr;
    ctx.app.encoding = encoding;
    ctx.editor.setModified(true);
    ctx.view.showEncoding(encoding);
}

}  // namespace tess
