#include "app/Menus.h"

#include "document/RecentFiles.h"

#include <algorithm>

namespace tess {

namespace {

MenuItem item(std::string text, int command) { return MenuItem{std::move(text), command}; }
MenuItem keyed(std::string_view text, std::string_view key, int command) {
    return MenuItem{std::string(text) + '\t' + std::string(key), command};
}
MenuItem separator() { return MenuItem{}; }

}  // namespace

std::vector<Menu> menuBar(const Settings& settings) {
    Menu file{"File",
              {keyed("&New", "Ctrl+N", IDM_NEW), keyed("&Open", "Ctrl+O", IDM_OPEN), keyed("&Save", "Ctrl+S", IDM_SAVE),
               item("Save&As", IDM_SAVEAS), separator(), keyed("&Print", "Ctrl+P", IDM_PRINT),
               keyed("E&xit", "ALT+F4", IDM_EXIT), separator()}};
    const auto recent = recentFileItems(settings);
    for (std::size_t i = 0; i < recent.size() && i < kRecentCommands.size(); ++i)
        file.items.push_back(item(recent[i], kRecentCommands[i]));

    Menu edit{"Edit",
              {keyed("&Undo", "Ctrl+Z", IDM_UNDO), keyed("&Select all", "Ctrl+A", IDM_SELECTALL),
               keyed("Cu&t", "Ctrl+X", IDM_CUT), keyed("&Copy", "Ctrl+C", IDM_COPY),
               keyed("&Paste", "Ctrl+V", IDM_PASTE), keyed("&Yank line", "Ctrl+Y", IDM_YANKLINE), separator(),
               item("&WordWrap", IDM_WORDWRAP), item("&Preferences", IDM_PREFERENCES)}};
    // Replace shows no key text: Ctrl+R belongs to Run browser in the accelerator table.
    Menu search{"Search",
                {keyed("&Find", "Ctrl+F", IDM_FIND), keyed("Find &Next", "F3", IDM_FINDNEXT),
                 keyed("Find &Previous", "Shft+F3", IDM_FINDPREV), item("&Replace", IDM_REPLACE), separator(),
                 keyed("&Set bookmark", "Ctrl+F2", IDM_SETBOOKMARK), keyed("Next &bookmark", "F2", IDM_NEXTBOOKMARK),
                 keyed("&Prev bookmark", "Shft+F2", IDM_PREVBOOKMARK),
                 keyed("&Clear bookmarks", "Ctrl+Shft+F2", IDM_CLEARBOOKMARKS)}};
    Menu commands{"Commands",
                  {item("Begin &html script", IDM_HTMLSCRIPT), item("Java script header", IDM_JSHEADER),
                   item("Add comment", IDM_ADDCOMMENT), item("Common html tags", IDM_HTMLTAGS), separator(),
                   keyed("Run browser", "Ctrl+R", IDM_RUNBROWSER)}};
    Menu help{"Help", {item("&Content", IDM_HELPCONTENT), item("&About", IDM_ABOUT)}};
    return {std::move(file), std::move(edit), std::move(search), std::move(commands), std::move(help)};
}

std::vector<MenuItem> contextMenu() {
    return {item("Set Bookmark", IDM_SETBOOKMARK), item("Java script header", IDM_JSHEADER),
            item("Add comment", IDM_ADDCOMMENT),   item("Common html tags", IDM_HTMLTAGS),
            separator(),                           item("Copy line", IDM_COPYLINE),
            item("Paste line", IDM_PASTELINE),     item("Delete line", IDM_YANKLINE)};
}

std::vector<Accelerator> acceleratorTable() {
    // Ctrl+C is left out on purpose: the edit control copies by itself.
    return {
        {'N', true, false, IDM_NEW},           {'O', true, false, IDM_OPEN},
        {'S', true, false, IDM_SAVE},          {'P', true, false, IDM_PRINT},
        {'F', true, false, IDM_FIND},          {kKeyF3, false, false, IDM_FINDNEXT},
        {kKeyF3, false, true, IDM_FINDPREV},   {'R', true, false, IDM_RUNBROWSER},
        {kKeyF2, true, false, IDM_SETBOOKMARK}, {kKeyF2, false, false, IDM_NEXTBOOKMARK},
        {kKeyF2, false, true, IDM_PREVBOOKMARK}, {kKeyF2, true, true, IDM_CLEARBOOKMARKS},
        {'Y', true, false, IDM_YANKLINE},      {'A', true, false, IDM_SELECTALL},
        {'X', true, false, IDM_CUT},           {'V', true, false, IDM_PASTE},
        {'Z', true, false, IDM_UNDO},
    };
}

std::vector<std::string_view> toolbarIconNames() {
    return {"Inew16",  "Iopen16", "Isave16",     "Iprint16",  "Icut16",      "Icopy16",
            "Ipaste16", "Ifind16", "IfindRepl16", "IbkMark16", "IbkMarkGo16", "Iexecute16"};
}

std::vector<ToolbarButton> toolbarButtons() {
    const ToolbarButton gap{};
    return {{0, IDT_NEW, IDM_NEW, "New file"},
            {1, IDT_OPEN, IDM_OPEN, "Open file"},
            {2, IDT_SAVE, IDM_SAVE, "Save file"},
            {3, IDT_PRINT, IDM_PRINT, "Print file"},
            gap,
            {4, IDT_CUT, IDM_CUT, "Cut text"},
            {5, IDT_COPY, IDM_COPY, "Copy text"},
            {6, IDT_PASTE, IDM_PASTE, "Paste text"},
            gap,
            {7, IDT_FIND, IDM_FIND, "Find text"},
            {8, IDT_REPLACE, IDM_REPLACE, "Find + replace text"},
            gap,
            {9, IDT_SETBOOKMARK, IDM_SETBOOKMARK, "Set bookmark"},
            {10, IDT_NEXTBOOKMARK, IDM_NEXTBOOKMARK, "Next bookmark"},
            gap,
            {11, IDT_RUNBROWSER, IDM_RUNBROWSER, "run browser"}};
}

std::string_view toolbarTooltip(int command) {
    for (const auto& button : toolbarButtons())
        if (!button.separator() && button.command == command) return button.tooltip;
    return {};
}

int menuCommandOf(int command) {
    for (const auto& button : toolbarButtons())
        if (!button.separator() && button.command == command) return button.menuCommand;
    return command;
}

int recentEntryOf(int command) {
    const auto found = std::find(kRecentCommands.begin(), kRecentCommands.end(), command);
    return found == kRecentCommands.end() ? 0 : static_cast<int>(found - kRecentCommands.begin()) + 1;
}

}  // namespace tess
