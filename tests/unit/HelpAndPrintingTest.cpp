// The help file reader and writer, the topic tree, the search across topics and the help file the build ships; both
// print commands on the fake printer's fixed-pitch cells: their pages, and what each does when printing fails.
#include "app/Commands.h"
#include "help/HelpFind.h"
#include "help/TopicTree.h"
#include "print/Pagination.h"
#include "TestContext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <tuple>
#include <utility>

namespace tess::test {
namespace {

// Two topics: "Menus" with the body File CR LF Edit, and its sub-topic "File" with no body.
const std::string kExample("\2\0\0\0" "\x0A\0" "File\r\nEdit" "\0\0" "\5\0" "Menus" "\4\0" "File"
                           "\0\0\0\0" "\1\0\0\0" "\4\0\0\0\1\0\0\0" "\4\0\0\0\1\0\0\0", 55);
const std::vector<HelpTopic> kExampleTopics{{"File\r\nEdit", "Menus", 0, 4, 1}, {"", "File", 1, 4, 1}};

TEST(HelpFile, ExampleReadsAndTopicsWriteBack) {
    EXPECT_EQ(loadHelpFile(kExample), kExampleTopics);
    EXPECT_EQ(writeHelpFile(kExampleTopics), kExample);
    EXPECT_EQ(loadHelpFile(kExample + "trailing bytes"), kExampleTopics);
    const std::vector<HelpTopic> odd{{std::string(65535, 'x'), "", -1, 8, -1}, {"\0\xFF", "\xE9t\xE9", 7, 0, 0}};
    EXPECT_EQ(loadHelpFile(writeHelpFile(odd)), odd);
    EXPECT_THROW(writeHelpFile({{std::string(65536, 'x'), "t"}}), std::length_error);
}

TEST(HelpFile, BadCountsAndCutFilesAreNoContent) {
    for (const char* count : {"\0\0\0\0", "\xFF\xFF\xFF\xFF", "\3\0\0\0", "\xFF\xFF\xFF\x7F"})
        EXPECT_EQ(loadHelpFile(std::string(count, 4) + kExample.substr(4)), std::nullopt);
    EXPECT_EQ(loadHelpFile(std::string("\1\0\0\0\xFF\xFF", 6) + std::string(20, 'x')), std::nullopt);
    for (std::size_t cut = 0; cut < kExample.size(); ++cut)
        EXPECT_EQ(loadHelpFile(kExample.substr(0, cut)), std::nullopt) << cut;
}

TEST(TopicTree, TwoLevelsAndTheFirstBodyShown) {
    // bodies: one character a topic, '-' for an empty body
    const struct { std::vector<int> levels; std::string bodies; std::vector<int> parents; int selected; } rows[] = {
        {{1, 0, 2}, "abc", {-1, -1, 1}, 0},  // a sub-topic first stays at the top
        {{0, 1, 2, -1, 0, 1}, "--x---", {-1, 0, 0, 0, -1, 4}, 2},
        {{0, 1}, "--", {-1, 0}, 0}, {{0, 0}, "-b", {-1, -1}, 1}};
    for (const auto& row : rows) {
        std::vector<HelpTopic> topics;
        for (std::size_t i = 0; i < row.levels.size(); ++i)
            topics.push_back({row.bodies[i] == '-' ? "" : "x", "", row.levels[i]});
        const TopicTree tree = buildTopicTree(topics);
        EXPECT_EQ(tree.parent, row.parents);
        EXPECT_EQ(tree.selected, row.selected);
        for (std::size_t i = 0; i < topics.size(); ++i)
            EXPECT_EQ(tree.hasChildren[i],
                      std::find(row.parents.begin(), row.parents.end(), static_cast<int>(i)) != row.parents.end());
    }
    EXPECT_EQ(topicPath(kExampleTopics, buildTopicTree(kExampleTopics), 1), "Menus : File");
}

// The help window as Find text, Next and Prev see it: a log of what they do to it.
struct HelpFindLog : HelpFindView {
    using Range = std::pair<std::size_t, std::size_t>;
    HelpFindAnswer askText() override { return note("ask"), std::exchange(answer, {}); }
    int currentTopic() const override { return topic; }
    void selectTopic(int t) override { note("t", t), selection = t == topic ? selection : Range{}, topic = t; }
    void embolden(int t) override { note("b", t); }
    Range textSelection() const override { return selection; }
    void selectText(std::size_t start, std::size_t end, bool scroll) override {
        note(scroll ? "s^" : "s", start, end), selection = {start, end};
    }
    void focusTree() override { note("tree"); }
    void tell(const MessageBoxRequest& box) override {  // no icon, task-modal
        const MessageBoxRequest plain{.title = box.title, .text = box.text, .modality = Modality::Task};
        note(box == plain ? box.title + ": " + box.text : "?");
    }
    void note(std::string what, auto... numbers) { log += ((what += std::to_string(numbers) + ","), ..., what) + " "; }
    HelpFindAnswer answer;
    std::string log;
    int topic = 1;
    Range selection;  // none in a topic newly shown
};

TEST(HelpSearch, FindsWithoutCaseAcrossTopicsForwardAndBackwardShowingEachMatch) {
    const std::vector<HelpTopic> topics{{"a TABLE and a table"}, {"none here"}, {"Table\xC9 end table"}};
    const std::vector<HelpTopic> aaaa{{"aaaa"}};
    EXPECT_EQ(lowerAnsi("AbC\xC9\xD7\x8A"), "abc\xE9\xD7\x9A");
    EXPECT_EQ(findFirst(topics, lowerAnsi("table\xC9"), 0), (HelpHit{2, 0}));
    EXPECT_EQ(findNext(aaaa, "aa", 0, 2), (HelpHit{0, 2}));  // never the current match, nor one overlapping it
    EXPECT_EQ(findPrevious(aaaa, "aa", 0, 2), (HelpHit{0, 0}));
    HelpSearchState state;
    HelpFindLog view;
    HelpFind find(topics, state, view);
    const struct { int command; HelpFindAnswer answer; std::string log; } rows[] = {
        {1, {"  TABLE ", true}, "ask t0, b0, t0, b0, s^2,7, "},  // F3 before any search asks as Find text does
        {-1, {}, "table: No more found s2,7, "},                   // and the match stays
        {1, {}, "t0, b0, s^14,19, "}, {1, {}, "t2, b2, s^0,5, "}, {-1, {}, "t0, b0, s^14,19, "},
        {1, {}, "t2, b2, s^0,5, "}, {1, {}, "t2, b2, s^11,16, "}, {1, {}, "table: No more found s11,16, "},
        {0, {"None", false}, "ask t2, b2, none: None found "},  // from the topic shown on
        {0, {" ", true}, "ask t0, b0, tree "}};
    for (const auto& row : rows) {
        view.answer = row.answer, view.log.clear();
        row.command ? find.findAgain(row.command > 0) : find.findText();
        EXPECT_EQ(view.log, row.log);
    }
}

TEST(ShippedHelp, ReadsAndCoversEveryMenuCommand) {
    std::ifstream file(TESS_SHIPPED_HELP_FILE, std::ios::binary);
    const auto topics = loadHelpFile(std::string(std::istreambuf_iterator<char>(file), {}));
    ASSERT_TRUE(topics);
    std::string all;
    for (const HelpTopic& topic : *topics) {
        EXPECT_TRUE(topic.wrapMode == kWrapLines || topic.wrapMode == kNoWrap) << topic.title;
        all += lowerAnsi(topic.title + "\n" + topic.body + "\n");
    }
    std::vector<MenuItem> items = contextMenu();
    for (const Menu& menu : menuBar(Settings{})) items.insert(items.end(), menu.items.begin(), menu.items.end());
    for (const MenuItem& item : items) {
        std::string name = item.text.substr(0, item.text.find('\t'));
        std::erase(name, '&');
        EXPECT_NE(all.find(lowerAnsi(name)), std::string::npos) << name;
    }
}

// A help topic on paper 3 1/6 inches wide at 720 dpi: 20 cells between the margins, 10-point rows 100 pixels apart,
// the body from row 3 (line 5 of the paper), 70 rows a page.
FakePrinters& printTopic(TestContext& t, const std::string& body) {
    t.printers.caps.physicalWidth = 2280, t.printers.caps.printableWidth = 1920;
    printHelpTopic(t.ctx, "Title", body);
    return t.printers;
}

TEST(HelpPrinting, LinesAreSplitExpandedAndWrappedAfterTheLastBreakThatFits) {
    const std::string a5(5, 'a'), a20(20, 'a');
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"a\r\n\r\nb\r\n", {"3 a", "5 b"}},
        {"a\tb\r\nabcdefgh\tx\r\nab\tcdefghijk\tx",
         {"3 a       b", "4 abcdefgh        x", "5 ab      cdefghijk", "6 x"}},
        {"aaaa bbbb cccc dddd eeee", {"3 aaaa bbbb cccc dddd", "4 eeee"}},
        {"well-known-and-long-words", {"3 well-known-and-long-", "4 words"}},
        {"aaaaaaaaaaaaaaaaf(xy)", {"3 aaaaaaaaaaaaaaaaf", "4 (xy)"}},
        {a20 + a5, {"3 " + a20, "4 " + a5}},
        {"(" + a20 + a5, {"3 (" + a20.substr(1), "4 a" + a5}},                  // no break but an opener
        {"    aaaa bbbb cccc dddd eeee", {"3 aaaa bbbb cccc", "4 dddd eeee"}},  // every row at the left margin
    };
    for (const auto& [body, rows] : cases) {
        TestContext t;
        const std::vector<std::string> page = printTopic(t, body).pages().at(0);
        EXPECT_EQ(std::vector(page.begin() + 2, page.end()), rows) << body;
    }
}

