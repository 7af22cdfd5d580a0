#pragma once
// The caret record and the line primitives that the editor features share. Lines and columns
// are 1-based; a line argument of 0 means the recorded caret line.
#include "app/App.h"

#include <string>
#include <string_view>

namespace tess {

class EditControl;

// caretLine and caretColumn from the selection start.
void recordCaret(CaretState& caret, const EditControl& editor);
// 0 for a line that does not exist.
int lineLength(const CaretState& caret, const EditControl& editor, int line);
// "" for a line that does not exist.
std::string lineText(const CaretState& caret, const EditControl& editor, int line);
// Puts the caret at column of line (line 0: the line the caret stands on) and records it.
void placeCaret(CaretState& caret, EditControl& editor, int column, int line);
// Replaces the selection with text as one undoable edit, then puts the caret offset characters
// after where the selection started (offset 0: after the inserted text).
void insertSnippet(CaretState& caret, EditControl& editor, std::string_view text, int offset);

}  // namespace tess
