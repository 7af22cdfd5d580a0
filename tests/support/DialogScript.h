#pragma once
// What a user does in a command's dialogs, step by step: natively on a dialog made of the table's data, under Wine on
// the real one. What the user saw comes back as text: each dialog's title as it opens, what each Look read, "left open"
// when the steps ran out with a dialog open (the close box then closes it), "closed early" when steps were left over.
#include "platform/DialogModel.h"

#include <algorithm>
#include <deque>
#include <map>
#include <stdexcept>

namespace tess::test {

struct DialogStep {
    enum Kind { Type, Tick, Untick, Click, Pick, Enter, Esc, CloseBox, Look } kind;
    int id = 0;        // Look with 0: "focus " and the focused control's id
    std::string text;  // Type; Pick: the list's entry
};
using DialogSteps = std::deque<DialogStep>;

// The table's controls as data; an id the table lacks throws as on the real dialog. Focus starts on the first tab stop.
struct TableDialog : DialogView {
    using Texts = std::vector<std::string>;

    explicit TableDialog(const DialogLayout& s) : layout(s) {
        for (auto c = s.controls.rbegin(); c != s.controls.rend(); ++c)
            texts[c->id] = c->text, focused = c->style & controlstyle::kTabStop ? c->id : focused;
    }
    const DialogControl& at(int id) const {
        for (const DialogControl& c : layout.controls)
            if (c.id == id) return c;
        throw std::out_of_range("no control " + std::to_string(id));
    }
    std::string text(int id) const override { return texts.at(at(id).id); }
    void setText(int id, const std::string& text) override { texts[at(id).id] = text; }
    bool checked(int id) const override { return checks.count(at(id).id) && checks.at(id); }
    void setChecked(int id, bool on) override { checks[at(id).id] = on; }
    Texts listItems(int id) const override { return lists.count(at(id).id) ? lists.at(id) : Texts{}; }
    void setListItems(int id, const Texts& items) override { lists[at(id).id] = items, picked[id] = -1; }
    int selectedIndex(int id) const override { return picked.at(at(id).id); }
    void select(int id, int index) override { picked[at(id).id] = index; }
    void focus(int id) override { focused = at(id).id; }
    void close(int value) override { result = result.value_or(value); }

    // As the dialog manager takes a click: an auto check box toggles, an auto radio button clears the rest (one group).
    void click(DialogModel& model, int id) {
        using namespace controlstyle;
        const std::uint32_t kind = at(id).style & 0xF;
        if (id == kDialogCancel) return cancel(model);
        if (kind == kCheckBox) setChecked(id, !checked(id));
        for (const DialogControl& c : layout.controls)
            if (kind == kRadioButton && (c.style & 0xF) == kRadioButton) setChecked(c.id, c.id == id);
        model.command(*this, id, notification::kClicked);
    }
    void cancel(DialogModel& model) {
        if (model.cancel(*this)) close(kDialogCancel);
    }

    const DialogLayout& layout;
    std::map<int, std::string> texts;
    std::map<int, Texts> lists;
    std::map<int, int> picked;
    std::map<int, bool> checks;
    int focused = 0;
    std::optional<int> result;
};

// Runs one dialog natively: check boxes and radio buttons change as the dialog manager changes them, a pick notifies as
// a list does, Enter clicks button 1, the close box and button 2 cancel, Esc too where the dialog lets it.
inline int playDialog(const DialogLayout& layout, DialogModel& model, DialogSteps& steps,
                      std::vector<std::string>& seen) {
    TableDialog dialog(layout);
    seen.push_back(layout.title);
    model.initialise(dialog);
    for (; !dialog.result && !steps.empty(); steps.pop_front()) {
        const DialogStep& step = steps.front();
        switch (step.kind) {
        case DialogStep::Type: dialog.setText(step.id, step.text); break;
        case DialogStep::Tick:
        case DialogStep::Untick:
            if (dialog.checked(step.id) != (step.kind == DialogStep::Tick)) dialog.click(model, step.id);
            break;
        case DialogStep::Click: dialog.click(model, step.id); break;
        case DialogStep::Pick: {
            const TableDialog::Texts items = dialog.listItems(step.id);
            dialog.select(step.id, static_cast<int>(std::find(items.begin(), items.end(), step.text) - items.begin()));
            model.command(dialog, step.id, notification::kSelectionChanged);
            break;
        }
        case DialogStep::Enter: model.command(dialog, kDialogOk, notification::kClicked); break;
        case DialogStep::Esc:
            if (layout.escapeCancels) dialog.cancel(model);
            break;
        case DialogStep::CloseBox: dialog.cancel(model); break;
        case DialogStep::Look:
            seen.push_back(step.id ? dialog.text(step.id) : "focus " + std::to_string(dialog.focused));
        }
    }
    if (!dialog.result) seen.emplace_back("left open"), dialog.cancel(model);
    return dialog.result.value_or(kDialogCancel);
}

}  // namespace tess::test
