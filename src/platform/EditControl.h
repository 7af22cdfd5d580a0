#pragma once
// The operations of a multi-line edit control that the program uses. The Win32 implementation
// sends EDIT messages; the in-memory one in tests/support models the same rules. The text is
// UTF-16, the control's own units: positions are offsets in those units into the whole text (a
// character beyond the first plane takes two), lines are 0-based here (as the control counts them),
// and a hard line break is CR LF.
#include <string>
#include <string_view>

namespace tess {

struct Selection {
    int start = 0;
    int end = 0;
    friend bool operator==(const Selection&, const Selection&) = default;
};

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

class EditControl {
public:
    virtual ~EditControl() = default;

    virtual std::u16string text() const = 0;
    virtual int textLength() const = 0;
    // Ignores the text limit, empties the undo buffer (WM_SETTEXT).
    virtual void setText(std::u16string_view text) = 0;

    // start <= end always.
    virtual Selection selection() const = 0;
    // end -1 means the end of the text; start -1 removes the selection and keeps the caret.
    virtual void setSelection(int start, int end) = 0;
    // Obeys the text limit: what would exceed it is cut off.
    virtual void replaceSelection(std::u16string_view text, bool undoable) = 0;

    virtual int lineCount() const = 0;
    // -1: the line of the selection start.
    virtual int lineFromChar(int pos) const = 0;
    // -1: the caret's line. A line past the last gives -1.
    virtual int lineIndex(int line) const = 0;
    // Length of the line holding char index pos, without its break. -1: the unselected
    // characters on the lines that the selection touches.
    virtual int lineLength(int pos) const = 0;
    // Text of a line without its break; "" for a line past the last.
    virtual std::u16string lineText(int line) const = 0;
    virtual int firstVisibleLine() const = 0;

    virtual bool modified() const = 0;
    virtual void setModified(bool modified) = 0;

    // The control keeps one undo step; undoing twice redoes.
    virtual void undo() = 0;
    virtual void cut() = 0;
    virtual void copy() = 0;
    virtual void paste() = 0;
    virtual void scrollCaret() = 0;
    // Client coordinates of the top-left corner of the character at pos.
    virtual Point positionFromChar(int pos) const = 0;

    virtual int textLimit() const = 0;
    virtual void setTextLimit(int limit) = 0;
};

}  // namespace tess
