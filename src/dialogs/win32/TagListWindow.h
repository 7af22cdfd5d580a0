#pragma once
// The tag reference windows: any number open at once beside the main window, each served by the
// program's loop, all ended together when the main window goes.
#include "dialogs/TagList.h"
#include "platform/win32/DialogTemplate.h"

#include <functional>
#include <memory>
#include <vector>

namespace tess::win32 {

class TagListWindows {
public:
    explicit TagListWindows(MessageRouter& router) : router_(router) {}
    ~TagListWindows() { closeAll(); }
    TagListWindows(const TagListWindows&) = delete;
    TagListWindows& operator=(const TagListWindows&) = delete;

    // Opens another window for a main window standing at main; false when it could not be made.
    bool open(const WindowGeometry& main, std::function<void(const TagInsertion&)> insert);
    void closeAll();

private:
    struct Open {
        Open(MessageRouter& router, std::function<void(const TagInsertion&)> insert)
            : model(std::move(insert)), dialog(router) {}
        TagListModel model;
        ModelessDialog dialog;  // after the model, so it goes first
    };
    MessageRouter& router_;
    std::vector<std::unique_ptr<Open>> open_;
};

}  // namespace tess::win32
