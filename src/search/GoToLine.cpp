#include "search/GoToLine.h"

#include "editor/Caret.h"
#include "editor/Gutter.h"
#include "editor/StatusBar.h"
#include "platform/Desktop.h"
#include "platform/EditControl.h"
#include "state/Dialogs.h"

#include <charconv>
#include <string>

namespace tess {

DialogLayout goToLineDialog(int lineCount) {
    using namespace controlstyle;
    DialogLayout layout{.title = "Go to line", .width = 160, .height = 60};
    layout.controls = {
        {"STATIC", -1, "&Line (1 - " + std::to_string(lineCount) + "):", 10, 12, 75, 10, 0},
        {"EDIT", kGoToLineNumber, "", 88, 10, 62, 12, kTabStop | kBorder | kEditAutoHScroll},
        {"BUTTON", kDialogOk, "&Go", 40, 35, 50, 14, kTabStop | kDefPushButton},
        {"BUTTON", kDialogCancel, "Cancel", 100, 35, 50, 14, kTabStop | kPushButton},
    };
    return layout;
}

// Spaces around the number are forgiven, as they are invisible in the box; anything else is not a line.
std::optional<int> parseLineNumber(std::string_view text, int lineCount) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    int line = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), line);
    if (error != std::errc() || end != text.data() + text.size() || line < 1 || line > lineCount) return std::nullopt;
    return line;
}

// A wrong number is said plainly and the box keeps the focus, so the user can type another at once.
void GoToLineModel::command(DialogView& view, int id, int notification) {
    if (id != kDialogOk || notification != notification::kClicked) return;
    line_ = parseLineNumber(view.text(kGoToLineNumber), lineCount_);
    if (line_) return view.close(kDialogOk);
    ctx_.desktop.messageBox({.title = "Go to line",
                             .text = "Type a line number from 1 to " + std::to_string(lineCount_) + ".",
                             .buttons = Buttons::Ok,
                             .icon = Icon::Exclamation});
    view.focus(kGoToLineNumber);
}

void goToLine(EditorContext& ctx) {
    const int lineCount = ctx.editor.lineCount();
    GoToLineModel model(ctx, lineCount);
    if (runDialog(ctx, goToLineDialog(lineCount), model) != kDialogOk || !model.line()) return;
    placeCaret(ctx.edit.caret, ctx.editor, 1, *model.line());
    ctx.editor.scrollCaret();
    refreshGutter(ctx);
    updateStatusBar(ctx);
}

}  // namespace tess
