#include "app/Close.h"

#include "app/Startup.h"
#include "document/Documents.h"
#include "platform/Desktop.h"
#include "platform/EditControl.h"

namespace tess {

namespace {

// True when nothing unsaved is left to lose: no changes, or saved, or the user chose to drop them.
bool changesSettled(EditorContext& ctx) {
    if (!ctx.editor.modified()) return true;
    const Answer answer = ctx.desktop.messageBox(
        question("Tessaline", "File has changed...\r\ndo you want to save it?", Buttons::YesNoCancel));
    if (answer == Answer::Cancel) return false;
    // A Save As that was cancelled, or a save that failed, must not lose the document by
    // closing after all.
    return answer != Answer::Yes || saveBeforeClose(ctx);
}

}  // namespace

bool closeMainWindow(EditorContext& ctx) {
    ctx.editor.setSelection(-1, 0);
    if (ctx.editor.modified()) {
        if (!changesSettled(ctx)) return false;
    } else if (ctx.app.settings.askToQuit) {
        const Answer answer = ctx.desktop.messageBox(question("Tessaline", "Quit program now?", Buttons::YesNo));
        if (answer != Answer::Yes) return false;
    }
    endSession(ctx);
    return true;
}

bool mayEndSession(EditorContext& ctx) { return changesSettled(ctx); }

void endSession(Context& ctx) {
    ctx.desktop.deleteFile(ctx.app.paths.previewFile);
    saveSettings(ctx);
}

}  // namespace tess
