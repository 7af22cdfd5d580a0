// Core operations on a document of up to 100000 characters, the editor's limit. The complexity
// reports (BigO) show whether a walk over every line stays linear in the document's size.
#include "InMemoryEditControl.h"
#include "TestContext.h"
#include "document/Documents.h"
#include "editor/Caret.h"
#include "editor/Gutter.h"
#include "help/HelpFile.h"
#include "platform/TextEncoding.h"
#include "help/TopicTree.h"
#include "print/Pagination.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// A hand-written page: lines of 10 to 70 characters, indented, CR LF breaks.
std::string makeDocument(std::size_t size) {
    std::string text;
    text.reserve(size + 80);
    int line = 0;
    while (text.size() < size) {
        text.append(static_cast<std::size_t>(line % 8) * 2, ' ');
        text += "<p class=\"row" + std::to_string(line) + "\">";
        text.append(static_cast<std::size_t>(10 + line * 7 % 40), 'x');
        text += "</p>\r\n";
        ++line;
    }
    text.resize(size);
    return text;
}

// The program's own line primitive (EM_LINEINDEX, EM_LINELENGTH, EM_GETLINE) over every line,
// as printing and the gutter walk the document.
void lineTextOfEveryLine(benchmark::State& state) {
    std::u16string clipboard;
    tess::test::InMemoryEditControl editor{clipboard};
    editor.setTextLimit(0);
    editor.setText(tess::utf16(makeDocument(static_cast<std::size_t>(state.range(0)))));
    const tess::CaretState caret;
    const int lines = editor.lineCount();
    for (auto _ : state) {
        std::size_t total = 0;
        for (int line = 1; line <= lines; ++line) total += tess::lineText(caret, editor, line).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetComplexityN(state.range(0));
    state.counters["lines"] = lines;
}
BENCHMARK(lineTextOfEveryLine)->RangeMultiplier(2)->Range(12500, 100000)->Complexity(benchmark::oN);

void lineFromCharOfEveryPosition(benchmark::State& state) {
    std::u16string clipboard;
    tess::test::InMemoryEditControl editor{clipboard};
    editor.setTextLimit(0);
    editor.setText(tess::utf16(makeDocument(static_cast<std::size_t>(state.range(0)))));
    const int length = editor.textLength();
    for (auto _ : state) {
        long long sum = 0;
        for (int pos = 0; pos < length; pos += 16) sum += editor.lineFromChar(pos);
        benchmark::DoNotOptimize(sum);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(lineFromCharOfEveryPosition)->RangeMultiplier(2)->Range(12500, 100000)->Complexity(benchmark::oNLogN);

// Opening a file: read through the desktop, set into the editor, gutter and status refreshed.
void loadDocumentOf100000(benchmark::State& state) {
    tess::test::TestContext t;
    t.desktop.files["C:\\Docs\\page.html"] = makeDocument(100000);
    for (auto _ : state) {
        const bool loaded = tess::loadDocument(t.ctx, "C:\\Docs\\page.html");
        benchmark::DoNotOptimize(loaded);
    }
}
BENCHMARK(loadDocumentOf100000);

// Typing into the middle of a full document: each key is one replacement at the caret.
void typingInTheMiddle(benchmark::State& state) {
    std::u16string clipboard;
    tess::test::InMemoryEditControl editor{clipboard};
    editor.setTextLimit(0);
    const std::u16string text = tess::utf16(makeDocument(100000));
    for (auto _ : state) {
        state.PauseTiming();
        editor.setText(text);
        editor.setSelection(50000, 50000);
        state.ResumeTiming();
        for (const char16_t c : std::u16string(200, u'a')) editor.typeChar(c);
        benchmark::DoNotOptimize(editor.textLength());
    }
}
BENCHMARK(typingInTheMiddle);

// The gutter's line numbers for the lines in view, refreshed on every scroll and key.
void refreshGutterAtTheEnd(benchmark::State& state) {
    tess::test::TestContext t;
    t.editor.setText(tess::utf16(makeDocument(100000)));
    t.editor.setSelection(99990, 99990);
    t.editor.scrollCaret();
    for (auto _ : state) tess::refreshGutter(t.ctx);
}
BENCHMARK(refreshGutterAtTheEnd);

// Lines of 0 to 180 characters, a sixth of them indented: one in four takes a second row.
std::string tenThousandLines() {
    std::string text;
    for (int line = 0; line < 10000; ++line)
        text += std::string(line % 6 == 0 ? 4 : 0, ' ') + std::string(static_cast<std::size_t>(line * 37 % 181), 'x') + "\r\n";
    return text;
}

// File > Print of 10,000 lines on the fake printer: every line read, measured and cut into rows, ~160 pages.
void printTenThousandLines(benchmark::State& state) {
    tess::test::TestContext t;
    t.editor.setTextLimit(0);
    t.editor.setText(tess::utf16(tenThousandLines()));
    for (auto _ : state) {
        t.printers.printed.clear(), t.printers.events.clear(), t.printers.dialogs.clear();
        tess::printCurrentFile(t.ctx);
        benchmark::DoNotOptimize(t.printers.printed.size());
    }
    state.counters["rows"] = static_cast<double>(t.printers.printed.size());
}
BENCHMARK(printTenThousandLines)->Unit(benchmark::kMillisecond);

// A help topic of 10,000 lines: each line measured, each wrapped row fitted and measured again.
void printHelpTopicOfTenThousandLines(benchmark::State& state) {
    tess::test::TestContext t;
    const std::string body = tenThousandLines();
    for (auto _ : state) {
        t.printers.printed.clear(), t.printers.events.clear(), t.printers.dialogs.clear();
        tess::printHelpTopic(t.ctx, "Topic", body);
        benchmark::DoNotOptimize(t.printers.printed.size());
    }
    state.counters["rows"] = static_cast<double>(t.printers.printed.size());
}
BENCHMARK(printHelpTopicOfTenThousandLines)->Unit(benchmark::kMillisecond);

}  // namespace

// Opening the help window reads the whole file and builds the tree: a help file of 1,000 topics,
// one top-level topic to every nine sub-topics, each body a few hundred bytes of prose.
void loadHelpFileOf1000Topics(benchmark::State& state) {
    std::vector<tess::HelpTopic> topics(1000);
    for (std::size_t i = 0; i < topics.size(); ++i) {
        topics[i].title = "Topic " + std::to_string(i);
        topics[i].level = i % 10 == 0 ? 0 : 1;
        for (int line = 0; line < 6; ++line) topics[i].body += "Some help text about the command, one line.\r\n";
    }
    const std::string file = tess::writeHelpFile(topics);
    for (auto _ : state) {
        const auto loaded = tess::loadHelpFile(file);
        benchmark::DoNotOptimize(tess::buildTopicTree(*loaded).selected);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(loadHelpFileOf1000Topics);

BENCHMARK_MAIN();
