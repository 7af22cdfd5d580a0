#pragma once
// The window was designed at 96 dots per inch: every pixel size in the program is a 96-dpi value,
// and the Win32 side scales it to the DPI of the monitor the window is on.
#include <cstdint>

namespace tess {

inline constexpr int kDesignDpi = 96;

// value * numerator / denominator for a positive denominator, rounded half away from zero as
// MulDiv rounds, so that the core and the system agree to the pixel.
constexpr int mulDiv(int value, int numerator, int denominator) {
    const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
    const std::int64_t half = denominator / 2;
    return static_cast<int>((product < 0 ? product - half : product + half) / denominator);
}

// A 96-dpi size at dpi, and back. At 96 dpi both leave every value as it is.
constexpr int scaled(int value, int dpi) { return mulDiv(value, dpi, kDesignDpi); }
constexpr int unscaled(int value, int dpi) { return mulDiv(value, kDesignDpi, dpi); }

}  // namespace tess
