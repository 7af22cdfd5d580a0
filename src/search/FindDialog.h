#pragma once
// Find, Find Next, Find Previous and Replace: the searches without a dialog and the Find / Replace
// dialog as a table and a model, shown through the main window.
#include "platform/DialogModel.h"
#include "search/FindState.h"

#include <cstdint>

namespace tess {

// The numbers are those the command dispatch passes.
enum class FindMode { Find = 0, Replace = 1, FindNext = 3, FindPrevious = -3 };

// The dialog's controls.
namespace findcontrol {
inline constexpr int kWhat = 501;
inline constexpr int kWith = 502;
inline constexpr int kWholeWord = 503;
inline constexpr int kMatchCase = 504;
inline constexpr int kDoNotCycle = 505;
inline constexpr int kBeepOnCycle = 506;
inline constexpr int kUp = 511;
inline constexpr int kDown = 512;
inline constexpr int kKeepOpen = 513;
inline constexpr int kReplace = 514;
inline constexpr int kReplaceAll = 515;
}  // namespace findcontrol

// The dialog in Find or Replace mode, in dialog units of its font.
DialogLayout findDialogLayout(FindMode mode);

// What one opening of the dialog leaves behind; the match and the options are those of its last
// successful find (all 0 without one).
struct FindDialogResult {
    std::int32_t matchStart = 0;
    std::int32_t matchEnd = 0;
    int outcome = 0;  // the mode's number, or -1 once Replace All has been chosen
    FindOptions options;
};

class FindDialog : public DialogModel {
public:
    FindDialog(SearchContext& ctx, FindMode mode) : ctx_(ctx), mode_(mode) { result_.outcome = static_cast<int>(mode); }
    void initialise(DialogView& view) override;
    void command(DialogView& view, int id, int notification) override;
    const FindDialogResult& result() const { return result_; }

private:
    void findNext(DialogView& view);
    void replace(DialogView& view);
    void replaceAll(DialogView& view);
    FindOptions options(const DialogView& view) const;

    SearchContext& ctx_;
    const FindMode mode_;
    FindDialogResult result_;
    bool wrapped_ = false;
};

// The one entry of the four commands.
void runFind(SearchContext& ctx, FindMode mode);

}  // namespace tess
