#pragma once
#include "app/App.h"
#include "app/MainView.h"
#include "platform/win32/EditControlWin.h"
#include "platform/win32/UniqueHandle.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

namespace tess::win32 {

// What the program entry passes in; tests fill it to run the window against a fake desktop or a
// data folder of their own.
struct MainWindowOptions {
    Desktop* desktop = nullptr;  // the real desktop when null
    std::string commandLine;     // the text after the program name
    bool show = true;
    bool quitOnDestroy = true;   // tests that create windows without a loop turn this off
    std::string dataFolder;      // overrides the folder rule when not empty
};

// The main window: a top-level window holding the gutter, the editor, the toolbar and the status
// bar. Creating it and running the message loop are kept apart, so tests can create one and
// drive it with messages without a loop of their own.
class MainWindow : public MainView {
public:
    MainWindow();
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window and its controls and runs the start-up sequence, then shows it.
    bool create(HINSTANCE instance, const MainWindowOptions& options);

    HWND hwnd() const { return hwnd_; }
    HWND editorHwnd() const { return editorHwnd_; }
    HWND gutterHwnd() const { return gutterHwnd_; }
    HWND toolbarHwnd() const { return toolbarHwnd_; }
    HWND statusBarHwnd() const { return statusHwnd_; }
    HACCEL accelerators() const { return accelerators_.get(); }
    HMENU contextMenu() const { return contextMenu_.get(); }
    App& app() { return app_; }
    EditControl& editor() { return editor_; }
    Desktop& desktop() { return *desktop_; }
    Context context() { return Context{app_, editor_, *desktop_, *this}; }

    // Creates the editor control (id 103) at its start position and attaches the EditControl to
    // it. Word wrap destroys the old editor and calls this again.
    HWND createEditor(bool wrap, DWORD exStyle = WS_EX_CLIENTEDGE);
    // Word wrap (WordWrap.cpp): switching re-creates the editor; start-up applies the saved choice.
    void toggleWordWrap();
    void applySavedWordWrap();
    void showWordWrapCheck();
    // Menu bar, context menu and accelerator table from the current settings.
    void buildMenus();
    void createToolbar();
    void createStatusBar();
    // The editor font from fontSize; keeps the modified flag, measures, lays out, refreshes the gutter.
    void applyEditorFont();
    // The resize handler: reads the real client size, so WM_SIZE with zero arguments works.
    void layoutMainWindow();

    void setStatusTexts(std::string_view path, std::string_view line, std::string_view column) override;
    void setGutterText(std::string_view text) override;
    void setRecentFileItems(const std::vector<std::string>& items) override;
    std::optional<WindowGeometry> windowGeometry() const override;

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Runs one command as the menus, accelerators and toolbar send it (Commands.cpp).
    void onCommand(int id);

private:
    LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void initialise();
    std::string dataFolder() const;
    void applyLastSize();
    void onSize();
    LRESULT onNotify(const NMHDR& header);
    LRESULT onEditorColor(HDC dc);
    // The close sequence; false when the user keeps the window open.
    bool onClose();
    void onDestroy();

    App app_;
    Desktop* desktop_ = nullptr;
    std::unique_ptr<Desktop> ownDesktop_;
    EditControlWin editor_;
    HINSTANCE instance_ = nullptr;
    HWND hwnd_ = nullptr;
    HWND editorHwnd_ = nullptr;
    HWND gutterHwnd_ = nullptr;
    HWND toolbarHwnd_ = nullptr;
    HWND statusHwnd_ = nullptr;
    // The menu bar and the controls go with the window; these do not. The destructor's body
    // destroys the window first, so no control still holds the font or brush when they go.
    UniqueAccel accelerators_;
    UniqueMenu contextMenu_;
    UniqueImageList toolbarImages_;
    UniqueFont font_;
    UniqueBrush backgroundBrush_;
    COLORREF backgroundBrushColor_ = 0;
    std::wstring tooltipText_;  // must outlive the TTN_GETDISPINFOW answer
    MainWindowOptions options_;
};

// Runs the loop until the main window has ended; each message goes to the accelerator table,
// then to the dialog keyboard handling, then is dispatched. Blocks in GetMessage while idle.
int runMessageLoop(MainWindow& window);

}  // namespace tess::win32
