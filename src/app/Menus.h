#pragma once
// The command surfaces as data: the menu bar, the editor's context menu, the accelerator table
// and the toolbar. The Win32 side builds the real menus, table and buttons from these.
#include "resources/resource.h"
#include "state/Settings.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tess {

struct MenuItem {
    std::string text;  // item text, a tab, then the key text; empty for a separator
    int command = 0;   // 0 for a separator
    bool separator() const { return command == 0; }
    friend bool operator==(const MenuItem&, const MenuItem&) = default;
};

struct Menu {
    std::string title;
    std::vector<MenuItem> items;
};

// The whole menu bar, with the recent-file entries at the end of the File menu.
std::vector<Menu> menuBar(const Settings& settings);
std::vector<MenuItem> contextMenu();

// The recent-file entries' commands, in list order.
inline constexpr std::array<int, 4> kRecentCommands{IDM_RECENT1, IDM_RECENT2, IDM_RECENT3, IDM_RECENT4};
// 1 to 4 for a recent-file entry's command, 0 for any other.
int recentEntryOf(int command);

// Virtual-key codes the table uses (the values of VK_F2, VK_F3 and the letter keys).
inline constexpr int kKeyF2 = 0x71;
inline constexpr int kKeyF3 = 0x72;

struct Accelerator {
    int key = 0;  // virtual-key code
    bool control = false;
    bool shift = false;
    int command = 0;
    friend bool operator==(const Accelerator&, const Accelerator&) = default;
};
std::vector<Accelerator> acceleratorTable();

struct ToolbarButton {
    int image = -1;  // 0-based into the toolbar's image list; -1 for a separator
    int command = 0;      // the id the button sends (201 to 212)
    int menuCommand = 0;  // the menu command it stands for
    std::string_view tooltip;
    bool separator() const { return image < 0; }
};
// The toolbar's icon resource names, in image-list order.
std::vector<std::string_view> toolbarIconNames();
std::vector<ToolbarButton> toolbarButtons();
inline constexpr int kToolbarSeparatorWidth = 18;
// The tooltip for a toolbar command; empty for any other id.
std::string_view toolbarTooltip(int command);
// The menu command a toolbar button stands for; any other id is returned as it is. The one place
// where a button's id meets its command.
int menuCommandOf(int command);

}  // namespace tess
