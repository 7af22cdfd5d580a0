#pragma once
// The program-lifetime state, owned by one App object that the main window holds. Operations take
// what they need by reference, so a test builds a fresh App per case.
#include "platform/Desktop.h"
#include "platform/Dpi.h"
#include "platform/TextEncoding.h"
#include "state/Settings.h"

#include <optional>
#include <string>
#include <vector>

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

// Caret record and the editor's key-handling state; lines and columns are 1-based.
struct CaretState {
    int caretLine = 0;
    int caretColumn = 0;
    int goalColumn = 0;
    bool enterPrepared = false;  // set by an Enter press in the editor, consumed by its release
};

struct FontMetrics {
    int charWidth = 0;
    int lineHeight = 0;
    int visibleLines = 0;
};

// The find options in their order: whole word, match case, do not cycle, beep on cycle.
struct FindOptions {
    bool wholeWord = false;
    bool matchCase = false;
    bool doNotCycle = false;
    bool beepOnCycle = false;
    friend bool operator==(const FindOptions&, const FindOptions&) = default;
};

// What searching keeps between uses of the find dialog; never saved.
struct FindState {
    FindOptions rememberedFindOptions{.wholeWord = true};  // what Find Next and Find Previous use
    bool dialogOpened = false;
    bool quickFindFound = false;   // "no more" rather than "none" for Find Next / Previous
    bool dialogFindFound = false;  // the same choice for the dialog's message
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
    CaretState caret;
    std::vector<int> bookmarks;  // 1-based lines, ascending, distinct
    FontMetrics font;
    int dpi = kDesignDpi;  // of the monitor the main window is on
    FindState find;
    DiskWatch disk;
};

// What an operation on the document needs: the state, the editor, the desktop and the window.
struct Context {
    App& app;
    EditControl& editor;
    Desktop& desktop;
    MainView& view;
    Printers* printers = nullptr;  // none: the print commands do nothing
};

}  // namespace tess
