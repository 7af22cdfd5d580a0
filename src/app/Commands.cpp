#include "app/Commands.h"

#include "app/Menus.h"
#include "document/Documents.h"
#include "document/RunBrowser.h"
#include "editor/Fragments.h"
#include "editor/Bookmarks.h"
#include "editor/LineCommands.h"
#include "search/FindDialog.h"
#include "print/Pagination.h"
#include "state/MainView.h"

namespace tess {

// One line per command.
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
    case IDM_PREFERENCES: ctx.view.showPreferences(); return true;
    case IDM_SETBOOKMARK: setBookmark(ctx); return true;
    case IDM_NEXTBOOKMARK: goToNextBookmark(ctx); return true;
    case IDM_PREVBOOKMARK: goToPreviousBookmark(ctx); return true;
    case IDM_CLEARBOOKMARKS: clearBookmarks(ctx); return true;
    case IDM_COPYLINE: copyLine(ctx); return true;
    case IDM_HTMLSCRIPT: insertHtmlSkeleton(ctx); return true;
    case IDM_JSHEADER: insertScriptElement(ctx); return true;
    case IDM_ADDCOMMENT: insertComment(ctx); return true;
    case IDM_HTMLTAGS: ctx.view.showTagList(); return true;
    case IDM_RUNBROWSER: runInBrowser(ctx); return true;
    case IDM_HELPCONTENT: ctx.view.showHelp(); return true;
    case IDM_FIND: runFind(ctx, FindMode::Find); return true;
    case IDM_FINDNEXT: runFind(ctx, FindMode::FindNext); return true;
    case IDM_FINDPREV: runFind(ctx, FindMode::FindPrevious); return true;
    case IDM_REPLACE: runFind(ctx, FindMode::Replace); return true;
    case IDM_ABOUT: ctx.view.showAbout(); return true;
    case IDM_PASTELINE: pasteLine(ctx); return true;
    default: return false;
    }
}

}  // namespace tess
