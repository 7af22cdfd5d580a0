#pragma once
// The one search rule of the program, over the text as UTF-16 units: every search path (Find Next, Find
// Previous, the find dialog, Replace All) finds its matches here.
#include <string>
#include <string_view>
#include <vector>

namespace tess {

class EditControl;

// The upper-case form of a unit: the letters of code page 1252 as its mapping gives them, and the
// basic Latin extensions, Greek and Cyrillic; every other unit is its own.
char16_t upperCase(char16_t c);
// How a whole text is upper-cased for a search that ignores case: the portable table above unless
// the platform installs its own mapping, which knows every script the system knows. Null puts the
// table back.
using CaseMapping = void (*)(std::u16string& text);
void setCaseMapping(CaseMapping mapping);

// Letters and digits of any script join words. What separates them: ASCII and Latin-1 punctuation
// and symbols, the blocks of punctuation and symbols from U+2000 to U+2BFF, CJK punctuation, the
// fullwidth forms of ASCII punctuation, private use, and every character beyond the first plane
// (there, mostly emoji).
bool isWordChar(char16_t c);

// A text and a search text, compared unit for unit or with both upper-cased. Directions are +1
// (forward) and -1 (backward). An empty search text matches nowhere.
class TextSearch {
public:
    TextSearch(std::u16string_view text, std::u16string_view what, bool matchCase);

    // Forward: the first occurrence starting at or after from. Backward: the last one starting at
    // or before from. -1 when there is none.
    int occurrence(int from, int direction) const;
    // Whether the occurrence at pos stands as a whole word: neither neighbour is a word character.
    // left is the character before it, or 0 for none.
    bool wholeWordAt(int pos, char16_t left) const;
    // The search rule from a selection (start, end): forward candidates start at or after end,
    // backward ones end at or before start; with whole word, a rejected candidate at p lets the
    // search go on from p + 1 (forward) or p - 1 (backward), so overlapping occurrences still count.
    int find(int selectionStart, int selectionEnd, bool wholeWord, int direction) const;

    std::u16string_view text() const { return text_; }
    int length() const { return static_cast<int>(what_.size()); }

private:
    std::u16string_view text_;
    std::u16string foldedText_, foldedWhat_;  // used only when case does not matter
    std::u16string_view haystack_, what_;
};

// The search rule on the editor's text from its selection. An empty what becomes the selected
// text, and the caller goes on with it. Returns the match's start or -1.
int SearchText(const EditControl& editor, std::u16string& what, bool wholeWord, bool matchCase, int direction);

// Replace All as one edit: the range from the first match's start to the last match's end and the
// text that replaces it, with the same matches as replacing one at a time from the start of the
// text, each search going on after the text just put in.
struct ReplaceAllPlan {
    int start = 0;
    int end = 0;
    std::u16string replacement;
    int count = 0;
    std::vector<int> matches;  // where each replaced match stood in the old text
};
ReplaceAllPlan planReplaceAll(std::u16string_view text, std::u16string_view what, std::u16string_view with, bool wholeWord,
                              bool matchCase);

}  // namespace tess
