// The command table: one line per command id; toolbar ids run the same code as their menu ids.
// Commands that trigger others send them to the main window with SendMessage, so each one runs
// to its end before the sender goes on.
#include "app/win32/MainWindow.h"
#include "document/Documents.h"
#include "editor/Bookmarks.h"
#include "editor/Gutter.h"
#include "editor/LineCommands.h"
#include "resources/resource.h"

namespace tess::win32 {

void MainWindow::onCommand(int id) {
    Context ctx = context();
    switch (id) {
    case IDM_NEW: case IDT_NEW: newDocument(ctx); return;
    case IDM_OPEN: case IDT_OPEN: openDocument(ctx); return;
    case IDM_SAVE: case IDT_SAVE: saveDocumentCommand(ctx); return;
    case IDM_SAVEAS: saveDocumentAs(ctx); return;
    case IDM_EXIT: ::SendMessageA(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0); return;
    case IDM_RECENT1: case IDM_RECENT2: case IDM_RECENT3: case IDM_RECENT4: openRecentFile(ctx, id - IDM_EXIT); return;
    case IDM_UNDO: undoEdit(ctx); return;
    case IDM_SELECTALL: selectAll(ctx); return;
    case IDM_CUT: case IDT_CUT: cutSelection(ctx); return;
    case IDM_COPY: case IDT_COPY: copySelection(ctx); return;
    case IDM_PASTE: case IDT_PASTE: pasteClipboard(ctx); return;
    case IDM_YANKLINE: yankLine(ctx); return;
    case IDM_WORDWRAP: toggleWordWrap(); return;
    case IDM_SETBOOKMARK: case IDT_SETBOOKMARK: setBookmark(ctx); return;
    case IDM_NEXTBOOKMARK: case IDT_NEXTBOOKMARK: goToNextBookmark(ctx); return;
    case IDM_PREVBOOKMARK: goToPreviousBookmark(ctx); return;
    case IDM_CLEARBOOKMARKS: clearBookmarks(ctx); return;
    case IDM_COPYLINE: copyLine(ctx); return;
    case IDM_PASTELINE: moveCaretToLineStart(ctx); ::SendMessageA(hwnd_, WM_COMMAND, IDM_PASTE, 0); return;
    // The editor notifies after it has changed its text or scrolled, also where no key, bar or
    // wheel message announced it (the caret brought into view, typing below the view).
    case IDC_EDITOR: refreshGutter(ctx); return;
    case IDC_GUTTER: ::SetFocus(editorHwnd_); return;
    default: return;  // the commands of features not built yet
    }
}

}  // namespace tess::win32
