#include "platform/win32/EditControlWin.h"

#include <windowsx.h>

#include <algorithm>

namespace tess::win32 {

std::u16string EditControlWin::text() const {
    const int length = textLength();
    std::u16string result(static_cast<std::size_t>(length) + 1, u'\0');
    const int copied = static_cast<int>(send(WM_GETTEXT, result.size(), reinterpret_cast<LPARAM>(result.data())));
    result.resize(static_cast<std::size_t>(copied < 0 ? 0 : copied));
    return result;
}

int EditControlWin::textLength() const { return static_cast<int>(send(WM_GETTEXTLENGTH)); }

// A visible control spends a fixed 30 ms or so on every whole new text before it lays the text
// out (a quarter of loading 100 KB); marked hidden for the exchange, it only lays it out, and
// then paints once. The style bit is what WM_SETREDRAW clears for other windows; the control
// handles that message itself and would not skip the work. Hiding the window instead would take
// the keyboard focus away from it.
void EditControlWin::setText(std::u16string_view text) {
    const std::u16string terminated(text);
    const LONG_PTR style = ::GetWindowLongPtrW(edit_, GWL_STYLE);
    const bool visible = (style & WS_VISIBLE) != 0;
    if (visible) ::SetWindowLongPtrW(edit_, GWL_STYLE, style & ~WS_VISIBLE);
    send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(terminated.c_str()));
    if (visible) {
        ::SetWindowLongPtrW(edit_, GWL_STYLE, ::GetWindowLongPtrW(edit_, GWL_STYLE) | WS_VISIBLE);
        ::RedrawWindow(edit_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
}

Selection EditControlWin::selection() const {
    DWORD start = 0, end = 0;
    send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

void EditControlWin::setSelection(int start, int end) { send(EM_SETSEL, static_cast<WPARAM>(start), end); }

void EditControlWin::replaceSelection(std::u16string_view text, bool undoable) {
    const std::u16string terminated(text);
    send(EM_REPLACESEL, undoable ? TRUE : FALSE, reinterpret_cast<LPARAM>(terminated.c_str()));
}

int EditControlWin::lineCount() const { return static_cast<int>(send(EM_GETLINECOUNT)); }
int EditControlWin::lineFromChar(int pos) const { return static_cast<int>(send(EM_LINEFROMCHAR, static_cast<WPARAM>(pos))); }
int EditControlWin::lineIndex(int line) const { return static_cast<int>(send(EM_LINEINDEX, static_cast<WPARAM>(line))); }
int EditControlWin::lineLength(int pos) const { return static_cast<int>(send(EM_LINELENGTH, static_cast<WPARAM>(pos))); }

std::u16string EditControlWin::lineText(int line) const {
    const int start = lineIndex(line);
    if (start < 0) return {};
    const int length = lineLength(start);
    // EM_GETLINE reads the buffer size from a 16-bit word, yet a line of the 100000-character
    // editor can be longer: take such a line from the whole text instead.
    if (length > 0xFFFF) return text().substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
    // The copy is not terminated; the buffer holds at least the size word.
    std::u16string buffer(std::max<std::size_t>(static_cast<std::size_t>(length), 1), u'\0');
    buffer[0] = static_cast<char16_t>(length);
    const int copied = static_cast<int>(send(EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(buffer.data())));
    buffer.resize(static_cast<std::size_t>(std::clamp(copied, 0, length)));
    return buffer;
}

int EditControlWin::firstVisibleLine() const { return static_cast<int>(send(EM_GETFIRSTVISIBLELINE)); }
bool EditControlWin::modified() const { return send(EM_GETMODIFY) != 0; }
void EditControlWin::setModified(bool modified) { send(EM_SETMODIFY, modified ? TRUE : FALSE); }
void EditControlWin::undo() { send(EM_UNDO); }
void EditControlWin::cut() { send(WM_CUT); }
void EditControlWin::copy() { send(WM_COPY); }
void EditControlWin::paste() { send(WM_PASTE); }
void EditControlWin::scrollCaret() { send(EM_SCROLLCARET); }

Point EditControlWin::positionFromChar(int pos) const {
    const LRESULT packed = send(EM_POSFROMCHAR, static_cast<WPARAM>(pos));
    return {GET_X_LPARAM(packed), GET_Y_LPARAM(packed)};
}

int EditControlWin::textLimit() const { return static_cast<int>(send(EM_GETLIMITTEXT)); }
void EditControlWin::setTextLimit(int limit) { send(EM_SETLIMITTEXT, static_cast<WPARAM>(limit)); }

}  // namespace tess::win32
