#include "search/FindDialog.h"

#include "editor/Bookmarks.h"
#include "editor/Gutter.h"
#include "editor/StatusBar.h"
#include "editor/TextLimit.h"
#include "platform/Desktop.h"
#include "platform/EditControl.h"
#include "search/SearchText.h"
#include "state/Dialogs.h"
#include "state/MainView.h"

#include <string>

namespace tess {

using namespace findcontrol;

namespace {

using namespace controlstyle;

constexpr std::uint32_t kCheck = kTabStop | kCheckBox;
constexpr std::uint32_t kButton = kTabStop | kPushButton;
constexpr std::uint32_t kTextBox = kTabStop | kBorder | kEditAutoHScroll;

MessageBoxRequest box(std::string title, std::string text, Buttons buttons, Icon icon,
                      Modality modality = Modality::Application) {
    return {.title = std::move(title), .text = std::move(text), .buttons = buttons, .icon = icon,
            .modality = modality};
}

MessageBoxRequest notFound(const std::string& caption, bool foundBefore) {
    return box(caption, std::string(foundBefore ? "no more" : "none") + " found", Buttons::Ok, Icon::None,
               Modality::Task);
}

// The selection is shown where it is: scrolled into view, the gutter and the status bar following.
void select(EditorContext& ctx, int start, int end) {
    ctx.editor.setSelection(start, end);
    ctx.editor.scrollCaret();
    refreshGutter(ctx);
    updateStatusBar(ctx);
}

// Find Next (+1) and Find Previous (-1) search for the selected text with the options the dialog
// left. With nothing selected there is nothing to search for: a beep, and the caret stays.
void findAgain(SearchContext& ctx, int direction) {
    FindState& state = ctx.find;
    const FindOptions o = state.rememberedFindOptions;
    std::u16string what;
    int found = SearchText(ctx.editor, what, o.wholeWord, o.matchCase, direction);
    if (what.empty()) return ctx.desktop.beep();
    if (found < 0 && o.doNotCycle) {
        ctx.desktop.messageBox(notFound("Find Text", state.quickFindFound));
        state.quickFindFound = false;
    } else if (found < 0) {
        const int wrapTo = direction > 0 ? 0 : ctx.editor.textLength();
        ctx.editor.setSelection(wrapTo, wrapTo);
        if (o.beepOnCycle) ctx.desktop.beep();
        found = SearchText(ctx.editor, what, o.wholeWord, o.matchCase, direction);
    }
    if (found >= 0) {
        state.quickFindFound = true;
        return select(ctx, found, found + static_cast<int>(what.size()));
    }
    ctx.editor.setSelection(-1, 0);
    updateStatusBar(ctx);
}

int lineBreaks(std::u16string_view text) {
    int count = 0;
    for (std::size_t at = text.find(u"\r\n"); at != std::u16string_view::npos; at = text.find(u"\r\n", at + 2)) ++count;
    return count;
}

// The bookmarks follow each replacement as they would follow it made on its own, from the first to the last.
void followReplacements(EditorContext& ctx, std::u16string_view old, const ReplaceAllPlan& plan, int length,
                        std::u16string_view with) {
    const int added = lineBreaks(with);
    int lines = lineBreaks(old) + 1, line = 1, delta = 0, counted = 0, lastEnd = -1;
    bool atLineStart = false;
    for (const int p : plan.matches) {
        line += lineBreaks(old.substr(static_cast<std::size_t>(counted), static_cast<std::size_t>(p - counted)));
        counted = p;
        // Right after the last replacement, the text before is what it put in (or, if nothing, what it followed).
        if (p != lastEnd) atLineStart = p == 0 || old.substr(0, static_cast<std::size_t>(p)).ends_with(u"\r\n");
        else if (!with.empty()) atLineStart = with.ends_with(u"\r\n");
        const int removed = lineBreaks(old.substr(static_cast<std::size_t>(p), static_cast<std::size_t>(length)));
        shiftBookmarks(ctx.edit.bookmarks, line + delta, atLineStart, lines, lines + added - removed);
        lines += added - removed, delta += added - removed, lastEnd = p + length;
    }
    refreshGutter(ctx);
}

void openFindDialog(SearchContext& ctx, FindMode mode) {
    ctx.find.dialogOpened = true;
    FindDialog dialog(ctx, mode);
    if (runDialog(ctx, findDialogLayout(mode), dialog) == -1) return;
    const FindDialogResult& result = dialog.result();
    if (result.outcome == static_cast<int>(FindMode::Find)) {
        select(ctx, result.matchStart, result.matchEnd);
    } else {
        ctx.editor.setSelection(-1, 0);
        updateStatusBar(ctx);
    }
    ctx.find.rememberedFindOptions = result.options;
    ctx.find.quickFindFound = true;
}

}  // namespace

DialogLayout findDialogLayout(FindMode mode) {
    const bool replacing = mode == FindMode::Replace;
    const int d = replacing ? 20 : 0;
    DialogLayout layout{.title = replacing ? "Replace" : "Find", .width = 250, .height = replacing ? 140 : 120};
    layout.controls = {{"STATIC", -1, "&What:", 10, 10, 25, 10, 0}, {"EDIT", kWhat, "", 40, 10, 140, 12, kTextBox}};
    if (replacing)
        layout.controls.insert(layout.controls.end(), {{"STATIC", -1, "&With:", 10, 30, 25, 10, 0},
                                                   {"EDIT", kWith, "", 40, 30, 140, 12, kTextBox}});
    layout.controls.insert(layout.controls.end(), {{"BUTTON", kWholeWord, "Match &whole word", 10, 35 + d, 100, 10, kCheck},
                                               {"BUTTON", kMatchCase, "Match &case", 10, 50 + d, 100, 10, kCheck},
                                               {"BUTTON", kDoNotCycle, "Do not cycle", 10, 65 + d, 100, 10, kCheck},
                                               {"BUTTON", kBeepOnCycle, "Beep on cycle", 10, 80 + d, 100, 10, kCheck}});
    if (replacing) {
        layout.controls.insert(layout.controls.end(), {{"BUTTON", kReplace, "&Replace", 120, 55, 50, 20, kButton},
                                                   {"BUTTON", kDialogOk, "&Find next", 120, 80, 50, 20,
                                                    kTabStop | kDefPushButton},
                                                   {"BUTTON", kReplaceAll, "Replace &All", 180, 55, 50, 20, kButton},
                                                   {"BUTTON", kDialogCancel, "Cancel", 180, 80, 50, 20, kButton}});
    } else {
        // The group flags close the run of the direction's radio buttons on either side.
        layout.controls.insert(layout.controls.end(),
                             {{"BUTTON", -1, "Direction", 105, 35, 60, 40, kGroupBox},
                              {"BUTTON", kUp, "&Up", 110, 45, 40, 10, kGroup | kTabStop | kRadioButton},
                              {"BUTTON", kDown, "&Down", 110, 60, 40, 10, kRadioButton},
                              {"BUTTON", kKeepOpen, "Keep Dialog open", 110, 80, 100, 10, kGroup | kCheck},
                              {"BUTTON", kDialogOk, "&Find next", 190, 5, 50, 20, kTabStop | kDefPushButton},
                              {"BUTTON", kDialogCancel, "Cancel", 190, 30, 50, 20, kButton}});
    }
    return layout;
}

void FindDialog::initialise(DialogView& view) {
    wrapped_ = false;
    for (const int id : {kWholeWord, kBeepOnCycle}) view.setChecked(id, true);
    if (mode_ == FindMode::Find) view.setChecked(kDown, true);
    const Selection s = ctx_.editor.selection();
    view.setText(kWhat, utf8(std::u16string_view(ctx_.editor.text()).substr(static_cast<std::size_t>(s.start),
                                                                        static_cast<std::size_t>(s.end - s.start))));
    if (mode_ == FindMode::Replace && s.end > s.start) view.setText(kDialogOk, "&Skip");
}

void FindDialog::command(DialogView& view, int id, int notification) {
    if (notification != notification::kClicked) return;
    switch (id) {
    case kDialogOk: return findNext(view);
    case kReplace: return replace(view);
    case kReplaceAll: return replaceAll(view);
    default: return;
    }
}

FindOptions FindDialog::options(const DialogView& view) const {
    return {.wholeWord = view.checked(kWholeWord), .matchCase = view.checked(kMatchCase),
            .doNotCycle = view.checked(kDoNotCycle), .beepOnCycle = view.checked(kBeepOnCycle)};
}

// A search that finds nothing wraps once to the far end of the text and tries again; the wrapped
// flag is set before that second try, so it cannot wrap again.
void FindDialog::findNext(DialogView& view) {
    std::u16string what = utf16(view.text(kWhat));
    if (what.empty()) {
        ctx_.desktop.messageBox(box("Error", "Must specify what to find", Buttons::Ok, Icon::Exclamation));
        return view.focus(kWhat);
    }
    const FindOptions o = options(view);
    const int direction = mode_ == FindMode::Replace || view.checked(kDown) ? 1 : -1;
    const int found = SearchText(ctx_.editor, what, o.wholeWord, o.matchCase, direction);
    FindState& state = ctx_.find;
    if (found >= 0) {
        state.dialogFindFound = true;
        if (wrapped_ && o.beepOnCycle) ctx_.desktop.beep();
        wrapped_ = false;
        const int end = found + static_cast<int>(what.size());
        select(ctx_, found, end);
        result_.matchStart = found, result_.matchEnd = end, result_.options = o;
        if (mode_ == FindMode::Replace) view.setText(kDialogOk, "&Skip");
        else if (!view.checked(kKeepOpen)) view.close(kDialogOk);
    } else if (!wrapped_ && !o.doNotCycle) {
        wrapped_ = true;
        const int wrapTo = direction > 0 ? 0 : ctx_.editor.textLength();
        ctx_.editor.setSelection(wrapTo, wrapTo);
        findNext(view);
    } else {
        ctx_.desktop.messageBox(notFound(findDialogLayout(mode_).title + " Text", state.dialogFindFound));
        wrapped_ = false;
        state.dialogFindFound = false;
        view.close(kDialogCancel);
    }
}

// Whatever is selected is replaced, matching or not, unless the text would pass the limit; the
// bookmarks follow the lines it adds or removes.
void FindDialog::replace(DialogView& view) {
    const std::u16string with = utf16(view.text(kWith));
    if (with.empty()) {
        ctx_.desktop.messageBox(box("Error", "Must specify what to replace with", Buttons::Ok, Icon::Exclamation));
        return view.focus(kWith);
    }
    const Selection selection = ctx_.editor.selection();
    if (!roomForInsertion(ctx_, with, selection.end - selection.start)) return;
    const EditSpan span{selection.start, ctx_.editor.lineCount()};
    ctx_.editor.replaceSelection(with, true);
    followEdit(ctx_, span);
    findNext(view);
}

// All the replacements are made as one edit, so that one Undo takes them all back (the control keeps
// a single undo step) and the cost stays linear in the text. An empty What would match everywhere
// without end: it is refused like an empty What for Find next.
void FindDialog::replaceAll(DialogView& view) {
    const std::u16string what = utf16(view.text(kWhat));
    if (what.empty()) {
        ctx_.desktop.messageBox(box("Error", "Must specify what to find", Buttons::Ok, Icon::Exclamation));
        return view.focus(kWhat);
    }
    const Answer answer = ctx_.desktop.messageBox(box(
        "Replae all", "Be very carefull with this feature...\r\nProceed anyway? ", Buttons::YesNo, Icon::Exclamation));
    if (answer == Answer::Yes) {
        EditControl& editor = ctx_.editor;
        const FindOptions o = options(view);
        const std::u16string old = editor.text(), with = utf16(view.text(kWith));
        const ReplaceAllPlan plan = planReplaceAll(old, what, with, o.wholeWord, o.matchCase);
        editor.setSelection(plan.start, plan.end);
        if (plan.count > 0) {
            // The control would cut off what passes its limit, and with it the text's tail; raised
            // as a long document's is, the limit leaves room to go on typing.
            const auto replaced = static_cast<std::size_t>(plan.end - plan.start);
            raiseTextLimitFor(editor, static_cast<int>(old.size() - replaced + plan.replacement.size()));
            editor.replaceSelection(plan.replacement, true);
            followReplacements(ctx_, old, plan, static_cast<int>(what.size()), with);
        }
        ctx_.desktop.messageBox(box("Replace all", "Done - Replaced " + std::to_string(plan.count) + " occurances",
                                    Buttons::Ok, Icon::Information));
        ctx_.find.dialogFindFound = false;
    }
    result_.outcome = -1;
    view.close(kDialogOk);
}

void runFind(SearchContext& ctx, FindMode mode) {
    switch (mode) {
    case FindMode::FindNext: return findAgain(ctx, 1);
    case FindMode::FindPrevious: return findAgain(ctx, -1);
    case FindMode::Find:
    case FindMode::Replace: return openFindDialog(ctx, mode);
    }
}

}  // namespace tess
