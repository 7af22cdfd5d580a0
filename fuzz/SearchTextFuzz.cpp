// Feeds arbitrary texts, search texts and selections to the search rule: every answer must be the first candidate
// a plain scan finds in its direction, and Replace All planned in one pass must leave the text that replacing one
// match at a time leaves, with the same count.
#include "FuzzCheck.h"
#include "search/SearchText.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

bool sameAt(std::u16string_view text, std::size_t at, std::u16string_view what, bool matchCase) {
    for (std::size_t i = 0; i < what.size(); ++i)
        if (matchCase ? text[at + i] != what[i] : tess::upperCase(text[at + i]) != tess::upperCase(what[i]))
            return false;
    return true;
}

// Every position in the direction's order, tried one by one.
int plainScan(std::u16string_view text, std::u16string_view what, int start, int end, bool whole, bool matchCase,
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
    // Bytes above ASCII stand for Greek letters, so that case folding beyond ASCII is tried too.
    std::u16string units(size - 4, u'\0');
    std::transform(data + 4, data + size, units.begin(),
                   [](std::uint8_t b) { return static_cast<char16_t>(b < 0x80 ? b : 0x0370 + (b & 0x7F)); });
    const std::u16string_view rest(units);
    const std::u16string_view what = rest.substr(0, std::min<std::size_t>(data[1] % 8, rest.size()));
    const std::u16string_view with =
        rest.substr(what.size(), std::min<std::size_t>(data[2] % 8, rest.size() - what.size()));
    const std::u16string_view text = rest.substr(what.size() + with.size());
    const int length = static_cast<int>(text.size());
    const int a = length ? data[3] % (length + 1) : 0, b = length ? (data[3] * 7 + data[1]) % (length + 1) : 0;
    const int start = std::min(a, b), end = std::max(a, b);

    const int found = tess::TextSearch(text, what, matchCase).find(start, end, whole, direction);
    check(found == plainScan(text, what, start, end, whole, matchCase, direction));

    const tess::ReplaceAllPlan plan = tess::planReplaceAll(text, what, with, whole, matchCase);
    std::u16string planned(text);
    planned.replace(std::size_t(plan.start), std::size_t(plan.end - plan.start), plan.replacement);
    std::u16string oneByOne(text);
    int count = 0;
    for (int from = 0, p; (p = plainScan(oneByOne, what, from, from, whole, matchCase, 1)) >= 0; ++count) {
        oneByOne.replace(static_cast<std::size_t>(p), what.size(), with);
        from = p + static_cast<int>(with.size());
    }
    check(plan.count == count && static_cast<int>(plan.matches.size()) == count && planned == oneByOne);
    return 0;
}
