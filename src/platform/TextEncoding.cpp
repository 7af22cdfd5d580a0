#include "platform/TextEncoding.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace tess {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
// Browsers look for a declared character set in the first 1,024 bytes; a page that declares one
// further down is read by them without it, so it is read here the same way.
constexpr std::size_t kMetaScanBytes = 1024;

using Byte = unsigned char;

// The length of the well-formed sequence at p (whose first byte is 0x80 or above) and its code
// point; 0 when malformed. The second byte's range rules out overlong forms, surrogates (ED A0-BF)
// and code points beyond U+10FFFF (F4 90-BF) at once, as Unicode's table of well-formed sequences
// gives them.
std::size_t decodeSequence(const Byte* p, const Byte* end, char32_t& codePoint) {
    const Byte lead = *p;
    std::size_t length = 0;
    Byte low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0Fu;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07u;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (static_cast<std::size_t>(end - p) < length || p[1] < low || p[1] > high) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((p[i] & 0xC0u) != 0x80u) return 0;
        codePoint = (codePoint << 6) | (p[i] & 0x3Fu);
    }
    return length;
}

// Walks bytes as UTF-8: false at the first malformed sequence; multibyte tells whether a
// sequence of more than one byte was seen.
bool scanUtf8(std::string_view bytes, bool& multibyte) {
    const Byte* p = reinterpret_cast<const Byte*>(bytes.data());
    const Byte* const end = p + bytes.size();
    multibyte = false;
    while (p < end) {
        if (*p < 0x80) {
            ++p;
            continue;
        }
        char32_t codePoint = 0;
        const std::size_t length = decodeSequence(p, end, codePoint);
        if (length == 0) return false;
        multibyte = true;
        p += length;
    }
    return true;
}

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsNoCase(std::string_view text, std::string_view lower) {
    return text.size() == lower.size() &&
           std::equal(text.begin(), text.end(), lower.begin(), [](char a, char b) { return lowerAscii(a) == b; });
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

bool isNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
           c == '.' || c == ':';
}

// The value of the first charset in a meta tag, either its own attribute or inside a
// Content-Type content ("text/html; charset=utf-8"); empty when it names none.
std::string_view charsetOf(std::string_view tag) {
    constexpr std::string_view kName = "charset";
    for (std::size_t at = 0; at + kName.size() <= tag.size(); ++at) {
        if (!equalsNoCase(tag.substr(at, kName.size()), kName) || (at > 0 && isNameChar(tag[at - 1]))) continue;
        std::size_t i = at + kName.size();
        while (i < tag.size() && isSpace(tag[i])) ++i;
        if (i == tag.size() || tag[i] != '=') continue;
        ++i;
        while (i < tag.size() && isSpace(tag[i])) ++i;
        if (i < tag.size() && (tag[i] == '"' || tag[i] == '\'')) ++i;
        std::size_t end = i;
        while (end < tag.size() && isNameChar(tag[end])) ++end;
        return tag.substr(i, end - i);
    }
    return {};
}

// Whether the page's first declared character set is UTF-8. Comments are skipped: a meta tag
// commented out declares nothing.
bool declaresUtf8(std::string_view bytes) {
    const std::string_view head = bytes.substr(0, std::min(bytes.size(), kMetaScanBytes));
    for (std::size_t i = head.find('<'); i != std::string_view::npos; i = head.find('<', i + 1)) {
        const std::string_view rest = head.substr(i);
        if (rest.starts_with("<!--")) {
            i = head.find("-->", i + 4);
            if (i == std::string_view::npos) return false;
            continue;
        }
        if (rest.size() < 6 || !equalsNoCase(rest.substr(1, 4), "meta") || !(isSpace(rest[5]) || rest[5] == '/'))
            continue;
        const std::string_view tag = rest.substr(0, rest.find('>'));
        const std::string_view charset = charsetOf(tag);
        if (!charset.empty()) return equalsNoCase(charset, "utf-8") || equalsNoCase(charset, "utf8");
    }
    return false;
}

std::u16string decodeUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string text(bytes.size() / 2, u'\0');
    const Byte* p = reinterpret_cast<const Byte*>(bytes.data());
    const int high = bigEndian ? 0 : 1;
    for (char16_t& unit : text) {
        unit = static_cast<char16_t>(p[high] << 8 | p[1 - high]);
        p += 2;
    }
    return text;
}

// Any code units, unpaired surrogates included: what was read is written back unchanged.
std::string encodeUtf16(std::u16string_view text, bool bigEndian) {
    const std::string_view mark = bigEndian ? kUtf16BeMark : kUtf16LeMark;
    std::string bytes(mark.size() + text.size() * 2, '\0');
    std::copy(mark.begin(), mark.end(), bytes.begin());
    char* p = bytes.data() + mark.size();
    const int high = bigEndian ? 0 : 1;
    for (const char16_t unit : text) {
        p[high] = static_cast<char>(unit >> 8);
        p[1 - high] = static_cast<char>(unit & 0xFF);
        p += 2;
    }
    return bytes;
}