// A topic that fills its page exactly adds no empty page.
TEST(HelpPrinting, OnlyATopicOfMoreThanOnePageGoesOutOnBothSides) {
    for (const auto& [setting, lines, first, pages] :
         {std::tuple{2, 70, "duplex 1", 1}, {2, 71, "duplex 2", 2}, {1, 71, "document appHelp", 2}}) {
        TestContext t;
        t.printers.duplex = setting;
        std::string body;
        for (int n = 1; n <= lines; ++n) body += "x\r\n";
        const std::vector<std::string>& events = printTopic(t, body).events;
        EXPECT_EQ(std::tuple(events.front(), std::ranges::count(events, "page"), events.back()),
                  std::tuple(first, pages, "end document"));
    }
}

// Where a job put its page: the name, "Page 1" and the first row as "x,y height[u if underlined] wCharacters", the
// pitch to the next row, how many rows page 1 holds and of how many pages. The name and the first line are too long.
std::string pageOf(const FakePrinters& p) {
    const std::vector<PrintedText>& t = p.printed;
    const auto at = [](const PrintedText& x) {
        return std::to_string(x.x) + "," + std::to_string(x.y) + " " + std::to_string(-x.font.height) +
               (x.font.underline ? "u" : "") + " w" + std::to_string(x.text.size());
    };
    return at(t[0]) + " | " + at(t[1]) + " | " + at(t[2]) + " +" + std::to_string(t[3].y - t[2].y) + " x" +
           std::to_string(std::ranges::count(t, 1, &PrintedText::page) - 2) + " of " + std::to_string(t.back().page);
}

