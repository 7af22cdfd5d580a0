#pragma once
// The program-lifetime state every layer shares, owned by one App object that the program holds.
// What only one layer uses belongs to that layer (the editor's caret and bookmarks in
// editor/EditorState.h, searching's in search/FindState.h), and its context adds it to the one here.
// Operations take what they need by reference, so a test builds fresh state per case.
#include "platform/Desktop.h"
#include "platform/Dpi.h"
#include "platform/TextEncoding.h"
#include "state/Settings.h"

#include <optional>
#include <string>

namespace tess {

class EditControl;
class Desktop;
class MainView;
class Printers;

struct Paths {
    std::string dataFolder;  // always ends with a backslash
    std::string settingsFile;
    std::string helpFile;
    std::string previewFile;
};

// The document's file as the program last read or wrote it, to notice another program's changes.
struct DiskWatch {
    std::string file;  // the file the stamp is of; another name (Save As under way): nothing to compare
    std::optional<FileStamp> stamp;  // none: not known, or the file was found gone and the user told
    bool askAtSave = false;   // the user kept edits over a change: the next save asks before it overwrites
    int quiet = 0;  // commands and questions under way: the window becoming active asks nothing then
};

struct App {
    Settings settings;
    int printFontSize = 0;
    std::string browserCommand;  // the command prefix Run browser last started, for the process's life
    Paths paths;
    std::string currentFile;
    Encoding encoding = Encoding::Ansi;  // what the document was read in and is saved in
    // For an ANSI document, the table its bytes were read with and are written back with: the
    // system's code page, or Latin-1 for a file whose bytes that code page would not give back.
    // Null: the system's.
    const CodePage* codePage = nullptr;
    int dpi = kDesignDpi;  // of the monitor the main window is on
    DiskWatch disk;
};

// What every operation gets: the shared state, the editor, the desktop and the window. A layer that
// keeps state of its own derives a context that adds it.
struct Context {
    App& app;
    EditControl& editor;
    Desktop& desktop;
    MainView& view;
    Printers* printers = nullptr;  // none: the print commands do nothing
};

}  // namespace tess
