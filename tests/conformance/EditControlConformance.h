#pragma once
// The cases that every EditControl must pass: the in-memory model natively, and under Wine both
// the model and a real multi-line EDIT control. The real control is the reference; when the two
// disagree the model is wrong.
#include "platform/EditControl.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

namespace tess {
inline void PrintTo(const Selection& s, std::ostream* os) { *os << "(" << s.start << ", " << s.end << ")"; }
}  // namespace tess

namespace tess::conformance {

// One control under test, with what the cases need around it: the clipboard its cut, copy and
// paste use, and the keys the control handles by itself.
class Subject {
public:
    virtual ~Subject() = default;
    virtual EditControl& control() = 0;
    // The real control as Wine implements it, for the few places where Wine differs from Windows.
    virtual bool isWineControl() const { return false; }

    // Puts text on the clipboard; an empty text clears the clipboard.
    virtual void setClipboard(std::string_view text) = 0;
    virtual std::string clipboard() = 0;

    // A typed character as WM_CHAR delivers it ('\r' is Enter, '\b' is Backspace).
    virtual void typeChar(char c) = 0;
    virtual void pressDelete() = 0;
    virtual void pressUp() = 0;
    virtual void pressDown() = 0;
};

struct Target {
    std::string name;
    std::function<std::unique_ptr<Subject>()> make;
};

inline void PrintTo(const Target& target, std::ostream* os) { *os << target.name; }

// The in-memory model as a target (tests/support/InMemoryEditControl).
Target inMemoryTarget();

class EditControlConformance : public testing::TestWithParam<Target> {
protected:
    void SetUp() override { subject_ = GetParam().make(); }
    void TearDown() override { subject_.reset(); }
    Subject& subject() { return *subject_; }
    EditControl& edit() { return subject_->control(); }

private:
    std::unique_ptr<Subject> subject_;
};

inline std::string targetName(const testing::TestParamInfo<Target>& info) { return info.param.name; }

}  // namespace tess::conformance
