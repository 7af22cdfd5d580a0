#include "editor/LineCommands.h"

#include "editor/StatusBar.h"
#include "editor/Bookmarks.h"
#include "editor/Caret.h"
#include "editor/Gutter.h"
#include "editor/TextLimit.h"
#include "platform/Desktop.h"
#include "platform/EditControl.h"

namespace tess {

namespace {

// The tail every edit that may add or remove lines shares: the bookmarks follow the lines, the
// gutter and the status bar show where things now stand.
void afterLineEdit(EditorContext& ctx, EditSpan span) {
    followEdit(ctx, span);
    updateStatusBar(ctx);
}

EditSpan spanAtSelection(const EditControl& editor) { return {editor.selection().start, editor.lineCount()}; }

}  // namespace

// Nothing readable (no text, or the clipboard held open by another program) leaves the clipboard
// alone: writing back an empty text would destroy whatever the user had copied elsewhere.
std::u16string normalizeClipboard(Desktop& desktop) {
    std::u16string text = desktop.clipboardText();
    if (!text.empty()) desktop.setClipboardText(text);
    return text;
}

// The control selects the text it puts back, and leaves the caret where it took text out: either
// way the selection start afterwards is where the undone edit began. The control shows the end of
// what it put back, but the status bar tells where a selection starts: after undoing a Replace All
// the view would stand thousands of lines below the line the status bar names. With the caret
// turned to the start, the view, the caret and the status bar agree, and all of it stays selected.
void undoEdit(EditorContext& ctx) {
    EditControl& editor = ctx.editor;
    const int countBefore = editor.lineCount();
    editor.undo();
    const Selection restored = editor.selection();
    if (restored.end > restored.start) {
        editor.setSelection(restored.end, restored.start);
        editor.scrollCaret();
    }
    afterLineEdit(ctx, {restored.start, countBefore});
}

void selectAll(Context& ctx) { ctx.editor.setSelection(0, -1); }

void cutSelection(EditorContext& ctx) {
    const EditSpan span = spanAtSelection(ctx.editor);
    ctx.editor.cut();
    normalizeClipboard(ctx.desktop);
    afterLineEdit(ctx, span);
}

void copySelection(Context& ctx) {
    ctx.editor.copy();
    normalizeClipboard(ctx.desktop);
}

void pasteClipboard(EditorContext& ctx) {
    const EditSpan span = spanAtSelection(ctx.editor);
    const Selection selection = ctx.editor.selection();
    if (!roomForInsertion(ctx, normalizeClipboard(ctx.desktop), selection.end - selection.start)) return;
    ctx.editor.paste();
    placeCaret(ctx.edit.caret, ctx.editor, 1, 0);
    ctx.editor.scrollCaret();
    afterLineEdit(ctx, span);
}

// The line is the text line the caret stands on, all of it when word wrap shows it on several
// display lines: taking only a display line and the two characters after it would cut into the
// next display line. It is found from the control's caret, not the record, which may lag behind.
void yankLine(EditorContext& ctx) {
    EditControl& editor = ctx.editor;
    const TextLine line = textLineAt(editor, editor.lineFromChar(editor.lineIndex(-1)));
    const EditSpan span{line.start, editor.lineCount()};
    // An empty last line has nothing to remove, and the undo step stays the user's last edit.
    if (line.next > line.start) {
        editor.setSelection(line.start, line.next);
        editor.replaceSelection(u"", true);
    }
    placeCaret(ctx.edit.caret, editor, 1, line.firstLine + 1);
    afterLineEdit(ctx, span);
}

// The whole text line, without its break; a line that word wrap shows on several display lines is
// read from the text, since its display lines alone need not hold every character between them.
void copyLine(EditorContext& ctx) {
    const int caretLine = ctx.edit.caret.caretLine;
    std::u16string copied;
    if (caretLine >= 1 && caretLine <= ctx.editor.lineCount()) {
        const TextLine line = textLineAt(ctx.editor, caretLine - 1);
        if (line.firstLine == line.lastLine) copied = ctx.editor.lineText(line.firstLine);
        else copied = ctx.editor.text().substr(static_cast<std::size_t>(line.start),
                                               static_cast<std::size_t>(line.end - line.start));
    }
    ctx.desktop.setClipboardText(copied);
}

// Whether the text fits is known before the caret moves: a refused paste leaves it where it was.
void pasteLine(EditorContext& ctx) {
    if (!roomForInsertion(ctx, ctx.desktop.clipboardText(), 0)) return;
    const int start = textLineAt(ctx.editor, ctx.editor.lineFromChar(ctx.editor.lineIndex(-1))).start;
    ctx.editor.setSelection(start, start);
    pasteClipboard(ctx);
}

}  // namespace tess
