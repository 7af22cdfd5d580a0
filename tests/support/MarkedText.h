#pragma once
// Editor text with its selection marked, for tables of editing cases: "|" stands for an empty selection (the caret),
// "[" and "]" for the two ends of a selection, the caret at "]" (so "]" before "[" is a selection made upwards).
#include "platform/EditControl.h"
#include "platform/TextEncoding.h"

namespace tess::test {

// Tables write their texts in UTF-8; the control holds UTF-16, and positions count its units.
struct MarkedText { std::u16string text; int anchor = 0, caret = 0; };

inline MarkedText parseMarked(std::string_view marked) {
    MarkedText result;
    for (char16_t c : utf16(marked)) {
        const int here = static_cast<int>(result.text.size());
        if (c == u'|') result.anchor = result.caret = here;
        else if (c == u'[') result.anchor = here;
        else if (c == u']') result.caret = here;
        else result.text += c;
    }
    return result;
}

// The text with the selection (start <= end) marked the same way, in UTF-8.
inline std::string markSelection(std::u16string text, int start, int end) {
    if (start == end) return utf8(text.insert(static_cast<std::size_t>(start), u"|"));
    text.insert(static_cast<std::size_t>(end), u"]");
    return utf8(text.insert(static_cast<std::size_t>(start), u"["));
}

inline void setMarked(EditControl& edit, std::string_view marked) {
    const MarkedText m = parseMarked(marked);
    edit.setText(m.text);
    edit.setSelection(m.anchor, m.caret);
}

// "line 1" CR LF "line 2" ... "line count": a document whose every line says where it stood.
inline std::string numberedLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += (i > 1 ? "\r\n" : "") + std::string("line ") + std::to_string(i);
    return text;
}

}  // namespace tess::test
