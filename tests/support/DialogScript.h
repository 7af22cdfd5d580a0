#pragma once
// What a user does in a command's dialogs, step by step: natively on a dialog made of the table's data, under Wine on
// the real one. What the user saw comes back as text: each dialog's title as it opens, what each Look read, "left open"
// when the steps ran out with a dialog open (the close box then closes it), "closed early" when steps were left over.
#include "platform/DialogModel.h"

#include <deque>

namespace tess::test {

struct DialogStep {
    enum Kind { Type, Tick, Untick, Click, Pick, Enter, Esc, CloseBox, Look } kind;
    int id = 0;        // Look with 0: "focus " and the focused control's id
    std::string text;  // Type; Pick: the list's entry
};
using DialogSteps = std::deque<DialogStep>;

// Runs one dialog natively: check boxes and radio buttons change as the dialog manager changes them, a pick notifies as
// a list does, Enter clicks button 1, the close box and button 2 cancel, Esc too where the dialog lets it.
int playDialog(const DialogLayout& layout, DialogModel& model, DialogSteps& steps, std::vector<std::string>& seen);

}  // namespace tess::test
