#include "EditorSubject.h"
#include "search/FindDialog.h"

namespace tess { inline void PrintTo(const Selection& s, std::ostream* os) { *os << s.start << ".." << s.end; } }

namespace tess::test {
namespace {

using Lines = std::vector<int>; using Rows = std::vector<std::string>; using Boxes = std::vector<MessageBoxRequest>;

const MessageBoxRequest kRefusal{"Cannot be tabbed", "Selection must be a complete block of text", Buttons::Ok,
                                 Icon::Information, Modality::System};

Rows statusOf(EditorSubject& s) { return {s.status()[1], s.status()[2]}; }
Rows selectionStart(EditorSubject& s) {
    const int start = s.editor().selection().start, line = s.editor().lineFromChar(start);
    return {" " + std::to_string(line + 1), " " + std::to_string(start - s.editor().lineIndex(line) + 1)};
}
Rows gutterOf(int lines, const Lines& marks) {
    Rows rows;
    for (int l = 1; l <= lines; ++l) rows.push_back((std::ranges::count(marks, l) ? ">" : "") + std::to_string(l));
    return rows;
}


struct Source { const char* keys; int command = 0; };
using Sources = std::vector<Source>;
const Sources kPaste{{"{C-V}"}, {"", IDM_PASTE}, {"{S-Ins}"}}, kCut{{"{C-X}"}, {"", IDM_CUT}, {"", IDT_CUT}, {"{S-Del}"}};
const Sources kUndo{{"{C-Z}"}, {"", IDM_UNDO}, {"{A-Back}"}};
void run(EditorSubject& s, const Source& source) { source.command ? s.command(source.command) : s.keys(source.keys); }

// Bookmarks follow their line's text by one rule, whatever made the edit: lines added inside a line go below it, lines added at its
// start push it down; lines removed from a line's start take their marks, lines removed from inside a line join it, marks and all.
TEST(EditorCommands, BookmarksLinesAndTheClipboard) {
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
            s->set(numberedLines(10)), s->bookmark(r.marks), s->caretAt(r.line, r.column);
            if (r.toLine) s->editor().setSelection(s->editor().selection().start, s->editor().lineIndex(r.toLine - 1) + r.toColumn - 1);
            s->desktop().setClipboardText(utf16(r.clipboard)), run(*s, edit);
            if (edited.empty()) edited = s->editor().text();
            EXPECT_EQ(s->editor().text(), edited) << "every source makes the same edit";
            EXPECT_EQ(s->gutterRows(), gutterOf(s->editor().lineCount(), r.after));  // the marks where the user sees them
            run(*s, undo);
            EXPECT_EQ(std::tuple(s->gutterRows(), s->edit().bookmarks), std::tuple(gutterOf(10, r.undone), r.undone));
        }
    }

