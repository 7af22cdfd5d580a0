#pragma once
// Which names the program takes for a document. The program works with 8-bit names, and the
// system hands it names in UTF-16: a name is taken only when its 8-bit form names that very file.
#include <string>
#include <string_view>

namespace tess {

// What converting a UTF-16 name to the ANSI code page gave: the bytes, whether the converter put
// its default character for one it could not map, and those bytes converted back to UTF-16.
struct AnsiName {
    std::string bytes;
    bool usedDefaultChar = false;
    std::u16string backToWide;
};

// Whether ansi names exactly the file that wide names: nothing replaced by the default character
// and nothing replaced by a look-alike (converted back, the name must be the same).
bool isExactName(std::u16string_view wide, const AnsiName& ansi);

// Whether the last part of path is one of the names Windows keeps for devices (CON, PRN, AUX,
// NUL, COM1-9, LPT1-9), whatever its extension: opening it opens the device, not a file.
bool isDeviceName(std::string_view path);

enum class NameRefusal { NotInCodePage, Device };
// What the "File Error " box says under the name it refuses.
std::string_view refusalText(NameRefusal refusal);

}  // namespace tess
