#pragma once
// A dialog as its model sees it, with no window: the controls of a DialogSpec holding their texts,
// checks and lists. Asking for an id the table lacks throws, as the real dialog does.
#include "platform/DialogModel.h"

#include <map>

namespace tess::test {

class FakeDialogView : public DialogView {
public:
    explicit FakeDialogView(const DialogSpec& spec) {
        for (const DialogControl& c : spec.controls) controls_[c.id].text = c.text;
    }
    std::string text(int id) const override { return controls_.at(id).text; }
    void setText(int id, const std::string& text) override { controls_.at(id).text = text; }
    bool checked(int id) const override { return controls_.at(id).checked; }
    void setChecked(int id, bool checked) override { controls_.at(id).checked = checked; }
    void enable(int id, bool) override { controls_.at(id); }
    std::vector<std::string> listItems(int id) const override { return controls_.at(id).items; }
    void setListItems(int id, const std::vector<std::string>& items) override { controls_.at(id) = {.items = items}; }
    int selectedIndex(int id) const override { return controls_.at(id).selected; }
    void select(int id, int index) override { controls_.at(id).selected = index; }
    void focus(int id) override { controls_.at(id); }
    void close(int result) override { closed = closed.value_or(result); }

    std::optional<int> closed;

private:
    struct Control { std::string text; bool checked = false; std::vector<std::string> items; int selected = -1; };
    std::map<int, Control> controls_;
};

}  // namespace tess::test
