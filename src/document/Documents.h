#pragma once
// The document: its file name and encoding, the questions before its text is discarded, and moving
// text between files and the editor so that what is saved unedited is the file as it was read.
#include "editor/EditorState.h"
#include "platform/Desktop.h"

#include <string>
#include <vector>

namespace tess {

// The file dialogs' type filters, in the order the dialogs list them.
const std::vector<FileFilter>& documentFilters();

// The "File Error " box for a file that could not be read or written, naming it and saying why.
void showFileError(Context& ctx, std::string_view path, std::string_view what);

// The table an ANSI document is read and written with: the one it was loaded with, or the system's.
const CodePage& documentCodePage(Context& ctx);

// Reads path into the editor, decoded as its bytes say. On success currentFile becomes path and
// the encoding the one found; on failure the user sees the "File Error " box and the editor,
// currentFile and the encoding stay as they were.
bool loadDocument(EditorContext& ctx, const std::string& path);

// Writes the editor's text to name in the document's encoding; an empty name means currentFile,
// and then a successful save also marks the document unchanged. A failure (the text holds a
// character the encoding cannot store, or the write fails) shows the "File Error " box and leaves
// both the file on disk and the modified flag as they were. Returns whether the file was written.
bool saveDocument(Context& ctx, const std::string& name);

// The question before a page in the ANSI code page that holds characters it cannot store is saved
// as UTF-8 instead: Yes saves it so, anything else leaves it unsaved.
inline std::string saveAsUtf8Text(const std::string& path) {
    return path + "\r\nholds characters that ANSI cannot store.\r\nSave it as UTF-8?";
}

// Moves currentFile to the top of the recent-file list and rebuilds the File menu's entries.
void updateRecentFiles(Context& ctx);

// The question before the text is discarded. True when the caller may go on: nothing unsaved,
// the user said No, or said Yes and the document was saved.
bool confirmDiscard(EditorContext& ctx);

// The Yes of a question about unsaved changes: save to currentFile when it exists, else Save As.
// Returns whether the document was saved.
bool saveBeforeClose(EditorContext& ctx);

// The File menu's commands.
void newDocument(EditorContext& ctx);
void openDocument(EditorContext& ctx);
void saveDocumentCommand(EditorContext& ctx);
bool saveDocumentAs(EditorContext& ctx);
// index 1 to 4: the recent-file entry of that number.
void openRecentFile(EditorContext& ctx, int index);
// File > Encoding: the encoding the next save writes. Another than the document's marks it changed,
// so that Save writes it and closing asks first.
void chooseEncoding(Context& ctx, Encoding encoding);

// Files dropped on the main window: the first opens as File > Open would open it, and the user is
// told that the others were not (one document at a time).
void openDroppedFiles(EditorContext& ctx, const std::vector<std::string>& paths);
inline std::string droppedNotOpenedText(const std::vector<std::string>& rest) {
    std::string text = "Only one file is open at a time...\r\nthese were not opened:";
    for (const std::string& path : rest) text += "\r\n" + path;
    return text;
}

}  // namespace tess
