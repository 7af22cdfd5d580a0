#include "app/ScreenPlacement.h"

#include <algorithm>
#include <tuple>

namespace tess {

namespace {

// Enough of a window to see it and take hold of its title bar; a sliver at the screen's edge is
// not, though it overlaps.
constexpr int kMinVisible = 32;

int overlap(int start, int length, int areaStart, int areaLength) {
    return std::max(0, std::min(start + length, areaStart + areaLength) - std::max(start, areaStart));
}

int gap(int start, int length, int areaStart, int areaLength) {
    return std::max({0, areaStart - (start + length), start - (areaStart + areaLength)});
}

}  // namespace

Rect placeOnScreen(Rect window, const std::vector<Rect>& workAreas) {
    if (workAreas.empty()) return window;
    // Nearest first (distance 0 for every area it overlaps), then the one it overlaps most.
    const auto rank = [&window](const Rect& a) {
        const long long dx = gap(window.x, window.width, a.x, a.width);
        const long long dy = gap(window.y, window.height, a.y, a.height);
        const long long shown = 1LL * overlap(window.x, window.width, a.x, a.width) *
                                overlap(window.y, window.height, a.y, a.height);
        return std::tuple(dx * dx + dy * dy, -shown);
    };
    const Rect& area = *std::min_element(workAreas.begin(), workAreas.end(),
                                         [&rank](const Rect& a, const Rect& b) { return rank(a) < rank(b); });
    const bool fits = window.width <= area.width && window.height <= area.height;
    const bool shown = overlap(window.x, window.width, area.x, area.width) >= std::min(kMinVisible, window.width) &&
                       overlap(window.y, window.height, area.y, area.height) >= std::min(kMinVisible, window.height);
    if (fits && shown) return window;
    window.width = std::min(window.width, area.width);
    window.height = std::min(window.height, area.height);
    window.x = std::clamp(window.x, area.x, area.x + area.width - window.width);
    window.y = std::clamp(window.y, area.y, area.y + area.height - window.height);
    return window;
}

}  // namespace tess
