#include "editor/Bookmarks.h"

#include "editor/StatusBar.h"
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

void goToBookmark(EditorContext& ctx, std::optional<int> (*pick)(const std::vector<int>&, int)) {
    dropBeyond(ctx.edit.bookmarks, ctx.editor.lineCount());
    const std::optional<int> target = pick(ctx.edit.bookmarks, ctx.edit.caret.caretLine);
    if (!target) return;
    placeCaret(ctx.edit.caret, ctx.editor, 1, *target);
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

void shiftBookmarks(std::vector<int>& bookmarks, int line, bool atLineStart, int lineCountBefore,
                    int lineCountAfter) {
    const int delta = lineCountAfter - lineCountBefore;
    if (bookmarks.empty() || delta == 0) return;
    std::size_t kept = 0;
    for (int b : bookmarks) {
        if (delta > 0) {
            if (b > line || (atLineStart && b == line)) b += delta;
        } else if (!atLineStart && line <= b && b <= line - delta) {
            if (kept > 0 && bookmarks[kept - 1] == line) continue;
            b = line;
        } else {
            if (line <= b && b < line - delta) continue;
            if (b > line) b += delta;
        }
        bookmarks[kept++] = b;
    }
    bookmarks.resize(kept);
    dropBeyond(bookmarks, lineCountAfter);
}

void followEdit(EditorContext& ctx, EditSpan span) {
    const EditControl& editor = ctx.editor;
    const int after = editor.lineCount();
    if (after != span.lineCountBefore) {
        const int line = editor.lineFromChar(span.start);
        shiftBookmarks(ctx.edit.bookmarks, line + 1, span.start == editor.lineIndex(line), span.lineCountBefore, after);
    }
    refreshGutter(ctx);
}

// A right click below the text can record a line past the last one; a bookmark there would be
// invisible, so it is not set.
void setBookmark(EditorContext& ctx) {
    const int line = ctx.edit.caret.caretLine;
    if (line >= 1 && line <= ctx.editor.lineCount()) toggleBookmarkLine(ctx.edit.bookmarks, line);
    refreshGutter(ctx);
}

void goToNextBookmark(EditorContext& ctx) { goToBookmark(ctx, &nextBookmarkLine); }

void goToPreviousBookmark(EditorContext& ctx) { goToBookmark(ctx, &previousBookmarkLine); }

void clearBookmarks(EditorContext& ctx) {
    ctx.edit.bookmarks.clear();
    refreshGutter(ctx);
}

}  // namespace tess
