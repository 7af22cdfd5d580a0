#include "editor/KeyHandling.h"

#include "editor/StatusBar.h"
#include "editor/Bookmarks.h"
#include "editor/Caret.h"
#include "editor/Gutter.h"
#include "editor/TextLimit.h"
#include "platform/Desktop.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

namespace tess {

namespace {

enum class TabOutcome { Done, Refused };


int leadingSpaces(std::u16string_view text) {
    const auto first = text.find_first_not_of(u' ');
    return static_cast<int>(first == std::u16string_view::npos ? text.size() : first);
}

// The spaces at the start of the text line that holds the control's line. With word wrap on, the
// indentation belongs to the first of its display lines, and runs on into the next when it is
// longer than a display line.
int textLineIndent(const EditControl& editor, int line) {
    const TextLine text = textLineAt(editor, line);
    int spaces = 0;
    for (line = text.firstLine; line <= text.lastLine; ++line) {
        const std::u16string row = editor.lineText(line);
        const int leading = leadingSpaces(row);
        spaces += leading;
        if (leading < static_cast<int>(row.size())) break;
    }
    return spaces;
}

// The goal column is taken from the caret's own column on the line it has reached, and only
// where that line is long enough to hold it: a line that merely ends at the goal column does not
// count, so the control's placement stands there.
void applyGoalColumn(CaretState& caret, EditControl& editor) {
    recordCaret(caret, editor);
    if (caret.goalColumn > caret.caretColumn && lineLength(caret, editor, caret.caretLine) >= caret.goalColumn)
        placeCaret(caret, editor, caret.goalColumn, caret.caretLine);
}

TabOutcome indentBlock(Context& ctx, Selection selection, bool unindent) {
    EditControl& editor = ctx.editor;
    const std::u16string text = editor.text();
    int s = selection.start;
    int e = selection.end;
    // A block selected with the line break after its last line: the break is not part of it.
    // Judged on the selection's end itself rather than on the caret's line, so that a block
    // selected upwards is treated like one selected downwards; and only after a real line break,
    // not at a wrap point of word wrap, where the two characters before are text.
    if (e >= 2 && text.compare(static_cast<std::size_t>(e - 2), 2, u"\r\n") == 0) {
        e = std::max(s, e - 2);
        editor.setSelection(s, e);
    }
    // Whole text lines: with word wrap on, a display line that starts at a wrap point is the
    // middle of a line, and indenting it would put spaces in the middle of the text.
    const int first = editor.lineFromChar(s);
    const int last = editor.lineFromChar(e);
    if (s != textLineAt(editor, first).start || e != textLineAt(editor, last).end) {
        editor.setSelection(s, s);
        ctx.desktop.messageBox({.title = "Cannot be tabbed",
                                .text = "Selection must be a complete block of text",
                                .buttons = Buttons::Ok,
                                .icon = Icon::Information,
                                .modality = Modality::System});
        return TabOutcome::Refused;
    }

    // The block is rebuilt from its text split at the hard line breaks: one read of the text
    // rather than one line lookup per line, and with word wrap on, the control's display lines
    // would otherwise get hard breaks at their wrap points.
    const int unit = indentUnit(ctx.app.settings);
    const std::u16string indent(static_cast<std::size_t>(unit), u' ');
    const std::u16string_view block =
        std::u16string_view(text).substr(static_cast<std::size_t>(s), static_cast<std::size_t>(e - s));
    std::u16string rebuilt;
    rebuilt.reserve(block.size() + static_cast<std::size_t>(last - first + 1) * indent.size());
    bool changed = false;
    for (std::size_t from = 0;;) {
        const std::size_t to = block.find(u"\r\n", from);
        const std::u16string_view line = block.substr(from, to == std::u16string_view::npos ? to : to - from);
        if (unindent) {
            const int removed = std::min(leadingSpaces(line), unit);
            changed = changed || removed > 0;
            rebuilt += line.substr(static_cast<std::size_t>(removed));
        } else {
            changed = true;
            rebuilt += indent;
            rebuilt += line;
        }
        if (to == std::u16string_view::npos) break;
        rebuilt += u"\r\n";
        from = to + 2;
    }
    const int length = static_cast<int>(rebuilt.size());
    if (changed) {
        // The control would cut the replacement at its limit and lose the block's last lines.
        if (!fitsTextLimit(editor, e - s, rebuilt.size())) {
            ctx.desktop.beep();
            return TabOutcome::Done;
        }
        editor.setSelection(s, e);
        editor.replaceSelection(rebuilt, true);
    }
    editor.setSelection(s, s + length);
    return TabOutcome::Done;
}

void indentAtCaret(EditorContext& ctx, bool unindent) {
    EditControl& editor = ctx.editor;
    CaretState& caret = ctx.edit.caret;
    const int unit = indentUnit(ctx.app.settings);
    if (!unindent) {
        editor.replaceSelection(std::u16string(static_cast<std::size_t>(unit), u' '), true);
        return;
    }
    recordCaret(caret, editor);
    const std::u16string text = lineText(caret, editor, caret.caretLine);
    const int before = std::min(caret.caretColumn - 1, static_cast<int>(text.size()));
    int count = 0;
    while (count < unit && count < before && text[static_cast<std::size_t>(before - count - 1)] == u' ') ++count;
    if (count == 0) return;
    const int position = editor.selection().start;
    editor.setSelection(position - count, position);
    editor.replaceSelection(u"", true);
}

// A typed opening bracket, waiting for the control to insert it.
struct PendingBracket {
    char16_t opening = 0;
    int position = 0;     // just after the bracket once the control has inserted it
    int lengthAfter = 0;  // the text length once the control has inserted it
};

std::optional<PendingBracket> prepareBracket(EditorContext& ctx, char16_t typed) {
    if (!ctx.app.settings.autoCompleteBrackets || closingBracket(typed) == 0) return std::nullopt;
    recordCaret(ctx.edit.caret, ctx.editor);
    const Selection selection = ctx.editor.selection();
    return PendingBracket{typed, selection.start + 1,
                          ctx.editor.textLength() - (selection.end - selection.start) + 1};
}

// The character before the caret is only replaced when the control really inserted the bracket
// there: at the text limit it inserts nothing, and the character before the caret is then some
// other part of the document.
void completeBracket(Context& ctx, const PendingBracket& pending) {
    EditControl& editor = ctx.editor;
    const Selection expected{pending.position, pending.position};
    if (editor.selection() != expected || editor.textLength() != pending.lengthAfter) return;
    if (!fitsTextLimit(editor, 1, 2)) return;
    const char16_t pair[] = {pending.opening, closingBracket(pending.opening)};
    editor.setSelection(pending.position - 1, pending.position);
    editor.replaceSelection(std::u16string_view(pair, 2), true);
    editor.setSelection(pending.position, pending.position);
}

// The whole Enter happens here, as one undoable replacement: the line break and the new line's
// indentation go in together, so there is no pause waiting for the control's own line break and
// undo takes both back at once. The caret comes from the control at every press, so
// auto-repeated presses (several presses, one release) each indent from where the last one left
// the caret.
void enterPressed(EditorContext& ctx) {
    EditControl& editor = ctx.editor;
    CaretState& caret = ctx.edit.caret;
    caret.enterPrepared = true;
    const int breakAt = editor.selection().start;
    const int line = editor.lineFromChar(breakAt);
    std::u16string inserted = u"\r\n";
    inserted.append(static_cast<std::size_t>(textLineIndent(editor, line)), u' ');
    // Never half a line break: at the limit the control would keep a lone CR.
    const int room = editor.textLimit() - editor.textLength();
    if (room < 2) return;
    if (static_cast<int>(inserted.size()) > room) inserted.resize(static_cast<std::size_t>(room));
    const EditSpan span{breakAt, editor.lineCount()};
    editor.setSelection(breakAt, breakAt);
    editor.replaceSelection(inserted, true);
    followEdit(ctx, span);
}

bool enterReleased(EditorContext& ctx) {
    if (!ctx.edit.caret.enterPrepared) return false;
    ctx.edit.caret.enterPrepared = false;
    refreshGutter(ctx);
    updateStatusBar(ctx);
    return true;
}

void verticalMovePressed(EditorContext& ctx, bool shift) {
    if (shift) return;
    CaretState& caret = ctx.edit.caret;
    recordCaret(caret, ctx.editor);
    if (caret.goalColumn == 0) caret.goalColumn = caret.caretColumn;
    else applyGoalColumn(caret, ctx.editor);
}

void verticalMoveReleased(EditorContext& ctx, bool shift) {
    if (!shift) {
        applyGoalColumn(ctx.edit.caret, ctx.editor);
        refreshGutter(ctx);
    }
    updateStatusBar(ctx);
}

void horizontalMoveReleased(EditorContext& ctx) {
    ctx.edit.caret.goalColumn = 0;
    refreshGutter(ctx);
    updateStatusBar(ctx);
}

void deleteReleased(EditorContext& ctx) {
    refreshGutter(ctx);
    updateStatusBar(ctx);
}

TabOutcome tabPressed(EditorContext& ctx, bool shift) {
    ctx.edit.caret.goalColumn = 0;
    const Selection selection = ctx.editor.selection();
    if (selection.end > selection.start) {
        if (indentBlock(ctx, selection, shift) == TabOutcome::Refused) return TabOutcome::Refused;
    } else {
        indentAtCaret(ctx, shift);
    }
    updateStatusBar(ctx);
    return TabOutcome::Done;
}

// The line comes from the font's line height and the first line shown, the column from the
// character width measured from where the line's first character is drawn (so the control's
// margin and a horizontal scroll are allowed for). A point below the last line or right of a
// line's end puts the caret at that line's end rather than on some other line.
void placeCaretAtPoint(EditorContext& ctx, Point point) {
    EditControl& editor = ctx.editor;
    CaretState& caret = ctx.edit.caret;
    const FontMetrics& font = ctx.edit.font;
    caret.goalColumn = 0;
    int line = caret.caretLine;
    if (font.lineHeight != 0) line = editor.firstVisibleLine() + 1 + (point.y - 1) / font.lineHeight;
    line = std::clamp(line, 1, editor.lineCount());
    const int start = editor.lineIndex(line - 1);
    int offset = 0;
    if (font.charWidth > 0) offset = (point.x - editor.positionFromChar(start).x) / font.charWidth;
    offset = std::clamp(offset, 0, editor.lineLength(start));
    if (splitsSurrogatePair(editor.lineText(line - 1), static_cast<std::size_t>(offset))) --offset;
    editor.setSelection(start + offset, start + offset);
    caret.caretLine = line;
    caret.caretColumn = offset + 1;
}

// Runs the control's handling of a key or character and lets the bookmarks and the gutter follow
// whatever it did to the lines (Delete, Backspace, typing over lines, pasting with Shift+Insert).
// The text before the nearer of the selection starts before and after is untouched by any such
// edit (Backspace at a line start ends on the line above), so that is where the edit began.
void runControl(EditorContext& ctx, const ControlHandling& control) {
    EditControl& editor = ctx.editor;
    const int countBefore = editor.lineCount();
    const int startBefore = editor.selection().start;
    control();
    if (editor.lineCount() == countBefore) return;
    followEdit(ctx, {std::min(startBefore, editor.selection().start), countBefore});
    recordCaret(ctx.edit.caret, editor);
}

int selectedLength(const EditControl& editor) {
    const Selection selection = editor.selection();
    return selection.end - selection.start;
}

bool isCharOf(Key key, char16_t typed) {
    if (key == Key::Enter) return typed == u'\r' || typed == u'\n';  // Ctrl+Enter gives LF
    if (key == Key::Tab) return typed == u'\t';
    return false;
}

}  // namespace

char16_t closingBracket(char16_t opening) {
    switch (opening) {
    case u'(': return u')';
    case u'<': return u'>';
    case u'[': return u']';
    case u'{': return u'}';
    default: return 0;
    }
}

// The translation of a key press into a character arrives after the press itself. For Enter and
// Tab the press has already done all there is to do, so their character is dropped; the count
// is reset by the next press and by the key's release, so an untranslated press (one that was
// sent rather than typed) cannot leave a later character to be swallowed.
bool EditorKeys::charTyped(EditorContext& ctx, char16_t typed, const ControlHandling& control) {
    if (swallowCount_ > 0 && isCharOf(swallowFor_, typed)) {
        --swallowCount_;
        return false;
    }
    const auto pending = prepareBracket(ctx, typed);
    runControl(ctx, [&] {
        control();
        if (pending) completeBracket(ctx, *pending);
    });
    return true;
}

// Tab does its work at the press, and the press is swallowed whole: the control would insert a
// tab character, and in a dialog it would move the focus. What it does is decided there, from
// Shift and the selection of that moment, so keys that overlap it (Shift let go first, a letter
// typed before Tab is let go) cannot turn it into another edit or move it elsewhere. Each
// auto-repeated press indents again, except after a refused block: the repeats of that press
// would otherwise put spaces where the selection was collapsed.
// Any other key pressed between an Enter press and its release ends that Enter: its release then
// counts as a lone one (the Enter has done its work at the press already).
bool EditorKeys::keyPressed(EditorContext& ctx, Key key, bool shift, const ControlHandling& control, bool repeated) {
    swallowCount_ = 0;
    if (key != Key::Enter) ctx.edit.caret.enterPrepared = false;
    switch (key) {
    case Key::Enter:
        enterPressed(ctx);
        swallowFor_ = Key::Enter;
        swallowCount_ = 1;
        control();
        return true;
    case Key::Tab:
        swallowFor_ = Key::Tab;
        swallowCount_ = 1;
        if (!(repeated && tabRefused_)) tabRefused_ = tabPressed(ctx, shift) == TabOutcome::Refused;
        return false;
    // Shift+Insert is the control's own paste, and the control would keep only what fits.
    case Key::Insert:
        if (shift && !roomForInsertion(ctx, ctx.desktop.clipboardText(), selectedLength(ctx.editor))) return false;
        runControl(ctx, control);
        return true;
    case Key::Up:
    case Key::Down:
        verticalMovePressed(ctx, shift);
        control();
        return true;
    default:
        runControl(ctx, control);
        return true;
    }
}

bool EditorKeys::keyReleased(EditorContext& ctx, Key key, bool shift, const ControlHandling& control) {
    switch (key) {
    case Key::Enter:
        swallowCount_ = 0;
        if (!enterReleased(ctx)) return false;
        break;
    // The press did all there is to do; a release without its press (Tab pressed elsewhere)
    // must not indent anything either.
    case Key::Tab:
        swallowCount_ = 0;
        return false;
    case Key::Up:
    case Key::Down: verticalMoveReleased(ctx, shift); break;
    case Key::Left:
    case Key::Right:
    case Key::Home:
    case Key::End:
    case Key::PageUp:
    case Key::PageDown: horizontalMoveReleased(ctx); break;
    case Key::Delete: deleteReleased(ctx); break;
    case Key::Insert:
    case Key::Other: updateStatusBar(ctx); break;
    }
    control();
    return true;
}

void EditorKeys::leftButtonReleased(EditorContext& ctx) {
    ctx.edit.caret.goalColumn = 0;
    updateStatusBar(ctx);
}

void EditorKeys::rightButtonPressed(EditorContext& ctx, Point point) { placeCaretAtPoint(ctx, point); }

}  // namespace tess
