#include "editor/Fragments.h"

#include "editor/Bookmarks.h"
#include "editor/Caret.h"
#include "editor/StatusBar.h"
#include "editor/TextLimit.h"
#include "platform/EditControl.h"

namespace tess {

// Built when asked, so a changed tab width shows in the next skeleton.
std::u16string htmlSkeleton(std::u16string_view tabText) {
    const std::u16string one(tabText), two = one + one;
    std::u16string text;
    for (const std::u16string& line : {std::u16string(u"<!doctype html>"), std::u16string(u"<html>"), one + u"<head>",
                                       two + u"<title>Title of your page goes here</title>", one + u"</head>",
                                       one + u"<body>", two + u"<h1>HTML Document</h1>",
                                       two + u"<p>First paragraph of your document</p>", one + u"</body>",
                                       std::u16string(u"</html>")})
        text += line + u"\r\n";
    return text;
}

// Whatever the fragment replaced may have held line breaks, so the marks follow every insertion,
// not only the skeleton's. A fragment cut at the limit would be broken HTML: it goes in whole or
// not at all.
void insertFragment(EditorContext& ctx, std::u16string_view text, int caretOffset) {
    const Selection selection = ctx.editor.selection();
    if (!roomForInsertion(ctx, text, selection.end - selection.start)) return;
    const EditSpan span{selection.start, ctx.editor.lineCount()};
    insertSnippet(ctx.edit.caret, ctx.editor, text, caretOffset);
    followEdit(ctx, span);
    updateStatusBar(ctx);
}

void insertHtmlSkeleton(EditorContext& ctx) {
    insertFragment(ctx, htmlSkeleton(std::u16string(static_cast<std::size_t>(indentUnit(ctx.app.settings)), u' ')), 0);
}

void insertScriptElement(EditorContext& ctx) { insertFragment(ctx, kScriptElement, kScriptCaret); }

void insertComment(EditorContext& ctx) { insertFragment(ctx, kComment, kCommentCaret); }

}  // namespace tess
