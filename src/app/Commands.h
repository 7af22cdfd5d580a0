#pragma once
// The routing of every command: menus, accelerators, toolbar buttons and the context menu all
// arrive here as the number they send.
#include "state/App.h"

namespace tess {

// Runs the command with this id to its end. False for an id no command answers to (features not
// built yet, stray ids), which changes nothing.
bool runCommand(Context& ctx, int id);

}  // namespace tess
