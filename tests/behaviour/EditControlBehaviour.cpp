// What the editor's control does by itself, on both controls: the in-memory model natively and
// the real EDIT control of the main window under Wine. The real control is the reference; where
// the two disagree the model is wrong. Only what the program asks of the control is pinned down.
#include "EditorSubject.h"

#include <functional>

namespace tess { inline void PrintTo(const Selection& s, std::ostream* os) { *os << s.start << ".." << s.end; } }

namespace tess::test {
namespace {

// For a line: lineIndex(line), lineLength(index) when index >= 0, lineText(line); for a position:
// lineFromChar(pos), lineLength(pos).
struct LineFacts { int line, index, length; std::string text; };
struct PositionFacts { int pos, line, length; };
struct Layout { const char* name; std::string text; int lines; std::vector<LineFacts> line; std::vector<PositionFacts> at; };

const std::string kLong = "[" + std::string(69998, 'x') + "]";
const Layout kLayouts[] = {
    {"empty text", "", 1, {{0, 0, 0, ""}, {1, -1, 0, ""}}, {{0, 0, 0}}},
    {"one line", "abc", 1, {{0, 0, 3, "abc"}, {1, -1, 0, ""}}, {{0, 0, 3}, {3, 0, 3}}},
    {"ending with CR LF", "abc\r\n", 2, {{0, 0, 3, "abc"}, {1, 5, 0, ""}, {2, -1, 0, ""}}, {{4, 0, 3}, {5, 1, 0}}},
    // A position inside a line break is on its line, one past the end on the last line.
    {"positions", "ab\r\ncd", 2, {{0, 0, 2, "ab"}, {1, 4, 2, "cd"}}, {{2, 0, 2}, {3, 0, 2}, {4, 1, 2}, {100, 1, 2}}},
    {"an empty line", "ab\r\n\r\ncd", 3, {{1, 4, 0, ""}, {2, 6, 2, "cd"}, {3, -1, 0, ""}}, {{5, 1, 0}, {6, 2, 2}}},
    {"a lone CR is no line break", "ab\rcd", 1, {{0, 0, 5, "ab\rcd"}}, {{3, 0, 5}}},
    {"CR CR LF is a soft line break", "ab\r\r\ncd", 2, {{0, 0, 2, "ab"}, {1, 5, 2, "cd"}}, {{3, 0, 2}, {5, 1, 2}}},
    // EM_GETLINE takes its buffer size in a 16-bit word, but the editor holds 100000 characters.
    {"a line over 65535", "first\r\n" + kLong + "\r\nlast", 3, {{1, 7, 70000, kLong}, {2, 70009, 4, "last"}}, {}},
};

TEST(EditControl, LinesAndPositions) {
    const auto s = makeEditorSubject();
    EditControl& edit = s->editor();
    for (const Layout& c : kLayouts) {
        SCOPED_TRACE(c.name);
        edit.setText(c.text);
        EXPECT_EQ(edit.text(), c.text);
        EXPECT_EQ(edit.textLength(), static_cast<int>(c.text.size()));
        EXPECT_EQ(edit.lineCount(), c.lines);
        for (const LineFacts& l : c.line) {
            EXPECT_EQ(edit.lineIndex(l.line), l.index) << "lineIndex(" << l.line << ")";
            EXPECT_EQ(edit.lineText(l.line), l.text) << "lineText(" << l.line << ")";
            if (l.index < 0) continue;
            EXPECT_EQ(edit.lineLength(l.index), l.length) << "lineLength(" << l.index << ")";
        }
        for (const PositionFacts& p : c.at) {
            EXPECT_EQ(edit.lineFromChar(p.pos), p.line) << "lineFromChar(" << p.pos << ")";
            EXPECT_EQ(edit.lineLength(p.pos), p.length) << "lineLength(" << p.pos << ")";
        }
    }
}

// Edit scripts: a sequence of operations with checks along the way. Keys go to the control through
// the editor's own handling, which leaves the ones used here alone.
using Step = std::function<void(EditorSubject&)>;
using S = EditorSubject&;
Step setText(std::string t) { return [=](S s) { s.editor().setText(t); }; }
Step select(int a, int c) { return [=](S s) { s.editor().setSelection(a, c); }; }
Step replace(std::string t) { return [=](S s) { s.editor().replaceSelection(t, true); }; }
Step undo() { return [](S s) { s.editor().undo(); }; }
Step cut() { return [](S s) { s.editor().cut(); }; }
Step copy() { return [](S s) { s.editor().copy(); }; }
Step paste() { return [](S s) { s.editor().paste(); }; }
Step setModified(bool m) { return [=](S s) { s.editor().setModified(m); }; }
Step limit(int l) { return [=](S s) { s.editor().setTextLimit(l); }; }
Step clipboard(std::string t) { return [=](S s) { s.desktop().setClipboardText(t); }; }
Step keys(std::string script) { return [=](S s) { s.keys(script); }; }
Step text(std::string t) { return [=](S s) { EXPECT_EQ(s.editor().text(), t); }; }
Step sel(int a, int b) { return [=](S s) { EXPECT_EQ(s.editor().selection(), (Selection{a, b})); }; }
Step modified(bool m) { return [=](S s) { EXPECT_EQ(s.editor().modified(), m); }; }
Step clipboardHolds(std::string t) { return [=](S s) { EXPECT_EQ(s.desktop().clipboardText(), t); }; }
Step limitIs(int l) { return [=](S s) { EXPECT_EQ(s.editor().textLimit(), l); }; }
Step caretLineStart(int i) { return [=](S s) { EXPECT_EQ(s.editor().lineIndex(-1), i); }; }
struct Script { const char* name; std::vector<Step> steps; };

const std::string kBytes = [] { std::string b; for (int c = 1; c <= 255; ++c) b += static_cast<char>(c); return b; }();

const Script kScripts[] = {
    {"the second argument is the caret, also when first; start -1 drops the anchor; set text puts the caret at 0",
     {setText("abcdef"), select(1, 4), sel(1, 4), select(-1, 0), sel(4, 4), select(4, 1), sel(1, 4), select(-1, 0),
      sel(1, 1), setText("ab\r\ncd"), sel(0, 0), select(3, 3), sel(3, 3)}},  // a position inside a line break stays
    {"line -1 is the caret's; four lines of four characters, line n starting at 6n",
     {setText("abcd\r\nefgh\r\nijkl\r\nmnop"), select(7, 7), caretLineStart(6), select(2, 15), caretLineStart(12),
      select(2, 6), caretLineStart(6), select(22, 22), caretLineStart(18), select(15, 2), caretLineStart(0)}},

    // Undo keeps one step, and a second undo redoes it
    {"replace, undo, undo again",
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

    // The limit applies to replacement, pasting and typing, not to set text
    {"set text ignores the limit, a replacement cannot grow the text over it",
     {limit(5), setText("abcdefgh"), text("abcdefgh"), limitIs(5), modified(false), select(8, 8), replace("XY"),
      text("abcdefgh"), select(0, 4), replace("1"), text("1efgh")}},
    {"a replacement and a paste are cut off at the limit, typing stops there",
     {limit(6), clipboard("xyz"), setText("ab"), select(2, 2), replace("cdefgh"), text("abcdef"), sel(6, 6),
      select(0, 2), paste(), text("xycdef"), sel(2, 2), select(6, 6), keys("q"), text("xycdef")}},

    // Cut, copy and paste
    {"copying nothing leaves the clipboard, copy leaves the text, paste inserts at the caret",
     {clipboard("keep"), setText("one two three"), select(4, 4), copy(), clipboardHolds("keep"), select(4, 7), copy(),
      clipboardHolds("two"), text("one two three"), sel(4, 7), modified(false), select(13, 13), paste(),
      text("one two threetwo"), sel(16, 16), modified(true)}},

    // Keys the control handles by itself
    {"Backspace after typing is one undo step",
     {setText(""), keys("abc"), keys("\b\b"), text("a"), undo(), text("abc"), sel(1, 3)}},
    {"Backspace takes a soft break whole", {setText("ab\r\r\ncd"), select(5, 5), keys("\b"), text("abcd"), sel(2, 2)}},
    // Texts that must come back byte for byte; the control takes text as a C string, ending at a NUL
    {"every byte value round trips",
     {setText(kBytes), text(kBytes), setText("<>"), select(1, 1), replace(kBytes), text("<" + kBytes + ">")}},
    {"text ends at the first NUL",
     {setText(std::string("ab\0cd", 5)), text("ab"), select(1, 1), replace(std::string("x\0y", 3)), text("axb")}},
};

TEST(EditControl, Scripts) {
    for (const Script& script : kScripts) {
        const auto s = makeEditorSubject();  // each script on a control of its own
        int index = 0;
        for (const Step& step : script.steps) {
            SCOPED_TRACE(testing::Message() << script.name << ", step " << index++);
            step(*s);
        }
    }
}

}  // namespace
}  // namespace tess::test
