#include "InMemoryEditControl.h"

#include "platform/TextEncoding.h"

#include <algorithm>

namespace tess::test {

void InMemoryEditControl::setText(std::u16string_view text) {
    text_.assign(text);
    startsKnown_ = false;
    anchor_ = caret_ = 0;
    emptyUndo();
    modified_ = false;
    firstVisible_ = 0;
}

Selection InMemoryEditControl::selection() const {
    return {std::min(anchor_, caret_), std::max(anchor_, caret_)};
}

int InMemoryEditControl::clampPos(int pos) const {
    return std::clamp(pos, 0, textLength());
}

// The control reads both arguments as unsigned: -1 and every other negative end mean "the end".
void InMemoryEditControl::setSelection(int start, int end) {
    if (start == -1) {
        anchor_ = caret_;
        return;
    }
    const auto clampUnsigned = [this](int pos) { return pos < 0 ? textLength() : std::min(pos, textLength()); };
    anchor_ = clampUnsigned(start);
    caret_ = clampUnsigned(end);
}

void InMemoryEditControl::emptyUndo() {
    undoText_.clear();
    undoInsertCount_ = 0;
}

// The control's own bookkeeping: a deletion next to the last one grows the deleted text, an
// insertion where the last one ended grows the inserted count, so a run of typing or of
// Backspace is one undo step. Anything else starts a new step.
void InMemoryEditControl::replaceRange(int start, int end, std::u16string_view text) {
    const long long kept = textLength() - (end - start);
    std::u16string_view inserted = text;
    if (kept + static_cast<long long>(inserted.size()) > limit_)
        inserted = limit_ < kept ? std::u16string_view{} : inserted.substr(0, static_cast<std::size_t>(limit_ - kept));

    if (end > start) {
        const std::u16string_view deleted(text_.data() + start, static_cast<std::size_t>(end - start));
        if (undoInsertCount_ == 0 && !undoText_.empty() && start == undoPosition_) {
            undoText_ += deleted;
        } else if (undoInsertCount_ == 0 && !undoText_.empty() && end == undoPosition_) {
            undoText_.insert(0, deleted);
            undoPosition_ = start;
        } else {
            undoText_.assign(deleted);
            undoPosition_ = start;
        }
        undoInsertCount_ = 0;
    }
    if (!inserted.empty()) {
        if (start == undoPosition_ || (undoInsertCount_ != 0 && start == undoPosition_ + undoInsertCount_)) {
            undoInsertCount_ += static_cast<int>(inserted.size());
        } else {
            undoPosition_ = start;
            undoInsertCount_ = static_cast<int>(inserted.size());
            undoText_.clear();
        }
    }
    anchor_ = caret_ = start + static_cast<int>(inserted.size());
    if (end > start || !inserted.empty()) {
        text_.replace(start, end - start, inserted);
        startsKnown_ = false;
        modified_ = true;
    }
    scrollCaret();  // as the control does after every replacement, even of nothing
}

// Every replacement the program makes can be undone.
void InMemoryEditControl::replaceSelection(std::u16string_view text, bool) {
    const Selection s = selection();
    replaceRange(s.start, s.end, text);
}

// Lines break at CR LF; a lone CR or LF is an ordinary character.
const std::vector<int>& InMemoryEditControl::lineStarts() const {
    if (startsKnown_) return starts_;
    starts_.assign(1, 0);
    for (std::size_t found = text_.find(u"\r\n"); found != std::u16string::npos; found = text_.find(u"\r\n", found + 2))
        starts_.push_back(static_cast<int>(found) + 2);
    startsKnown_ = true;
    return starts_;
}

int InMemoryEditControl::lineCount() const { return static_cast<int>(lineStarts().size()); }

// A line's break belongs to the line, so a position between CR and LF is still on it.
int InMemoryEditControl::lineFromChar(int pos) const {
    pos = clampPos(pos);
    const std::vector<int>& starts = lineStarts();
    return static_cast<int>(std::upper_bound(starts.begin(), starts.end(), pos) - starts.begin()) - 1;
}

int InMemoryEditControl::lineIndex(int line) const {
    if (line == -1) line = lineFromChar(caret_);
    const std::vector<int>& starts = lineStarts();
    if (line >= static_cast<int>(starts.size())) return -1;
    return line < 0 ? 0 : starts[static_cast<std::size_t>(line)];
}

int InMemoryEditControl::lineStartOf(int pos) const { return lineIndex(lineFromChar(pos)); }

int InMemoryEditControl::lineEndOf(int pos) const {
    const int line = lineFromChar(pos);
    if (line + 1 >= lineCount()) return textLength();
    return lineIndex(line + 1) - 2;
}

int InMemoryEditControl::lineLength(int pos) const {
    return lineEndOf(pos) - lineStartOf(pos);
}

std::u16string InMemoryEditControl::lineText(int line) const {
    const int start = lineIndex(line);
    if (start < 0) return {};
    return text_.substr(start, lineEndOf(start) - start);
}

// Puts the deleted text back in place of the inserted one and selects it, the caret at its end
// and in view; the step left behind is the reverse edit, so a second undo redoes. With nothing to
// undo, the control still moves the caret to where the last step stood.
void InMemoryEditControl::undo() {
    const std::u16string restored = std::move(undoText_);
    const int position = undoPosition_;
    const int end = std::min(position + undoInsertCount_, textLength());
    emptyUndo();
    replaceRange(std::min(position, textLength()), end, restored);
    anchor_ = std::min(undoPosition_, textLength());
    caret_ = std::min(undoPosition_ + undoInsertCount_, textLength());
    scrollCaret();
}

void InMemoryEditControl::cut() {
    const Selection s = selection();
    copy();
    if (s.start != s.end) replaceRange(s.start, s.end, {});
}

void InMemoryEditControl::copy() {
    const Selection s = selection();
    if (s.start == s.end) return;
    clipboard_ = text_.substr(s.start, s.end - s.start);
}

// An empty clipboard holds no text, and pasting nothing leaves the selection alone.
void InMemoryEditControl::paste() {
    if (clipboard_.empty()) return;
    replaceSelection(clipboard_, true);
}

void InMemoryEditControl::scrollCaret() {
    const int line = lineFromChar(caret_);
    if (line < firstVisible_) firstVisible_ = line;
    else if (line >= firstVisible_ + visibleLines_) firstVisible_ = line - visibleLines_ + 1;
}

Point InMemoryEditControl::positionFromChar(int pos) const {
    pos = clampPos(pos);
    const int line = lineFromChar(pos);
    return {(pos - lineIndex(line)) * kCharWidth, (line - firstVisible_) * kLineHeight};
}

void InMemoryEditControl::setTextLimit(int limit) { limit_ = limit == 0 ? ~0u : static_cast<unsigned>(limit); }

void InMemoryEditControl::typeChar(char16_t c) {
    const Selection s = selection();
    switch (c) {
    case u'\b': pressBackspace(); return;
    case u'\r':
    case u'\n': replaceRange(s.start, s.end, u"\r\n"); return;
    default:
        if ((c < 0x20 && c != u'\t') || c == 0x7F) return;
        replaceRange(s.start, s.end, std::u16string_view(&c, 1));
    }
}

void InMemoryEditControl::pressDelete() {
    Selection s = selection();
    if (s.start == s.end) {
        if (s.end >= textLength()) return;
        s.end = text_.compare(s.end, 2, u"\r\n") == 0 ? s.end + 2 : stepped(s.end, 1);
    }
    replaceRange(s.start, s.end, {});
}

void InMemoryEditControl::pressBackspace() {
    Selection s = selection();
    if (s.start == s.end) {
        if (s.start == 0) return;
        s.start = stepped(s.start, -1);
        if (s.start > 0 && text_.compare(s.start - 1, 2, u"\r\n") == 0) --s.start;
    }
    replaceRange(s.start, s.end, {});
}

// Up and Down keep the caret's current column only (the control remembers no goal column: the
// editor adds its own) and drop the selection, also on the first and last line. A column inside a
// pair goes past it: the control keeps the caret's x, where the pair's one glyph has begun.
void InMemoryEditControl::moveCaretLines(int step) {
    const int line = lineFromChar(caret_);
    anchor_ = caret_;
    const int next = lineIndex(std::clamp(line + step, 0, lineCount() - 1));
    caret_ = anchor_ = next + std::min(caret_ - lineIndex(line), lineLength(next));
    if (splitsSurrogatePair(text_, static_cast<std::size_t>(caret_))) caret_ = anchor_ = caret_ + 1;
}

int InMemoryEditControl::stepped(int pos, int step) const {
    pos = clampPos(pos + step);
    return splitsSurrogatePair(text_, static_cast<std::size_t>(pos)) ? pos + step : pos;
}

// As the control's Page Up and Page Down: a view's height of lines, as far as the text goes.
void InMemoryEditControl::moveCaretPage(int direction) { moveCaretLines(direction * visibleLines_); }

}  // namespace tess::test
