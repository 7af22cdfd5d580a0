#include "dialogs/win32/PreferencesDialog.h"

#include "dialogs/Preferences.h"
#include "platform/win32/DialogTemplate.h"

#include <commctrl.h>

#include <stdexcept>

namespace tess::win32 {

namespace {

// A drop-down list's window height is the height of the list opened, and the table gives the
// closed one; how many entries an opened list shows without scrolling differs between versions of
// the common controls. Made tall enough for every entry, it shows them all on any of them.
void fitOpenedList(HWND list, std::size_t entries) {
    RECT closed{};
    ::GetWindowRect(list, &closed);
    const auto item = static_cast<int>(::SendMessageA(list, CB_GETITEMHEIGHT, 0, 0));
    const int border = 2 * ::GetSystemMetrics(SM_CYBORDER);
    ::SetWindowPos(list, nullptr, 0, 0, closed.right - closed.left,
                   closed.bottom - closed.top + static_cast<int>(entries) * item + border,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageA(list, CB_SETMINVISIBLE, entries, 0);
}

}  // namespace

void runPreferencesDialog(HWND owner, Context& ctx) {
    PreferencesModel model(ctx);
    const auto hook = [](HWND dialog, UINT msg, WPARAM, LPARAM) -> std::optional<INT_PTR> {
        if (msg == WM_INITDIALOG)
            for (const int list : {kTabSpacesList, kFontSizeList, kPrintFontSizeList, kBackgroundList, kBrowserList})
                fitOpenedList(::GetDlgItem(dialog, list), listEntries(list).size());
        return std::nullopt;
    };
    if (runModal(owner, preferencesDialog(), model, hook) == -1)
        throw std::runtime_error("The Tessaline Options dialog could not be opened.");
}

}  // namespace tess::win32
