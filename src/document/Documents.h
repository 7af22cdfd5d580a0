#pragma once
// The document: its file name, the questions before its text is discarded, and moving text
// between files and the editor byte for byte.
#include "app/App.h"

#include <string>
#include <vector>

namespace tess {

// Reads path into the editor. On success currentFile becomes path; on failure the user sees the
// "File Error " box and the editor and currentFile stay as they were.
bool loadDocument(Context& ctx, const std::string& path);

}  // namespace tess
