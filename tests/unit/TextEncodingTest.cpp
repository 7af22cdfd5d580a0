// A document's bytes read as text and written back, and settings values in and out of the file.
#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace tess {
namespace {

using namespace std::string_literals;

std::string allBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    return bytes;
}

// Each file is read (the encoding's name, or "refused"; its text unless the row leaves it out)
// and, when read, saved back in the encoding found: the same bytes. Then texts saved in a given
// encoding (nullopt: cannot be stored exactly), and settings values (UTF-8) as the file holds them.
TEST(TextEncoding, FilesComeBackByteForByte) {
    const CodePage& cp1252 = windows1252();
    const std::string inside = std::string(1000, ' ') + "<meta charset=utf-8>";
    const std::string beyond = std::string(1010, ' ') + "<meta charset=utf-8>";
    const struct { const char* what; const CodePage& cp; std::string bytes; const char* found; std::optional<std::u16string> text; } rows[] = {
        {"UTF-8 mark", cp1252, "\xEF\xBB\xBF" "caf\xC3\xA9", "UTF-8 with BOM", u"café"},
        {"UTF-16 LE mark", cp1252, "\xFF\xFEh\0\xAC\x20"s, "UTF-16 LE", u"h€"},
        {"UTF-16 BE mark", cp1252, "\xFE\xFF\0h\x20\xAC"s, "UTF-16 BE", u"h€"},
        {"unpaired surrogates kept", cp1252, "\xFE\xFF\xDC\0\0a\xD8\0"s, "UTF-16 BE", u"\xDC00" "a\xD800"},
        {"UTF-16 LE, odd size", cp1252, "\xFF\xFEh\0!"s, "refused", u""},
        {"UTF-8 without mark", cp1252, "<p>\xCE\xA9 \xF0\x9F\x98\x80</p>", "UTF-8", u"<p>Ω 😀</p>"},
        {"overlong", cp1252, "/\xC0\xAF", "ANSI", u"/À¯"},
        {"overlong, three bytes", cp1252, "\xE0\x80\xAF", "ANSI", u"à€¯"},
        {"lone continuation", cp1252, "\xC3\xA9\x80", "ANSI", u"Ã©€"},
        {"truncated", cp1252, "caf\xC3", "ANSI", u"cafÃ"},
        {"surrogate in UTF-8", cp1252, "\xED\xA0\x80", "ANSI", u"í\u00A0€"},
        {"beyond U+10FFFF", cp1252, "\xF4\x90\x80\x80", "ANSI", u"ô\u0090€€"},
        {"UTF-8 mark over invalid bytes", cp1252, "\xEF\xBB\xBF\xC3(", "ANSI", u"ï»¿Ã("},
        {"pure ASCII", cp1252, "<p>plain</p>", "ANSI", u"<p>plain</p>"},
        {"meta charset", cp1252, "<meta charset='UTF-8'>", "UTF-8", u"<meta charset='UTF-8'>"},
        {"meta content type", cp1252, "<META http-equiv=\"Content-Type\" content=\"text/html; charset=Utf8\">", "UTF-8", {}},
        {"meta naming another", cp1252, "<meta charset=\"iso-8859-1\">", "ANSI", {}},
        {"meta commented out", cp1252, "<!-- <meta charset=utf-8> -->", "ANSI", {}},
        {"meta within 1,024 bytes", cp1252, inside, "UTF-8", {}},
        {"meta beyond 1,024 bytes", cp1252, beyond, "ANSI", {}},
        {"meta over invalid bytes", cp1252, "<meta charset=utf-8>\xE9", "ANSI", u"<meta charset=utf-8>é"},
        {"1252's holes", cp1252, "\x80\x81\x8D\x8F\x90\x9D\x9F", "ANSI", u"€\u0081\u008D\u008F\u0090\u009DŸ"},
        {"every byte, 1252", cp1252, allBytes(), "ANSI", {}},
        {"every byte, Latin-1", latin1(), allBytes(), "ANSI", {}},
        {"Latin-1", latin1(), "\x80\xE9", "ANSI", u"\u0080é"}};
    for (const auto& r : rows) {
        const DecodedDocument read = decodeDocument(r.bytes, r.cp);
        EXPECT_EQ(read.refused ? "refused" : encodingName(read.encoding), r.found) << r.what;
        if (r.text) {
            EXPECT_EQ(read.text, *r.text) << r.what;
        }
        if (!read.refused) {
            EXPECT_EQ(encodeDocument(read.text, read.encoding, r.cp), r.bytes) << r.what;
        }
    }

    const struct { const CodePage& cp; std::u16string text; Encoding encoding; std::optional<std::string> bytes; } saves[] = {
        {cp1252, u"Ω", Encoding::Ansi, std::nullopt}, {cp1252, u"\u0080", Encoding::Ansi, std::nullopt},
        {latin1(), u"€", Encoding::Ansi, std::nullopt}, {cp1252, u"a\xD800", Encoding::Utf8, std::nullopt},
        {cp1252, u"\xDC00\xDC00", Encoding::Utf8Bom, std::nullopt}, {cp1252, u"Œ", Encoding::Ansi, "\x8C"}};
    for (const auto& s : saves) EXPECT_EQ(encodeDocument(s.text, s.encoding, s.cp), s.bytes) << int(s.encoding);

    const struct { std::string value, file; } settings[] = {
        {"C:\\Web\\caf\xC3\xA9.html", "C:\\Web\\caf\xE9.html"}, {"C:\\\xCE\xA9\\a.html", "C:\\\xCE\xA9\\a.html"},
        {"\xC3\x83\xC2\xA9", "\xC3\x83\xC2\xA9"}};
    for (const auto& s : settings) {
        EXPECT_EQ(settingsValueToFile(s.value, cp1252), s.file);
        EXPECT_EQ(settingsValueFromFile(s.file, cp1252), s.value);
    }
}

}  // namespace
}  // namespace tess
