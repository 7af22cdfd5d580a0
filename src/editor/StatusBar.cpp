#include "editor/StatusBar.h"

#include "state/MainView.h"
#include "editor/Caret.h"

#include <string>

namespace tess {

void updateStatusBar(EditorContext& ctx) {
    recordCaret(ctx.edit.caret, ctx.editor);
    ctx.view.setStatusTexts(ctx.app.currentFile, " " + std::to_string(ctx.edit.caret.caretLine),
                            " " + std::to_string(ctx.edit.caret.caretColumn));
}

}  // namespace tess
