#pragma once
// The program's one message loop, for several windows: each message goes to the accelerator table
// and the dialog keyboard handling of the top-level window it belongs to, and to no other. Keys
// typed into a dialog's edit box never run the main window's commands, and the main window (not a
// dialog) never gets the dialog keys.
#include "platform/win32/Window.h"

#include <windows.h>

#include <vector>

namespace tess::win32 {

class MessageRouter {
public:
    // A top-level window whose keys the loop serves while it exists.
    void add(const Window& window);
    void remove(const Window& window);

    // The loop's steps before dispatch: true when the message was turned into a command or a
    // dialog key and must not be dispatched.
    bool preTranslate(MSG& msg) const;
    // preTranslate, else TranslateMessage and DispatchMessage.
    void route(MSG& msg) const;
    // Every message already queued, as the loop would route it; returns how many there were.
    int pumpPending() const;
    // Blocks in GetMessage until WM_QUIT, routing every message; returns the quit code.
    int run() const;

private:
    const Window* ownerOf(HWND hwnd) const;
    std::vector<const Window*> windows_;
};

}  // namespace tess::win32
