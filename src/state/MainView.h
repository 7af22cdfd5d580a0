#pragma once
// What the main window shows around the editor. The core calls these after it has worked out
// what to show; the Win32 main window puts it on screen, and tests record it.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tess {

// The main window's top-left corner on the screen and its client-area size, in pixels.
struct WindowGeometry {
    int x = 0;
    int y = 0;
    int clientWidth = 0;
    int clientHeight = 0;
};

class MainView {
public:
    virtual ~MainView() = default;
    // Status bar parts 1 to 3: the path, " " + line, " " + column.
    virtual void setStatusTexts(std::string_view path, std::string_view line, std::string_view column) = 0;
    virtual void setGutterText(std::string_view text) = 0;
    // The File menu's recent entries, in order, as their menu texts ("&1  index.html").
    virtual void setRecentFileItems(const std::vector<std::string>& items) = 0;
    // File > Exit: the window's own close sequence, as the close box runs it.
    virtual void requestClose() {}
    // Edit > WordWrap: the editor is re-created with the other wrapping.
    virtual void toggleWordWrap() {}
    // The window laid out again from its client size (the gutter shown or collapsed).
    virtual void layOut() {}
    // The editor's font made again from the settings' size, keeping the modified flag; the window is
    // laid out for it.
    virtual void applyEditorFont() {}
    // The editor painted again: black text on the settings' background colour.
    virtual void repaintEditor() {}
    // Edit > Preferences and Help > About: the modal dialogs, run to their end.
    virtual void showPreferences() {}
    virtual void showAbout() {}
    // Where the window stands now; nullopt when there is no window to ask (settings keep theirs).
    virtual std::optional<WindowGeometry> windowGeometry() const { return std::nullopt; }
};

}  // namespace tess
