#pragma once
// The HTML tag reference: a narrow list of common tags beside the main window, each inserted at
// the caret with the caret left where the element's content goes.
#include "platform/DialogModel.h"
#include "state/MainView.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tess {

inline constexpr int kTagListId = 520;

// The entries in the order shown; "..." in an entry marks where the caret goes.
std::vector<std::string> tagListEntries();

struct TagInsertion {
    std::string text;  // the entry without its "..."
    int caret = 0;     // where the first "..." was; 0 (after the text) for a single tag
    friend bool operator==(const TagInsertion&, const TagInsertion&) = default;
};
TagInsertion tagInsertion(std::string_view entry);

// The window for a main window standing at main: along its right-hand side, above all others.
DialogLayout tagListLayout(const WindowGeometry& main);

// Fills the list and inserts the selected entry on a double click or Enter; the window stays open.
class TagListModel : public DialogModel {
public:
    explicit TagListModel(std::function<void(const TagInsertion&)> insert) : insert_(std::move(insert)) {}
    void initialise(DialogView& view) override;
    void command(DialogView& view, int id, int notification) override;

private:
    std::function<void(const TagInsertion&)> insert_;
    std::vector<std::string> entries_;
};

}  // namespace tess
