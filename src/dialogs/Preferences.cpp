#include "dialogs/Preferences.h"

#include "document/RecentFiles.h"
#include "document/RunBrowser.h"
#include "editor/Gutter.h"
#include "platform/Desktop.h"
#include "state/Dialogs.h"
#include "state/MainView.h"

#include <optional>

namespace tess {

namespace {

// The boxes 401 to 405, in order.
constexpr std::array<bool Settings::*, 5> kBoxFields{&Settings::showLineNumbers, &Settings::useLastSize,
                                                             &Settings::loadLastFile, &Settings::askToQuit,
                                                             &Settings::autoCompleteBrackets};
constexpr std::array<const char*, 5> kBoxTexts{"Show line numbers", "Use last dialog size", "Load last file at startup",
                                               "Ask to quit program", "Auto complete brackets"};

struct ListRow {
    const char* label;
    int id;
    int width;
};
constexpr std::array<ListRow, 5> kLists{{{"Tab spaces", kTabSpacesList, 40},
                                         {"Font size", kFontSizeList, 40},
                                         {"Print font size", kPrintFontSizeList, 40},
                                         {"Background color", kBackgroundList, 85},
                                         {"Select browser", kBrowserList, 85}}};

constexpr char kProgramFilesX86[] = "C:\\Program Files (x86)\\";
constexpr char kProgramFiles[] = "C:\\Program Files\\";

// The number a numeric list's entry stands for; nothing for no entry (or one the list lacks).
std::optional<std::int32_t> numberAt(int listId, int index) {
    const std::vector<std::string> entries = listEntries(listId);
    if (index < 0 || index >= static_cast<int>(entries.size())) return std::nullopt;
    return std::stoi(entries[static_cast<std::size_t>(index)]);
}

// slot is 1 to 5. An executable that is there is simply chosen; otherwise the user is asked for
// one, and cancelling leaves the choice as it was.
void chooseBrowser(Context& ctx, int slot) {
    Settings& s = ctx.app.settings;
    if (namesExistingFile(ctx.desktop, s.browserPaths[static_cast<std::size_t>(slot - 1)])) {
        s.browserIndex = slot;
        return;
    }
    const std::string found = findBrowser(ctx, s.browserPaths[static_cast<std::size_t>(slot - 1)]);
    if (found.empty()) return;
    // A prefix: Run browser appends the quoted page to it.
    s.browserPaths[static_cast<std::size_t>(slot - 1)] = found + " ";
    s.browserIndex = slot;
}

}  // namespace

DialogLayout preferencesDialog() {
    using namespace controlstyle;
    DialogLayout layout{.title = "Tessaline Options", .width = 250, .height = 320, .units = DialogUnits::Pixels,
                    .escapeCancels = false};
    for (std::size_t i = 0; i < kBoxTexts.size(); ++i)
        layout.controls.push_back({"BUTTON", kShowLineNumbersBox + static_cast<int>(i), kBoxTexts[i], 20,
                                 20 + 20 * static_cast<int>(i), 200, 15, kTabStop | kCheckBox});
    // The 10 pixels are the closed height: the common controls of the manifest open a list to show all its entries.
    for (std::size_t i = 0; i < kLists.size(); ++i) {
        const int y = 125 + 25 * static_cast<int>(i);
        layout.controls.push_back({"STATIC", -1, kLists[i].label, 20, y, 90, 15, 0});
        layout.controls.push_back({"COMBOBOX", kLists[i].id, "", 120, y, kLists[i].width, 10, kTabStop | kDropDownList});
    }
    layout.controls.push_back({"BUTTON", kApplyButton, "&Apply", 120, 275, 70, 30, kTabStop | kPushButton});
    return layout;
}

std::vector<std::string> listEntries(int listId) {
    switch (listId) {
    case kTabSpacesList: return {"1", "2", "3", "4", "6", "9"};
    case kFontSizeList:
    case kPrintFontSizeList: return {"8", "9", "10", "11", "12", "14"};
    case kBackgroundList: {
        std::vector<std::string> names;
        for (const BackgroundChoice& b : kBackgrounds) names.emplace_back(b.name);
        return names;
    }
    case kBrowserList: return {"Internet Explorer", "Firefox", "Opera", "Chrome", "SlimBrowser"};
    default: return {};
    }
}

PreferencesChoice preferencesShown(const Settings& settings) {
    PreferencesChoice shown;
    for (std::size_t i = 0; i < kBoxFields.size(); ++i) shown.boxes[i] = settings.*kBoxFields[i];
    return shown;
}

// Steps in this order: a font or a layout step sees the values stored before it.
void applyPreferences(EditorContext& ctx, const PreferencesChoice& choice) {
    Settings& s = ctx.app.settings;
    const auto picked = [&](int listId) { return choice.picked[static_cast<std::size_t>(listId - kTabSpacesList)]; };
    // Laying out again is not free (the editor is resized, the gutter rebuilt): only on a change.
    if (choice.boxes[0] != s.showLineNumbers) {
        s.showLineNumbers = choice.boxes[0];
        ctx.view.layOut();
        refreshGutter(ctx);
    }
    for (std::size_t i = 1; i < kBoxFields.size(); ++i) s.*kBoxFields[i] = choice.boxes[i];
    if (const auto spaces = numberAt(kTabSpacesList, picked(kTabSpacesList))) s.tabSpaces = *spaces;
    if (const auto size = numberAt(kFontSizeList, picked(kFontSizeList))) {
        s.fontSize = *size;
        ctx.view.applyEditorFont();
    }
    if (const auto size = numberAt(kPrintFontSizeList, picked(kPrintFontSizeList))) ctx.app.printFontSize = *size;
    if (const int background = picked(kBackgroundList); background >= 0 && background < std::ssize(kBackgrounds)) {
        s.backgroundColor = kBackgrounds[static_cast<std::size_t>(background)].color;
        ctx.view.repaintEditor();
    }
    if (const int browser = picked(kBrowserList); browser >= 0 && browser < std::ssize(s.browserPaths))
        chooseBrowser(ctx, browser + 1);
}

// A browser that has moved is looked for where it was; one never chosen where the system keeps the
// programs of this program's own kind: a 64-bit browser is not under "Program Files (x86)".
std::string findBrowser(Context& ctx, std::string_view storedPrefix) {
    FileDialogRequest request{.title = "Find Browser",
                              .filters = {{"Exe Files (*.exe)", "*.exe"}, {"All Files (*.*)", "*.*"}},
                              .fileMustExist = true,
                              .hideReadOnly = false,
                              .keepCurrentFolder = false};
    const std::string storedFolder = folderOf(browserExecutable(storedPrefix));
    request.initialFolder = !storedFolder.empty() && ctx.desktop.folderExists(storedFolder)
                                ? storedFolder
                                : ctx.desktop.programFilesFolder();
    // Where Windows has no "(x86)" folder, slot 1 takes the browser Run browser last started.
    // Before any start there is none, and an empty command would only wipe what slot 1 held.
    if (!ctx.desktop.folderExists(kProgramFilesX86) && ctx.desktop.folderExists(kProgramFiles) &&
        !ctx.app.browserCommand.empty()) {
        ctx.app.settings.browserPaths[0] = ctx.app.browserCommand;
        ctx.app.settings.browserIndex = 1;
    }
    return ctx.desktop.openFileDialog(request).value_or("");
}

// The system would take "?" and "*" as wildcards and match some other file.
bool namesExistingFile(Desktop& desktop, std::string_view commandPrefix) {
    const std::size_t end = commandPrefix.find_last_not_of(' ');
    if (end == std::string_view::npos) return false;
    const std::string path(commandPrefix.substr(0, end + 1));
    return path.find_first_of("?*") == std::string::npos && desktop.fileExists(path);
}

void showPreferences(EditorContext& ctx) {
    PreferencesModel model(ctx);
    runDialog(ctx, preferencesDialog(), model);
}

void PreferencesModel::initialise(DialogView& view) {
    const PreferencesChoice shown = preferencesShown(ctx_.app.settings);
    for (std::size_t i = 0; i < shown.boxes.size(); ++i) view.setChecked(kShowLineNumbersBox + static_cast<int>(i), shown.boxes[i]);
    // Never preset: an entry left unpicked leaves its value as it is.
    for (const ListRow& list : kLists) view.setListItems(list.id, listEntries(list.id));
}

// Only "&Apply" acts. Enter arrives as id 1, which the dialog has not, and is ignored, so the
// dialog stays open; Esc is ignored by the dialog itself.
void PreferencesModel::command(DialogView& view, int id, int code) {
    if (id != kApplyButton || code != notification::kClicked) return;
    PreferencesChoice choice;
    for (std::size_t i = 0; i < choice.boxes.size(); ++i)
        choice.boxes[i] = view.checked(kShowLineNumbersBox + static_cast<int>(i));
    for (std::size_t i = 0; i < choice.picked.size(); ++i)
        choice.picked[i] = view.selectedIndex(kTabSpacesList + static_cast<int>(i));
    applyPreferences(ctx_, choice);
    view.close(kApplyButton);
}

}  // namespace tess