    s->set(numberedLines(12)), s->bookmark({9, 2, 7, 5, 7});  // the second toggle takes 7 away again
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
    EXPECT_EQ(std::tuple(s->marked(), s->desktop().clipboardText()), std::tuple("abc\r\n|abcxyz", u"abc"));
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

// A selection, a bookmark, a clipboard, files to open and save and a question to quit: each command leaves a trace.
TEST(EditorCommands, EveryMenuItemButtonAndKeyReachesItsCommand) {
    auto s = makeEditorSubject();
    const auto outcome = [&](const std::function<std::vector<std::string>()>& reach) {
        s->set("[b] b\r\nb");
        App& app = s->app();
        FakeDesktop& d = s->desktop();
        s->edit().bookmarks = {2}, app.currentFile = "", app.settings.askToQuit = 1, s->printers().events.clear();
        d.setClipboardText(u"clip"), d.answers = {Answer::No}, d.processes.clear(), d.files.erase("C:\\s.html");
        d.files["C:\\o.html"] = "o", d.openResults = {"C:\\o.html"}, d.saveResults = {"C:\\s.html"};
        const std::vector<std::string> shown = reach();
        const auto seen = std::tuple(shown, s->marked(), app.currentFile, utf8(d.clipboardText()), s->edit().bookmarks,
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

// Under Wine the real control is the reference for the in-memory model: only what the program asks of it is pinned.
// Keys go to the control through the editor's own handling, which leaves the ones used here alone.
using Step = std::function<void(EditorSubject&)>;
Step setText(std::string t) { return [=](EditorSubject& s) { s.editor().setText(utf16(t)); }; }
Step select(int a, int c) { return [=](EditorSubject& s) { s.editor().setSelection(a, c); }; }
Step replace(std::string t) { return [=](EditorSubject& s) { s.editor().replaceSelection(utf16(t), true); }; }
const Step undo = [](EditorSubject& s) { s.editor().undo(); }, cut = [](EditorSubject& s) { s.editor().cut(); };
const Step copy = [](EditorSubject& s) { s.editor().copy(); }, paste = [](EditorSubject& s) { s.editor().paste(); };
Step setModified(bool m) { return [=](EditorSubject& s) { s.editor().setModified(m); }; }
Step limit(int l) { return [=](EditorSubject& s) { s.editor().setTextLimit(l); }; }
Step clipboard(std::string t) { return [=](EditorSubject& s) { s.desktop().setClipboardText(utf16(t)); }; }
Step keys(std::string script) { return [=](EditorSubject& s) { s.keys(script); }; }
Step text(std::string t) { return [=](EditorSubject& s) { EXPECT_EQ(utf8(s.editor().text()), t); }; }
Step sel(int a, int b) { return [=](EditorSubject& s) { EXPECT_EQ(s.editor().selection(), (Selection{a, b})); }; }
Step modified(bool m) { return [=](EditorSubject& s) { EXPECT_EQ(s.editor().modified(), m); }; }
Step onClipboard(std::string t) { return [=](EditorSubject& s) { EXPECT_EQ(utf8(s.desktop().clipboardText()), t); }; }
Step limitIs(int l) { return [=](EditorSubject& s) { EXPECT_EQ(s.editor().textLimit(), l); }; }
Step line(int l, int index, std::string t) {
    return [=](EditorSubject& s) {
        EXPECT_EQ(std::pair(s.editor().lineIndex(l), utf8(s.editor().lineText(l))), std::pair(index, t)) << l;
    };
}
Step lineOf(int pos, int l) { return [=](EditorSubject& s) { EXPECT_EQ(s.editor().lineFromChar(pos), l) << pos; }; }
Step caretLineStart(int i) { return [=](EditorSubject& s) { EXPECT_EQ(s.editor().lineIndex(-1), i); }; }
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
     {setText("hello world"), select(6, 11), replace("there"), text("hello there"), sel(11, 11), undo,
      text("hello world"), sel(6, 11), undo, text("hello there"), sel(6, 11)}},
    {"consecutive replacements at the caret are one step",
     {setText(""), replace("ab"), replace("cd"), undo, text(""), sel(0, 0), undo, text("abcd"), sel(0, 4)}},
    // Undo does not check that there is a step: it only drops the selection where the last one was.
    {"set text empties the undo step", {setText("abc"), replace("X"), setText("abcdef"), select(2, 4), undo,
      text("abcdef"), sel(0, 0), modified(false)}},
    {"set text clears the flag, a replacement raises it",
     {setText("abc"), modified(false), replace("x"), modified(true), setModified(false), modified(false),
      undo, modified(true), setText("z"), modified(false)}},
    {"replacing, deleting or cutting nothing is no change",
     {setText("abc"), select(3, 3), replace(""), keys("{Del}"), cut, text("abc"), modified(false)}},

    {"set text ignores the limit, a replacement cannot grow the text over it",
     {limit(5), setText("abcdefgh"), text("abcdefgh"), limitIs(5), modified(false), select(8, 8), replace("XY"),
      text("abcdefgh"), select(0, 4), replace("1"), text("1efgh")}},
    {"a replacement and a paste are cut off at the limit, typing stops there",
     {limit(6), clipboard("xyz"), setText("ab"), select(2, 2), replace("cdefgh"), text("abcdef"), sel(6, 6),
      select(0, 2), paste, text("xycdef"), sel(2, 2), select(6, 6), keys("q"), text("xycdef")}},

    {"copying nothing leaves the clipboard, copy leaves the text, paste inserts at the caret",
     {clipboard("keep"), setText("one two three"), select(4, 4), copy, onClipboard("keep"), select(4, 7), copy,
      onClipboard("two"), text("one two three"), sel(4, 7), modified(false), select(13, 13), paste,
      text("one two threetwo"), sel(16, 16), modified(true)}},

    {"Backspace after typing is one undo step",
     {setText(""), keys("abc"), keys("\b\b"), text("a"), undo, text("abc"), sel(1, 3)}},
};

TEST(EditControl, Scripts) {
    for (const Script& script : kScripts) {
        const auto s = makeEditorSubject();
        for (int index = 0; const Step& step : script.steps) {
            SCOPED_TRACE(testing::Message() << script.name << ", step " << index++);
            step(*s);
        }
    }
}

using namespace findcontrol;
using S = DialogStep;
S type(int id, std::string text) { return {S::Type, id, std::move(text)}; }
S click(int id) { return {S::Click, id}; }
S look(int id) { return {S::Look, id}; }
const S kEnter{S::Enter}, kEsc{S::Esc}, kCloseBox{S::CloseBox}, kFocus{S::Look, 0};

constexpr Modality kTask = Modality::Task;
const MessageBoxRequest kNone{"Find Text", "none found", Buttons::Ok, Icon::None, kTask},
    kNoMore{"Find Text", "no more found", Buttons::Ok, Icon::None, kTask},
    kReplaceNoMore{"Replace Text", "no more found", Buttons::Ok, Icon::None, kTask},
    kNoWhat{"Error", "Must specify what to find", Buttons::Ok, Icon::Exclamation},
    kNoWith{"Error", "Must specify what to replace with", Buttons::Ok, Icon::Exclamation},
    kAsk{"Replae all", "Be very carefull with this feature...\r\nProceed anyway? ", Buttons::YesNo, Icon::Exclamation};
MessageBoxRequest done(int count) {
    return {"Replace all", "Done - Replaced " + std::to_string(count) + " occurances", Buttons::Ok, Icon::Information};
}
MessageBoxRequest noRoom(int most) {
    const std::string text = "The text does not fit: the editor holds at most " + std::to_string(most) + " characters";
    return {"Cannot be inserted", text, Buttons::Ok, Icon::Information};
}

struct Action { int command; DialogSteps steps = {}; int from = -1, to = -1; };  // from, to: a selection made first
struct Row { const char* name; std::string before; std::vector<Action> actions; std::string after; Rows seen = {};
    std::vector<MessageBoxRequest> boxes = {}; int beeps = 0; std::deque<Answer> answers = {};
    std::vector<int> marks = {}; std::pair<int, int> limits = {100000, 100000}; };  // the text limit before, after

const std::string kText = "The cat sat; concatenate Cat.", kLines = numberedLines(60);
std::string marked(int from, int to) {
    return kText.substr(0, from) + (from == to ? "|" : "[" + kText.substr(from, to - from) + "]") + kText.substr(to);
}

TEST(FindBehaviour, FindNextPreviousTheDialogReplaceAndReplaceAll) {
    const Row rows[] = {
        {"Enter finds the typed text as a whole word in any case, F3 goes on, wraps, beeps as the dialog said",
         marked(0, 0), {{IDM_FIND, {type(kWhat, "cat"), kEnter}}, {IDM_FINDNEXT}, {IDM_FINDNEXT}}, marked(4, 7),
         {"Find"}, {}, 1},
        {"the What box starts with the selection", marked(4, 7), {{IDM_FIND, {look(kWhat), click(1)}}}, marked(25, 28),
         {"Find", "cat"}},
        {"match case: the wrap finds the first again and beeps", marked(4, 7),
         {{IDM_FIND, {{S::Tick, kMatchCase}, click(1)}}}, marked(4, 7), {"Find"}, {}, 1},
        {"not whole words, no beep unasked", marked(4, 7),
         {{IDM_FIND, {{S::Untick, kWholeWord}, {S::Untick, kBeepOnCycle}, click(1)}}}, marked(16, 19), {"Find"}},
        {"up with nothing above wraps to the end", marked(4, 7), {{IDM_FIND, {click(kUp), click(1)}}}, marked(25, 28),
         {"Find"}, {}, 1},
        {"kept open, do not cycle: no more found, and F3 with those options says so too; the next dialog starts afresh",
         marked(4, 7), {{IDM_FIND, {{S::Tick, kDoNotCycle}, {S::Tick, kKeepOpen}, click(1), look(1), click(1)}},
          {IDM_FINDNEXT}, {IDM_FINDNEXT}, {IDM_FIND, {type(kWhat, "dog"), click(1)}}}, marked(0, 0),
         {"Find", "&Find next", "Find"}, {kNoMore, kNoMore, kNone}, 1},
        {"nothing found: none found, the dialog closes, the caret goes to the start", marked(7, 7),
         {{IDM_FIND, {type(kWhat, "dog"), click(1)}}}, marked(0, 0), {"Find"}, {kNone}},
        {"cancelled: the caret at the start, and F3 without whole word", marked(13, 13),
         {{IDM_FIND, {kCloseBox}}, {IDM_FINDNEXT, {}, 4, 7}}, marked(16, 19), {"Find"}},
        {"an empty What box is refused and takes the focus", marked(0, 0), {{IDM_FIND, {click(1), kFocus, kEsc}}},
         marked(0, 0), {"Find", "focus 501"}, {kNoWhat}},
        {"Replace, then Skip, which wraps and beeps; closed, the selection goes", marked(4, 7),
         {{IDM_REPLACE, {look(1), type(kWith, "dog"), click(kReplace), look(1), click(1), kCloseBox}}},
         "The dog sat; concatenate Cat|.", {"Replace", "&Skip", "&Skip"}, {}, 1},
        {"Replace with an empty With box is refused", marked(4, 7),
         {{IDM_REPLACE, {click(kReplace), kFocus, click(2)}}}, marked(7, 7), {"Replace", "focus 502"}, {kNoWith}},
        {"Replace that would pass the text limit is refused whole", marked(4, 7), {{IDM_REPLACE, {type(kWith, "tiger"),
         click(kReplace), click(2)}}}, marked(7, 7), {"Replace"}, {noRoom(29)}, 0, {}, {}, {29, 29}},
        {"Replace until none is left", "a x a", {{IDM_REPLACE, {type(kWhat, "a"), type(kWith, "b"), click(1),
         click(kReplace), click(kReplace)}}}, "|b x b", {"Replace"}, {kReplaceNoMore}},
        {"Replace All from offset 0, then one Undo", "|cat Cat cat", {{IDM_REPLACE, {look(1), type(kWhat, "cat"),
         type(kWith, "dog"), click(kReplaceAll)}}, {IDM_UNDO}}, "[cat Cat cat]", {"Replace", "&Find next"},
         {kAsk, done(3)}, 0, {Answer::Yes}},
        {"Replace All down a long text, then Undo: the view goes back to where the text put back starts", "he|ad\r\n" + kLines,
         {{IDM_REPLACE, {type(kWhat, "line"), type(kWith, "row"), click(kReplaceAll)}}, {IDM_UNDO}},
         "head\r\n[" + kLines.substr(0, kLines.size() - 3) + "] 60", {"Replace"}, {kAsk, done(60)}, 0, {Answer::Yes}},
        {"Replace All keeps the bookmarks on their lines", "|cat\r\nx\r\ncat", {{IDM_REPLACE, {type(kWhat, "cat"),
         type(kWith, "a\r\nb"), click(kReplaceAll)}}}, "a\r\nb\r\nx\r\na\r\nb|", {"Replace"}, {kAsk, done(2)}, 0,
         {Answer::Yes}, {3, 5}},
        {"Replace All past the text limit raises it as loading a long document does, with room to go on typing",
         "|cat cat", {{IDM_REPLACE, {type(kWhat, "cat"), type(kWith, "lion"), click(kReplaceAll)}}}, "lion lion|",
         {"Replace"}, {kAsk, done(2)}, 0, {Answer::Yes}, {}, {8, 100009}},
        {"Replace All answered No changes nothing", marked(4, 7), {{IDM_REPLACE, {click(kReplaceAll)}}}, marked(7, 7),
         {"Replace"}, {kAsk}, 0, {Answer::No}},
        {"Replace All without What is refused", marked(0, 0), {{IDM_REPLACE, {click(kReplaceAll), kFocus, kEsc}}},
         marked(0, 0), {"Replace", "focus 501"}, {kNoWhat}},
        {"Shift+F3 goes back, wrapping to the match that ends the text, without a beep", "[b] b b", {{IDM_FINDPREV}},
         "b b [b]"},
        {"F3 with nothing selected only beeps", "a| a", {{IDM_FINDNEXT}}, "a| a", {}, {}, 1},
        {"Greek is found in any case as a whole word, past CJK, and F3 goes on", "|Η ΓΆΤΑ και 日本 γάτα",
         {{IDM_FIND, {type(kWhat, "γάτα"), kEnter}}, {IDM_FINDNEXT}}, "Η ΓΆΤΑ και 日本 [γάτα]", {"Find"}},
        {"CJK: a letter next to a match makes it part of a word, punctuation does not", "|日本語、日本😀",
         {{IDM_REPLACE, {type(kWhat, "日本"), type(kWith, "にほん"), click(kReplaceAll)}}}, "日本語、にほん|😀", {"Replace"},
         {kAsk, done(1)}, 0, {Answer::Yes}},
    };
    auto s = makeEditorSubject();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        s->set(r.before), s->find() = {}, s->edit().bookmarks = {2, 3}, s->editor().setTextLimit(r.limits.first);
        FakeDesktop& d = s->desktop();
        d.answers = r.answers, d.beeps = 0, d.answers.resize(r.boxes.size(), Answer::Ok);
        Rows seen;
        for (const Action& a : r.actions) {
            if (a.from >= 0) s->editor().setSelection(a.from, a.to);
            for (auto& text : s->dialog(a.command, a.steps)) seen.push_back(text);
        }
        const std::vector<int> marks = r.marks.empty() ? std::vector{2, 3} : r.marks;
        EXPECT_EQ(std::tuple(s->marked(), seen, d.boxes, d.beeps, s->edit().bookmarks, s->editor().textLimit()),
                  std::tuple(r.after, r.seen, r.boxes, r.beeps, marks, r.limits.second));
        EXPECT_EQ(statusOf(*s), selectionStart(*s));
        const int line = s->editor().lineFromChar(s->editor().selection().start), top = s->editor().firstVisibleLine();
        EXPECT_EQ(std::clamp(line - top, 0, s->edit().font.visibleLines - 1), line - top);
        if (r.marks.empty()) continue;
        s->command(IDM_UNDO);
        EXPECT_EQ(s->editor().text(), parseMarked(r.before).text);
    }
}

struct Typed { std::string before, keys, after, undone; int tab = 3, boxes = 0, limit = 100000, beeps = 0, pairs = 1; };
const std::string kGoal = "012|3\r\na\r\n01234", kGoalDown = "0123\r\na\r\n012|34";  // the caret in column 4

TEST(EditorKeys, LeaveTheTextTheSelectionAndTheStatusBar) {
    auto s = makeEditorSubject();
    const Typed typed[] = {
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
        // Up and Down keep a goal column; Left, Right, Home, End, Page Up and Tab forget it, typing and Enter do not.
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
    for (const Typed& r : typed) {
        SCOPED_TRACE(testing::Message() << r.before << " + " << r.keys);
        s->set(r.before), s->editor().setTextLimit(r.limit);
        s->app().settings.tabSpaces = r.tab, s->app().settings.autoCompleteBrackets = r.pairs;
        s->desktop().beeps = 0, s->desktop().answers.assign(static_cast<std::size_t>(r.boxes), Answer::Ok);
        s->keys(r.keys);
        EXPECT_EQ(std::tuple(s->marked(), statusOf(*s), s->desktop().boxes, s->desktop().beeps),
                  std::tuple(r.after, selectionStart(*s), Boxes(static_cast<std::size_t>(r.boxes), kRefusal), r.beeps));
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
    EXPECT_EQ(std::tuple(s->marked(), statusOf(*s)), std::tuple("012|3\r\na\r\n01234", Rows{" 3", " 1"}));
}

std::string skeleton(const std::string& t) {
    return "<!doctype html>\r\n<html>\r\n" + t + "<head>\r\n" + t + t + "<title>Title of your page goes here</title>\r\n" +
           t + "</head>\r\n" + t + "<body>\r\n" + t + t + "<h1>HTML Document</h1>\r\n" + t + t +
           "<p>First paragraph of your document</p>\r\n" + t + "</body>\r\n</html>\r\n";
}

// Like a paste (0: Shift+Insert), a fragment goes in whole or, when it passes the text limit, not at all.
TEST(FragmentBehaviour, OneUndoableInsertionEach) {
    const std::string nine(9, ' ');
    const struct { int tab; const char* before; int id; std::string after; std::vector<int> marks, moved;
                   int limit = 100000; const char* clipboard = ""; } rows[] = {
        {3, "|", IDM_HTMLSCRIPT, skeleton("   ") + "|", {}, {}},
        {9, "a\r\n|", IDM_HTMLSCRIPT, "a\r\n" + skeleton(nine) + "|", {2}, {12}},
        {3, "ab|cd", IDM_JSHEADER, "ab<script type=\"text/javascript\" src=\"Example.js\">|</script>cd", {1}, {1}},
        {3, "x [word] y", IDM_ADDCOMMENT, "x <!-- | --> y", {}, {}},
        {3, "[a\r\nb]\r\nc", IDM_ADDCOMMENT, "<!-- | -->\r\nc", {3}, {2}},
        {3, "0123456789[abc]d", IDM_ADDCOMMENT, "0123456789<!-- | -->d", {}, {}, 20},  // exactly fits
        {3, "0123456789ab|cd", IDM_ADDCOMMENT, "0123456789ab|cd", {}, {}, 20},
        {3, "0123456789\r\nab|c", IDM_PASTE, "0123456789\r\nab|c", {}, {}, 20, "xyz\r\n12"},
        {3, "0123456789\r\nab|c", IDM_PASTELINE, "0123456789\r\nab|c", {}, {}, 20, "xyz\r\n12"},
        {3, "0123456789\r\nab|c", 0, "0123456789\r\nab|c", {}, {}, 20, "xyz\r\n12"},
        {3, "0123456789\r\n[ab]c", IDM_PASTE, "0123456789\r\nxyz\r\n|12c", {2}, {3}, 20, "xyz\r\n12"},
        {3, "0123456789\r\n[ab]c", 0, "0123456789\r\nxyz\r\n12|c", {}, {}, 20, "xyz\r\n12"},
        {3, "0123\r\n|abc", IDM_PASTELINE, "0123\r\nxyz\r\n|12abc", {2}, {3}, 20, "xyz\r\n12"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.before << " + " << r.id);
        auto s = makeEditorSubject();
        s->app().settings.tabSpaces = r.tab, s->set(r.before), s->edit().bookmarks = r.marks;
        s->editor().setTextLimit(r.limit), s->desktop().setClipboardText(utf16(r.clipboard));
        const bool refused = r.after == r.before;
        s->desktop().answers.assign(refused ? 1 : 0, Answer::Ok);
        r.id ? s->command(r.id) : s->keys("{S-Ins}");
        EXPECT_EQ(std::tuple(s->marked(), s->edit().bookmarks, s->desktop().boxes),
                  std::tuple(r.after, r.moved, refused ? Boxes{noRoom(20)} : Boxes{}));
        if (refused) continue;
        EXPECT_EQ(s->gutterRows().size(), static_cast<std::size_t>(s->editor().lineCount()));
        s->command(IDM_UNDO);
        EXPECT_EQ(s->marked(), r.before);
    }
}

}  // namespace
}  // namespace tess::test
