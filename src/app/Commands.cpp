#include "app/Commands.h"

#include "app/Menus.h"
#include "document/Documents.h"
#include "editor/Bookmarks.h"
#include "editor/LineCommands.h"
#include "print/Pagination.h"
#include "state/MainView.h"

namespace tess {

// One line per command. Commands that trigger others run them here to their end before going on.
bool runCommand(Context& ctx, int id) {
    id = menuCommandOf(id);
    if (const int entry = recentEntryOf(id)) {
        openRecentFile(ctx, entry);
        return true;
    }
    switch (id) {
    case IDM_NEW: newDocument(ctx); return true;
    case IDM_OPEN: openDocument(ctx); return true;
    case IDM_SAVE: saveDocumentCommand(ctx); return true;
    case IDM_SAVEAS: saveDocumentAs(ctx); return true;
    case IDM_PRINT: printCurrentFile(ctx); return true;
    case IDM_EXIT: ctx.view.requestClose(); return true;
    case IDM_UNDO: undoEdit(ctx); return true;
    case IDM_SELECTALL: selectAll(ctx); return true;
    case IDM_CUT: cutSelection(ctx); return true;
    case IDM_COPY: copySelection(ctx); return true;
    case IDM_PASTE: pasteClipboard(ctx); return true;
    case IDM_YANKLINE: yankLine(ctx); return true;
    case IDM_WORDWRAP: ctx.view.toggleWordWrap(); return true;
    case IDM_SETBOOKMARK: setBookmark(ctx); return true;
    case IDM_NEXTBOOKMARK: goToNextBookmark(ctx); return true;
    case IDM_PREVBOOKMARK: goToPreviousBookmark(ctx); return true;
    case IDM_CLEARBOOKMARKS: clearBookmarks(ctx); return true;
    case IDM_COPYLINE: copyLine(ctx); return true;
    case IDM_PASTELINE:
        moveCaretToLineStart(ctx);
        return runCommand(ctx, IDM_PASTE);
    default: return false;
    }
}

}  // namespace tess
