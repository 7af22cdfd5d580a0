#include "platform/FileNames.h"

#include <algorithm>
#include <array>

namespace tess {

bool isDeviceName(std::string_view path) {
    const auto slash = path.find_last_of("\\/:");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    // Windows looks at the part before the first dot, without trailing spaces: "nul.txt" and
    // "aux .html" are devices too.
    name = name.substr(0, name.find('.'));
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    static constexpr std::array<std::string_view, 4> kDevices{"CON", "PRN", "AUX", "NUL"};
    if (std::find(kDevices.begin(), kDevices.end(), upper) != kDevices.end()) return true;
    return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '1' &&
           upper[3] <= '9';
}

std::string_view refusalText(NameRefusal refusal) {
    switch (refusal) {
    case NameRefusal::Device: return "This name belongs to a device, not to a file. Choose another name.";
    }
    return {};
}

}  // namespace tess
