#pragma once
// The Edit menu's commands and the line commands of the editor's context menu.
#include "state/App.h"

#include <string>

namespace tess {

// Leaves the clipboard's text on it as plain CF_TEXT alone, dropping every other format; returns
// that text.
std::u16string normalizeClipboard(Desktop& desktop);

void undoEdit(Context& ctx);
void selectAll(Context& ctx);
void cutSelection(Context& ctx);
void copySelection(Context& ctx);
// Pastes, then puts the caret at the start of the line where the pasted text ends; a text that
// does not fit within the limit is refused whole.
void pasteClipboard(Context& ctx);
// Deletes the caret's line with its line break, leaving the clipboard alone.
void yankLine(Context& ctx);
// Puts the recorded caret line's text, without its break, on the clipboard.
void copyLine(Context& ctx);
// Pastes before the first character of the caret's line.
void pasteLine(Context& ctx);

}  // namespace tess
