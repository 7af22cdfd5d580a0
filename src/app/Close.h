#pragma once
#include "editor/EditorState.h"

namespace tess {

// The questions before the main window closes, then deleting the preview file and writing the
// settings file. True when the window may close; false leaves everything open and unchanged.
bool closeMainWindow(EditorContext& ctx);

// Windows asks whether the session (shutdown, log-off) may end: the same question about unsaved
// changes as closing, without the question about quitting. False keeps the session and the text.
bool mayEndSession(EditorContext& ctx);
// The session ends after all: what closing does once its questions are answered.
void endSession(Context& ctx);

}  // namespace tess
