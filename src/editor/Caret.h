#pragma once
// The caret record and the line primitives that the editor features share. Lines and columns
// are 1-based; a line argument of 0 means the recorded caret line.
#include "editor/EditorState.h"

#include <string>
#include <string_view>

namespace tess {

class EditControl;

// caretLine and caretColumn from the selection start.
void recordCaret(CaretState& caret, const EditControl& editor);
// 0 for a line that does not exist.
int lineLength(const CaretState& caret, const EditControl& editor, int line);
// "" for a line that does not exist.
std::u16string lineText(const CaretState& caret, const EditControl& editor, int line);
// Puts the caret at column of line (line 0: the line the caret stands on) and records it; a column
// between the halves of a surrogate pair goes to the pair's start.
void placeCaret(CaretState& caret, EditControl& editor, int column, int line);
// The text between two hard line breaks that holds the control's line (0-based). With word wrap
// on, the control's lines are display lines, and one text line can span several of them.
struct TextLine {
    int firstLine = 0;  // the control's lines it spans, 0-based
    int lastLine = 0;
    int start = 0;      // its first character
    int end = 0;        // just after its last character, before its line break
    int next = 0;       // where the following line starts, after the break; the text's end on the last line
};
TextLine textLineAt(const EditControl& editor, int line);
// Whether the control's line (0-based) ends in a line break rather than at a wrap point (or is the
// last line).
bool endsInLineBreak(const EditControl& editor, int line);

// Replaces the selection with text as one undoable edit, then puts the caret offset characters
// after where the selection started (offset 0: after the inserted text).
void insertSnippet(CaretState& caret, EditControl& editor, std::u16string_view text, int offset);

}  // namespace tess
