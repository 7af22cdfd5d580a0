#pragma once
// The program keeps names, settings and messages in UTF-8 and the document in UTF-16; the wide
// functions take wchar_t, which is a UTF-16 unit here. These convert at that edge and nowhere else.
#include "platform/TextEncoding.h"

#include <string>
#include <string_view>

namespace tess::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the wide functions take UTF-16 units");

inline std::wstring wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }
inline std::wstring wide(std::string_view utf8Text) { return wide(utf16(utf8Text)); }
inline std::u16string units(std::wstring_view text) { return std::u16string(text.begin(), text.end()); }
inline std::string narrow(std::wstring_view text) { return utf8(units(text)); }

}  // namespace tess::win32
