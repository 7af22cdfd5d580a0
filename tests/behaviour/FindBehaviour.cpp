#include "EditorSubject.h"
#include "resources/resource.h"
#include "search/FindDialog.h"

#include <algorithm>

namespace tess::test {
namespace {

using namespace findcontrol;
using S = DialogStep;
using Texts = std::vector<std::string>;
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
    kAsk{"Replae all", "Be very carefull with this feature...\r\nProceed anyway? ", Buttons::YesNo, Icon::Exclamation},
    kNoRoom{"Cannot be inserted", "The text does not fit: the editor holds at most 29 characters", Buttons::Ok,
            Icon::Information};
MessageBoxRequest done(int count) {
    return {"Replace all", "Done - Replaced " + std::to_string(count) + " occurances", Buttons::Ok, Icon::Information};
}

// A command, with what the user does in its dialog and, before it, the selection a click or drag leaves (-1: as is).
struct Action { int command; DialogSteps steps = {}; int from = -1, to = -1; };
struct Row { const char* name; std::string before; std::vector<Action> actions; std::string after; Texts seen = {};
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
        {"Replace that would pass the text limit is refused whole", marked(4, 7),
         {{IDM_REPLACE, {type(kWith, "tiger"), click(kReplace), click(2)}}}, marked(7, 7), {"Replace"}, {kNoRoom}, 0, {},
         {}, {29, 29}},
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
         {{IDM_REPLACE, {type(kWhat, "日本"), type(kWith, "にほん"), click(kReplaceAll)}}}, "日本語、にほん|😀",
         {"Replace"}, {kAsk, done(1)}, 0, {Answer::Yes}},
    };
    auto s = makeEditorSubject();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        s->set(r.before), s->find() = {}, s->edit().bookmarks = {2, 3}, s->editor().setTextLimit(r.limits.first);
        FakeDesktop& d = s->desktop();
        d.answers = r.answers, d.beeps = 0, d.answers.resize(r.boxes.size(), Answer::Ok);
        Texts seen;
        for (const Action& a : r.actions) {
            if (a.from >= 0) s->editor().setSelection(a.from, a.to);
            for (auto& text : s->dialog(a.command, a.steps)) seen.push_back(text);
        }
        const std::vector<int> marks = r.marks.empty() ? std::vector{2, 3} : r.marks;
        EXPECT_EQ(std::tuple(s->marked(), seen, d.boxes, d.beeps, s->edit().bookmarks, s->editor().textLimit()),
                  std::tuple(r.after, r.seen, r.boxes, r.beeps, marks, r.limits.second));
        const int start = s->editor().selection().start, line = s->editor().lineFromChar(start);
        const Texts status = s->status();
        EXPECT_EQ(Texts(status.begin() + 1, status.begin() + 3),
                  Texts({" " + std::to_string(line + 1), " " + std::to_string(start - s->editor().lineIndex(line) + 1)}));
        EXPECT_EQ(std::clamp(line - s->editor().firstVisibleLine(), 0, s->edit().font.visibleLines - 1),
                  line - s->editor().firstVisibleLine());
        if (r.marks.empty()) continue;
        s->command(IDM_UNDO);
        EXPECT_EQ(s->editor().text(), parseMarked(r.before).text);
    }
}

}  // namespace
}  // namespace tess::test
