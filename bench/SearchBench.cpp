// The search rule and Replace All's plan on a 1 MB page, ten times the editor's usual limit: one search walks the whole
// text when its only match is at the far end, and the plan is one pass however many matches it replaces.
#include "InMemoryEditControl.h"
#include "platform/TextEncoding.h"
#include "search/SearchText.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr std::size_t kMegabyte = 1 << 20;

// Lines of markup with "row" inside longer words on every line, and as a word of its own only on the first line (as
// "Row") and the last.
std::string page() {
    std::string text = "Row one\r\n";
    for (int line = 0; text.size() < kMegabyte; ++line)
        text += "  <tr class=\"rows" + std::to_string(line) + "\"><td>arrow narrow</td></tr>\r\n";
    return text + "last row";
}

// Arguments: direction (1 forward from the start, -1 backward from the end), match case, whole word.
void searchAcrossAMegabyte(benchmark::State& state) {
    std::u16string clipboard;
    tess::test::InMemoryEditControl editor(clipboard);
    editor.setTextLimit(0);
    editor.setText(tess::utf16(page()));
    const auto direction = static_cast<int>(state.range(0));
    const int at = direction > 0 ? 0 : editor.textLength() - 8;  // before "last row"
    editor.setSelection(at, at);
    for (auto _ : state) {
        std::u16string what = u"row";
        benchmark::DoNotOptimize(tess::SearchText(editor, what, state.range(2) != 0, state.range(1) != 0, direction));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * editor.textLength());
}
BENCHMARK(searchAcrossAMegabyte)->ArgsProduct({{1, -1}, {0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

// Argument: whole word; without it about 60,000 matches are replaced, with it two.
void planReplaceAllOnAMegabyte(benchmark::State& state) {
    const std::u16string text = tess::utf16(page());
    for (auto _ : state) {
        const tess::ReplaceAllPlan plan = tess::planReplaceAll(text, u"row", u"column", state.range(0) != 0, false);
        benchmark::DoNotOptimize(plan.count);
        state.counters["replaced"] = plan.count;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(planReplaceAllOnAMegabyte)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
