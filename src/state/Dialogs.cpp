#include "state/Dialogs.h"

#include "platform/Desktop.h"
#include "state/MainView.h"

namespace tess {

int runDialog(Context& ctx, const DialogLayout& layout, DialogModel& model) {
    const int result = ctx.view.runModalDialog(layout, model);
    if (result == -1)
        ctx.desktop.messageBox(
            {.title = "Tessaline", .text = cannotOpenText(layout.title), .buttons = Buttons::Ok, .icon = Icon::Error});
    return result;
}

}  // namespace tess
