#pragma once
// A model of the multi-line EDIT control's rules, for native tests of the core: UTF-16 text, CR LF lines, line -1 as
// the caret's, one undo step that a second undo redoes (adjacent edits share a step, as a run of typing does), the text
// limit that applies to typing and replacement but not to set text, every edit bringing the caret into view. The
// behaviour tables, run on it and on the real control alike, keep it honest. It models only what the program asks of
// the control, and its own keys step over a surrogate pair as over one character.
#include "platform/EditControl.h"

#include <algorithm>
#include <vector>

namespace tess::test {

class InMemoryEditControl : public EditControl {
public:
    // Cut, copy and paste go through the clipboard text given.
    explicit InMemoryEditControl(std::u16string& clipboard) : clipboard_(clipboard) {}

    std::u16string text() const override { return text_; }
    int textLength() const override { return static_cast<int>(text_.size()); }
    void setText(std::u16string_view text) override;
    Selection selection() const override { return {std::min(anchor_, caret_), std::max(anchor_, caret_)}; }
    void setSelection(int start, int end) override;
    // Every replacement the program makes can be undone.
    void replaceSelection(std::u16string_view text, bool) override {
        replaceRange(selection().start, selection().end, text);
    }
    int lineCount() const override { return static_cast<int>(lineStarts().size()); }
    int lineFromChar(int pos) const override;
    int lineIndex(int line) const override;
    int lineLength(int pos) const override { return lineEndOf(pos) - lineIndex(lineFromChar(pos)); }
    std::u16string lineText(int line) const override;
    int firstVisibleLine() const override { return firstVisible_; }
    bool modified() const override { return modified_; }
    void setModified(bool modified) override { modified_ = modified; }
    void undo() override;
    void cut() override;
    void copy() override;
    // An empty clipboard holds no text, and pasting nothing leaves the selection alone.
    void paste() override {
        if (!clipboard_.empty()) replaceSelection(clipboard_, true);
    }
    void scrollCaret() override;
    Point positionFromChar(int pos) const override;
    int textLimit() const override { return static_cast<int>(limit_); }
    void setTextLimit(int limit) override { limit_ = limit == 0 ? ~0u : static_cast<unsigned>(limit); }

    // What the control does by itself with keys that reach it. typeChar takes what WM_CHAR carries: '\r' (Enter)
    // inserts CR LF, '\b' is Backspace, other control characters are ignored.
    void typeChar(char16_t c);
    void pressDelete();
    void pressBackspace();
    void moveCaretLines(int step);  // Up (-1) and Down (+1)
    // Page Up (-1) and Page Down (+1): a view's height of lines, as far as the text goes.
    void moveCaretPage(int direction) { moveCaretLines(direction * visibleLines_); }

    int caret() const { return caret_; }  // the moving end of the selection
    // Where a caret at pos steps to, over a line break's CR LF and a pair's two halves as one.
    int stepped(int pos, int step) const;
    static constexpr int kCharWidth = 8;
    static constexpr int kLineHeight = 16;

private:
    int clampPos(int pos) const { return std::clamp(pos, 0, textLength()); }
    const std::vector<int>& lineStarts() const;
    int lineEndOf(int pos) const;
    void replaceRange(int start, int end, std::u16string_view text);

    std::u16string text_;
    // Where each line starts, worked out once per change of the text: a walk over every line (the gutter, printing)
    // stays linear, as on the real control, so the benchmarks measure the program.
    mutable std::vector<int> starts_;
    mutable bool startsKnown_ = false;
    int anchor_ = 0, caret_ = 0;
    // The control keeps its limit unsigned: 0 asks for no limit and reads back as -1.
    unsigned limit_ = 30000;
    bool modified_ = false;
    // One undo step: the text deleted at undoPosition_ and the count of characters inserted there.
    std::u16string undoText_;
    int undoPosition_ = 0, undoInsertCount_ = 0;
    int firstVisible_ = 0, visibleLines_ = 20;
    std::u16string& clipboard_;
};

}  // namespace tess::test
