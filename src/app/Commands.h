#pragma once
// Every command in one table: where the menus show it, the key that runs it, its toolbar button and
// what it does. The menu bar, the context menu, the accelerator table, the toolbar and the dispatch
// are all read from it; the Win32 side only turns them into menus, a table and buttons.
#include "resources/resource.h"
#include "search/FindState.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tess {

// What a command gets: the context of the topmost layer below this one, so that any layer's
// function can be one.
using CommandContext = SearchContext;

// Virtual-key codes the table uses besides the letters (the values of VK_F2, VK_F3, VK_F4).
inline constexpr int kKeyF2 = 0x71;
inline constexpr int kKeyF3 = 0x72;
inline constexpr int kKeyF4 = 0x73;

struct Shortcut {
    int code = 0;  // virtual-key code; 0 for none
    bool control = false, shift = false, alt = false;
    bool elsewhere = false;  // handled by the edit control or the system: named in the menu, not in the table
};

enum class MenuName { None, File, Edit, Search, Commands, Help };

struct ToolbarPart {
    int id = 0;  // the id the button sends (201 to 212, which other programs may send too); 0 for none
    std::string_view icon;  // the picture's icon resource
    std::string_view tooltip;
    bool gapBefore = false;
};

// A row with id 0 is a separator in its menu. A File row without text is a recent-file entry, shown
// while the list has a file for it. A row with a popup goes into the submenu of that name, which
// stands where its first row would.
struct Command {
    int id = 0;
    MenuName menu = MenuName::None;
    std::string_view text;
    Shortcut key;
    ToolbarPart button;
    void (*run)(CommandContext&) = nullptr;
    std::string_view popup;
    bool recentFileEntry() const { return menu == MenuName::File && id != 0 && text.empty(); }
};
std::span<const Command> commandTable();

struct MenuItem {
    std::string text;  // item text, a tab, then the key text; empty for a separator
    int command = 0;   // 0 for a separator
    std::string popup;  // the submenu it is in; empty for the menu itself
    bool separator() const { return command == 0; }
};
struct Menu {
    std::string title;
    std::vector<MenuItem> items;
};
std::vector<Menu> menuBar(const Settings& settings);
std::vector<MenuItem> contextMenu();

// The File > Encoding item that chooses an encoding.
inline int encodingCommand(Encoding encoding) { return IDM_ENCODING_ANSI + static_cast<int>(encoding); }

// The tooltip for a toolbar button's id; empty for any other id.
std::string_view toolbarTooltip(int id);

// Runs the command with this menu or toolbar id to its end. False for an id no command answers to,
// which changes nothing.
bool runCommand(CommandContext& ctx, int id);

}  // namespace tess
