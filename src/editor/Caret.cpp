#include "editor/Caret.h"

#include "platform/EditControl.h"
#include "platform/TextEncoding.h"

#include <algorithm>

namespace tess {

namespace {

// The 0-based control line of a 1-based line argument (0: the recorded caret line); -1 when the
// line does not exist. The check matters because the control answers EM_LINEINDEX(-1) with the
// caret's own line, so a stray 0 would silently read the wrong line.
int controlLine(const CaretState& caret, const EditControl& editor, int line) {
    if (line == 0) line = caret.caretLine;
    if (line < 1 || line > editor.lineCount()) return -1;
    return line - 1;
}

}  // namespace

void recordCaret(CaretState& caret, const EditControl& editor) {
    const int start = editor.selection().start;
    const int line = editor.lineFromChar(start);
    caret.caretLine = line + 1;
    caret.caretColumn = start - editor.lineIndex(line) + 1;
}

int lineLength(const CaretState& caret, const EditControl& editor, int line) {
    const int index = controlLine(caret, editor, line);
    if (index < 0) return 0;
    return editor.lineLength(editor.lineIndex(index));
}

std::u16string lineText(const CaretState& caret, const EditControl& editor, int line) {
    const int index = controlLine(caret, editor, line);
    if (index < 0) return {};
    return editor.lineText(index);
}

// A line past the last (a bookmark left behind by an edit) goes to the last line, and a column
// past the line's end to that end: the caret never lands on another line than the one recorded.
void placeCaret(CaretState& caret, EditControl& editor, int column, int line) {
    int index = line == 0 ? editor.lineFromChar(editor.lineIndex(-1)) : line - 1;
    index = std::clamp(index, 0, editor.lineCount() - 1);
    const int start = editor.lineIndex(index);
    column = std::clamp(column, 1, editor.lineLength(start) + 1);
    if (splitsSurrogatePair(editor.lineText(index), static_cast<std::size_t>(column - 1))) --column;
    const int position = start + column - 1;
    caret.caretColumn = column;
    if (line != 0) caret.caretLine = index + 1;
    editor.setSelection(position, position);
}

// A wrapped line runs straight on into the next one; a break puts CR LF (or the control's CR CR LF)
// between them.
bool endsInLineBreak(const EditControl& editor, int line) {
    const int start = editor.lineIndex(line);
    const int next = editor.lineIndex(line + 1);
    return next < 0 || next - (start + editor.lineLength(start)) >= 2;
}

TextLine textLineAt(const EditControl& editor, int line) {
    TextLine text{line, line, 0, 0};
    while (text.firstLine > 0 && !endsInLineBreak(editor, text.firstLine - 1)) --text.firstLine;
    while (!endsInLineBreak(editor, text.lastLine)) ++text.lastLine;
    text.start = editor.lineIndex(text.firstLine);
    const int lastStart = editor.lineIndex(text.lastLine);
    text.end = lastStart + editor.lineLength(lastStart);
    text.next = editor.lineIndex(text.lastLine + 1);
    if (text.next < 0) text.next = editor.textLength();
    return text;
}

// When the text limit cut the insertion short, the caret goes no further than what was
// inserted, so it never lands inside the text that followed the selection.
void insertSnippet(CaretState& caret, EditControl& editor, std::u16string_view text, int offset) {
    recordCaret(caret, editor);
    const Selection selection = editor.selection();
    const int lengthBefore = editor.textLength() - (selection.end - selection.start);
    editor.replaceSelection(text, true);
    const int inserted = editor.textLength() - lengthBefore;
    const int wanted = offset == 0 ? static_cast<int>(text.size()) : offset;
    const int position = selection.start + std::clamp(wanted, 0, inserted);
    editor.setSelection(position, position);
}

}  // namespace tess
