#pragma once
// A model of the multi-line EDIT control's rules: UTF-16 text, CR LF lines, line -1 as the caret's, one undo step that
// a second undo redoes (adjacent edits share it, as typing does), the text limit that applies to typing and replacement
// but not to set text, every edit bringing the caret into view. Only what the program asks of the control; its keys
// step over a surrogate pair as one character. The behaviour tables run on it and on the real control.
#include "platform/EditControl.h"
#include "platform/TextEncoding.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace tess::test {

class InMemoryEditControl : public EditControl {
public:
    explicit InMemoryEditControl(std::u16string& clipboard) : clipboard_(clipboard) {}  // for cut, copy and paste

    std::u16string text() const override { return text_; }
    int textLength() const override { return static_cast<int>(text_.size()); }
    void setText(std::u16string_view text) override {
        text_.assign(text);
        startsKnown_ = modified_ = false;
        anchor_ = caret_ = firstVisible_ = 0;
        undoText_.clear();
        undoInsertCount_ = 0;
    }
    Selection selection() const override { return {std::min(anchor_, caret_), std::max(anchor_, caret_)}; }
    // The control reads both arguments as unsigned: -1 and every other negative end mean "the end".
    void setSelection(int start, int end) override {
        const auto clampUnsigned = [this](int pos) { return pos < 0 ? textLength() : std::min(pos, textLength()); };
        if (start == -1) anchor_ = caret_;
        else anchor_ = clampUnsigned(start), caret_ = clampUnsigned(end);
    }
    void replaceSelection(std::u16string_view text, bool) override {  // every replacement can be undone
        replaceRange(selection().start, selection().end, text);
    }
    int lineCount() const override { return static_cast<int>(lineStarts().size()); }
    // A line's break belongs to the line, so a position between CR and LF is still on it.
    int lineFromChar(int pos) const override {
        const std::vector<int>& starts = lineStarts();
        return static_cast<int>(std::upper_bound(starts.begin(), starts.end(), clampPos(pos)) - starts.begin()) - 1;
    }
    int lineIndex(int line) const override {
        if (line == -1) line = lineFromChar(caret_);
        const std::vector<int>& starts = lineStarts();
        if (line >= static_cast<int>(starts.size())) return -1;
        return line < 0 ? 0 : starts[static_cast<std::size_t>(line)];
    }
    int lineLength(int pos) const override { return lineEndOf(pos) - lineIndex(lineFromChar(pos)); }
    std::u16string lineText(int line) const override {
        const int start = lineIndex(line);
        return start < 0 ? std::u16string() : text_.substr(start, lineEndOf(start) - start);
    }
    int firstVisibleLine() const override { return firstVisible_; }
    bool modified() const override { return modified_; }
    void setModified(bool modified) override { modified_ = modified; }
    // Puts the deleted text back in place of the inserted one and selects it, the caret at its end and in view; the step
    // left is the reverse edit, so a second undo redoes. With nothing to undo, the caret goes to the last step's place.
    void undo() override {
        const std::u16string restored = std::exchange(undoText_, {});
        const int end = std::min(undoPosition_ + std::exchange(undoInsertCount_, 0), textLength());
        replaceRange(std::min(undoPosition_, textLength()), end, restored);
        anchor_ = std::min(undoPosition_, textLength());
        caret_ = std::min(undoPosition_ + undoInsertCount_, textLength());
        scrollCaret();
    }
    void cut() override {
        copy();
        if (const Selection s = selection(); s.start != s.end) replaceRange(s.start, s.end, {});
    }
    void copy() override {
        if (const Selection s = selection(); s.start != s.end) clipboard_ = text_.substr(s.start, s.end - s.start);
    }
    void paste() override {  // an empty clipboard holds no text, and pasting nothing leaves the selection alone
        if (!clipboard_.empty()) replaceSelection(clipboard_, true);
    }
    void scrollCaret() override {
        const int line = lineFromChar(caret_);
        if (line < firstVisible_) firstVisible_ = line;
        else if (line >= firstVisible_ + visibleLines_) firstVisible_ = line - visibleLines_ + 1;
    }
    Point positionFromChar(int pos) const override {
        pos = clampPos(pos);
        const int line = lineFromChar(pos);
        return {(pos - lineIndex(line)) * kCharWidth, (line - firstVisible_) * kLineHeight};
    }
    int textLimit() const override { return static_cast<int>(limit_); }
    void setTextLimit(int limit) override { limit_ = limit == 0 ? ~0u : static_cast<unsigned>(limit); }

