#pragma once
#include "platform/EditControl.h"

#include <windows.h>

namespace tess::win32 {

// The EditControl seam over a real EDIT window: every call is one or two EDIT messages, in their
// wide forms, so the text passes as the control's own UTF-16 units.
class EditControlWin : public EditControl {
public:
    explicit EditControlWin(HWND edit = nullptr) : edit_(edit) {}
    void attach(HWND edit) { edit_ = edit; }
    HWND hwnd() const { return edit_; }

    std::u16string text() const override;
    int textLength() const override;
    void setText(std::u16string_view text) override;
    Selection selection() const override;
    void setSelection(int start, int end) override;
    void replaceSelection(std::u16string_view text, bool undoable) override;
    int lineCount() const override;
    int lineFromChar(int pos) const override;
    int lineIndex(int line) const override;
    int lineLength(int pos) const override;
    std::u16string lineText(int line) const override;
    int firstVisibleLine() const override;
    bool modified() const override;
    void setModified(bool modified) override;
    void undo() override;
    void cut() override;
    void copy() override;
    void paste() override;
    void scrollCaret() override;
    Point positionFromChar(int pos) const override;
    int textLimit() const override;
    void setTextLimit(int limit) override;

private:
    LRESULT send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(edit_, msg, wParam, lParam);
    }
    HWND edit_;
};

}  // namespace tess::win32
