// The search rule from the editor's selection; Replace All planned in one pass against replacing a match at a time.
#include "InMemoryEditControl.h"
#include "MarkedText.h"
#include "search/SearchText.h"

#include <gtest/gtest.h>

namespace tess::test {
namespace {

TEST(SearchRules, SearchTextFromTheSelection) {
    const struct { const char* marked; std::string what; bool whole, matchCase; int direction, found; } rows[] = {
        {"|concatenate cat", "cat", true, false, 1, 12},   // inside a word: rejected, the search goes on
        {"|_cat_", "cat", true, false, 1, 1},              // the underscore is no word character
        {"|cat", "cat", true, true, 1, 0},                 // no left neighbour at 0, none on the right at the end
        {"|écaté", "cat", true, false, 1, -1},             // a letter beyond ASCII is one
        {"|日本、cat", "cat", true, false, 1, 3},           // CJK punctuation is not
        {"|ba-a-a", "a-a", true, false, 1, 3},             // rejected at 1, the overlapping one at 3 passes
        {"a-a-ab|", "a-a", true, false, -1, 0},            // rejected at 2, the overlapping one at 0 passes
        {"[aa]a aa", "", false, false, 1, 4},              // the selection is the search text; 1 overlaps its end
        {"ab ab a[b]", "ab", false, false, -1, 3},         // backward: the one at 6 ends after the selection start
        {"ab ab [ab]", "ab", false, false, -1, 3},
        {"a|b ab", "ab", false, false, -1, -1},
        {"|xÉŠŸ", "éšÿ", false, false, 1, 1},            // the code page's accented capitals
        {"|ss", "ß", false, false, 1, -1},
        {"|ΑΒΓ ОМЕГА", "омега", true, false, 1, 4},        // Greek and Cyrillic fold too
        {"|abc", "", false, false, 1, -1},                 // nothing selected, nothing to search for
    };
    std::u16string clipboard;
    InMemoryEditControl editor(clipboard);
    for (const auto& r : rows) {
        setMarked(editor, r.marked);
        std::u16string what = utf16(r.what);
        EXPECT_EQ(SearchText(editor, what, r.whole, r.matchCase, r.direction), r.found) << r.marked << " / " << r.what;
    }
}

// The text and count that replacing one match at a time from the start leaves, each search after the text put in: a
// match right after the last sees what was put in (or, if nothing, what stood before) as its left neighbour.
TEST(SearchRules, ReplaceAllPlansOnePass) {
    const struct { std::string text, what, with; bool whole; std::string after; int count; } rows[] = {
        {"cat Cat concatenate cat", "cat", "cats", true, "cats cats concatenate cats", 3},
        {"-a-a", "-a", "-", true, "--", 2}, {"-a-a", "-a", "x", true, "x-a", 1}, {".-a-a", "-a", "", true, ".", 2},
        {"aaaa", "aa", "a", false, "aa", 2}, {"xyz", "q", "r", false, "xyz", 0}};
    for (auto r : rows) {
        std::u16string text = utf16(r.text);
        const ReplaceAllPlan plan = planReplaceAll(text, utf16(r.what), utf16(r.with), r.whole, false);
        EXPECT_EQ(std::pair(utf8(text.replace(std::size_t(plan.start), std::size_t(plan.end - plan.start), plan.replacement)),
                            plan.count), std::pair(r.after, r.count)) << r.text << "/" << r.what;
    }
}

}  // namespace
}  // namespace tess::test
