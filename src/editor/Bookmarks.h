#pragma once
#include "app/App.h"

#include <optional>
#include <vector>

namespace tess {

// The rules on the bookmark list (1-based lines, ascending, distinct).
void toggleBookmarkLine(std::vector<int>& bookmarks, int line);
// The first bookmark after line, else the first of all; nullopt without bookmarks.
std::optional<int> nextBookmarkLine(const std::vector<int>& bookmarks, int line);
// The last bookmark before line, else the last of all; nullopt without bookmarks.
std::optional<int> previousBookmarkLine(const std::vector<int>& bookmarks, int line);
// Moves the bookmarks after an edit at caretLine that took the line count from lineCountBefore to
// lineCountAfter, and drops those left beyond the last line.
void shiftBookmarks(std::vector<int>& bookmarks, int caretLine, int lineCountBefore, int lineCountAfter);

// Moves the bookmarks after an edit that may have changed the line count (lineCountBefore was
// stored before the edit, caretLine is the line the edit happened on).
void adjustBookmarks(Context& ctx);

// The four bookmark commands.
void setBookmark(Context& ctx);
void goToNextBookmark(Context& ctx);
void goToPreviousBookmark(Context& ctx);
void clearBookmarks(Context& ctx);

}  // namespace tess
