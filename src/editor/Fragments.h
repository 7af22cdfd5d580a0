#pragma once
// Fixed pieces of HTML put into the document at the caret, ready for typing inside them.
#include "editor/EditorState.h"

#include <string>
#include <string_view>

namespace tess {

// The page skeleton, ten lines each ended by CR LF, indented with tabText.
std::u16string htmlSkeleton(std::u16string_view tabText);
inline constexpr std::u16string_view kScriptElement = u"<script type=\"text/javascript\" src=\"Example.js\"></script>";
inline constexpr int kScriptCaret = 48;  // after the opening tag
inline constexpr std::u16string_view kComment = u"<!--  -->";
inline constexpr int kCommentCaret = 5;  // between the two spaces

// Replaces the selection with text as one undoable edit and leaves the caret caretOffset characters
// into it (0: after it); the bookmarks, the gutter and the status bar follow. A text that does not
// fit within the limit is refused whole.
void insertFragment(EditorContext& ctx, std::u16string_view text, int caretOffset);

// Commands menu: Begin html script, Java script header, Add comment.
void insertHtmlSkeleton(EditorContext& ctx);
void insertScriptElement(EditorContext& ctx);
void insertComment(EditorContext& ctx);

}  // namespace tess
