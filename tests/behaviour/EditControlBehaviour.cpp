// The real control under Wine is the reference for the in-memory model: where the two disagree the model is wrong.
// Only what the program asks of the control is pinned down.
#include "EditorSubject.h"

#include <functional>

namespace tess { inline void PrintTo(const Selection& s, std::ostream* os) { *os << s.start << ".." << s.end; } }

namespace tess::test {
namespace {

// Keys go to the control through the editor's own handling, which leaves the ones used here alone.
using Step = std::function<void(EditorSubject&)>;
using S = EditorSubject&;
Step setText(std::string t) { return [=](S s) { s.editor().setText(utf16(t)); }; }
Step select(int a, int c) { return [=](S s) { s.editor().setSelection(a, c); }; }
Step replace(std::string t) { return [=](S s) { s.editor().replaceSelection(utf16(t), true); }; }
Step undo() { return [](S s) { s.editor().undo(); }; }
Step cut() { return [](S s) { s.editor().cut(); }; }
Step copy() { return [](S s) { s.editor().copy(); }; }
Step paste() { return [](S s) { s.editor().paste(); }; }
Step setModified(bool m) { return [=](S s) { s.editor().setModified(m); }; }
Step limit(int l) { return [=](S s) { s.editor().setTextLimit(l); }; }
Step clipboard(std::string t) { return [=](S s) { s.desktop().setClipboardText(utf16(t)); }; }
Step keys(std::string script) { return [=](S s) { s.keys(script); }; }
Step text(std::string t) { return [=](S s) { EXPECT_EQ(utf8(s.editor().text()), t); }; }
Step sel(int a, int b) { return [=](S s) { EXPECT_EQ(s.editor().selection(), (Selection{a, b})); }; }
Step modified(bool m) { return [=](S s) { EXPECT_EQ(s.editor().modified(), m); }; }
Step clipboardHolds(std::string t) { return [=](S s) { EXPECT_EQ(utf8(s.desktop().clipboardText()), t); }; }
Step limitIs(int l) { return [=](S s) { EXPECT_EQ(s.editor().textLimit(), l); }; }
Step line(int l, int index, std::string t) {
    return [=](S s) { EXPECT_EQ(std::pair(s.editor().lineIndex(l), utf8(s.editor().lineText(l))), std::pair(index, t)) << l; };
}
Step lineOf(int pos, int l) { return [=](S s) { EXPECT_EQ(s.editor().lineFromChar(pos), l) << pos; }; }
Step caretLineStart(int i) { return [=](S s) { EXPECT_EQ(s.editor().lineIndex(-1), i); }; }
struct Script { const char* name; std::vector<Step> steps; };

const std::string kLong = "[" + std::string(69998, 'x') + "]";
const Script kScripts[] = {
    // EM_GETLINE takes its buffer size in a 16-bit word, but the editor holds 100000 characters.
    {"a line over 65535 is read whole; a position inside a line break is on its line, one past the end on the last",
     {setText("ab\r\n" + kLong + "\r\nlast"), line(1, 4, kLong), line(2, 70006, "last"), line(3, -1, ""), lineOf(3, 0),
      lineOf(100000, 2)}},
    {"the second argument is the caret, also when first; start -1 drops the anchor; set text puts the caret at 0",
     {setText("abcdef"), select(1, 4), sel(1, 4), select(-1, 0), sel(4, 4), select(4, 1), sel(1, 4), select(-1, 0),
      sel(1, 1), setText("ab\r\ncd"), sel(0, 0), select(3, 3), sel(3, 3)}},  // a position inside a line break stays
    {"line -1 is the caret's; four lines of four characters, line n starting at 6n",
     {setText("abcd\r\nefgh\r\nijkl\r\nmnop"), select(7, 7), caretLineStart(6), select(2, 15), caretLineStart(12),
      select(2, 6), caretLineStart(6), select(22, 22), caretLineStart(18), select(15, 2), caretLineStart(0)}},

    {"replace, undo, and a second undo redoes it",
     {setText("hello world"), select(6, 11), replace("there"), text("hello there"), sel(11, 11), undo(),
      text("hello world"), sel(6, 11), undo(), text("hello there"), sel(6, 11)}},
    {"consecutive replacements at the caret are one step",
     {setText(""), replace("ab"), replace("cd"), undo(), text(""), sel(0, 0), undo(), text("abcd"), sel(0, 4)}},
    // Undo does not check that there is a step: it only drops the selection where the last one was.
    {"set text empties the undo step", {setText("abc"), replace("X"), setText("abcdef"), select(2, 4), undo(),
      text("abcdef"), sel(0, 0), modified(false)}},
    {"set text clears the flag, a replacement raises it",
     {setText("abc"), modified(false), replace("x"), modified(true), setModified(false), modified(false),
      undo(), modified(true), setText("z"), modified(false)}},
    {"replacing, deleting or cutting nothing is no change",
     {setText("abc"), select(3, 3), replace(""), keys("{Del}"), cut(), text("abc"), modified(false)}},

    {"set text ignores the limit, a replacement cannot grow the text over it",
     {limit(5), setText("abcdefgh"), text("abcdefgh"), limitIs(5), modified(false), select(8, 8), replace("XY"),
      text("abcdefgh"), select(0, 4), replace("1"), text("1efgh")}},
    {"a replacement and a paste are cut off at the limit, typing stops there",
     {limit(6), clipboard("xyz"), setText("ab"), select(2, 2), replace("cdefgh"), text("abcdef"), sel(6, 6),
      select(0, 2), paste(), text("xycdef"), sel(2, 2), select(6, 6), keys("q"), text("xycdef")}},

    {"copying nothing leaves the clipboard, copy leaves the text, paste inserts at the caret",
     {clipboard("keep"), setText("one two three"), select(4, 4), copy(), clipboardHolds("keep"), select(4, 7), copy(),
      clipboardHolds("two"), text("one two three"), sel(4, 7), modified(false), select(13, 13), paste(),
      text("one two threetwo"), sel(16, 16), modified(true)}},

    {"Backspace after typing is one undo step",
     {setText(""), keys("abc"), keys("\b\b"), text("a"), undo(), text("abc"), sel(1, 3)}},
};

TEST(EditControl, Scripts) {
    for (const Script& script : kScripts) {
        const auto s = makeEditorSubject();
        int index = 0;
        for (const Step& step : script.steps) {
            SCOPED_TRACE(testing::Message() << script.name << ", step " << index++);
            step(*s);
        }
    }
}

}  // namespace
}  // namespace tess::test
