#pragma once
#include "editor/EditorState.h"

#include <optional>
#include <vector>

namespace tess {

// The rules on the bookmark list (1-based lines, ascending, distinct).
void toggleBookmarkLine(std::vector<int>& bookmarks, int line);
// The first bookmark after line, else the first of all; nullopt without bookmarks.
std::optional<int> nextBookmarkLine(const std::vector<int>& bookmarks, int line);
// The last bookmark before line, else the last of all; nullopt without bookmarks.
std::optional<int> previousBookmarkLine(const std::vector<int>& bookmarks, int line);
// An edit as the bookmarks see it, taken where the edit happens: the first position it changed
// (the text before it is the same before and after) and the line count just before it.
struct EditSpan {
    int start = 0;
    int lineCountBefore = 0;
};

// The one rule by which bookmarks follow an edit that began on line (1-based), at that line's
// start or inside it, and took the line count from lineCountBefore to lineCountAfter. A mark
// follows its line's text: lines added inside a line go below it, so its mark stays; lines added
// at a line's start push that line down, mark and all. Lines removed from a line's start take
// their marks with them; lines removed from inside a line join the rest onto it, and their marks
// land on it. Marks left past the last line go.
void shiftBookmarks(std::vector<int>& bookmarks, int line, bool atLineStart, int lineCountBefore,
                    int lineCountAfter);

// After an edit of the editor's text: the bookmarks follow by the rule above and the gutter shows
// them. Every edit that can add or remove lines ends here, whatever made it.
void followEdit(EditorContext& ctx, EditSpan span);

// The four bookmark commands.
void setBookmark(EditorContext& ctx);
void goToNextBookmark(EditorContext& ctx);
void goToPreviousBookmark(EditorContext& ctx);
void clearBookmarks(EditorContext& ctx);

}  // namespace tess
