#include "EditorSubject.h"

#include <gtest/gtest.h>

namespace tess::test {
namespace {

TEST(Smoke, TypingOnBothSubjects) {
    auto s = makeEditorSubject();
    s->set("   a|bc");
    s->keys("{Enter}(x");
    EXPECT_EQ(s->marked(), "   a\r\n   (x|)bc");
    EXPECT_EQ(s->status()[1], " 2");
    EXPECT_EQ(s->status()[2], " 6");
    s->set("l1\r\nl2\r\n|l3\r\nl4");
    s->bookmark({3, 4});
    s->caretAt(3, 1);
    s->desktop().setClipboardText("X\r\n");
    s->keys("{C-V}");
    EXPECT_EQ(s->app().bookmarks, (std::vector<int>{4, 5}));
    s->keys("{A-Back}");
    EXPECT_EQ(s->app().bookmarks, (std::vector<int>{3, 4}));
    EXPECT_EQ(s->gutterRows(), (std::vector<std::string>{"1", "2", ">3", ">4"}));
}

}  // namespace
}  // namespace tess::test
