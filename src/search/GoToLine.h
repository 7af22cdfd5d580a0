#pragma once
// Search > Go to line: a small dialog asks for a line number and the caret goes to that line's start.
#include "platform/DialogModel.h"
#include "editor/EditorState.h"

#include <optional>
#include <string_view>

namespace tess {

inline constexpr int kGoToLineNumber = 521;  // the dialog's number box

DialogLayout goToLineDialog(int lineCount);

// The line the text names, 1 to lineCount; nothing for anything else.
std::optional<int> parseLineNumber(std::string_view text, int lineCount);

class GoToLineModel final : public DialogModel {
public:
    GoToLineModel(Context& ctx, int lineCount) : ctx_(ctx), lineCount_(lineCount) {}
    void command(DialogView& view, int id, int notification) override;
    std::optional<int> line() const { return line_; }

private:
    Context& ctx_;
    int lineCount_;
    std::optional<int> line_;
};

void goToLine(EditorContext& ctx);

}  // namespace tess
