#pragma once
// The Edit menu's commands and the line commands of the editor's context menu.
#include "editor/EditorState.h"

#include <string>

namespace tess {

// Leaves the clipboard's text on it as plain CF_TEXT alone, dropping every other format; returns
// that text.
std::u16string normalizeClipboard(Desktop& desktop);

void undoEdit(EditorContext& ctx);
void selectAll(Context& ctx);
void cutSelection(EditorContext& ctx);
void copySelection(Context& ctx);
// Pastes, then puts the caret at the start of the line where the pasted text ends; a text that
// does not fit within the limit is refused whole.
void pasteClipboard(EditorContext& ctx);
// Deletes the caret's line with its line break, leaving the clipboard alone.
void yankLine(EditorContext& ctx);
// Puts the recorded caret line's text, without its break, on the clipboard.
void copyLine(EditorContext& ctx);
// Pastes before the first character of the caret's line.
void pasteLine(EditorContext& ctx);

}  // namespace tess
