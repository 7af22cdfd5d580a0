#pragma once
// A model of the multi-line EDIT control's rules, for native tests of the core: UTF-16 text, CR LF lines, line
// -1 as the caret's, one undo step that a second undo redoes (adjacent edits share a step, as a run
// of typing does), the text limit that applies to typing and replacement but not to set text, every
// edit bringing the caret into view. The behaviour tables, run on it and on the real control alike,
// keep it honest. It models only what the program asks of the control, and its own keys step over
// a surrogate pair as over one character.
#include "platform/EditControl.h"

#include <vector>

namespace tess::test {

class InMemoryEditControl : public EditControl {
public:
    // Cut, copy and paste go through the clipboard text given.
    explicit InMemoryEditControl(std::u16string& clipboard) : clipboard_(clipboard) {}

    std::u16string text() const override { return text_; }
    int textLength() const override { return static_cast<int>(text_.size()); }
    void setText(std::u16string_view text) override;
    Selection selection() const override;
    void setSelection(int start, int end) override;
    void replaceSelection(std::u16string_view text, bool undoable) override;
    int lineCount() const override;
    int lineFromChar(int pos) const override;
    int lineIndex(int line) const override;
    int lineLength(int pos) const override;
    std::u16string lineText(int line) const override;
    int firstVisibleLine() const override { return firstVisible_; }
    bool modified() const override { return modified_; }
    void setModified(bool modified) override { modified_ = modified; }
    void undo() override;
    void cut() override;
    void copy() override;
    void paste() override;
    void scrollCaret() override;
    Point positionFromChar(int pos) const override;
    int textLimit() const override { return static_cast<int>(limit_); }
    void setTextLimit(int limit) override;

    // What the control does by itself with keys that reach it. typeChar takes what WM_CHAR carries:
    // '\r' (Enter) inserts CR LF, '\b' is Backspace, other control characters are ignored.
    void typeChar(char16_t c);
    void pressDelete();
    void pressBackspace();
    void moveCaretLines(int step);  // Up (-1) and Down (+1)
    void moveCaretPage(int direction);  // Page Up (-1) and Page Down (+1)

    // Where the caret stands (the moving end of the selection).
    int caret() const { return caret_; }
    static constexpr int kCharWidth = 8;
    static constexpr int kLineHeight = 16;

private:
    int clampPos(int pos) const;
    const std::vector<int>& lineStarts() const;
    int lineStartOf(int pos) const;
    int lineEndOf(int pos) const;
    void replaceRange(int start, int end, std::u16string_view text);
    // Where a caret at pos steps to, over a pair's two halves as one.
    int stepped(int pos, int step) const;
    void emptyUndo();

    std::u16string text_;
    // Where each line starts, worked out once per change of the text: a walk over every line (the
    // gutter, printing) stays linear, as on the real control, so the benchmarks measure the program.
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
