#include "search/SearchText.h"

#include "platform/EditControl.h"

namespace tess {

namespace {

CaseMapping installedMapping = nullptr;

std::u16string upperCased(std::u16string_view text) {
    std::u16string folded(text);
    if (installedMapping) installedMapping(folded);
    else
        for (char16_t& c : folded) c = upperCase(c);
    return folded;
}

}  // namespace

void setCaseMapping(CaseMapping mapping) { installedMapping = mapping; }

// Latin-1 capitals stand 32 below their small letters, but for the division sign; the sharp s and
// the micro sign have no capital of their own. Latin Extended-A pairs a capital with the small
// letter after it, the pairs starting on an even unit up to U+0137 and from U+014A, on an odd one
// in between and from U+0179; the dotless i, the kra, the
// n after an apostrophe, the capital y with diaeresis and the long s are left alone.
char16_t upperCase(char16_t c) {
    if (c < 0x80) return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
    if (c < 0x100) {
        if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
        return c == 0xFF ? u'\u0178' : c;
    }
    if (c < 0x180) {
        if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x178 || c == 0x17F) return c;
        const bool evenPairs = c <= 0x137 || (c >= 0x14A && c <= 0x177);
        const bool small = evenPairs ? (c & 1) != 0 : (c & 1) == 0;
        return small ? static_cast<char16_t>(c - 1) : c;
    }
    if (c >= 0x3B1 && c <= 0x3C9) return c == 0x3C2 ? u'\u03A3' : static_cast<char16_t>(c - 32);  // final sigma
    if (c == 0x3AC) return u'\u0386';
    if (c >= 0x3AD && c <= 0x3AF) return static_cast<char16_t>(c - 37);
    if (c == 0x3CC) return u'\u038C';
    if (c == 0x3CD || c == 0x3CE) return static_cast<char16_t>(c - 63);
    if (c >= 0x430 && c <= 0x44F) return static_cast<char16_t>(c - 32);
    if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 80);
    return c;
}

bool isWordChar(char16_t c) {
    if (c < 0x80) return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
    if (c < 0x100) return c == 0xAA || c == 0xB5 || c == 0xBA || (c >= 0xC0 && c != 0xD7 && c != 0xF7);
    return !(c >= 0x2000 && c <= 0x2BFF) && !(c >= 0x3000 && c <= 0x303F) && !(c >= 0xD800 && c <= 0xF8FF) &&
           !(c >= 0xFF00 && c <= 0xFF0F) && !(c >= 0xFF1A && c <= 0xFF20) && !(c >= 0xFF3B && c <= 0xFF40) &&
           !(c >= 0xFF5B && c <= 0xFF65);
}

// Upper-casing both sides once keeps every search a plain byte search over the whole text.
TextSearch::TextSearch(std::u16string_view text, std::u16string_view what, bool matchCase) : text_(text) {
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
    return at == std::u16string_view::npos ? -1 : static_cast<int>(at);
}

bool TextSearch::wholeWordAt(int pos, char16_t left) const {
    const auto after = static_cast<std::size_t>(pos) + what_.size();
    return !isWordChar(left) && !(after < text_.size() && isWordChar(text_[after]));
}

int TextSearch::find(int selectionStart, int selectionEnd, bool wholeWord, int direction) const {
    int p = direction > 0 ? occurrence(selectionEnd, 1) : occurrence(selectionStart - length(), -1);
    while (p >= 0 && wholeWord && !wholeWordAt(p, p > 0 ? text_[static_cast<std::size_t>(p) - 1] : u'\0'))
        p = occurrence(p + direction, direction);
    return p;
}

int SearchText(const EditControl& editor, std::u16string& what, bool wholeWord, bool matchCase, int direction) {
    const std::u16string text = editor.text();
    const Selection s = editor.selection();
    if (what.empty()) what = text.substr(static_cast<std::size_t>(s.start), static_cast<std::size_t>(s.end - s.start));
    return TextSearch(text, what, matchCase).find(s.start, s.end, wholeWord, direction);
}

// Replacing one match at a time, each search starts after the text just put in, so a match is never
// found inside it and the matches are those of the old text. Only a match that starts right where
// the last one ended sees a different left neighbour: the last character put in (or, when nothing
// was put in, the one before that), which the plan takes from the new text as it builds it.
ReplaceAllPlan planReplaceAll(std::u16string_view text, std::u16string_view what, std::u16string_view with, bool wholeWord,
                              bool matchCase) {
    ReplaceAllPlan plan;
    const TextSearch search(text, what, matchCase);
    int lastEnd = -1;
    for (int p = search.occurrence(0, 1); p >= 0;) {
        char16_t left = p > 0 ? text[static_cast<std::size_t>(p) - 1] : u'\0';
        if (p == lastEnd && !plan.replacement.empty()) left = plan.replacement.back();
        else if (p == lastEnd) left = plan.start > 0 ? text[static_cast<std::size_t>(plan.start) - 1] : u'\0';
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
