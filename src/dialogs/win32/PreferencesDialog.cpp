#include "dialogs/win32/PreferencesDialog.h"

#include "dialogs/Preferences.h"
#include "platform/win32/DialogTemplate.h"

#include <stdexcept>

namespace tess::win32 {

// The lists need nothing of their own here: with the common controls of the manifest, a drop-down
// list opens to show all its entries, whatever the closed height the table gives it.
void runPreferencesDialog(HWND owner, Context& ctx) {
    PreferencesModel model(ctx);
    if (runModal(owner, preferencesDialog(), model) == -1)
        throw std::runtime_error("The Tessaline Options dialog could not be opened.");
}

}  // namespace tess::win32
