// What the editor's control does by itself, on both controls: the in-memory model natively and
// the real EDIT control of the main window under Wine. The real control is the reference; where
// the two disagree the model is wrong. Where Wine's control differs from the documented Windows
// one, the model follows Windows and the row says so.
#include "EditorSubject.h"

#include <functional>
#include <string>
#include <vector>

namespace tess {
inline void PrintTo(const Selection& s, std::ostream* os) { *os << "(" << s.start << ", " << s.end << ")"; }
}  // namespace tess

namespace tess::test {
namespace {

// For a line: lineIndex(line), lineLength(index) when index >= 0, lineText(line); for a position:
// lineFromChar(pos), lineLength(pos). A Wine-only row pins down what Wine does instead.
struct LineFacts { int line, index, length; std::string text; };
struct PositionFacts { int pos, line, length; };
enum class On { All, NotWine, WineOnly };
struct LayoutCase { On on; const char* name; std::string text; int lineCount; std::vector<LineFacts> lines; std::vector<PositionFacts> positions; };

const std::string kLongLine = "[" + std::string(69998, 'x') + "]";

const LayoutCase kLayoutCases[] = {
    {On::All, "empty text", "", 1, {{0, 0, 0, ""}, {1, -1, 0, ""}}, {{0, 0, 0}}},
    {On::All, "one line", "abc", 1, {{0, 0, 3, "abc"}, {1, -1, 0, ""}}, {{0, 0, 3}, {3, 0, 3}}},
    {On::All, "text ending with CR LF", "abc\r\n", 2, {{0, 0, 3, "abc"}, {1, 5, 0, ""}, {2, -1, 0, ""}},
     {{3, 0, 3}, {4, 0, 3}, {5, 1, 0}}},
    {On::All, "positions at and inside a line break", "ab\r\ncd", 2, {{0, 0, 2, "ab"}, {1, 4, 2, "cd"}},
     {{2, 0, 2}, {3, 0, 2}, {4, 1, 2}, {6, 1, 2}}},
    {On::All, "an empty line between two", "ab\r\n\r\ncd", 3,
     {{0, 0, 2, "ab"}, {1, 4, 0, ""}, {2, 6, 2, "cd"}, {3, -1, 0, ""}}, {{4, 1, 0}, {5, 1, 0}, {6, 2, 2}}},
    {On::All, "only a line break", "\r\n", 2, {{0, 0, 0, ""}, {1, 2, 0, ""}}, {{0, 0, 0}, {1, 0, 0}, {2, 1, 0}}},
    {On::All, "a position past the end is on the last line", "ab\r\ncdef", 2, {}, {{100, 1, 4}}},
    {On::All, "a lone CR is no line break", "ab\rcd", 1, {{0, 0, 5, "ab\rcd"}}, {{3, 0, 5}}},
    {On::All, "CR CR LF is a soft line break", "ab\r\r\ncd", 2, {{0, 0, 2, "ab"}, {1, 5, 2, "cd"}}, {{3, 0, 2}, {4, 0, 2}, {5, 1, 2}}},
    // EM_GETLINE takes its buffer size in a 16-bit word, but the editor holds 100000 characters.
    {On::All, "a line longer than 65535", "first\r\n" + kLongLine + "\r\nlast", 3,
     {{1, 7, 70000, kLongLine}, {2, 70009, 4, "last"}}, {}},
    // Windows breaks lines at CR LF only (LF alone needs an opt-in extended style).
    {On::NotWine, "a lone LF is no line break", "ab\ncd", 1, {{0, 0, 5, "ab\ncd"}}, {{3, 0, 5}}},
    {On::WineOnly, "Wine breaks lines at a lone LF", "ab\ncd", 2, {{0, 0, 2, "ab"}, {1, 3, 2, "cd"}}, {{3, 1, 2}}},
};

TEST(EditControl, LinesAndPositions) {
    const auto s = makeEditorSubject();
    EditControl& edit = s->editor();
    for (const auto& c : kLayoutCases) {
        if (c.on == (s->onWine() ? On::NotWine : On::WineOnly)) continue;
        SCOPED_TRACE(c.name);
        edit.setText(c.text);
        EXPECT_EQ(edit.text(), c.text);
        EXPECT_EQ(edit.textLength(), static_cast<int>(c.text.size()));
        EXPECT_EQ(edit.lineCount(), c.lineCount);
        for (const auto& l : c.lines) {
            EXPECT_EQ(edit.lineIndex(l.line), l.index) << "lineIndex(" << l.line << ")";
            if (l.index >= 0) {
                EXPECT_EQ(edit.lineLength(l.index), l.length) << "lineLength(" << l.index << ")";
            }
            EXPECT_EQ(edit.lineText(l.line), l.text) << "lineText(" << l.line << ")";
        }
        for (const auto& p : c.positions) {
            EXPECT_EQ(edit.lineFromChar(p.pos), p.line) << "lineFromChar(" << p.pos << ")";
            EXPECT_EQ(edit.lineLength(p.pos), p.length) << "lineLength(" << p.pos << ")";
        }
    }
}

// lineFromChar(-1) is the line of the selection start, lineIndex(-1) the start of the caret's
// line, lineLength(-1) the count of unselected characters on the lines the selection touches.
struct SelectionQueryCase {
    const char* name;
    int anchor, caret;
    Selection selection;
    int lineOfStart, caretLineIndex, unselected;
    int unselectedOnWine = unselected;
};

// Four lines of four characters: line n starts at 6n.
const char kFourLines[] = "abcd\r\nefgh\r\nijkl\r\nmnop";

const SelectionQueryCase kSelectionQueryCases[] = {
    {"caret alone counts its whole line", 7, 7, {7, 7}, 1, 6, 4},
    {"selection inside one line", 7, 9, {7, 9}, 1, 6, 2},
    {"selection over three lines", 2, 15, {2, 15}, 0, 12, 3},
    {"selection ending at a line start counts that line", 2, 6, {2, 6}, 0, 6, 6},
    {"caret at the end of the text", 22, 22, {22, 22}, 3, 18, 4},
    // Wine counts from the anchor's line start to the caret's line end, whichever comes first.
    {"selection made backwards over three lines", 15, 2, {2, 15}, 0, 0, 3, 5},
};

TEST(EditControl, QueriesWithMinusOneReadTheSelection) {
    const auto s = makeEditorSubject();
    EditControl& edit = s->editor();
    edit.setText(kFourLines);
    for (const auto& c : kSelectionQueryCases) {
        SCOPED_TRACE(c.name);
        edit.setSelection(c.anchor, c.caret);
        EXPECT_EQ(edit.selection(), c.selection);
        EXPECT_EQ(edit.lineFromChar(-1), c.lineOfStart);
        EXPECT_EQ(edit.lineIndex(-1), c.caretLineIndex);
        EXPECT_EQ(edit.lineLength(-1), s->onWine() ? c.unselectedOnWine : c.unselected);
    }
}

// Edit scripts: a sequence of operations with checks along the way. Keys go to the control through
// the editor's own handling, which leaves the ones used here alone.
using Step = std::function<void(EditorSubject&)>;
Step setText(std::string t) { return [=](EditorSubject& s) { s.editor().setText(t); }; }
Step select(int a, int c) { return [=](EditorSubject& s) { s.editor().setSelection(a, c); }; }
Step replace(std::string t, bool u = true) { return [=](EditorSubject& s) { s.editor().replaceSelection(t, u); }; }
Step undo() { return [](EditorSubject& s) { s.editor().undo(); }; }
Step cut() { return [](EditorSubject& s) { s.editor().cut(); }; }
Step copy() { return [](EditorSubject& s) { s.editor().copy(); }; }
Step paste() { return [](EditorSubject& s) { s.editor().paste(); }; }
Step setModified(bool m) { return [=](EditorSubject& s) { s.editor().setModified(m); }; }
Step limit(int l) { return [=](EditorSubject& s) { s.editor().setTextLimit(l); }; }
Step clipboard(std::string t) { return [=](EditorSubject& s) { s.desktop().setClipboardText(t); }; }
Step keys(std::string script) { return [=](EditorSubject& s) { s.keys(script); }; }
Step text(std::string t) { return [=](EditorSubject& s) { EXPECT_EQ(s.editor().text(), t); }; }
Step sel(int a, int b) { return [=](EditorSubject& s) { EXPECT_EQ(s.editor().selection(), (Selection{a, b})); }; }
Step modified(bool m) { return [=](EditorSubject& s) { EXPECT_EQ(s.editor().modified(), m); }; }
Step canUndo(bool u) { return [=](EditorSubject& s) { EXPECT_EQ(s.editor().canUndo(), u); }; }
Step clipboardHolds(std::string t) { return [=](EditorSubject& s) { EXPECT_EQ(s.desktop().clipboardText(), t); }; }
Step limitIs(int l) { return [=](EditorSubject& s) { EXPECT_EQ(s.editor().textLimit(), l); }; }
struct Script { const char* name; std::vector<Step> steps; };

std::string everyByte() {
    std::string bytes;
    for (int b = 1; b <= 255; ++b) bytes.push_back(static_cast<char>(b));
    return bytes;
}

const Script kScripts[] = {
    // Selection
    {"set text puts the caret at the start", {setText("abc"), sel(0, 0), modified(false), canUndo(false)}},
    {"start -1 removes the selection and keeps the caret",
     {setText("abcdef"), select(1, 4), sel(1, 4), select(-1, 0), sel(4, 4)}},
    {"the second argument is the caret, also when it comes first",
     {setText("abcdef"), select(4, 1), sel(1, 4), select(-1, 0), sel(1, 1)}},
    {"a position inside a line break is kept as it is", {setText("ab\r\ncd"), select(3, 3), sel(3, 3)}},

    // Undo keeps one step, and a second undo redoes it
    {"replace, undo, undo again",
     {setText("hello world"), select(6, 11), replace("there"), text("hello there"), sel(11, 11), canUndo(true),
      undo(), text("hello world"), sel(6, 11), canUndo(true),
      undo(), text("hello there"), sel(6, 11)}},
    {"consecutive replacements at the caret are one step",
     {setText(""), replace("ab"), replace("cd"), text("abcd"), undo(), text(""), sel(0, 0), undo(), text("abcd"), sel(0, 4)}},
    {"a replacement without undo, and set text, empty the undo step",
     {setText("abc"), select(0, 1), replace("X"), canUndo(true), replace("Y", false), text("XYbc"), canUndo(false),
      replace("Z"), canUndo(true), setText("def"), canUndo(false)}},
    // Undo does not check that there is a step: it only drops the selection where the last one was.
    {"undo with nothing to undo changes no text",
     {setText("abcdef"), select(2, 4), undo(), text("abcdef"), sel(0, 0), modified(false)}},
    // The modified flag
    {"set text clears the flag, a replacement raises it",
     {setText("abc"), modified(false), replace("x"), modified(true), setModified(false), modified(false),
      undo(), modified(true), setText("z"), modified(false), replace("q", false), modified(true)}},
    {"replacing, deleting or cutting nothing is no change",
     {setText("abc"), select(3, 3), replace(""), keys("{Del}"), cut(), text("abc"), modified(false), canUndo(false)}},

    // The limit applies to replacement and typing, not to set text
    {"set text ignores the limit, a replacement cannot grow the text over it",
     {limit(5), setText("abcdefgh"), text("abcdefgh"), limitIs(5), modified(false), select(8, 8), replace("XY"),
      text("abcdefgh"), select(0, 4), replace("1"), text("1efgh")}},
    {"a replacement is cut off at the limit",
     {limit(6), setText("abc"), select(3, 3), replace("defgh"), text("abcdef"), sel(6, 6)}},
    {"typing stops at the limit", {limit(3), setText("ab"), select(2, 2), keys("xyz"), text("abx")}},
    {"limit 0 means no limit", {limit(0), limitIs(-1), setText("ab"), replace("cdef"), text("cdefab")}},

    // Cut, copy and paste
    {"copy leaves the text, paste inserts at the caret",
     {clipboard(""), setText("one two three"), select(4, 7), copy(), clipboardHolds("two"), text("one two three"),
      sel(4, 7), modified(false), select(13, 13), paste(), text("one two threetwo"), sel(16, 16), modified(true)}},
    {"copying nothing leaves the clipboard",
     {clipboard("keep"), setText("abc"), select(1, 1), copy(), clipboardHolds("keep"), text("abc")}},
    {"paste obeys the limit", {limit(4), clipboard("xyz"), setText("ab"), select(2, 2), paste(), text("abxy")}},

    // Keys the control handles by itself
    {"Backspace after typing is undone as one step",
     {setText(""), keys("abc"), keys("\b\b"), text("a"), undo(), text("abc"), sel(1, 3)}},
    {"Backspace after a soft line break removes all three characters",
     {setText("ab\r\r\ncd"), select(5, 5), keys("\b"), text("abcd"), sel(2, 2)}},
    // Texts that must come back byte for byte; the control takes text as a C string, ending at a NUL
    {"every byte value round trips",
     {setText(everyByte()), text(everyByte()), setText("<>"), select(1, 1), replace(everyByte()),
      text("<" + everyByte() + ">")}},
    {"text ends at the first NUL",
     {setText(std::string("ab\0cd", 5)), text("ab"), select(1, 1), replace(std::string("x\0y", 3)), text("axb"),
      sel(2, 2)}},
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

TEST(EditControl, ScrollCaretBringsTheCaretLineIntoView) {
    const auto s = makeEditorSubject();
    EditControl& edit = s->editor();
    std::string text;
    for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\r\n";
    edit.setText(text);
    const auto scrollTo = [&](int line) {
        edit.setSelection(edit.lineIndex(line), edit.lineIndex(line));
        edit.scrollCaret();
        return edit.firstVisibleLine();
    };
    const int first = scrollTo(100);
    EXPECT_GT(first, 0);
    EXPECT_LE(first, 100);
    EXPECT_EQ(scrollTo(99), first);  // a line already in view does not scroll
    EXPECT_EQ(scrollTo(0), 0);
    EXPECT_GT(scrollTo(150), 0);
    edit.setText(text);  // new text starts at the top
    EXPECT_EQ(edit.firstVisibleLine(), 0);
}

}  // namespace
}  // namespace tess::test
