// Feeds arbitrary bytes to the document reader: whatever it accepts must save back to the very
// same bytes in the encoding it found, and the UTF-8 and settings conversions must agree with it.
#include "FuzzCheck.h"
#include "platform/TextEncoding.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const tess::CodePage* ansi : {&tess::windows1252(), &tess::latin1()}) {
        const tess::DecodedDocument read = tess::decodeDocument(bytes, *ansi);
        if (read.refused) {
            check(size % 2 == 1 && (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")));
            continue;
        }
        check(tess::encodeDocument(read.text, read.encoding, *ansi) == bytes);

        // A value read from the settings file is written back so that it reads the same again.
        const std::string value = tess::settingsValueFromFile(bytes, *ansi);
        check(tess::settingsValueFromFile(tess::settingsValueToFile(value, *ansi), *ansi) == value);
    }

    const auto text = tess::fromUtf8(bytes);
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    check(tess::isUtf8WithMultibyte(bytes) == (text && !ascii));
    check(text || !ascii);
    if (text) check(tess::toUtf8(*text) == bytes);

    // The same bytes as UTF-16 code units: those that are well formed go to UTF-8 and back.
    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * 2);
    if (const auto utf8 = tess::toUtf8(units)) check(tess::fromUtf8(*utf8) == units);
    return 0;
}
