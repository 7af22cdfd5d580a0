#include "EditorSubject.h"
#include "resources/resource.h"

#include <algorithm>
#include <functional>

namespace tess::test {
namespace {

using Lines = std::vector<int>; using Rows = std::vector<std::string>;

const MessageBoxRequest kRefusal{"Cannot be tabbed", "Selection must be a complete block of text", Buttons::Ok,
                                 Icon::Information, Modality::System};

Rows statusOf(EditorSubject& s) { return {s.status()[1], s.status()[2]}; }
Rows selectionStart(EditorSubject& s) {
    const int start = s.editor().selection().start, line = s.editor().lineFromChar(start);
    return {" " + std::to_string(line + 1), " " + std::to_string(start - s.editor().lineIndex(line) + 1)};
}
// The gutter of a document that fits the view: every line's number, ">" before a marked one.
Rows gutterOf(int lines, const Lines& marks) {
    Rows rows;
    for (int l = 1; l <= lines; ++l) rows.push_back((std::ranges::count(marks, l) ? ">" : "") + std::to_string(l));
    return rows;
}

// Then, where they matter: the text after Undo, the indent unit, "Cannot be tabbed" boxes, limit, beeps, completion.
struct Typed { std::string before, keys, after, undone; int tab = 3, boxes = 0, limit = 100000, beeps = 0, pairs = 1; };
const std::string kGoal = "012|3\r\na\r\n01234", kGoalDown = "0123\r\na\r\n012|34";  // the caret in column 4

TEST(EditorKeys, LeaveTheTextTheSelectionAndTheStatusBar) {
    auto s = makeEditorSubject();
    const Typed rows[] = {
        {"|", "(", "(|)"}, {"a|b", "[", "a[|]b"}, {"ab\r\n|cd", "<", "ab\r\n<|>cd"}, {"x[abc]y", "(", "x(|)y"},
        {"x]abc[y", "(", "x(|)y"}, {"a[b\r\nc]d", "{", "a{|}d"}, {"|)", "(", "(|))"}, {"(|)", ")>]}x", "()>]}x|)"},
        {"x|y", "(", "x(|)y", "x[(]y"}, {"a[bc]d", "(<[{", "a(<[{|d", "", 3, 0, 100000, 0, 0},  // completion off
        {"   a|bc", "{Enter}", "   a\r\n   |bc", "   a|bc"}, {"a[bc]d", "{Enter}", "a\r\n|bcd"}, {"\tab|c", "{Enter}", "\tab\r\n|c"},
        {"|  abc", "{Enter}", "\r\n  |  abc"}, {"   |   ", "{Enter}", "   \r\n      |   "},
        {" a|b", "{C-Enter}", " a\r\n |b"}, {"a\r\n  b|c\r\nd", "{Enter}", "a\r\n  b\r\n  |c\r\nd"},
        {"  a|b\r\nc", "{Enter:3}", "  a\r\n  \r\n  \r\n  |b\r\nc"}, {"[aa\r\nb\r\n]c", "{Tab}", "[   aa\r\n   b]\r\nc"},
        {"x\r\n[aa\r\n bb]\r\ncc", "{Tab}", "x\r\n[   aa\r\n    bb]\r\ncc", "x\r\n[aa\r\n bb]\r\ncc"},
        {"]aa\r\nbb\r\n[cc", "{Tab}", "[  aa\r\n  bb]\r\ncc", "", 2}, {"[abc]", "{Tab}", "[    abc]", "", 4}, {"ab|c", "{Tab}", "ab   |c"},
        {"[a\r\nb\r\n]", "{Tab}", "[ a\r\n b]\r\n", "", 1}, {"[a\r\nb\r\n]c", "{Tab}{Tab}", "[      a\r\n      b]\r\nc"},
        {"a|", "{Tab}", "a   |", "", 0}, {"a[bc]d", "{Tab}", "a|bcd", "", 3, 1}, {"a[a\r\nbb]\r\nc", "{Tab}", "a|a\r\nbb\r\nc", "", 3, 1},
        {"[a\r\nb]b\r\n", "{Tab}", "|a\r\nbb\r\n", "", 3, 1}, {"[ a\r\nb\r\n     c]", "{S-Tab}", "[a\r\nb\r\n  c]"},
        {"[\t a\r\n    b]", "{S-Tab}", "[\t a\r\n b]"}, {"[ab\r\ncd\r\n]", "{S-Tab}", "[ab\r\ncd]\r\n"},
        {"  a[a\r\n  bb]", "{S-Tab}", "  a|a\r\n  bb", "", 3, 1}, {"ab     |x", "{S-Tab}", "ab  |x"}, {"ab x|", "{S-Tab}", "ab x|"},
        {"a  \r\n|b", "{S-Tab}", "a  \r\n|b"}, {"x\r\n  |  y", "{S-Tab}", "x\r\n|  y"},
        // Tab acts on its press, with Shift and the selection of that moment: Shift let go first still unindents, a
        // letter typed before Tab is let go comes after the spaces, a release alone does nothing; each repeat indents.
        {"[aa\r\n  bb\r\n     cc\r\n]", "{S-Tab+}{Tab:0}", "[aa\r\nbb\r\n  cc]\r\n", "[aa\r\n  bb\r\n     cc]\r\n"},
        {"A|", "{Tab+}x{Tab:0}B", "A    xB|", "", 4}, {"[a\r\nb\r\n]", "{Tab:0}", "[a\r\nb\r\n]"},
        {"[a\r\nb]", "{Tab:2}", "[      a\r\n      b]"}, {"a[bc]d", "{Tab:3}", "a|bcd", "", 3, 1},
        // At the text limit nothing is left half done.
        {"abc|", "(", "abc|", "", 3, 0, 3}, {"abc|", "(", "abc(|", "abc|", 3, 0, 4}, {"  ab|", "{Enter}", "  ab|", "", 3, 0, 5},
        {"  ab|", "{Enter}", "  ab\r\n |", "", 3, 0, 7}, {"[aa\r\nbb]", "{Tab}", "[aa\r\nbb]", "", 3, 0, 10, 1},
        // Up and Down go back to the first column where a line is long enough; Left, Right, Home, End, Page Up and Tab forget
        // it, typing and Enter do not.
        {kGoal, "{Down}{Down}", kGoalDown}, {kGoal, "{Down}{Down}{Up}{Up}", kGoal}, {kGoal, "{Down}x{Down}", "0123\r\nax\r\n012|34"},
        {"012|3\r\na\r\n012", "{Down}{Down}", "0123\r\na\r\n0|12"}, {"012|3\r\na\r\n0123", "{Down}{Down}", "0123\r\na\r\n012|3"},
        {"012|3\r\na\r\n\r\n01234", "{Down:3}", "0123\r\na\r\n\r\n012|34"}, {kGoal, "{Down}{Left}{Down}", "0123\r\na\r\n|01234"},
        {kGoal, "{Down}{Home}{Down}", "0123\r\na\r\n|01234"}, {kGoal, "{Down}{End}{Down}", "0123\r\na\r\n0|1234"},
        {kGoal, "{Down}{PgUp}{Down}{Down}", "0123\r\na\r\n0|1234"},
        {"ab|c\r\nx\r\nabcd", "{Down}{Right}{Up}", "abc\r\n|x\r\nabcd"}, {kGoal, "{Down}{Tab}{Down}", "0123\r\na \r\n01|234", "", 1},
        {kGoal, "{Down}{Enter}{Down}", "0123\r\na\r\n\r\n012|34"}, {"012|3\r\na\r\n\r\n01234", "{Down}{Del}{Down}", kGoalDown},
        {"a\r\nb|c\r\nd", "{C-Y}", "a\r\n|d"}, {"one\r\n|", "{C-Y}", "one\r\n|"},  // empty last line: nothing to take
        // Every navigation key leaves the status bar where the caret went.
        {"ab|c\r\nd", "{End}", "abc|\r\nd"}, {"ab|c\r\nd", "{Home}", "|abc\r\nd"}, {"abc|\r\nd", "{Right}", "abc\r\n|d"},
        {"abc\r\n|d", "{Left}", "abc|\r\nd"}, {"|ab\r\ncd", "{PgDn}", "ab\r\n|cd"}, {"ab\r\n|cd", "{PgUp}", "|ab\r\ncd"},
        // Any script: a position counts UTF-16 units, and no caret lands between the two halves of a pair.
        {"αβ|γ", "(δ", "αβ(δ|)γ"}, {"  Ωμ|έγα", "{Enter}", "  Ωμ\r\n  |έγα", "  Ωμ|έγα"}, {"|x", "😀(", "😀(|)x"},
        {"a|bc\r\n😀x", "{Down}", "abc\r\n😀|x"}, {"a|bc\r\n\r\n😀x", "{Down}{Down}", "abc\r\n\r\n|😀x"},
    };
    for (const Typed& r : rows) {
        SCOPED_TRACE(testing::Message() << r.before << " + " << r.keys);
        s->set(r.before);
        s->app().settings.tabSpaces = r.tab, s->app().settings.autoCompleteBrackets = r.pairs;
        s->editor().setTextLimit(r.limit);
        s->desktop().beeps = 0, s->desktop().answers.assign(static_cast<std::size_t>(r.boxes), Answer::Ok);
        s->keys(r.keys);
        const std::vector<MessageBoxRequest> boxes(static_cast<std::size_t>(r.boxes), kRefusal);
        EXPECT_EQ(std::tuple(s->marked(), statusOf(*s), s->desktop().boxes, s->desktop().beeps),
                  std::tuple(r.after, selectionStart(*s), boxes, r.beeps));
        // A character the limit refuses is a change to the real control, not to the model.
        EXPECT_TRUE(r.limit < 100000 || s->modified() == (s->editor().text() != parseMarked(r.before).text));
        if (r.undone.empty()) continue;
        s->keys("{C-Z}");  // all one key did is one step
        EXPECT_EQ(s->marked(), r.undone);
    }
    s->set(kGoal), s->keys("{Down}"), s->caretAt(2, 1), s->keys("{Down}");  // a click forgets the goal column
    EXPECT_EQ(s->marked(), "0123\r\na\r\n|01234");
    // The release of the Enter that closed a dialog arrives alone: no line break, no status update.
    s->editor().setSelection(3, 3), s->keys("{Enter:0}");
    EXPECT_EQ(s->marked(), "012|3\r\na\r\n01234");
    EXPECT_EQ(statusOf(*s), (Rows{" 3", " 1"}));
}

struct Source { const char* keys; int command = 0; };
using Sources = std::vector<Source>;
const Sources kPaste{{"{C-V}"}, {"", IDM_PASTE}, {"{S-Ins}"}}, kCut{{"{C-X}"}, {"", IDM_CUT}, {"", IDT_CUT}, {"{S-Del}"}};
const Sources kUndo{{"{C-Z}"}, {"", IDM_UNDO}, {"{A-Back}"}};
void run(EditorSubject& s, const Source& source) { source.command ? s.command(source.command) : s.keys(source.keys); }

// Bookmarks follow their line's text by one rule, whatever made the edit: lines added inside a line go below it, lines added at its
// start push it down; lines removed from a line's start take their marks, lines removed from inside a line join it, marks and all.
TEST(EditorBookmarks, FollowEveryEditAndItsUndo) {
    auto s = makeEditorSubject();
    const struct { Lines marks; int line, column, toLine, toColumn; Sources edit; Lines after, undone; const char* clipboard = ""; } rows[] = {
        {{3}, 3, 1, 0, 0, kPaste, {4}, {3}, "X\r\n"}, {{2, 3, 6}, 3, 4, 0, 0, kPaste, {2, 3, 8}, {2, 3, 6}, "X\r\nY\r\nZ"},
        {{2, 3, 4, 6}, 3, 1, 6, 1, kCut, {2, 3}, {2, 6}}, {{2, 4, 5, 6, 9}, 3, 3, 5, 3, kCut, {2, 3, 4, 7}, {2, 3, 6, 9}},
        {{4, 6}, 4, 7, 0, 0, {{"{Enter}"}, {"{C-Enter}"}}, {4, 7}, {4, 6}}, {{3}, 3, 1, 0, 0, {{"{Enter}"}}, {4}, {3}},
        {{2}, 1, 7, 0, 0, {{"{Enter:3}"}}, {5}, {2}}, {{4, 5, 8}, 4, 7, 0, 0, {{"{Del}"}, {"{Right}{Back}"}}, {4, 7}, {4, 8}},
        {{2, 3, 6}, 3, 1, 5, 1, {{"x"}}, {2, 4}, {2, 6}}, {{5, 8}, 5, 4, 0, 0, {{"{C-Y}"}, {"", IDM_YANKLINE}}, {7}, {8}},
        {{3, 4}, 3, 3, 0, 0, kPaste, {3, 5}, {3, 4}, "日本\r\nΩ"},
    };
    std::size_t turn = 0;  // each edit is undone one way, the ways taken in turn
    for (const auto& r : rows) {
        std::u16string edited;
        for (const Source& edit : r.edit) {
            const Source& undo = kUndo[turn++ % kUndo.size()];
            SCOPED_TRACE(testing::Message() << r.line << ": " << edit.keys << edit.command << ", " << undo.keys << undo.command);
            s->set(numberedLines(10));
            s->bookmark(r.marks);
            s->caretAt(r.line, r.column);
            if (r.toLine) s->editor().setSelection(s->editor().selection().start, s->editor().lineIndex(r.toLine - 1) + r.toColumn - 1);
            s->desktop().setClipboardText(utf16(r.clipboard));
            run(*s, edit);
            if (edited.empty()) edited = s->editor().text();
            EXPECT_EQ(s->editor().text(), edited) << "every source makes the same edit";
            EXPECT_EQ(s->gutterRows(), gutterOf(s->editor().lineCount(), r.after));  // the marks where the user sees them
            run(*s, undo);
            EXPECT_EQ(std::tuple(s->gutterRows(), s->edit().bookmarks), std::tuple(gutterOf(10, r.undone), r.undone));
        }
    }
}

TEST(EditorCommands, BookmarksAndLines) {
    auto s = makeEditorSubject();
    s->set(numberedLines(12));
    s->bookmark({9, 2, 7, 5, 7});  // the second toggle takes 7 away again
    EXPECT_EQ(s->gutterRows(), gutterOf(12, {2, 5, 9}));
    constexpr int next = IDM_NEXTBOOKMARK, prev = IDM_PREVBOOKMARK;
    const struct { int from, command, to; } jumps[] = {{5, next, 9}, {9, next, 2}, {12, next, 2}, {1, next, 2},
        {2, prev, 9}, {5, prev, 2}, {7, prev, 5}, {4, IDM_CLEARBOOKMARKS, 4}, {4, next, 4}, {4, prev, 4}};
    for (const auto& j : jumps) {
        s->caretAt(j.from, 3), s->command(j.command);
        EXPECT_EQ(statusOf(*s), (Rows{" " + std::to_string(j.to), j.to == j.from ? " 3" : " 1"})) << j.from << " " << j.command;
    }
    EXPECT_EQ(s->gutterRows(), gutterOf(12, {}));

    s->set("ab|c\r\nxyz"), s->command(IDM_COPYLINE), s->caretAt(2, 2), s->command(IDM_PASTELINE);
    EXPECT_EQ(s->marked(), "abc\r\n|abcxyz");
    EXPECT_EQ(s->desktop().clipboardText(), u"abc");
    // A picture another program copied outlives every paste and a copy of nothing.
    s->desktop().putPictureOnClipboard();
    for (const int id : {IDM_PASTE, IDM_PASTELINE, IDM_COPY}) s->command(id);
    EXPECT_EQ(std::tuple(s->marked(), s->desktop().clipboardHoldsPicture()), std::tuple("abc\r\n|abcxyz", true));
    s->keys("{C-A}");
    EXPECT_EQ(s->marked(), "[abc\r\nabcxyz]");
}

TEST(EditorCommands, GoToLineTakesOnlyALineOfTheDocument) {
    const MessageBoxRequest wrong{"Go to line", "Type a line number from 1 to 60.", Buttons::Ok, Icon::Exclamation};
    for (const auto& [typed, line] : {std::pair{"0", 0}, {"61", 0}, {"x7", 0}, {"7x", 0}, {"", 0}, {"45", 45}, {" 60 ", 60}, {"1", 1}}) {
        auto s = makeEditorSubject();
        s->set(numberedLines(60)), s->caretAt(3, 2), s->desktop().answers = {Answer::Ok};
        DialogSteps steps{{DialogStep::Type, 521, typed}, {DialogStep::Enter}, {DialogStep::Look, 0}, {DialogStep::Esc}};
        if (line) steps.resize(2);
        const std::vector<std::string> seen = s->dialog(IDM_GOTOLINE, steps);
        const int at = line ? line : 3, first = s->editor().firstVisibleLine();
        EXPECT_EQ(std::tuple(seen, s->desktop().boxes, statusOf(*s), line ? s->gutterRows().at(0) : ""),
                  std::tuple(line ? Rows{"Go to line"} : Rows{"Go to line", "focus 521"}, line ? std::vector<MessageBoxRequest>{}
                             : std::vector{wrong}, Rows{" " + std::to_string(at), line ? " 1" : " 2"}, line ? std::to_string(first + 1) : "")) << typed;
        EXPECT_TRUE(first < at && at <= first + s->edit().font.visibleLines) << typed << " from " << first;
    }
}

// On a document with a selection, a bookmark, a clipboard, a file to open, a name to save as and a question before
// quitting, so that each command leaves a trace of its own.
TEST(EditorCommands, EveryMenuItemButtonAndKeyReachesItsCommand) {
    auto s = makeEditorSubject();
    const auto outcome = [&](const std::function<std::vector<std::string>()>& reach) {
        s->set("[b] b\r\nb");
        App& app = s->app();
        FakeDesktop& d = s->desktop();
        s->edit().bookmarks = {2}, app.currentFile = "", app.settings.askToQuit = 1, s->printers().events.clear();
        d.setClipboardText(u"clip"), d.answers = {Answer::No}, d.processes.clear(), d.files.erase("C:\\s.html");
        d.files["C:\\o.html"] = "o", d.openResults = {"C:\\o.html"}, d.saveResults = {"C:\\s.html"};
        const std::vector<std::string> dialogs = reach();
        const auto seen =
            std::tuple(dialogs, s->marked(), app.currentFile, utf8(d.clipboardText()), s->edit().bookmarks,
                       d.boxes.size(), s->printers().events.size(), d.processes.size());
        if (app.settings.wordWrap) s->command(IDM_WORDWRAP);
        return seen;
    };
    const std::pair<int, std::vector<const char*>> rows[] = {
        {IDM_NEW, {"File>&New\tCtrl+N", "{C-N}", "tip>New file"}},
        {IDM_OPEN, {"File>&Open\tCtrl+O", "{C-O}", "tip>Open file"}},
        {IDM_SAVE, {"File>&Save\tCtrl+S", "{C-S}", "tip>Save file"}}, {IDM_SAVEAS, {"File>Save&As"}},
        {IDM_PRINT, {"File>&Print\tCtrl+P", "{C-P}", "tip>Print file"}}, {IDM_EXIT, {"File>E&xit\tALT+F4"}},
        {IDM_UNDO, {"Edit>&Undo\tCtrl+Z", "{C-Z}"}}, {IDM_SELECTALL, {"Edit>&Select all\tCtrl+A", "{C-A}"}},
        {IDM_CUT, {"Edit>Cu&t\tCtrl+X", "{C-X}", "tip>Cut text"}}, {IDM_COPY, {"Edit>&Copy\tCtrl+C", "tip>Copy text"}},
        {IDM_PASTE, {"Edit>&Paste\tCtrl+V", "{C-V}", "tip>Paste text"}},
        {IDM_YANKLINE, {"Edit>&Yank line\tCtrl+Y", "{C-Y}", "context>Delete line"}}, {IDM_WORDWRAP, {"Edit>&WordWrap"}},
        {IDM_PREFERENCES, {"Edit>&Preferences"}}, {IDM_FIND, {"Search>&Find\tCtrl+F", "{C-F}", "tip>Find text"}},
        {IDM_FINDNEXT, {"Search>Find &Next\tF3", "{F3}"}}, {IDM_FINDPREV, {"Search>Find &Previous\tShft+F3", "{S-F3}"}},
        {IDM_REPLACE, {"Search>&Replace", "tip>Find + replace text"}},
        {IDM_SETBOOKMARK, {"Search>&Set bookmark\tCtrl+F2", "{C-F2}", "tip>Set bookmark", "context>Set Bookmark"}},
        {IDM_NEXTBOOKMARK, {"Search>Next &bookmark\tF2", "{F2}", "tip>Next bookmark"}},
        {IDM_PREVBOOKMARK, {"Search>&Prev bookmark\tShft+F2", "{S-F2}"}},
        {IDM_CLEARBOOKMARKS, {"Search>&Clear bookmarks\tCtrl+Shft+F2", "{C-S-F2}"}},
        {IDM_GOTOLINE, {"Search>&Go to line...\tCtrl+G", "{C-G}"}}, {IDM_HTMLSCRIPT, {"Commands>Begin &html script"}},
        {IDM_JSHEADER, {"Commands>Java script header", "context>Java script header"}},
        {IDM_ADDCOMMENT, {"Commands>Add comment", "context>Add comment"}},
        {IDM_HTMLTAGS, {"Commands>Common html tags", "context>Common html tags"}},
        {IDM_RUNBROWSER, {"Commands>Run browser\tCtrl+R", "{C-R}", "tip>run browser"}},
        {IDM_HELPCONTENT, {"Help>&Content"}}, {IDM_ABOUT, {"Help>&About"}}, {IDM_COPYLINE, {"context>Copy line"}},
        {IDM_PASTELINE, {"context>Paste line"}}};
    for (const auto& [command, routes] : rows) {
        const auto expected = outcome([&] { return s->dialog(command, {}); });
        for (const char* route : routes) EXPECT_EQ(outcome([&] { return s->use(route); }), expected) << route;
    }
}

}  // namespace
}  // namespace tess::test
