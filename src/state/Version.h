#pragma once
// The program's version, as CMakeLists.txt's project() sets it for the whole build.
#include "tessaline_version.h"

#include <string_view>

namespace tess {

inline constexpr std::string_view kVersion = TESS_VERSION_TEXT;

}  // namespace tess
