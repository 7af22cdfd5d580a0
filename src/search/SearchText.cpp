#include "search/SearchText.h"

#include "platform/EditControl.h"

#include <array>

namespace tess {

namespace {

// Code page 1252: the ASCII letters, the accented letters of 0xE0 to 0xFE but the division sign,
// and the four whose capitals stand elsewhere (s, oe and z with caron, y with diaeresis). The sharp
// s and the micro sign have no capital in the code page and stay as they are.
constexpr std::array<unsigned char, 256> kUpper = [] {
    std::array<unsigned char, 256> table{};
    for (int c = 0; c < 256; ++c) table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c);
    for (int c = 'a'; c <= 'z'; ++c) table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c - 32);
    for (int c = 0xE0; c <= 0xFE; ++c)
        if (c != 0xF7) table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c - 32);
    table[0x9A] = 0x8A, table[0x9C] = 0x8C, table[0x9E] = 0x8E, table[0xFF] = 0x9F;
    return table;
}();

std::string upperCased(std::string_view text) {
    std::string folded(text);
    for (char& c : folded) c = upperAnsi(c);
    return folded;
}

}  // namespace

char upperAnsi(char c) { return static_cast<char>(kUpper[static_cast<unsigned char>(c)]); }

bool isWordChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// Upper-casing both sides once keeps every search a plain byte search over the whole text.
TextSearch::TextSearch(std::string_view text, std::string_view what, bool matchCase) : text_(text) {
    if (matchCase) {
        haystack_ = text, what_ = what;
    } else {
        foldedText_ = upperCased(text), foldedWhat_ = upperCased(what);
        haystack_ = foldedText_, what_ = foldedWhat_;
    }
}

int TextSearch::occurrence(int from, int direction) const {
    if (what_.empty() || from < 0 || from > static_cast<int>(haystack_.size())) return -1;
    const std::size_t at = direction > 0 ? haystack_.find(what_, static_cast<std::size_t>(from))
                                         : haystack_.rfind(what_, static_cast<std::size_t>(from));
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

bool TextSearch::wholeWordAt(int pos, char left) const {
    const auto after = static_cast<std::size_t>(pos) + what_.size();
    return !isWordChar(left) && !(after < text_.size() && isWordChar(text_[after]));
}

int TextSearch::find(int selectionStart, int selectionEnd, bool wholeWord, int direction) const {
    int p = direction > 0 ? occurrence(selectionEnd, 1) : occurrence(selectionStart - length(), -1);
    while (p >= 0 && wholeWord && !wholeWordAt(p, p > 0 ? text_[static_cast<std::size_t>(p) - 1] : '\0'))
        p = occurrence(p + direction, direction);
    return p;
}

int SearchText(const EditControl& editor, std::string& what, bool wholeWord, bool matchCase, int direction) {
    const std::string text = editor.text();
    const Selection s = editor.selection();
    if (what.empty()) what = text.substr(static_cast<std::size_t>(s.start), static_cast<std::size_t>(s.end - s.start));
    return TextSearch(text, what, matchCase).find(s.start, s.end, wholeWord, direction);
}

// Replacing one match at a time, each search starts after the text just put in, so a match is never
// found inside it and the matches are those of the old text. Only a match that starts right where
// the last one ended sees a different left neighbour: the last character put in (or, when nothing
// was put in, the one before that), which the plan takes from the new text as it builds it.
ReplaceAllPlan planReplaceAll(std::string_view text, std::string_view what, std::string_view with, bool wholeWord,
                              bool matchCase) {
    ReplaceAllPlan plan;
    const TextSearch search(text, what, matchCase);
    int lastEnd = -1;
    for (int p = search.occurrence(0, 1); p >= 0;) {
        char left = p > 0 ? text[static_cast<std::size_t>(p) - 1] : '\0';
        if (p == lastEnd && !plan.replacement.empty()) left = plan.replacement.back();
        else if (p == lastEnd) left = plan.start > 0 ? text[static_cast<std::size_t>(plan.start) - 1] : '\0';
        if (wholeWord && !search.wholeWordAt(p, left)) {
            p = search.occurrence(p + 1, 1);
            continue;
        }
        const auto gap = static_cast<std::size_t>(p - lastEnd);
        if (plan.count++ == 0) plan.start = p;
        else plan.replacement.append(text.substr(static_cast<std::size_t>(lastEnd), gap));
        plan.replacement.append(with);
        plan.matches.push_back(p);
        lastEnd = p + search.length();
        p = search.occurrence(lastEnd, 1);
    }
    plan.end = plan.count > 0 ? lastEnd : 0;
    return plan;
}

}  // namespace tess
