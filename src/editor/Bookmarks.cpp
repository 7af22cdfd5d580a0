#include "editor/Bookmarks.h"

#include "app/StatusBar.h"
#include "editor/Caret.h"
#include "editor/Gutter.h"
#include "platform/EditControl.h"

#include <algorithm>

namespace tess {

namespace {

// A bookmark past the last line would be shown nowhere and would send Next and Prev off the text.
void dropBeyond(std::vector<int>& bookmarks, int lineCount) {
    bookmarks.erase(std::upper_bound(bookmarks.begin(), bookmarks.end(), lineCount), bookmarks.end());
}

void goToBookmark(Context& ctx, std::optional<int> (*pick)(const std::vector<int>&, int)) {
    dropBeyond(ctx.app.bookmarks, ctx.editor.lineCount());
    const std::optional<int> target = pick(ctx.app.bookmarks, ctx.app.caret.caretLine);
    if (!target) return;
    placeCaret(ctx.app.caret, ctx.editor, 1, *target);
    ctx.editor.scrollCaret();
    refreshGutter(ctx);
    updateStatusBar(ctx);
}

}  // namespace

void toggleBookmarkLine(std::vector<int>& bookmarks, int line) {
    const auto at = std::lower_bound(bookmarks.begin(), bookmarks.end(), line);
    if (at != bookmarks.end() && *at == line) bookmarks.erase(at);
    else bookmarks.insert(at, line);
}

std::optional<int> nextBookmarkLine(const std::vector<int>& bookmarks, int line) {
    if (bookmarks.empty()) return std::nullopt;
    const auto after = std::upper_bound(bookmarks.begin(), bookmarks.end(), line);
    return after != bookmarks.end() ? *after : bookmarks.front();
}

std::optional<int> previousBookmarkLine(const std::vector<int>& bookmarks, int line) {
    if (bookmarks.empty()) return std::nullopt;
    const auto notBefore = std::lower_bound(bookmarks.begin(), bookmarks.end(), line);
    return notBefore != bookmarks.begin() ? *(notBefore - 1) : bookmarks.back();
}

// Lines added at caretLine push every bookmark from that line on down; lines removed there take
// the bookmarks on the removed lines with them and pull the later ones up. Lines joined onto
// caretLine still exist as part of it, so their bookmarks land on it rather than vanish. All
// moved entries move by the same amount, so the list stays sorted.
void shiftBookmarks(std::vector<int>& bookmarks, int caretLine, int lineCountBefore, int lineCountAfter,
                    FirstLine first) {
    if (bookmarks.empty()) return;
    const int delta = lineCountAfter - lineCountBefore;
    std::size_t kept = 0;
    for (int b : bookmarks) {
        if (delta > 0) {
            if (b >= caretLine) b += delta;
        } else if (first == FirstLine::Joined && caretLine <= b && b <= caretLine - delta) {
            if (kept > 0 && bookmarks[kept - 1] == caretLine) continue;
            b = caretLine;
        } else {
            if (caretLine <= b && b < caretLine - delta) continue;
            if (b > caretLine) b += delta;
        }
        bookmarks[kept++] = b;
    }
    bookmarks.resize(kept);
    dropBeyond(bookmarks, lineCountAfter);
}

FirstLine firstLineOfEditAt(const EditControl& editor, int position) {
    return position > editor.lineIndex(editor.lineFromChar(position)) ? FirstLine::Joined : FirstLine::Removed;
}

void adjustBookmarks(Context& ctx, FirstLine first) {
    shiftBookmarks(ctx.app.bookmarks, ctx.app.caret.caretLine, ctx.app.caret.lineCountBefore, ctx.editor.lineCount(),
                   first);
}

// A right click below the text can record a line past the last one; a bookmark there would be
// invisible, so it is not set.
void setBookmark(Context& ctx) {
    const int line = ctx.app.caret.caretLine;
    if (line >= 1 && line <= ctx.editor.lineCount()) toggleBookmarkLine(ctx.app.bookmarks, line);
    refreshGutter(ctx);
}

void goToNextBookmark(Context& ctx) { goToBookmark(ctx, &nextBookmarkLine); }

void goToPreviousBookmark(Context& ctx) { goToBookmark(ctx, &previousBookmarkLine); }

void clearBookmarks(Context& ctx) {
    ctx.app.bookmarks.clear();
    refreshGutter(ctx);
}

}  // namespace tess
