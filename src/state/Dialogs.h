#pragma once
// Every table dialog of the main window runs this way: modal to the window, until its model closes
// it. One that cannot be shown is reported in the words used for every window that cannot open.
#include "platform/DialogModel.h"
#include "state/App.h"

namespace tess {

// The result the dialog closed with, or -1 when it could not be shown (the user has been told).
int runDialog(Context& ctx, const DialogLayout& layout, DialogModel& model);

}  // namespace tess
