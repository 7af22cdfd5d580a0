#include "editor/StatusBar.h"

#include "state/MainView.h"
#include "editor/Caret.h"

#include <string>

namespace tess {

void updateStatusBar(Context& ctx) {
    recordCaret(ctx.app.caret, ctx.editor);
    ctx.view.setStatusTexts(ctx.app.currentFile, " " + std::to_string(ctx.app.caret.caretLine),
                            " " + std::to_string(ctx.app.caret.caretColumn));
}

}  // namespace tess
