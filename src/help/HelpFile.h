#pragma once
// The help file: a count, then the topics' bodies, titles, levels and layouts as four blocks, all
// integers little-endian, texts 8-bit without terminator. No signature and no version.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tess {

// Wrap modes of a topic's text pane.
inline constexpr std::int32_t kWrapLines = 1;
inline constexpr std::int32_t kNoWrap = -1;
// A body or a title holds at most this many bytes (its length is a 16-bit field).
inline constexpr std::size_t kMaxHelpText = 65535;

struct HelpTopic {
    std::string body;   // lines separated by CR LF
    std::string title;
    std::int32_t level = 0;  // 0: top-level; anything else: sub-topic of the top-level topic before it
    std::int32_t tabWidth = 4;  // in average character widths
    std::int32_t wrapMode = kWrapLines;
    friend bool operator==(const HelpTopic&, const HelpTopic&) = default;
};

// The topics of a help file, or nullopt when it holds none: a count of 0 or less, or a file that
// ends before the data its count announces.
std::optional<std::vector<HelpTopic>> loadHelpFile(std::string_view bytes);

// The bytes of a help file holding these topics. Throws std::length_error for a text longer than
// kMaxHelpText, which the format cannot hold.
std::string writeHelpFile(const std::vector<HelpTopic>& topics);

}  // namespace tess
