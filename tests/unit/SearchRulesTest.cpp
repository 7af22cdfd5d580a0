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
        {"|\xE9" "cat\xE9", "cat", true, false, 1, 1},     // nor is a byte above 127
        {"|ba-a-a", "a-a", true, false, 1, 3},             // rejected at 1, the overlapping one at 3 passes
        {"a-a-ab|", "a-a", true, false, -1, 0},            // rejected at 2, the overlapping one at 0 passes
        {"[aa]a aa", "", false, false, 1, 4},              // the selection is the search text; 1 overlaps its end
        {"ab ab a[b]", "ab", false, false, -1, 3},         // backward: the one at 6 ends after the selection start
        {"ab ab [ab]", "ab", false, false, -1, 3},
        {"a|b ab", "ab", false, false, -1, -1},
        {"|<BODY>", "Body", false, false, 1, 1}, {"|<BODY>", "Body", false, true, 1, -1},
        {"|x\xC9\x8A\x9F", "\xE9\x9A\xFF", false, false, 1, 1},  // the code page's accented capitals
        {"|ss", "\xDF", false, false, 1, -1},
        {"|abc", "", false, false, 1, -1},                 // nothing selected, nothing to search for
    };
    std::string clipboard;
    InMemoryEditControl editor(clipboard);
    for (const auto& r : rows) {
        setMarked(editor, r.marked);
        std::string what = r.what;
        EXPECT_EQ(SearchText(editor, what, r.whole, r.matchCase, r.direction), r.found) << r.marked << " / " << r.what;
    }
}

// Replacing a match at a time from the start, each search after the text just put in, as a user would.
std::pair<std::string, int> oneAtATime(std::string text, const std::string& what, const std::string& with, bool whole) {
    int count = 0;
    for (int from = 0, p; (p = TextSearch(text, what, false).find(from, from, whole, 1)) >= 0; ++count) {
        text.replace(static_cast<std::size_t>(p), what.size(), with);
        from = p + static_cast<int>(with.size());
    }
    return {text, count};
}

TEST(SearchRules, ReplaceAllIsPlannedInOnePassWithTheMatchesOfOneAtATime) {
    const struct { std::string text, what, with; bool whole; } rows[] = {
        {"cat Cat concatenate cat", "cat", "cats", true}, {"-a-a", "-a", "-", true},  // the left neighbour put in
        {"-a-a", "-a", "x", true}, {".-a-a", "-a", "", true}, {"aaaa", "aa", "a", false}, {"xyz", "q", "r", false}};
    for (const auto& r : rows) {
        const ReplaceAllPlan plan = planReplaceAll(r.text, r.what, r.with, r.whole, false);
        std::string text = r.text;
        text.replace(std::size_t(plan.start), std::size_t(plan.end - plan.start), plan.replacement);
        EXPECT_EQ(std::pair(text, plan.count), oneAtATime(r.text, r.what, r.with, r.whole)) << r.text << "/" << r.what;
    }
}

}  // namespace
}  // namespace tess::test
