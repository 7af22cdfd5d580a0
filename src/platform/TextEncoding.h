#pragma once
// How a document's bytes become the editor's UTF-16 text and back, exactly, and how the UTF-8
// strings the program keeps (paths, settings values) convert to and from the other forms.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tess {

enum class Encoding { Ansi, Utf8, Utf8Bom, Utf16Le, Utf16Be };
// The name the status bar and the menu show.
std::string_view encodingName(Encoding encoding);

// Strict conversions: nullopt for malformed UTF-8 (overlong forms, encoded surrogates, beyond
// U+10FFFF, cut sequences, stray continuation bytes) and for unpaired surrogates in UTF-16.
std::optional<std::string> toUtf8(std::u16string_view text);
std::optional<std::u16string> fromUtf8(std::string_view bytes);
// For texts that only pass through (a find text from its box, a file name on a page header):
// anything malformed becomes U+FFFD rather than nothing.
std::u16string utf16(std::string_view utf8);
std::string utf8(std::u16string_view text);
// Whether at falls between the two halves of a surrogate pair, where no caret may stand.
bool splitsSurrogatePair(std::u16string_view text, std::size_t at);
// Valid UTF-8 holding at least one multi-byte sequence (pure ASCII is not).
bool isUtf8WithMultibyte(std::string_view bytes);

// An 8-bit code page.
class CodePage {
public:
    virtual ~CodePage() = default;
    virtual std::u16string decode(std::string_view bytes) const = 0;
    // nullopt when any character cannot be stored exactly.
    virtual std::optional<std::string> encode(std::u16string_view text) const = 0;
};
const CodePage& windows1252();
const CodePage& latin1();
// Whether bytes come back unchanged through the code page.
bool roundTrips(const CodePage& codePage, std::string_view bytes);

struct DecodedDocument {
    std::u16string text;  // without the byte-order mark
    Encoding encoding = Encoding::Ansi;
    bool refused = false;  // UTF-16 with an odd number of bytes: nothing to show
};
DecodedDocument decodeDocument(std::string_view bytes, const CodePage& ansi);
// The file's bytes, mark included; nullopt when the encoding cannot store the text exactly.
std::optional<std::string> encodeDocument(std::u16string_view text, Encoding encoding, const CodePage& ansi);

// A settings value (UTF-8 in memory) as the settings file holds it, and back.
std::string settingsValueFromFile(std::string_view bytes, const CodePage& ansi);
std::string settingsValueToFile(std::string_view utf8, const CodePage& ansi);

}  // namespace tess
