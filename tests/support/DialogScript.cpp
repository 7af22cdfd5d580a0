#include "DialogScript.h"

#include <map>
#include <optional>
#include <stdexcept>

namespace tess::test {
namespace {

using namespace controlstyle;

// The table's controls as data; asking for an id the table lacks throws, as the real dialog does.
class TableDialog : public DialogView {
public:
    explicit TableDialog(const DialogSpec& spec) : spec_(spec) {
        for (const DialogControl& c : spec.controls) texts_[c.id] = c.text;
        for (auto c = spec.controls.rbegin(); c != spec.controls.rend(); ++c)
            if (c->style & kTabStop) focus_ = c->id;
    }
    std::string text(int id) const override { return texts_.at(known(id)); }
    void setText(int id, const std::string& text) override { texts_[known(id)] = text; }
    bool checked(int id) const override { return checked_.count(known(id)) && checked_.at(id); }
    void setChecked(int id, bool checked) override { checked_[known(id)] = checked; }
    void enable(int id, bool) override { known(id); }
    std::vector<std::string> listItems(int) const override { return {}; }
    void setListItems(int, const std::vector<std::string>&) override {}
    int selectedIndex(int) const override { return -1; }
    void select(int, int) override {}
    void focus(int id) override { focus_ = known(id); }
    void close(int result) override { result_ = result_.value_or(result); }

    // A click as the dialog manager takes it: an auto check box toggles, an auto radio button is
    // checked and the others of its group cleared.
    void click(DialogModel& model, int id) {
        if (id == kDialogCancel) return cancel(model);
        const std::size_t at = index(id);
        const std::uint32_t kind = spec_.controls[at].style & 0xF;
        if (kind == kCheckBox) setChecked(id, !checked(id));
        if (kind == kRadioButton) {
            std::size_t first = at;
            while (first > 0 && !(spec_.controls[first].style & kGroup)) --first;
            const auto& c = spec_.controls;
            for (std::size_t i = first; i < c.size() && (i == first || !(c[i].style & kGroup)); ++i)
                if ((c[i].style & 0xF) == kRadioButton) setChecked(c[i].id, i == at);
        }
        model.command(*this, id, notification::kClicked);
    }
    void cancel(DialogModel& model) {
        if (model.cancel(*this)) close(kDialogCancel);
    }
    int focused() const { return focus_; }
    std::optional<int> result_;

private:
    std::size_t index(int id) const {
        for (std::size_t i = 0; i < spec_.controls.size(); ++i)
            if (spec_.controls[i].id == id) return i;
        throw std::out_of_range("no control " + std::to_string(id));
    }
    int known(int id) const { return spec_.controls[index(id)].id; }

    const DialogSpec& spec_;
    std::map<int, std::string> texts_;
    std::map<int, bool> checked_;
    int focus_ = 0;
};

}  // namespace

int playDialog(const DialogSpec& spec, DialogModel& model, DialogSteps& steps, std::vector<std::string>& seen) {
    TableDialog dialog(spec);
    seen.push_back(spec.title);
    model.initialise(dialog);
    while (!dialog.result_) {
        if (steps.empty()) {
            seen.emplace_back("left open");
            dialog.cancel(model);
            break;
        }
        const DialogStep step = steps.front();
        steps.pop_front();
        switch (step.kind) {
        case DialogStep::Type:
            dialog.setText(step.id, step.text);
            model.command(dialog, step.id, notification::kEditChanged);
            break;
        case DialogStep::Tick:
        case DialogStep::Untick:
            if (dialog.checked(step.id) != (step.kind == DialogStep::Tick)) dialog.click(model, step.id);
            break;
        case DialogStep::Click: dialog.click(model, step.id); break;
        case DialogStep::Enter: model.command(dialog, kDialogOk, notification::kClicked); break;
        case DialogStep::Esc:
        case DialogStep::CloseBox: dialog.cancel(model); break;
        case DialogStep::Look:
            seen.push_back(step.id ? dialog.text(step.id) : "focus " + std::to_string(dialog.focused()));
            break;
        }
    }
    return dialog.result_.value_or(kDialogCancel);
}

}  // namespace tess::test
