#include "EditorSubject.h"
#include "resources/resource.h"

#include <functional>

namespace tess::test {
namespace {

using Texts = std::vector<std::string>;
const std::string kExe = "C:\\B\\b.exe", kX86 = "C:\\Program Files (x86)\\", kPf = "C:\\Program Files\\",
                  kPf64 = "C:\\Program Files",  // as the system names it to a 64-bit program
                  kIe = "C:\\IE\\ie.exe ";

using S = DialogStep;
S tick(int id, bool on = true) { return {on ? S::Tick : S::Untick, id}; }
S pick(int id, std::string entry) { return {S::Pick, id, std::move(entry)}; }
const S kApply{S::Click, 416};

// What the user does (Enter and Esc must leave the dialog open); what it changes; whether the window is laid out
// again; what every browser slot holds before; a folder that exists; whether "Find Browser" opens, what is picked there
// (nullopt: cancelled) and where it starts: the slot's folder, else the Program Files the system reports.
struct Row { const char* name; DialogSteps steps; std::function<void(App&)> change; bool laidOut = false;
             std::string slots, folder; bool asks = false; std::optional<std::string> picked; std::string startIn; };

TEST(PreferencesBehaviour, ApplyChangesTheCloseBoxNot) {
    const Row rows[] = {
        {"nothing touched", {kApply}, {}},
        {"all changed, then Enter, Esc and the close box", {tick(401, false), tick(402, false), tick(403), tick(405),
            pick(411, "9"), pick(412, "14"), pick(413, "8"), pick(414, "LightBlue"), pick(415, "Chrome"), {S::Enter},
            {S::Esc}, {S::CloseBox}}, {}, false, "", kX86},
        {"9 tab spaces", {pick(411, "9"), kApply}, [](App& a) { a.settings.tabSpaces = 9; }},
        {"font size, the document unchanged", {pick(412, "14"), kApply}, [](App& a) { a.settings.fontSize = 14; }, true},
        {"print font size", {pick(413, "12"), kApply}, [](App& a) { a.printFontSize = 12; }},
        {"LightYellow", {pick(414, "LightYellow"), kApply}, [](App& a) { a.settings.backgroundColor = 0xA0FFFF; }},
        {"line numbers off", {tick(401, false), kApply}, [](App& a) { a.settings.showLineNumbers = false; }, true},
        {"the other four boxes", {tick(402, false), tick(403), tick(404, false), tick(405), kApply}, [](App& a) {
            Settings& s = a.settings;
            s.useLastSize = false, s.loadLastFile = true, s.askToQuit = false, s.autoCompleteBrackets = true; }},
        {"a browser that is there", {pick(415, "Opera"), kApply}, [](App& a) { a.settings.browserIndex = 3; }, false,
            kExe + " ", kX86},
        {"none: found from Program Files", {pick(415, "Firefox"), kApply}, [](App& a) {
            a.settings.browserPaths[1] = kExe + " ", a.settings.browserIndex = 2; }, false, "", kX86, true, kExe, kPf64},
        {"gone with its folder", {pick(415, "Opera"), kApply}, {}, false, "C:\\Gone\\b.exe ", kX86, true, {}, kPf64},
        {"a folder is none; slot 1 takes the last command", {pick(415, "Chrome"), kApply}, [](App& a) {
            a.settings.browserPaths[0] = kIe, a.settings.browserIndex = 1; }, false, "C:\\B\\ ", kPf, true, {}, "C:\\B\\"},
        {"a wildcard is none; no folder", {pick(415, "SlimBrowser"), kApply}, {}, false, "C:\\B\\*.exe ", "", true, {},
            "C:\\B\\"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        auto s = makeEditorSubject();
        s->set("one\r\ntwo|"), s->bookmark({1});  // the gutter shows ">1", "2"
        App& app = s->app();
        Settings& set = app.settings;
        set.showLineNumbers = set.useLastSize = set.askToQuit = true, set.loadLastFile = set.autoCompleteBrackets = false;
        set.browserPaths.fill(r.slots), app.browserCommand = kIe;
        // b.exe, and "*.exe" as a desktop matching wildcards would find it
        s->desktop().files = {{kExe, ""}, {"C:\\B\\*.exe", ""}}, s->desktop().folders = {"C:\\B\\", r.folder};
        App want = app;
        if (r.change) r.change(want);
        s->desktop().openResults = {r.picked};
        EXPECT_EQ(s->dialog(IDM_PREFERENCES, r.steps), Texts{"Tessaline Options"});
        EXPECT_EQ(std::tuple(settingsFileText(set, ""), app.printFontSize, s->laidOut(), s->gutterRows(),
                             s->editorBackground(), s->modified()),
                  std::tuple(settingsFileText(want.settings, ""), want.printFontSize, r.laidOut,
                             want.settings.showLineNumbers ? Texts{">1", "2"} : Texts{">", ""},
                             want.settings.backgroundColor, false));
        const FileDialogRequest find{.title = "Find Browser", .filters = {{"Exe Files (*.exe)", "*.exe"},
                                     {"All Files (*.*)", "*.*"}}, .initialFolder = r.startIn, .fileMustExist = true,
                                     .hideReadOnly = false, .keepCurrentFolder = false};
        EXPECT_EQ(s->desktop().openRequests, r.asks ? std::vector{find} : std::vector<FileDialogRequest>{});
    }
}

}  // namespace
}  // namespace tess::test
