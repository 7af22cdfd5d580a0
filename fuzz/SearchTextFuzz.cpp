// Feeds arbitrary texts, search texts and selections to the search rule: every answer must be the first candidate
// a plain scan finds in its direction, and Replace All planned in one pass must leave the text that replacing one
// match at a time leaves, with the same count.
#include "search/SearchText.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

void check(bool condition) {
    if (!condition) __builtin_trap();
}

bool sameAt(std::string_view text, std::size_t at, std::string_view what, bool matchCase) {
    for (std::size_t i = 0; i < what.size(); ++i)
        if (matchCase ? text[at + i] != what[i] : tess::upperAnsi(text[at + i]) != tess::upperAnsi(what[i]))
            return false;
    return true;
}

// Every position in the direction's order, tried one by one.
int plainScan(std::string_view text, std::string_view what, int start, int end, bool whole, bool matchCase,
              int direction) {
    const int n = static_cast<int>(what.size()), size = static_cast<int>(text.size());
    if (n == 0) return -1;
    for (int p = direction > 0 ? end : start - n; p >= 0 && p + n <= size; p += direction) {
        const auto at = static_cast<std::size_t>(p);
        if (!sameAt(text, at, what, matchCase)) continue;
        const bool wordBefore = p > 0 && tess::isWordChar(text[at - 1]);
        if (whole && (wordBefore || (p + n < size && tess::isWordChar(text[at + what.size()])))) continue;
        return p;
    }
    return -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    const std::uint8_t flags = data[0];
    const bool whole = flags & 1, matchCase = flags & 2;
    const int direction = flags & 4 ? -1 : 1;
    const std::string_view rest(reinterpret_cast<const char*>(data + 4), size - 4);
    const std::string_view what = rest.substr(0, std::min<std::size_t>(data[1] % 8, rest.size()));
    const std::string_view with =
        rest.substr(what.size(), std::min<std::size_t>(data[2] % 8, rest.size() - what.size()));
    const std::string_view text = rest.substr(what.size() + with.size());
    const int length = static_cast<int>(text.size());
    const int a = length ? data[3] % (length + 1) : 0, b = length ? (data[3] * 7 + data[1]) % (length + 1) : 0;
    const int start = std::min(a, b), end = std::max(a, b);

    const int found = tess::TextSearch(text, what, matchCase).find(start, end, whole, direction);
    check(found == plainScan(text, what, start, end, whole, matchCase, direction));

    const tess::ReplaceAllPlan plan = tess::planReplaceAll(text, what, with, whole, matchCase);
    std::string planned(text);
    planned.replace(std::size_t(plan.start), std::size_t(plan.end - plan.start), plan.replacement);
    std::string oneByOne(text);
    int count = 0;
    for (int from = 0, p; (p = plainScan(oneByOne, what, from, from, whole, matchCase, 1)) >= 0; ++count) {
        oneByOne.replace(static_cast<std::size_t>(p), what.size(), with);
        from = p + static_cast<int>(with.size());
    }
    check(plan.count == count && static_cast<int>(plan.matches.size()) == count && planned == oneByOne);
    return 0;
}
