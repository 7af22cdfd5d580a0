#include "DialogScript.h"

#include <map>
#include <optional>
#include <stdexcept>

namespace tess::test {
namespace {

using namespace controlstyle;

// The table's controls as data; an id the table lacks throws, as on the real dialog. Focus starts on the first tab stop.
struct TableDialog : DialogView {
    explicit TableDialog(const DialogSpec& s) : spec(s) {
        for (auto c = s.controls.rbegin(); c != s.controls.rend(); ++c)
            texts[c->id] = c->text, focused = c->style & kTabStop ? c->id : focused;
    }
    const DialogControl& at(int id) const {
        for (const DialogControl& c : spec.controls)
            if (c.id == id) return c;
        throw std::out_of_range("no control " + std::to_string(id));
    }
    std::string text(int id) const override { return texts.at(at(id).id); }
    void setText(int id, const std::string& text) override { texts[at(id).id] = text; }
    bool checked(int id) const override { return checks.count(at(id).id) && checks.at(id); }
    void setChecked(int id, bool on) override { checks[at(id).id] = on; }
    void enable(int id, bool) override { at(id); }
    std::vector<std::string> listItems(int) const override { return {}; }
    void setListItems(int, const std::vector<std::string>&) override {}
    int selectedIndex(int) const override { return -1; }
    void select(int, int) override {}
    void focus(int id) override { focused = at(id).id; }
    void close(int value) override { result = result.value_or(value); }

    // As the dialog manager takes a click: an auto check box toggles, an auto radio button clears the others (the
    // tables have one group), button 2 cancels.
    void click(DialogModel& model, int id) {
        const std::uint32_t kind = at(id).style & 0xF;
        if (id == kDialogCancel) return cancel(model);
        if (kind == kCheckBox) setChecked(id, !checked(id));
        for (const DialogControl& c : spec.controls)
            if (kind == kRadioButton && (c.style & 0xF) == kRadioButton) setChecked(c.id, c.id == id);
        model.command(*this, id, notification::kClicked);
    }
    void cancel(DialogModel& model) {
        if (model.cancel(*this)) close(kDialogCancel);
    }

    const DialogSpec& spec;
    std::map<int, std::string> texts;
    std::map<int, bool> checks;
    int focused = 0;
    std::optional<int> result;
};

}  // namespace

int playDialog(const DialogSpec& spec, DialogModel& model, DialogSteps& steps, std::vector<std::string>& seen) {
    TableDialog dialog(spec);
    seen.push_back(spec.title);
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
        case DialogStep::Enter: model.command(dialog, kDialogOk, notification::kClicked); break;
        case DialogStep::Esc:
        case DialogStep::CloseBox: dialog.cancel(model); break;
        case DialogStep::Look: seen.push_back(step.id ? dialog.text(step.id) : "focus " + std::to_string(dialog.focused));
        }
    }
    if (!dialog.result) seen.emplace_back("left open"), dialog.cancel(model);
    return dialog.result.value_or(kDialogCancel);
}

}  // namespace tess::test