// A help page has margins of 0.75 inch at the sides, 0.25 at the top, 0.5 at the bottom (or the unprintable strips
// where wider; a top strip counts in whole inches), rows as high as the font with its leading, and a title that may
// run under the page number. The document's rows start at 0.75 inch and go on for 7.5 inches or to the printable
// area's edge, as high as the font without leading, and its name ends a cell before the page number.
TEST(Printing, BothCommandsLayTheirPagesOutOnThePrinterAtHand) {
    const struct { DeviceCaps caps; int leading; std::string help, document; } printers[] = {
        // Letter at 600 dpi, 10 points 83 pixels high and 49 across, half an inch unprintable at the top and bottom
        {{600, 600, 5100, 6600, 150, 300, 4800, 6000}, 0,
         "300,0 100u w70 | 4206,0 83 w6 | 300,115 83 w85 +83 x70 of 3",
         "300,83 83 w81 | 4350,83 83 w6 | 300,332 83 w91 +83 x67 of 4"},
        {{600, 600, 5100, 6600, 150, 600, 4800, 5850}, 50,  // an inch at the top, a wide leading
         "300,0 100u w70 | 4206,0 83 w6 | 300,65 83 w85 +133 x39 of 6",
         "300,83 83 w81 | 4350,83 83 w6 | 300,332 83 w91 +83 x38 of 6"},
        {{600, 600, 4961, 7016, 150, 150, 4661, 6416}, 0,  // A4, three quarters of an inch unprintable at the bottom
         "300,0 100u w67 | 4067,0 83 w6 | 300,265 83 w82 +83 x74 of 3",
         "300,83 83 w81 | 4350,83 83 w6 | 300,332 83 w89 +83 x72 of 3"},
        {{300, 300, 2550, 3300, 75, 75, 2400, 3150}, 0,  // 10 points are 41 pixels, 24 across
         "150,0 50u w70 | 2106,0 41 w6 | 150,130 41 w87 +41 x71 of 3",
         "150,41 41 w83 | 2175,41 41 w6 | 150,164 41 w93 +41 x71 of 3"},
    };
    const std::string name(120, 'n');
    std::string text(200, 'w');
    for (int n = 1; n <= 200; ++n) text += "\r\n" + std::to_string(n);
    for (const auto& [caps, leading, help, document] : printers) {
        TestContext h, d;
        for (TestContext* t : {&h, &d}) t->printers.caps = caps, t->printers.externalLeading = leading;
        printHelpTopic(h.ctx, name, text);
        d.app.currentFile = "C:\\" + name, d.editor.setText(utf16(text));
        printCurrentFile(d.ctx);
        EXPECT_EQ(std::tuple(pageOf(h.printers), pageOf(d.printers)), std::tuple(help, document)) << caps.physicalWidth;
    }
}

