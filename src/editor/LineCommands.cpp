#include "editor/LineCommands.h"

#include "app/StatusBar.h"
#include "editor/Bookmarks.h"
#include "editor/Caret.h"
#include "editor/Gutter.h"
#include "platform/Desktop.h"
#include "platform/EditControl.h"

namespace tess {

namespace {

// The tail every edit that may add or remove lines shares: the bookmarks follow the lines, the
// gutter and the status bar show where things now stand.
void afterLineEdit(Context& ctx, FirstLine first = FirstLine::Removed) {
    adjustBookmarks(ctx, first);
    refreshGutter(ctx);
    updateStatusBar(ctx);
}

}  // namespace

// Nothing readable (no text, or the clipboard held open by another program) leaves the clipboard
// alone: writing back an empty text would destroy whatever the user had copied elsewhere.
void normalizeClipboard(Desktop& desktop) {
    const std::string text = desktop.clipboardText();
    if (text.empty()) return;
    desktop.setClipboardText(text);
}

// The control selects the text it puts back, so the selection start afterwards is where the
// undone edit began, which is where the bookmarks move from. Lines put back inside a line leave
// that line's start in place: only the lines after it move down. Lines taken out from inside a
// line join the rest onto it.
void undoEdit(Context& ctx) {
    CaretState& caret = ctx.app.caret;
    caret.lineCountBefore = ctx.editor.lineCount();
    ctx.editor.undo();
    recordCaret(caret, ctx.editor);
    const FirstLine first = firstLineOfEditAt(ctx.editor, ctx.editor.selection().start);
    if (first == FirstLine::Joined && ctx.editor.lineCount() > caret.lineCountBefore) ++caret.caretLine;
    afterLineEdit(ctx, first);
}

void selectAll(Context& ctx) { ctx.editor.setSelection(0, -1); }

// The caret is recorded first: the removed lines start at the selection's line, whatever the
// last recorded caret says.
void cutSelection(Context& ctx) {
    ctx.app.caret.lineCountBefore = ctx.editor.lineCount();
    recordCaret(ctx.app.caret, ctx.editor);
    const FirstLine first = firstLineOfEditAt(ctx.editor, ctx.editor.selection().start);
    ctx.editor.cut();
    normalizeClipboard(ctx.desktop);
    afterLineEdit(ctx, first);
}

void copySelection(Context& ctx) {
    ctx.editor.copy();
    normalizeClipboard(ctx.desktop);
}

// caretLine stays the line the paste went in at (placing the caret on line 0 keeps it) until the
// bookmarks have moved; the status bar then records where the caret ended.
void pasteClipboard(Context& ctx) {
    ctx.app.caret.lineCountBefore = ctx.editor.lineCount();
    recordCaret(ctx.app.caret, ctx.editor);
    const FirstLine first = firstLineOfEditAt(ctx.editor, ctx.editor.selection().start);
    normalizeClipboard(ctx.desktop);
    ctx.editor.paste();
    placeCaret(ctx.app.caret, ctx.editor, 1, 0);
    ctx.editor.scrollCaret();
    afterLineEdit(ctx, first);
}

// The line is the text line the caret stands on, all of it when word wrap shows it on several
// display lines: taking only a display line and the two characters after it would cut into the
// next display line. caretLine is set from it so that the caret, the bookmarks and the status bar
// all agree even when the record lagged behind.
void yankLine(Context& ctx) {
    EditControl& editor = ctx.editor;
    ctx.app.caret.lineCountBefore = editor.lineCount();
    const TextLine line = textLineAt(editor, editor.lineFromChar(editor.lineIndex(-1)));
    ctx.app.caret.caretLine = line.firstLine + 1;
    // An empty last line has nothing to remove; replacing nothing would still mark the document
    // changed and take the undo step.
    if (line.next > line.start) {
        editor.setSelection(line.start, line.next);
        editor.replaceSelection("", true);
    }
    placeCaret(ctx.app.caret, editor, 1, ctx.app.caret.caretLine);
    afterLineEdit(ctx);
}

// The whole text line, without its break; a line that word wrap shows on several display lines is
// read from the text, since its display lines alone need not hold every character between them.
void copyLine(Context& ctx) {
    const int caretLine = ctx.app.caret.caretLine;
    std::string copied;
    if (caretLine >= 1 && caretLine <= ctx.editor.lineCount()) {
        const TextLine line = textLineAt(ctx.editor, caretLine - 1);
        if (line.firstLine == line.lastLine) copied = ctx.editor.lineText(line.firstLine);
        else copied = ctx.editor.text().substr(static_cast<std::size_t>(line.start),
                                               static_cast<std::size_t>(line.end - line.start));
    }
    ctx.desktop.setClipboardText(copied);
}

void moveCaretToLineStart(Context& ctx) {
    const int start = textLineAt(ctx.editor, ctx.editor.lineFromChar(ctx.editor.lineIndex(-1))).start;
    ctx.editor.setSelection(start, start);
}

}  // namespace tess
