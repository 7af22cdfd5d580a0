// The settings file as the program reads it at start-up and writes it at close, through the
// core's own operations on the fake desktop: a full file (four recent files, five browsers).
#include "TestContext.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void fillSettings(tess::Settings& s) {
    s.recentCount = 4;
    for (int i = 0; i < 4; ++i)
        s.recentFiles[static_cast<std::size_t>(i)] = "C:\\Users\\someone\\Documents\\Web site\\page" + std::to_string(i) + ".html";
    for (int i = 0; i < 5; ++i)
        s.browserPaths[static_cast<std::size_t>(i)] = "C:\\Program Files\\Browser " + std::to_string(i) + "\\browser.exe ";
    s.browserIndex = 4;
}

void settingsReadAtStartUp(benchmark::State& state) {
    tess::test::TestContext t;
    fillSettings(t.app.settings);
    t.desktop.files[t.app.paths.settingsFile] = tess::settingsFileText(t.app.settings, "C:\\Web\\index.html");
    for (auto _ : state) {
        const bool existed = tess::loadOrCreateSettings(t.ctx, t.app.paths.dataFolder);
        benchmark::DoNotOptimize(existed);
    }
}
BENCHMARK(settingsReadAtStartUp);

void settingsWrittenAtClose(benchmark::State& state) {
    tess::test::TestContext t;
    fillSettings(t.app.settings);
    t.app.currentFile = "C:\\Web\\index.html";
    for (auto _ : state) tess::saveSettings(t.ctx);
    benchmark::DoNotOptimize(t.desktop.files[t.app.paths.settingsFile]);
}
BENCHMARK(settingsWrittenAtClose);

}  // namespace
