#include "dialogs/win32/TagListWindow.h"

#include <algorithm>

namespace tess::win32 {

// Windows the user closed are let go here rather than when they close: a window's object cannot go
// while its own messages are still being handled.
bool TagListWindows::open(const WindowGeometry& main, std::function<void(const TagInsertion&)> insert) {
    std::erase_if(open_, [](const std::unique_ptr<Open>& o) { return !o->dialog.isOpen(); });
    auto window = std::make_unique<Open>(router_, std::move(insert));
    // No owner: the list floats by itself, and stays where it is when the main window is minimised.
    if (!window->dialog.create(nullptr, tagListLayout(main), window->model)) return false;
    open_.push_back(std::move(window));
    return true;
}

void TagListWindows::closeAll() { open_.clear(); }

}  // namespace tess::win32