// 0x80-0x9F of code page 1252. The five bytes it leaves undefined map to the C1 controls of the
// same value, as Windows' own conversion maps them, so that every byte comes back.
constexpr std::array<char16_t, 32> k1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::u16string decodeBytes(std::string_view bytes, bool use1252) {
    std::u16string text(bytes.size(), u'\0');
    std::transform(bytes.begin(), bytes.end(), text.begin(), [use1252](char c) {
        const Byte b = static_cast<Byte>(c);
        return use1252 && b >= 0x80 && b <= 0x9F ? k1252High[b - 0x80u] : static_cast<char16_t>(b);
    });
    return text;
}

class Windows1252 final : public CodePage {
public:
    std::u16string decode(std::string_view bytes) const override { return decodeBytes(bytes, true); }
    std::optional<std::string> encode(std::u16string_view text) const override {
        std::string bytes(text.size(), '\0');
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char16_t c = text[i];
            if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
                bytes[i] = static_cast<char>(c);
                continue;
            }
            const auto found = std::find(k1252High.begin(), k1252High.end(), c);
            if (found == k1252High.end()) return std::nullopt;
            bytes[i] = static_cast<char>(0x80 + (found - k1252High.begin()));
        }
        return bytes;
    }
};

class Latin1 final : public CodePage {
public:
    std::u16string decode(std::string_view bytes) const override { return decodeBytes(bytes, false); }
    std::optional<std::string> encode(std::u16string_view text) const override {
        std::string bytes(text.size(), '\0');
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] > 0xFF) return std::nullopt;
            bytes[i] = static_cast<char>(text[i]);
        }
        return bytes;
    }
};

}  // namespace

std::string_view encodingName(Encoding encoding) {
    switch (encoding) {
    case Encoding::Ansi: return "ANSI";
    case Encoding::Utf8: return "UTF-8";
    case Encoding::Utf8Bom: return "UTF-8 with BOM";
    case Encoding::Utf16Le: return "UTF-16 LE";
    case Encoding::Utf16Be: return "UTF-16 BE";
    }
    return {};
}

std::optional<std::string> toUtf8(std::u16string_view text) {
    // Measured first, so that the bytes are written into one allocation of the exact size.
    std::size_t length = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < 0x80) {
            length += 1;
        } else if (c < 0x800) {
            length += 2;
        } else if (c < 0xD800 || c > 0xDFFF) {
            length += 3;
        } else if (c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            length += 4;
            ++i;
        } else {
            return std::nullopt;
        }
    }
    std::string bytes(length, '\0');
    char* p = bytes.data();
    auto put = [&p](std::uint32_t b) { *p++ = static_cast<char>(b); };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::uint32_t c = text[i];
        if (c < 0x80) {
            put(c);
        } else if (c < 0x800) {
            put(0xC0 | c >> 6);
            put(0x80 | (c & 0x3F));
        } else if (c < 0xD800 || c > 0xDFFF) {
            put(0xE0 | c >> 12);
            put(0x80 | (c >> 6 & 0x3F));
            put(0x80 | (c & 0x3F));
        } else {
            const std::uint32_t codePoint = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00u);
            put(0xF0 | codePoint >> 18);
            put(0x80 | (codePoint >> 12 & 0x3F));
            put(0x80 | (codePoint >> 6 & 0x3F));
            put(0x80 | (codePoint & 0x3F));
        }
    }
    return bytes;
}

std::optional<std::u16string> fromUtf8(std::string_view bytes) {
    // A sequence never gives more code units than it has bytes.
    std::u16string text(bytes.size(), u'\0');
    char16_t* out = text.data();
    const Byte* p = reinterpret_cast<const Byte*>(bytes.data());
    const Byte* const end = p + bytes.size();
    while (p < end) {
        if (*p < 0x80) {
            *out++ = *p++;
            continue;
        }
        char32_t codePoint = 0;
        const std::size_t length = decodeSequence(p, end, codePoint);
        if (length == 0) return std::nullopt;
        p += length;
        if (codePoint < 0x10000) {
            *out++ = static_cast<char16_t>(codePoint);
        } else {
            codePoint -= 0x10000;
            *out++ = static_cast<char16_t>(0xD800 + (codePoint >> 10));
            *out++ = static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
        }
    }
    text.resize(static_cast<std::size_t>(out - text.data()));
    return text;
}

