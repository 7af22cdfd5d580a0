#pragma once
// The help window's search across all topics: case-insensitive, in file order. Topics are 0-based
// here; positions are byte offsets into a topic's body.
#include "help/HelpFile.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tess {

struct HelpHit {
    int topic = 0;
    std::size_t pos = 0;
    friend bool operator==(const HelpHit&, const HelpHit&) = default;
};

// The search state that lives as long as the program, from one help window to the next.
struct HelpSearchState {
    std::string searchText;  // lower-cased
    HelpHit lastMatch;
    int paneWrapMode = 0;  // the wrap mode the text pane was last given; 0 before any
};

// Lower case in the Windows-1252 code page, the help file's own.
std::string lowerAnsi(std::string_view text);

// Find text: the first occurrence in topic `first` or any later one, each from its start.
std::optional<HelpHit> findFirst(const std::vector<HelpTopic>& topics, std::string_view needle, int first);
// Next: in `topic` from `from` on, then in every later topic from its start.
std::optional<HelpHit> findNext(const std::vector<HelpTopic>& topics, std::string_view needle, int topic,
                                std::size_t from);
// Prev: the last occurrence in `topic` that ends at or before `before` (the start of the current
// match, so it is never found again), then the last one of every earlier topic.
std::optional<HelpHit> findPrevious(const std::vector<HelpTopic>& topics, std::string_view needle, int topic,
                                    std::size_t before);

}  // namespace tess
