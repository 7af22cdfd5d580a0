#include "editor/Bookmarks.h"

namespace tess {

void adjustBookmarks(Context&) {}

}  // namespace tess
