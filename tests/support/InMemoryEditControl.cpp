#include "InMemoryEditControl.h"

#include <utility>

namespace tess::test {

// The control's own bookkeeping: a deletion next to the last one grows the deleted text, an insertion where the last
// one ended grows the inserted count, so a run of typing or of Backspace is one undo step. Anything else starts anew.
void InMemoryEditControl::replaceRange(int start, int end, std::u16string_view text) {
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

// Lines break at CR LF; a lone CR or LF is an ordinary character.
const std::vector<int>& InMemoryEditControl::lineStarts() const {
    if (startsKnown_) return starts_;
    starts_.assign(1, 0);
    for (std::size_t found = text_.find(u"\r\n"); found != std::u16string::npos; found = text_.find(u"\r\n", found + 2))
        starts_.push_back(static_cast<int>(found) + 2);
    startsKnown_ = true;
    return starts_;
}

// Puts the deleted text back in place of the inserted one and selects it, the caret at its end and in view; the step
// left is the reverse edit, so a second undo redoes. With nothing to undo, the caret goes to the last step's place.
void InMemoryEditControl::undo() {
    const std::u16string restored = std::exchange(undoText_, {});
    const int end = std::min(undoPosition_ + std::exchange(undoInsertCount_, 0), textLength());
    replaceRange(std::min(undoPosition_, textLength()), end, restored);
    anchor_ = std::min(undoPosition_, textLength());
    caret_ = std::min(undoPosition_ + undoInsertCount_, textLength());
    scrollCaret();
}

}  // namespace tess::test
