// A 5 MB page in UTF-8 with text in several scripts, read into the editor's UTF-16 and saved
// back: both must stay linear and far below what a user would notice on opening or saving.
#include "platform/TextEncoding.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <iterator>
#include <string>

namespace {

constexpr std::size_t kFiveMegabytes = 5 * 1024 * 1024;

std::string makeUtf8Page() {
    const std::string lines[] = {"  <p lang=\"fr\">Les \xC3\xA9l\xC3\xA8ves ont d\xC3\xA9j\xC3\xA0 r\xC3\xA9p\xC3\xA9t\xC3\xA9.</p>\r\n",
                                 "  <p lang=\"el\">\xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7\xCE\xBC\xCE\xAD\xCF\x81\xCE\xB1 \xCE\xBA\xCF\x8C\xCF\x83\xCE\xBC\xCE\xB5</p>\r\n",
                                 "  <p lang=\"ja\">\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE6\x96\x87\xE7\xAB\xA0</p>\r\n",
                                 "  <li><a href=\"index.html\">Home \xE2\x80\x94 \xF0\x9F\x8F\xA0</a></li>\r\n"};
    std::string page = "<!DOCTYPE html>\r\n<meta charset=\"utf-8\">\r\n";
    page.reserve(kFiveMegabytes + 100);
    for (std::size_t i = 0; page.size() < kFiveMegabytes; ++i) page += lines[i % std::size(lines)];
    return page;
}

void decodeUtf8Document(benchmark::State& state) {
    const std::string bytes = makeUtf8Page();
    for (auto _ : state) {
        const tess::DecodedDocument read = tess::decodeDocument(bytes, tess::windows1252());
        benchmark::DoNotOptimize(read.text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(decodeUtf8Document)->Unit(benchmark::kMillisecond);

void encodeUtf8Document(benchmark::State& state) {
    const std::u16string text = tess::decodeDocument(makeUtf8Page(), tess::windows1252()).text;
    for (auto _ : state) {
        const auto bytes = tess::encodeDocument(text, tess::Encoding::Utf8, tess::windows1252());
        benchmark::DoNotOptimize(bytes->data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size() * 2));
}
BENCHMARK(encodeUtf8Document)->Unit(benchmark::kMillisecond);

}  // namespace
