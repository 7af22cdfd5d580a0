#include "InMemoryEditControl.h"

#include <algorithm>

namespace tess::test {

InMemoryEditControl::InMemoryEditControl(std::string* clipboard)
    : clipboard_(clipboard ? clipboard : &ownClipboard_) {}

std::string InMemoryEditControl::text() const { return text_; }
int InMemoryEditControl::textLength() const { return static_cast<int>(text_.size()); }

void InMemoryEditControl::setText(std::string_view text) {
    text_.assign(text);
    anchor_ = caret_ = 0;
    undo_ = {};
    modified_ = false;
    firstVisible_ = 0;
}

Selection InMemoryEditControl::selection() const {
    return {std::min(anchor_, caret_), std::max(anchor_, caret_)};
}

int InMemoryEditControl::clampPos(int pos) const {
    return std::clamp(pos, 0, textLength());
}

void InMemoryEditControl::setSelection(int start, int end) {
    if (start == -1) {
        anchor_ = caret_;
        return;
    }
    if (end < 0) end = textLength();
    anchor_ = clampPos(start);
    caret_ = clampPos(end);
}

void InMemoryEditControl::replaceRange(int start, int end, std::string_view text, bool undoable,
                                       bool honourLimit) {
    std::string_view inserted = text;
    if (honourLimit) {
        const int room = limit_ - (textLength() - (end - start));
        if (room <= 0) inserted = {};
        else if (static_cast<int>(inserted.size()) > room) inserted = inserted.substr(0, room);
    }
    if (undoable) undo_ = {true, text_, anchor_, caret_};
    text_.replace(start, end - start, inserted);
    anchor_ = caret_ = start + static_cast<int>(inserted.size());
    modified_ = true;
}

void InMemoryEditControl::replaceSelection(std::string_view text, bool undoable) {
    const Selection s = selection();
    replaceRange(s.start, s.end, text, undoable, true);
}

int InMemoryEditControl::lineCount() const {
    int count = 1;
    for (std::size_t i = 0; i + 1 < text_.size(); ++i)
        if (text_[i] == '\r' && text_[i + 1] == '\n') ++count, ++i;
    return count;
}

int InMemoryEditControl::lineFromChar(int pos) const {
    if (pos < 0) pos = selection().start;
    pos = clampPos(pos);
    int line = 0;
    for (int i = 0; i + 1 < textLength() && i < pos; ++i)
        if (text_[i] == '\r' && text_[i + 1] == '\n' && i + 2 <= pos) ++line, ++i;
    return line;
}

int InMemoryEditControl::lineIndex(int line) const {
    if (line < 0) line = lineFromChar(caret_);
    int current = 0;
    int start = 0;
    while (current < line) {
        const auto found = text_.find("\r\n", start);
        if (found == std::string::npos) return -1;
        start = static_cast<int>(found) + 2;
        ++current;
    }
    return start;
}

int InMemoryEditControl::lineStartOf(int pos) const { return lineIndex(lineFromChar(pos)); }

int InMemoryEditControl::lineEndOf(int pos) const {
    const int start = lineStartOf(pos);
    const auto found = text_.find("\r\n", start);
    return found == std::string::npos ? textLength() : static_cast<int>(found);
}

int InMemoryEditControl::lineLength(int pos) const {
    if (pos == -1) {
        const Selection s = selection();
        return (s.start - lineStartOf(s.start)) + (lineEndOf(s.end) - s.end);
    }
    if (pos > textLength()) return 0;
    return lineEndOf(pos) - lineStartOf(pos);
}

std::string InMemoryEditControl::lineText(int line) const {
    const int start = lineIndex(line);
    if (start < 0) return {};
    return text_.substr(start, lineEndOf(start) - start);
}

int InMemoryEditControl::firstVisibleLine() const { return firstVisible_; }
bool InMemoryEditControl::modified() const { return modified_; }
void InMemoryEditControl::setModified(bool modified) { modified_ = modified; }
bool InMemoryEditControl::canUndo() const { return undo_.valid; }

void InMemoryEditControl::undo() {
    if (!undo_.valid) return;
    UndoStep redo{true, text_, anchor_, caret_};
    text_ = undo_.text;
    anchor_ = undo_.anchor;
    caret_ = undo_.caret;
    undo_ = redo;
    modified_ = true;
}

void InMemoryEditControl::cut() {
    const Selection s = selection();
    if (s.start == s.end) return;
    *clipboard_ = text_.substr(s.start, s.end - s.start);
    replaceRange(s.start, s.end, {}, true, false);
}

void InMemoryEditControl::copy() {
    const Selection s = selection();
    if (s.start == s.end) return;
    *clipboard_ = text_.substr(s.start, s.end - s.start);
}

void InMemoryEditControl::paste() { replaceSelection(*clipboard_, true); }

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

int InMemoryEditControl::textLimit() const { return limit_; }
void InMemoryEditControl::setTextLimit(int limit) { limit_ = limit <= 0 ? 0x7FFFFFFE : limit; }

void InMemoryEditControl::typeChar(char c) {
    const Selection s = selection();
    if (c == '\r') replaceRange(s.start, s.end, "\r\n", true, true);
    else replaceRange(s.start, s.end, std::string_view(&c, 1), true, true);
}

void InMemoryEditControl::pressDelete() {
    Selection s = selection();
    if (s.start == s.end) {
        if (s.end >= textLength()) return;
        s.end += text_.compare(s.end, 2, "\r\n") == 0 ? 2 : 1;
    }
    replaceRange(s.start, s.end, {}, true, false);
}

void InMemoryEditControl::pressBackspace() {
    Selection s = selection();
    if (s.start == s.end) {
        if (s.start == 0) return;
        s.start -= (s.start >= 2 && text_.compare(s.start - 2, 2, "\r\n") == 0) ? 2 : 1;
    }
    replaceRange(s.start, s.end, {}, true, false);
}

// Like the real control, Up and Down keep the caret's current column only: the control
// remembers nothing across moves, which is why the editor adds its own goal column.
void InMemoryEditControl::moveCaretUp() {
    const int line = lineFromChar(caret_);
    if (line == 0) return;
    const int column = caret_ - lineIndex(line);
    caret_ = anchor_ = lineIndex(line - 1) + std::min(column, lineLength(lineIndex(line - 1)));
}

void InMemoryEditControl::moveCaretDown() {
    const int line = lineFromChar(caret_);
    if (line + 1 >= lineCount()) return;
    const int column = caret_ - lineIndex(line);
    caret_ = anchor_ = lineIndex(line + 1) + std::min(column, lineLength(lineIndex(line + 1)));
}

}  // namespace tess::test
