#include "editor/TextLimit.h"

#include "platform/Desktop.h"
#include "platform/EditControl.h"

#include <string>

namespace tess {

namespace {

// What raiseTextLimitFor leaves free beyond the text.
constexpr int kRoomToType = 100000;

}  // namespace

// The control keeps its limit unsigned and reads "no limit" back as -1.
bool fitsTextLimit(const EditControl& editor, int removed, std::size_t added) {
    const long long limit = editor.textLimit();
    if (limit < 0) return true;
    return static_cast<long long>(editor.textLength()) - removed + static_cast<long long>(added) <= limit;
}

// The control would keep only the part that fits, and nothing would tell the user that the rest
// of a tag or of the clipboard's text is missing.
bool roomForInsertion(Context& ctx, std::u16string_view text, int removed) {
    if (fitsTextLimit(ctx.editor, removed, text.size())) return true;
    ctx.desktop.messageBox({.title = "Cannot be inserted",
                            .text = "The text does not fit: the editor holds at most " +
                                    std::to_string(ctx.editor.textLimit()) + " characters",
                            .buttons = Buttons::Ok,
                            .icon = Icon::Information});
    return false;
}

// Setting the whole text ignores the limit, but typing obeys it: without the room a document
// longer than the limit would take no more characters, and nothing would say why.
void raiseTextLimitFor(EditControl& editor, int length) {
    const int limit = editor.textLimit();
    if (limit >= 0 && length > limit) editor.setTextLimit(length + kRoomToType);
}

}  // namespace tess
