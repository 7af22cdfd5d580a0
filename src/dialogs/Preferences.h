#pragma once
// The preferences dialog: its controls as a table, the choices it offers, and what "&Apply" does to
// the running program. With the common controls of the manifest a drop-down list opens to show all
// its entries, whatever closed height the table gives it.
#include "platform/DialogModel.h"
#include "editor/EditorState.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tess {

inline constexpr int kShowLineNumbersBox = 401;  // the five boxes are 401 to 405, in Settings order
inline constexpr int kAutoCompleteBox = 405;
inline constexpr int kTabSpacesList = 411;
inline constexpr int kFontSizeList = 412;
inline constexpr int kPrintFontSizeList = 413;
inline constexpr int kBackgroundList = 414;
inline constexpr int kBrowserList = 415;
inline constexpr int kApplyButton = 416;

DialogLayout preferencesDialog();

// Edit > Preferences: "Tessaline Options", modal to the main window, until "&Apply" or the close
// box ends it.
void showPreferences(EditorContext& ctx);

// The entries of each list, in the order shown; a list's entry i stands for choice i.
std::vector<std::string> listEntries(int listId);

struct BackgroundChoice {
    std::string_view name;
    std::int32_t color;  // 0x00BBGGRR
};
inline constexpr std::array<BackgroundChoice, 5> kBackgrounds{{{"White", 0xFFFFFF},
                                                               {"OffWhite", 0xF0FFF0},
                                                               {"LightBlue", 0xE6D8AD},
                                                               {"LightGreen", 0x90EE90},
                                                               {"LightYellow", 0xA0FFFF}}};

// What the dialog holds: the boxes 401 to 405 and the entry picked in each list 411 to 415 (-1:
// none). It opens with the boxes as the settings hold them and nothing picked.
struct PreferencesChoice {
    std::array<bool, 5> boxes{};
    std::array<int, 5> picked{-1, -1, -1, -1, -1};
};
PreferencesChoice preferencesShown(const Settings& settings);

// Applies the choice to the settings and to the running program, in a fixed order; a browser slot
// without a usable executable asks for one (findBrowser).
void applyPreferences(EditorContext& ctx, const PreferencesChoice& choice);

// Asks the user for a browser executable, starting where storedPrefix (the slot's command prefix)
// points, else in Program Files: its full path, or "" when the dialog was cancelled.
std::string findBrowser(Context& ctx, std::string_view storedPrefix);

// True when a browser command prefix (a path and a trailing space) names an existing file.
bool namesExistingFile(Desktop& desktop, std::string_view commandPrefix);

class PreferencesModel final : public DialogModel {
public:
    explicit PreferencesModel(EditorContext& ctx) : ctx_(ctx) {}
    void initialise(DialogView& view) override;
    void command(DialogView& view, int id, int notification) override;

private:
    EditorContext& ctx_;
};

}  // namespace tess
