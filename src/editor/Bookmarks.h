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
// What became of the edit's first line when an edit removed lines: gone whole (Yank line, a cut
// of whole lines), or still there with the following lines joined onto it (Delete at a line's
// end, Backspace at a line's start, a cut or typing from inside a line).
enum class FirstLine { Removed, Joined };
// For an edit that begins at position: inside a line, that line keeps its start and whatever the
// edit removes after it is joined onto it; at a line's start, removed lines go whole.
FirstLine firstLineOfEditAt(const EditControl& editor, int position);

// Moves the bookmarks after an edit at caretLine that took the line count from lineCountBefore to
// lineCountAfter, and drops those left beyond the last line. A joined line keeps a bookmark if
// any of the lines joined into it had one.
void shiftBookmarks(std::vector<int>& bookmarks, int caretLine, int lineCountBefore, int lineCountAfter,
                    FirstLine first = FirstLine::Removed);

// Moves the bookmarks after an edit that may have changed the line count (lineCountBefore was
// stored before the edit, caretLine is the line the edit happened on).
void adjustBookmarks(Context& ctx, FirstLine first = FirstLine::Removed);

// The four bookmark commands.
void setBookmark(Context& ctx);
void goToNextBookmark(Context& ctx);
void goToPreviousBookmark(Context& ctx);
void clearBookmarks(Context& ctx);

}  // namespace tess