    void typeChar(char16_t c) {  // a WM_CHAR: '\r' gives CR LF, '\b' is Backspace, other control characters do nothing
        const Selection s = selection();
        if (c == u'\b') pressBackspace();
        else if (c == u'\r' || c == u'\n') replaceRange(s.start, s.end, u"\r\n");
        else if ((c >= 0x20 || c == u'\t') && c != 0x7F) replaceRange(s.start, s.end, std::u16string_view(&c, 1));
    }
    void pressDelete() {
        const Selection s = selection();
        if (s.start != s.end) replaceRange(s.start, s.end, {});
        else if (s.end < textLength()) replaceRange(s.start, stepped(s.end, 1), {});
    }
    void pressBackspace() {
        const Selection s = selection();
        if (s.start != s.end) replaceRange(s.start, s.end, {});
        else if (s.start > 0) replaceRange(stepped(s.start, -1), s.end, {});
    }
    // Up and Down keep the caret's column only (no goal column: the editor adds its own) and drop the selection, even
    // on the first and last line. A column inside a pair goes past it: the control keeps the x where its glyph began.
    void moveCaretLines(int step) {  // Up (-1) and Down (+1)
        const int line = lineFromChar(caret_);
        const int next = lineIndex(std::clamp(line + step, 0, lineCount() - 1));
        caret_ = anchor_ = next + std::min(caret_ - lineIndex(line), lineLength(next));
        if (splitsSurrogatePair(text_, static_cast<std::size_t>(caret_))) caret_ = anchor_ = caret_ + 1;
    }
    void moveCaretPage(int direction) { moveCaretLines(direction * visibleLines_); }  // Page Up (-1), Page Down (+1)

    int caret() const { return caret_; }  // the moving end of the selection
    int stepped(int pos, int step) const {  // where a caret steps, over CR LF and a pair's two halves as one
        if (step < 0 && pos >= 2 && text_.compare(static_cast<std::size_t>(pos - 2), 2, u"\r\n") == 0) return pos - 2;
        if (step > 0 && text_.compare(static_cast<std::size_t>(pos), 2, u"\r\n") == 0) return pos + 2;
        pos = clampPos(pos + step);
        return splitsSurrogatePair(text_, static_cast<std::size_t>(pos)) ? pos + step : pos;
    }
    static constexpr int kCharWidth = 8, kLineHeight = 16;

private:
    int clampPos(int pos) const { return std::clamp(pos, 0, textLength()); }
    // Lines break at CR LF; a lone CR or LF is an ordinary character.
    const std::vector<int>& lineStarts() const {
        if (startsKnown_) return starts_;
        starts_.assign(1, 0);
        for (std::size_t found = text_.find(u"\r\n"); found != std::u16string::npos; found = text_.find(u"\r\n", found + 2))
            starts_.push_back(static_cast<int>(found) + 2);
        startsKnown_ = true;
        return starts_;
    }
    int lineEndOf(int pos) const {
        const int line = lineFromChar(pos);
        return line + 1 >= lineCount() ? textLength() : lineIndex(line + 1) - 2;
    }
    // The control's own bookkeeping: a deletion next to the last one grows the deleted text, an insertion where the last
    // one ended grows the inserted count, so a run of typing or of Backspace is one undo step. Anything else starts anew.
    void replaceRange(int start, int end, std::u16string_view text) {
        const long long room = limit_ - (textLength() - static_cast<long long>(end - start));
        const std::u16string_view inserted = text.substr(0, static_cast<std::size_t>(std::max(room, 0LL)));
        if (end > start) {
            const std::u16string_view deleted(text_.data() + start, static_cast<std::size_t>(end - start));
            const bool deleting = undoInsertCount_ == 0 && !undoText_.empty();
            if (deleting && start == undoPosition_) undoText_ += deleted;
            else undoText_.replace(0, deleting && end == undoPosition_ ? 0 : undoText_.size(), deleted);
            undoPosition_ = start;
            undoInsertCount_ = 0;
        }
        if (!inserted.empty()) {
            if (start != undoPosition_ && (undoInsertCount_ == 0 || start != undoPosition_ + undoInsertCount_)) {
                undoPosition_ = start;
                undoInsertCount_ = 0;
                undoText_.clear();
            }
            undoInsertCount_ += static_cast<int>(inserted.size());
        }
        anchor_ = caret_ = start + static_cast<int>(inserted.size());
        if (end > start || !inserted.empty()) {
            text_.replace(start, end - start, inserted);
            startsKnown_ = false;
            modified_ = true;
        }
        scrollCaret();  // as the control does after every replacement, even of nothing
    }

    std::u16string text_;
    // Line starts, worked out once per change: walking every line stays linear, so benchmarks measure the program.
    mutable std::vector<int> starts_;
    mutable bool startsKnown_ = false;
    int anchor_ = 0, caret_ = 0;
    unsigned limit_ = 30000;  // unsigned, as the control keeps it: 0 asks for no limit and reads back as -1
    bool modified_ = false;
    // One undo step: the text deleted at undoPosition_ and the count of characters inserted there.
    std::u16string undoText_;
    int undoPosition_ = 0, undoInsertCount_ = 0;
    int firstVisible_ = 0, visibleLines_ = 20;
    std::u16string& clipboard_;
};

}  // namespace tess::test