// No printer (none, or one without a resolution), a job or a page that cannot start: one box that says which.
TEST(Printing, CancelPrintsNothingAndEachFailureIsToldOnceAndEndsTheJob) {
    const struct { std::string fault, box; int steps; } rows[] = {  // steps: how far the job goes
        {"cancel", "", 0}, {"none", "No printer available", 0}, {"no resolution", "No printer available", 0},
        {"job", "Document printing error", 1}, {"page", "Page printing error", 2}};
    for (const auto& r : rows)
        for (const bool help : {true, false}) {
            TestContext t;
            FakePrinters& p = t.printers;
            p.cancel = r.fault == "cancel", p.installed = r.fault != "none", p.failDocument = r.fault == "job";
            p.failPage = r.fault == "page";
            if (r.fault == "no resolution") p.caps = {};
            t.desktop.answers = {Answer::Ok};
            t.editor.setText(u"text");
            help ? printHelpTopic(t.ctx, "Title", "body") : printCurrentFile(t.ctx);
            const std::vector<std::string> events{help ? "document appHelp" : "document Print Job", "page"};
            const std::vector<MessageBoxRequest> boxes(r.box.empty() ? 0 : 1,
                                                       {"Printer Error", r.box, Buttons::Ok, Icon::Error});
            EXPECT_EQ(std::tuple(t.desktop.boxes, p.events, p.printed.size(), p.devicesAlive),
                      std::tuple(boxes, std::vector(events.begin(), events.begin() + r.steps), 0u, 0))
                << r.fault << (help ? " help" : " document");
        }
}

}  // namespace
}  // namespace tess::test
