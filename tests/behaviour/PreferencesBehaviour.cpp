// Edit > Preferences on both subjects: what "&Apply" changes in the settings and the window, the browser slot with
// and without its executable, and the close box changing nothing.
#include "EditorSubject.h"
#include "dialogs/Preferences.h"

#include <functional>

namespace tess::test {
namespace {

using Texts = std::vector<std::string>;
const std::string kExe = "C:\\B\\b.exe", kX86 = "C:\\Program Files (x86)\\", kPf = "C:\\Program Files\\", kIe = "C:\\IE\\ie.exe ";

// What the user does; the state before (beyond the boxes below); what changes; whether the window is laid out again;
// where "Find Browser" opens (nullopt: it does not) and what is picked there (nullopt: cancelled).
struct Row { const char* name; PreferencesInput input; std::function<void(App&, FakeDesktop&)> given;
    std::function<void(App&)> change; bool laidOut = false; std::optional<std::string> findIn, picked; };

TEST(PreferencesBehaviour, ApplyChangesWhatWasChosenAndTheCloseBoxNothing) {
    // A browser slot's stored prefix, with b.exe on disk (and "*.exe", as a desktop matching wildcards would find), a start folder for "Find Browser" and a browser run before.
    const auto slot = [](int i, std::string path, std::string folder) { return [=](App& a, FakeDesktop& d) {
        a.settings.browserPaths[static_cast<std::size_t>(i - 1)] = path, a.browserCommand = kIe;
        d.files[kExe] = d.files["C:\\B\\*.exe"] = "", d.folders.insert("C:\\B\\"), d.folders.insert(folder); }; };
    const Row rows[] = {
        {"nothing touched", {}, {}, {}},
        {"everything changed, then the close box", {.boxes = {{401, false}, {402, false}, {403, true}, {404, false}, {405, true}},
            .picks = {{411, "9"}, {412, "14"}, {413, "8"}, {414, "LightBlue"}, {415, "Chrome"}}, .apply = false}, slot(4, "", kX86), {}},
        {"9 tab spaces", {.picks = {{411, "9"}}}, {}, [](App& a) { a.settings.tabSpaces = 9, a.tabText = "         "; }},
        {"font size 14, the document still unchanged", {.picks = {{412, "14"}}}, {}, [](App& a) { a.settings.fontSize = 14; }, true},
        {"print font size", {.picks = {{413, "12"}}}, {}, [](App& a) { a.printFontSize = 12; }},
        {"LightYellow", {.picks = {{414, "LightYellow"}}}, {}, [](App& a) { a.settings.backgroundColor = 0xA0FFFF; }},
        {"line numbers off", {.boxes = {{401, false}}}, {}, [](App& a) { a.settings.showLineNumbers = 0; }, true},
        {"line numbers on as they were", {.boxes = {{401, true}}}, {}, {}},
        {"the other four boxes", {.boxes = {{402, false}, {403, true}, {404, false}, {405, true}}}, {}, [](App& a) {
            a.settings.useLastSize = 0, a.settings.loadLastFile = 1, a.settings.askToQuit = 0, a.settings.autoCompleteBrackets = 1; }},
        {"a slot whose browser is there", {.picks = {{415, "Opera"}}}, slot(3, kExe + " ", kX86), [](App& a) { a.settings.browserIndex = 3; }},
        {"an empty slot: found from (x86)", {.picks = {{415, "Firefox"}}}, slot(2, "", kX86),
            [](App& a) { a.settings.browserPaths[1] = kExe + " ", a.settings.browserIndex = 2; }, false, kX86, kExe},
        {"a folder is no browser; slot 1 takes the last command", {.picks = {{415, "Chrome"}}}, slot(4, "C:\\B\\ ", kPf),
            [](App& a) { a.settings.browserPaths[0] = kIe, a.settings.browserIndex = 1; }, false, kPf},
        {"a wildcard is no browser; no start folder", {.picks = {{415, "SlimBrowser"}}}, slot(5, "C:\\B\\*.exe ", ""), {}, false, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        auto s = makeEditorSubject();
        s->set("one\r\ntwo|");
        s->bookmark({1});  // the gutter as the window shows it: ">1", "2"
        App& app = s->app();
        app.settings.showLineNumbers = app.settings.useLastSize = app.settings.askToQuit = 1;
        app.settings.loadLastFile = app.settings.autoCompleteBrackets = 0;
        if (r.given) r.given(app, s->desktop());
        App want = app;
        if (r.change) r.change(want);
        s->desktop().openResults = {r.picked};
        s->preferences(r.input);
        EXPECT_EQ(std::tuple(settingsFileText(app.settings, ""), app.tabText, app.printFontSize),
                  std::tuple(settingsFileText(want.settings, ""), want.tabText, want.printFontSize));
        EXPECT_EQ(std::tuple(s->laidOut(), s->gutterRows(), s->editorBackground(), s->modified()),
                  std::tuple(r.laidOut, want.settings.showLineNumbers ? Texts{">1", "2"} : Texts{">", ""}, want.settings.backgroundColor, false));
        std::vector<FileDialogRequest> asked;
        if (r.findIn) asked.push_back({.title = "Find Browser", .filters = {{"Exe Files (*.exe)", "*.exe"}, {"All Files (*.*)", "*.*"}},
                                       .initialFolder = *r.findIn, .fileMustExist = true, .hideReadOnly = false, .keepCurrentFolder = false});
        EXPECT_EQ(s->desktop().openRequests, asked);
    }
}

}  // namespace
}  // namespace tess::test
