#include "help/HelpSearch.h"

#include <algorithm>
#include <array>

namespace tess {

namespace {

constexpr std::array<unsigned char, 256> makeLowerTable() {
    std::array<unsigned char, 256> table{};
    for (int c = 0; c < 256; ++c) table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c);
    for (int c = 'A'; c <= 'Z'; ++c) table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c + 32);
    // Windows-1252: the accented capitals and the few capitals in the 0x80 row.
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7) table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c + 32);
    table[0x8A] = 0x9A;
    table[0x8C] = 0x9C;
    table[0x8E] = 0x9E;
    table[0x9F] = 0xFF;
    return table;
}

constexpr auto kLower = makeLowerTable();

std::size_t searchForward(std::string_view body, std::string_view needle, std::size_t from) {
    if (from > body.size()) return std::string_view::npos;
    return lowerAnsi(body).find(needle, from);
}

std::size_t searchBackward(std::string_view body, std::string_view needle, std::size_t before) {
    if (needle.size() > before) return std::string_view::npos;
    return lowerAnsi(body).rfind(needle, before - needle.size());
}

int topicCount(const std::vector<HelpTopic>& topics) { return static_cast<int>(topics.size()); }
const std::string& bodyOf(const std::vector<HelpTopic>& topics, int topic) {
    return topics[static_cast<std::size_t>(topic)].body;
}

}  // namespace

std::string lowerAnsi(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(kLower[static_cast<unsigned char>(c)]);
    return lower;
}

std::optional<HelpHit> findFirst(const std::vector<HelpTopic>& topics, std::string_view needle, int first) {
    return findNext(topics, needle, first, 0);
}

std::optional<HelpHit> findNext(const std::vector<HelpTopic>& topics, std::string_view needle, int topic,
                                std::size_t from) {
    if (needle.empty()) return std::nullopt;
    for (int t = std::max(topic, 0); t < topicCount(topics); ++t, from = 0) {
        const std::size_t pos = searchForward(bodyOf(topics, t), needle, from);
        if (pos != std::string_view::npos) return HelpHit{t, pos};
    }
    return std::nullopt;
}

std::optional<HelpHit> findPrevious(const std::vector<HelpTopic>& topics, std::string_view needle, int topic,
                                    std::size_t before) {
    if (needle.empty()) return std::nullopt;
    for (int t = std::min(topic, topicCount(topics) - 1); t >= 0; --t) {
        if (t != topic) before = bodyOf(topics, t).size();
        const std::size_t pos = searchBackward(bodyOf(topics, t), needle, before);
        if (pos != std::string_view::npos) return HelpHit{t, pos};
    }
    return std::nullopt;
}

}  // namespace tess
