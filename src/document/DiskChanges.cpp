#include "document/DiskChanges.h"

#include "document/Documents.h"
#include "platform/Desktop.h"
#include "platform/EditControl.h"

namespace tess {

void rememberFileStamp(Context& ctx, std::optional<FileStamp> stamp) {
    DiskWatch& watch = ctx.app.disk;
    watch.file = ctx.app.currentFile;
    watch.stamp = stamp;
    watch.askAtSave = false;
}

void checkFileOnDisk(EditorContext& ctx) {
    DiskWatch& watch = ctx.app.disk;
    if (watch.quiet || watch.file.empty() || watch.file != ctx.app.currentFile || !watch.stamp) return;
    const std::optional<FileStamp> now = ctx.desktop.fileStamp(watch.file);
    if (now == watch.stamp) return;
    const DiskQuestionsWait asking(ctx.app);
    const std::string path = watch.file;
    // Saving writes the file again, so the text must count as unsaved even if nobody touched it.
    if (!now) {
        watch.stamp.reset();
        ctx.desktop.messageBox(
            {.title = "Tessaline", .text = goneFromDiskText(path), .buttons = Buttons::Ok, .icon = Icon::Exclamation});
        ctx.editor.setModified(true);
        return;
    }
    const bool modified = ctx.editor.modified();
    const Answer answer = ctx.desktop.messageBox(question(
        "Tessaline", changedOnDiskText(path, modified), Buttons::YesNo, modified ? Icon::Exclamation : Icon::Question));
    if (answer == Answer::Yes && loadDocument(ctx, path)) return;
    // Kept (or a reload that failed, which the user has been told about): this change is not asked
    // about again, but edits kept over it are not written over it unasked.
    watch.stamp = now;
    watch.askAtSave = modified;
}

bool mayOverwriteFile(Context& ctx) {
    DiskWatch& watch = ctx.app.disk;
    if (watch.file.empty() || watch.file != ctx.app.currentFile) return true;
    // A file that has gone is simply written again; one that came back is someone else's.
    const std::optional<FileStamp> now = ctx.desktop.fileStamp(watch.file);
    if (!now || (!watch.askAtSave && now == watch.stamp)) return true;
    const DiskQuestionsWait asking(ctx.app);
    return ctx.desktop.messageBox(question("Save File", overwriteChangedText(watch.file), Buttons::YesNo,
                                           Icon::Exclamation)) == Answer::Yes;
}

}  // namespace tess
