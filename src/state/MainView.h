#pragma once
// What the main window shows around the editor. The core calls these after it has worked out
// what to show; the Win32 main window puts it on screen, and tests record it.
#include "platform/DialogModel.h"
#include "platform/TextEncoding.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tess {

// The main window's top-left corner on the screen and its client-area size, in pixels, and the
// DPI of the monitor it is on.
struct WindowGeometry {
    int x = 0;
    int y = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    int dpi = kDesignDpi;
};

class MainView {
public:
    virtual ~MainView() = default;
    // Status bar parts 1 to 3: the path, " " + line, " " + column.
    virtual void setStatusTexts(std::string_view path, std::string_view line, std::string_view column) = 0;
    // The document's encoding: its name in the status bar's fourth part, and its item checked in
    // File > Encoding.
    virtual void showEncoding(Encoding encoding) = 0;
    virtual void setGutterText(std::string_view text) = 0;
    // The File menu's recent entries, in order, as their menu texts ("&1  index.html").
    virtual void setRecentFileItems(const std::vector<std::string>& items) = 0;
    // File > Exit: the window's own close sequence, as the close box runs it.
    virtual void requestClose() {}
    // Edit > WordWrap: the editor is re-created with the other wrapping.
    virtual void toggleWordWrap() {}
    // Help > Content: the help window opens, or comes forward when it is open.
    virtual void showHelp() {}
    // A load or save that may take a while begins (true) or has ended: the window shows it is working.
    virtual void showBusy(bool) {}
    // The window laid out again from its client size (the gutter shown or collapsed).
    virtual void layOut() {}
    // The editor's font made again from the settings' size, keeping the modified flag; the window is
    // laid out for it.
    virtual void applyEditorFont() {}
    // The editor painted again: black text on the settings' background colour.
    virtual void repaintEditor() {}
    // Where the window stands now; nullopt when there is no window to ask (settings keep theirs).
    virtual std::optional<WindowGeometry> windowGeometry() const { return std::nullopt; }
    // Commands > Common html tags: another tag reference window beside this one.
    virtual void showTagList() {}
    // A dialog built from the table, owned by the window and modal to it, run until its model
    // closes it: the result it closed with, or -1 when it could not be shown.
    virtual int runModalDialog(const DialogLayout&, DialogModel&) { return -1; }
};

}  // namespace tess
