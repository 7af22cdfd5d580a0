#pragma once
// The help viewer: the topic tree on the left, the selected topic's title and text on the right, a
// bar between them that shares the width, a status bar. It runs beside the main window, served by
// the program's message loop, with keys of its own.
#include "help/HelpFind.h"
#include "help/TopicTree.h"
#include "platform/Desktop.h"
#include "platform/Dpi.h"
#include "platform/win32/MessageLoop.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/Window.h"

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tess::win32 {

namespace helpid {
inline constexpr int kTree = 101, kTitle = 102, kText = 103, kSplitter = 104, kStatus = 105;
inline constexpr int kFind = 121, kNext = 122, kPrev = 123, kPrint = 124, kExpand = 125, kCollapse = 126,
                     kExpandAll = 127, kCollapseAll = 128, kCopy = 129, kMenuKey = 130, kClose = 131;
inline constexpr int kAskEdit = 9999, kAskFromTop = 10000;
}  // namespace helpid

// What Print item does with the selected topic; the program supplies it.
using PrintHelpTopic = std::function<void(const std::string& title, const std::string& body)>;

class HelpWindow : public Window, private HelpFindView {
public:
    HelpWindow(Desktop& desktop, MessageRouter& router, HelpSearchState& state, PrintHelpTopic print);
    ~HelpWindow() override;

    // Opens the window on the help file, placed at the owner's top-left corner + (dx, dy); when it
    // is open already it is brought forward instead. False when it did not open: the file is
    // missing or holds no topics (the user has been told), or the window could not be made.
    bool showHelp(const std::string& file, const std::string& caption, HWND owner, int dx = 100, int dy = 80);
    void close();
    bool isOpen() const { return hwnd() != nullptr; }

    HACCEL accelerators() const override { return accelerators_.get(); }
    HWND control(int id) const { return ::GetDlgItem(hwnd(), id); }
    HTREEITEM itemOf(int topic) const { return items_.at(static_cast<std::size_t>(topic)); }
    int currentTopic() const override { return current_; }

protected:
    LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void destroyed() override;

private:
    class PaneHandler;
    class SplitterHandler;

    bool createControls();
    bool createPane(int wrapMode, const std::string& text);
    void dressPane();
    bool setFonts();
    void onDpiChanged(int dpi, const RECT& suggested);
    void fillTree();
    // The search's view of the window.
    HelpFindAnswer askText() override;
    void selectTopic(int topic) override;
    void embolden(int topic) override;
    std::pair<std::size_t, std::size_t> textSelection() const override;
    void selectText(std::size_t start, std::size_t end, bool scrollIntoView) override;
    void focusTree() override;
    void tell(const MessageBoxRequest& message) override { desktop_.messageBox(message); }
    void showTopic(int topic);
    void setBold(int topic, bool bold);
    void layout(int width, int height);
    LRESULT onNotify(const NMHDR& header);
    void onCommand(int id);
    void openMenu(HMENU menu, POINT screen);
    void onTreeRightClick();
    void expandAll(UINT action);
    void beginDrag(int x);
    void dragTo(int x);

    Desktop& desktop_;
    MessageRouter& router_;
    HelpSearchState& state_;
    int dpi_ = 96;  // the window's pixel sizes are these 96-dpi ones scaled to it
    int px(int designPixels) const { return scaled(designPixels, dpi_); }
    PrintHelpTopic print_;
    std::vector<HelpTopic> topics_;
    HelpFind find_;
    TopicTree tree_;
    std::vector<HTREEITEM> items_;
    int current_ = -1;
    HWND pane_ = nullptr;
    HWND lastFocus_ = nullptr;  // the control that had the keyboard when the window was last deactivated
    UniqueFont textFont_, titleFont_;
    UniqueBrush titleBrush_, paneBrush_;
    UniqueMenu treeMenu_, textMenu_;
    UniqueAccel accelerators_;
    std::unique_ptr<PaneHandler> paneHandler_;
    std::unique_ptr<SplitterHandler> splitterHandler_;
    struct Drag {
        bool active = false;
        int pressX = 0;
        RECT tree{}, title{}, text{}, splitter{};
    } drag_;
};

}  // namespace tess::win32
