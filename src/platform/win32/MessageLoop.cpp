#include "platform/win32/MessageLoop.h"

#include <algorithm>

namespace tess::win32 {

void MessageRouter::add(const Window& window) {
    if (std::find(windows_.begin(), windows_.end(), &window) == windows_.end()) windows_.push_back(&window);
}

void MessageRouter::remove(const Window& window) {
    windows_.erase(std::remove(windows_.begin(), windows_.end(), &window), windows_.end());
}

// The window itself or the top-level window of ours that holds it.
const Window* MessageRouter::ownerOf(HWND hwnd) const {
    if (!hwnd) return nullptr;
    for (const Window* window : windows_) {
        const HWND top = window->hwnd();
        if (top && (top == hwnd || ::IsChild(top, hwnd))) return window;
    }
    return nullptr;
}

bool MessageRouter::preTranslate(MSG& msg) const {
    const Window* owner = ownerOf(msg.hwnd);
    if (!owner) return false;
    if (const HACCEL table = owner->accelerators())
        if (::TranslateAcceleratorW(owner->hwnd(), table, &msg)) return true;
    return owner->wantsDialogKeys() && ::IsDialogMessageW(owner->hwnd(), &msg);
}

void MessageRouter::route(MSG& msg) const {
    if (preTranslate(msg)) return;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

int MessageRouter::pumpPending() const {
    MSG msg{};
    int count = 0;
    // Bounded, so that a window that keeps posting to itself cannot hold the caller for ever.
    while (count < 100000 && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        route(msg);
        ++count;
    }
    return count;
}

int MessageRouter::run() const {
    MSG msg{};
    BOOL got = 0;
    while ((got = ::GetMessageW(&msg, nullptr, 0, 0)) > 0) route(msg);
    return got < 0 ? 1 : static_cast<int>(msg.wParam);
}

}  // namespace tess::win32
