#include "editor/Caret.h"

#include "platform/EditControl.h"

namespace tess {

void recordCaret(CaretState& caret, const EditControl& editor) {
    const int start = editor.selection().start;
    const int line = editor.lineFromChar(-1);
    caret.caretLine = line + 1;
    caret.caretColumn = start - editor.lineIndex(line) + 1;
}

int lineLength(const CaretState& caret, const EditControl& editor, int line) {
    if (line == 0) line = caret.caretLine;
    const int start = editor.lineIndex(line - 1);
    if (start < 0) return 0;
    return editor.lineLength(start);
}

std::string lineText(const CaretState& caret, const EditControl& editor, int line) {
    if (line == 0) line = caret.caretLine;
    return editor.lineText(line - 1);
}

void placeCaret(CaretState& caret, EditControl& editor, int column, int line) {
    const int start = editor.lineIndex(line == 0 ? -1 : line - 1);
    const int position = (start < 0 ? 0 : start) + column - 1;
    caret.caretColumn = column;
    if (line != 0) caret.caretLine = line;
    editor.setSelection(position, position);
}

void insertSnippet(CaretState& caret, EditControl& editor, std::string_view text, int offset) {
    recordCaret(caret, editor);
    const int start = editor.selection().start;
    editor.replaceSelection(text, true);
    const int position = start + (offset == 0 ? static_cast<int>(text.size()) : offset);
    editor.setSelection(position, position);
}

}  // namespace tess
