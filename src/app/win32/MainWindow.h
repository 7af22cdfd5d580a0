#pragma once
// The main window: a frame that holds the editor and its gutter, the toolbar, the status bar and
// the menus, lays them out, and hands every command to the program's dispatch. The state every layer
// shares is not here: it lives in the Program that owns the window. What only the window's parts
// use is theirs: the editor's in its view, searching's here.
#include "app/Commands.h"
#include "editor/win32/EditorView.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/Window.h"
#include "state/MainView.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <functional>
#include <string>

namespace tess::win32 {

class MainWindow : public Window, public MainView, public EditorHost {
public:
    // runCommand is the program's dispatch; the window asks it for every command id it receives.
    MainWindow(App& app, Desktop& desktop, std::function<bool(int)> runCommand);
    ~MainWindow() override;

    // Creates the frame with its gutter and editor, centred at its first size. False, with
    // nothing left behind, when the window or a control could not be made.
    bool create(HINSTANCE instance);
    // Once the settings are read: the menus with their recent files, the last place and size when
    // asked for, and word wrap.
    void applySettings(bool useLastSize);
    // Toolbar, status bar, font, key handling: false when a control could not be made.
    bool finishStartup();

    HWND editorHwnd() const { return editorView_.editorHwnd(); }
    HWND gutterHwnd() const { return editorView_.gutterHwnd(); }
    HWND toolbarHwnd() const { return toolbar_; }
    HWND statusBarHwnd() const { return statusBar_; }
    HMENU contextMenu() const override { return contextMenu_.get(); }
    HACCEL accelerators() const override { return accelerators_.get(); }
    EditControlWin& editor() { return editorView_.editor(); }
    // What a command gets, built afresh each time: the editor control changes with word wrap.
    CommandContext context();

    // Called when the window has ended (closed, or destroyed with the program).
    std::function<void()> onEnded;
    // Opens another tag reference window; the program owns them and ends them when this window ends.
    std::function<void()> onShowTagList;
    // Help > Content; the program owns the help window.
    std::function<void()> onShowHelp;
    // The printers the print commands use.
    Printers* printers = nullptr;

    // MainView
    void setStatusTexts(std::string_view path, std::string_view line, std::string_view column) override;
    void showEncoding(Encoding encoding) override;
    void setGutterText(std::string_view text) override;
    void setRecentFileItems(const std::vector<std::string>& items) override;
    std::optional<WindowGeometry> windowGeometry() const override;
    void showBusy(bool busy) override;
    void requestClose() override;
    void toggleWordWrap() override;
    void showTagList() override {
        if (onShowTagList) onShowTagList();
    }
    void showHelp() override {
        if (onShowHelp) onShowHelp();
    }
    int runModalDialog(const DialogLayout& dialogLayout, DialogModel& model) override;
    void layOut() override;
    void applyEditorFont() override;
    void repaintEditor() override;
    // EditorHost
    EditorContext editorContext() override { return context(); }
    void editorMetricsChanged() override;

protected:
    LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void destroyed() override;

private:
    void buildMenus();
    void applyLastSize(const Settings& saved);
    void showWordWrapCheck();
    bool createToolbar();
    bool createStatusBar();
    void layout();
    LRESULT onNotify(const NMHDR& header);
    void onDpiChanged(int dpi, const RECT& suggested);
    void onClose();
    LRESULT onQueryEndSession();
    void onDropFiles(HDROP drop);

    App& app_;
    Desktop& desktop_;
    std::function<bool(int)> runCommand_;
    HINSTANCE instance_ = nullptr;
    EditorView editorView_;
    FindState find_;
    HWND toolbar_ = nullptr;
    HWND statusBar_ = nullptr;
    // The menu bar and the controls go with the window; these do not. The destructor destroys
    // the window first, so no control still holds the image list when it goes.
    UniqueAccel accelerators_;
    UniqueMenu contextMenu_;
    UniqueImageList toolbarImages_;
    std::wstring tooltipText_;  // must outlive the TTN_GETDISPINFOW answer
    bool closeQuestionOpen_ = false;
    bool recentSeparator_ = false;  // the File menu's recent files end in a separator of their own
    HCURSOR cursorBeforeBusy_ = nullptr;
};

}  // namespace tess::win32
