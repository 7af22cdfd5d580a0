#pragma once
// The editor control's text limit as the program's own edits meet it.
#include "state/App.h"

#include <cstddef>
#include <string_view>

namespace tess {

// Whether taking removed characters out and putting added ones in keeps the text within the
// control's limit.
bool fitsTextLimit(const EditControl& editor, int removed, std::size_t added);

// An insertion the program makes in place of the selection (or of removed characters) goes in
// whole or not at all: false, once the user has been told, when the text does not fit.
bool roomForInsertion(Context& ctx, std::u16string_view text, int removed);

// A text made longer than the limit by other means than typing: the limit is raised past it,
// leaving room to go on typing and pasting.
void raiseTextLimitFor(EditControl& editor, int length);

}  // namespace tess