std::u16string utf16(std::string_view utf8) {
    if (auto text = fromUtf8(utf8)) return std::move(*text);
    std::u16string text;
    const Byte* p = reinterpret_cast<const Byte*>(utf8.data());
    const Byte* const end = p + utf8.size();
    for (std::size_t length = 0; p < end; p += length) {
        char32_t codePoint = *p;
        length = *p < 0x80 ? 1 : decodeSequence(p, end, codePoint);
        if (length == 0) codePoint = 0xFFFD, length = 1;
        if (codePoint < 0x10000) {
            text += static_cast<char16_t>(codePoint);
        } else {
            codePoint -= 0x10000;
            text += static_cast<char16_t>(0xD800 + (codePoint >> 10));
            text += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
        }
    }
    return text;
}

std::string utf8(std::u16string_view text) {
    if (auto bytes = toUtf8(text)) return std::move(*bytes);
    std::u16string repaired(text);
    for (std::size_t i = 0; i < repaired.size(); ++i) {
        const char16_t c = repaired[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < repaired.size() && repaired[i + 1] >= 0xDC00 && repaired[i + 1] <= 0xDFFF)
            ++i;
        else if (c >= 0xD800 && c <= 0xDFFF)
            repaired[i] = u'\uFFFD';
    }
    return *toUtf8(repaired);
}

bool splitsSurrogatePair(std::u16string_view text, std::size_t at) {
    return at > 0 && at < text.size() && text[at - 1] >= 0xD800 && text[at - 1] <= 0xDBFF && text[at] >= 0xDC00 &&
           text[at] <= 0xDFFF;
}

bool isUtf8WithMultibyte(std::string_view bytes) {
    bool multibyte = false;
    return scanUtf8(bytes, multibyte) && multibyte;
}

const CodePage& windows1252() {
    static const Windows1252 codePage;
    return codePage;
}

const CodePage& latin1() {
    static const Latin1 codePage;
    return codePage;
}

bool roundTrips(const CodePage& codePage, std::string_view bytes) {
    // Every ANSI code page the system can have maps the ASCII bytes to themselves and back.
    if (std::all_of(bytes.begin(), bytes.end(), [](char b) { return static_cast<unsigned char>(b) < 0x80; }))
        return true;
    const auto back = codePage.encode(codePage.decode(bytes));
    return back && *back == bytes;
}

DecodedDocument decodeDocument(std::string_view bytes, const CodePage& ansi) {
    if (bytes.starts_with(kUtf16LeMark) || bytes.starts_with(kUtf16BeMark)) {
        const bool bigEndian = bytes.starts_with(kUtf16BeMark);
        const Encoding encoding = bigEndian ? Encoding::Utf16Be : Encoding::Utf16Le;
        // Half a code unit at the end: the file is damaged or not UTF-16 at all, and no reading
        // of it would save back to the same bytes.
        if (bytes.size() % 2 != 0) return {{}, encoding, true};
        return {decodeUtf16(bytes.substr(2), bigEndian), encoding, false};
    }
    // A mark or a declaration over bytes that are not UTF-8 is wrong; read as ANSI, the bytes at
    // least come back as they were when saved.
    if (bytes.starts_with(kUtf8Mark)) {
        if (auto text = fromUtf8(bytes.substr(kUtf8Mark.size()))) return {std::move(*text), Encoding::Utf8Bom, false};
        return {ansi.decode(bytes), Encoding::Ansi, false};
    }
    bool multibyte = false;
    if (scanUtf8(bytes, multibyte) && (multibyte || declaresUtf8(bytes))) return {*fromUtf8(bytes), Encoding::Utf8, false};
    return {ansi.decode(bytes), Encoding::Ansi, false};
}

std::optional<std::string> encodeDocument(std::u16string_view text, Encoding encoding, const CodePage& ansi) {
    switch (encoding) {
    case Encoding::Ansi: return ansi.encode(text);
    case Encoding::Utf8: return toUtf8(text);
    case Encoding::Utf8Bom: {
        auto bytes = toUtf8(text);
        if (bytes) bytes->insert(0, kUtf8Mark);
        return bytes;
    }
    case Encoding::Utf16Le: return encodeUtf16(text, false);
    case Encoding::Utf16Be: return encodeUtf16(text, true);
    }
    return std::nullopt;
}

std::string settingsValueFromFile(std::string_view bytes, const CodePage& ansi) {
    if (isUtf8WithMultibyte(bytes)) return std::string(bytes);
    return toUtf8(ansi.decode(bytes)).value_or(std::string(bytes));
}

std::string settingsValueToFile(std::string_view utf8, const CodePage& ansi) {
    // ANSI bytes that happen to form UTF-8 ("Ã©" in code page 1252 is C3 A9) would be read back
    // as UTF-8 and change the value; such a value is written as UTF-8 too.
    const auto text = fromUtf8(utf8);
    if (!text) return std::string(utf8);
    auto bytes = ansi.encode(*text);
    if (!bytes || isUtf8WithMultibyte(*bytes)) return std::string(utf8);
    return std::move(*bytes);
}

}  // namespace tess
