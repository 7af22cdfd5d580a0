#pragma once
#include "state/MainView.h"


namespace tess::test {

// Records what the core last asked the main window to show.
class FakeMainView : public MainView {
public:
    void setStatusTexts(std::string_view path, std::string_view line, std::string_view column) override {
        statusPath = path;
        statusLine = line;
        statusColumn = column;
    }
    void setGutterText(std::string_view text) override { gutterText = text; }
    void setRecentFileItems(const std::vector<std::string>& items) override { recentItems = items; }

    std::string statusPath, statusLine, statusColumn;
    std::string gutterText;
    std::vector<std::string> recentItems;
};

}  // namespace tess::test
