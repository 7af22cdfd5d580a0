#pragma once
// Which names the program takes for a document: any the file system takes, but a device's.
#include <string>
#include <string_view>

namespace tess {

// Whether the last part of path is one of the names Windows keeps for devices (CON, PRN, AUX,
// NUL, COM1-9, LPT1-9), whatever its extension: opening it opens the device, not a file.
bool isDeviceName(std::string_view path);

enum class NameRefusal { Device };
// What the "File Error " box says under the name it refuses.
std::string_view refusalText(NameRefusal refusal);

}  // namespace tess
