#include "app/Close.h"

#include "app/Startup.h"
#include "document/Documents.h"
#include "platform/Desktop.h"
#include "platform/EditControl.h"

namespace tess {

bool closeMainWindow(Context& ctx) {
    ctx.editor.setSelection(-1, 0);
    if (ctx.editor.modified()) {
        const Answer answer = ctx.desktop.messageBox(
            question("Tessaline", "File has changed...\r\ndo you want to save it?", Buttons::YesNoCancel));
        if (answer == Answer::Cancel) return false;
        // A Save As that was cancelled, or a save that failed, must not lose the document by
        // closing after all.
        if (answer == Answer::Yes && !saveBeforeClose(ctx)) return false;
    } else if (ctx.app.settings.askToQuit != 0) {
        const Answer answer = ctx.desktop.messageBox(question("Tessaline", "Quit program now?", Buttons::YesNo));
        if (answer != Answer::Yes) return false;
    }
    ctx.desktop.deleteFile(ctx.app.paths.previewFile);
    saveSettings(ctx);
    return true;
}

}  // namespace tess
