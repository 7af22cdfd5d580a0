#include "document/Documents.h"

#include "app/StatusBar.h"
#include "editor/Gutter.h"
#include "platform/Desktop.h"
#include "platform/EditControl.h"

namespace tess {

namespace {

void showFileError(Context& ctx, std::string_view text) {
    ctx.desktop.messageBox({.title = "File Error ",
                            .text = std::string(text) + "   ",
                            .buttons = Buttons::Ok,
                            .icon = Icon::Error});
}

}  // namespace

bool loadDocument(Context& ctx, const std::string& path) {
    ReadResult file = ctx.desktop.readFile(path);
    if (file.error != FileError::None) {
        showFileError(ctx, fileErrorText(file.error));
        return false;
    }
    // The edit control ends its text at the first NUL: loading such a file would silently cut it,
    // and a later save would write the cut text back.
    if (file.bytes.find('\0') != std::string::npos) {
        showFileError(ctx, "File contains a zero byte and cannot be edited");
        return false;
    }
    // Setting the text ignores the limit but typing obeys it: a longer document would be stuck.
    if (static_cast<int>(file.bytes.size()) > ctx.editor.textLimit())
        ctx.editor.setTextLimit(static_cast<int>(file.bytes.size()) + 100000);
    ctx.editor.setText(file.bytes);
    ctx.app.currentFile = path;
    updateStatusBar(ctx);
    ctx.app.bookmarks.clear();
    ctx.editor.setModified(false);
    refreshGutter(ctx);
    return true;
}

}  // namespace tess
