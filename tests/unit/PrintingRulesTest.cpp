// The printing class's arithmetic and a help topic's pages, on the fake printer's fixed-pitch cells.
#include "FakePrinter.h"
#include "TestContext.h"
#include "print/Pagination.h"
#include "print/PrintJob.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <tuple>

namespace tess::test {
namespace {

// Letter at 600 dpi with quarter-inch strips: a 10-point font is 83 pixels high and 49 wide.
struct Job {
    FakePrinters printers;
    FakeDesktop desktop;
    cTPrint p{printers, desktop};
    Job() { printers.caps = {600, 600, 5100, 6600, 150, 150, 4800, 6300}, desktop.answers = {Answer::Ok}; }
};

TEST(PrintJob, FontsFromPointsAndStyleLettersAndTheTextThatFits) {
    for (const auto& [style, b, u, i] : {std::tuple{"", 0, 0, 0}, {"BI", 0, 0, 0}, {"bui", 1, 1, 1}, {"xu", 0, 1, 0}}) {
        Job j;
        j.p.setFont("Courier New", 10, style), j.p.printText("a", 1, 1);
        EXPECT_EQ(j.printers.printed.at(0).font, (PrintFont{"Courier New", -83, b == 1, i == 1, u == 1})) << style;
    }
    Job j;
    j.p.setFont("Courier New", 10, "");
    const double two = 2 * 49 / 600.0;
    for (const auto& [width, fit] :
         {std::pair{0.0, ""}, {10.0, "abcdef"}, {two, "ab"}, {-two, "ef"}, {-10.0, "abcdef"}})
        EXPECT_EQ(j.p.fitText("abcdef", width), fit) << width;
    EXPECT_EQ(
        std::tuple(j.p.textWidth("abc"), j.p.charSize().averageWidth, j.p.charSize().lineHeight, j.p.pageSize().height),
        std::tuple(147 / 600.0, 49 / 600.0, 83 / 600.0, 11.0));
}

// Margins of half an inch at the sides and an inch at the top and the bottom: device x 150 to 4650, y up to 5850.
TEST(PrintJob, PrintTextPlacesLinesFromThePaperEdgesAndClipsAtTheMargins) {
    Job j;
    j.p.setMargins(0.5, 0.5, 1, 1), j.p.setFont("Courier New", 10, "");
    const std::tuple<const char*, double, double> calls[] = {
        {"abc", 1, 2},  {"def", 0, 0},   {"ghi", 0, 0},    {"abcdef", 0.4, 3}, {"0123456789", 7.5, 3},
        {"late", 8, 3}, {"top", 1, 0.9}, {"low", 1, 9.86}, {"lower", 1, 10}};
    for (const auto& [text, x, y] : calls) j.p.printText(text, x, y);
    std::vector<std::tuple<int, int, std::string>> printed;
    for (const PrintedText& t : j.printers.printed) printed.emplace_back(t.x, t.y, t.text);
    EXPECT_EQ(printed, (decltype(printed){{450, 1050, "abc"},
                                          {450, 1133, "def"},
                                          {450, 1216, "ghi"},
                                          {150, 1650, "cdef"},
                                          {4350, 1650, "012345"},
                                          {450, 5766, "low"}}));
}

TEST(PrintJob, LinesLeftCountTheUnprintableTopStripOnlyInWholeInches) {
    for (const auto& [offsetY, printableHeight, y, lines] : {std::tuple{150, 6300, 0.0, 74},
                                                             {599, 5851, 0.0, 74},
                                                             {720, 5730, 0.0, 68},
                                                             {150, 6000, 0.0, 72},
                                                             {150, 6300, 2.0, 61}}) {
        Job j;
        j.printers.caps.physicalOffsetY = offsetY, j.printers.caps.printableHeight = printableHeight;
        j.p.setMargins(0.75, 0.75, 0.25, 0.5), j.p.setFont("Courier New", 10, "");
        EXPECT_EQ(j.p.linesLeft(y), lines) << offsetY << " " << printableHeight << " " << y;
    }
}

// Duplex needs a device mode, and mode 0 changes nothing. No printer, a document or a page that cannot start: one
// box each, and nothing divides by a missing resolution. The context goes with the job, or with the instance.
TEST(PrintJob, DuplexNeedsADeviceModeFailuresAreToldOnceAndTheContextGoesWithTheJob) {
    for (const std::optional<int> mode : {std::optional<int>{}, std::optional<int>{2}}) {
        Job j;
        j.printers.duplex = mode;
        EXPECT_EQ(j.p.openDefaultPrinter(), "Fake Printer");
        EXPECT_EQ(j.p.isDuplex(), mode.has_value());
        j.p.setDuplex(0), j.p.setDuplex(1);
        EXPECT_EQ(std::tuple(j.p.isDuplex(), j.printers.events),
                  std::tuple(false, mode ? std::vector<std::string>{"duplex 1"} : std::vector<std::string>{}));
        j.p.endDocument();
        EXPECT_EQ(j.printers.devicesAlive, 0);
    }
    for (const auto& [fault, text] : {std::pair{"none", "No printer available"}, {"no paper", "No printer available"},
                                      {"document", "Document printing error"},
                                      {"page", "Page printing error"}}) {
        Job j;
        j.printers.installed = fault != std::string("none");
        if (fault == std::string("no paper")) j.printers.caps = {};
        j.printers.failDocument = fault == std::string("document"), j.printers.failPage = fault == std::string("page");
        EXPECT_EQ(j.p.choosePrinter().empty(), !j.printers.installed || !j.printers.caps.pixelsPerInchX);
        j.p.setFont("Courier New", 10, "b"), j.p.startDocument("job"), j.p.startPage(), j.p.printText("x", 1, 1);
        EXPECT_EQ(j.p.linesLeft(0) > 0, text[0] != 'N');
        EXPECT_EQ(j.desktop.boxes, (std::vector{MessageBoxRequest{"Printer Error", text, Buttons::Ok, Icon::Error}}));
    }
    Job j;
    std::optional<cTPrint> unfinished(std::in_place, j.printers, j.desktop);
    unfinished->startDocument("left open"), unfinished.reset();
    EXPECT_EQ(j.printers.devicesAlive, 0);
}

// A help topic on paper 3 1/6 inches wide at 720 dpi: 20 cells between the margins, 10-point rows 100 pixels apart,
// the body from row 5 (y 320), 70 rows a page.
FakePrinters& printTopic(FakePrinters& p, const std::string& body) {
    p.caps.physicalWidth = 2280, p.caps.printableWidth = 1920;
    FakeDesktop desktop;
    printHelpItem(p, desktop, "Title", body);
    return p;
}
// A page's body as "row text", rows counted from the paper's top edge, "@" for " " where x is not the left margin.
std::vector<std::string> rowsOf(const FakePrinters& p, int page = 1) {
    std::vector<std::string> rows;
    for (const PrintedText& t : p.printed)
        if (t.page == page && t.y > 0)
            rows.push_back(std::to_string((t.y + 180) / 100) + (t.x == 360 ? " " : "@") + t.text);
    return rows;
}

TEST(HelpPrinting, LinesAreSplitExpandedAndWrappedAfterTheLastBreakThatFits) {
    const std::string a5(5, 'a'), a20(20, 'a');
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"one", {"5 one"}},
        {"a\r\n\r\nb\r\n", {"5 a", "7 b"}},
        {"a\tb\r\nabcdefgh\tx\r\nab\tcdefghijk\tx",
         {"5 a       b", "6 abcdefgh        x", "7 ab      cdefghijk", "8 x"}},
        {"aaaa bbbb cccc dddd eeee", {"5 aaaa bbbb cccc dddd", "6 eeee"}},
        {"aaaaaaaaaa,bbbbbbbbbbbbb", {"5 aaaaaaaaaa,", "6 bbbbbbbbbbbbb"}},
        {"well-known-and-long-words", {"5 well-known-and-long-", "6 words"}},
        {"aaaaaaaaa)bbbbbbbbbbbb", {"5 aaaaaaaaa)", "6 bbbbbbbbbbbb"}},
        {"aaaaaaaaaaaaaaaaf(xy)", {"5 aaaaaaaaaaaaaaaaf", "6 (xy)"}},
        {a20 + a5, {"5 " + a20, "6 " + a5}},
        {"(" + a20 + a5, {"5 (" + a20.substr(1), "6 a" + a5}},                  // no break but an opener
        {"    aaaa bbbb cccc dddd eeee", {"5 aaaa bbbb cccc", "6 dddd eeee"}},  // every row at the left margin
    };
    for (const auto& [body, rows] : cases) {
        FakePrinters p;
        EXPECT_EQ(rowsOf(printTopic(p, body)), rows) << body;
    }
}

// Every page: the underlined 12-point title and "Page n" ending at the right margin (x 1560); the pages turn as rows
// fill them, so 700 rows make exactly ten. Set to both sides, a topic that fits one page goes out on one side.
TEST(HelpPrinting, EveryPageHasTheTitleAndItsNumberDuplexOnlyForMoreThanOnePageNothingForAnEmptyBody) {
    std::string body;
    for (int n = 1; n <= 700; ++n) body += std::to_string(n) + "\r\n";
    FakePrinters p;
    printTopic(p, body);
    for (int page = 1; page <= 10; ++page) {
        const std::string number = "Page " + std::to_string(page);
        const PrintedText *title = &p.printed[(page - 1) * 72], *at = title + 1;
        EXPECT_EQ(std::tuple(title->text, title->x, title->y, title->font),
                  std::tuple("Title", 360, 0, PrintFont{"Courier New", -120, false, false, true}));
        EXPECT_EQ(std::tuple(at->text, at->x + 60 * int(number.size()), at->y), std::tuple(number, 1560, 0));
        const auto rows = rowsOf(p, page);
        EXPECT_EQ(rows.size(), 70u);
        EXPECT_EQ(rows.front() + ", " + rows.back(),
                  "5 " + std::to_string(page * 70 - 69) + ", 74 " + std::to_string(page * 70));
    }
    EXPECT_EQ(std::tuple(std::ranges::count(p.events, "page"), p.events.front()), std::tuple(10, "document appHelp"));
    for (const auto& [lines, duplex] : {std::pair{70, "duplex 1"}, {71, "duplex 2"}}) {
        FakePrinters twoSided;
        twoSided.duplex = 2;
        printTopic(twoSided, body.substr(0, body.find("\r\n" + std::to_string(lines + 1) + "\r\n") + 2));
        EXPECT_EQ(twoSided.events.front(), duplex);
    }
    TestContext t;  // the help window's Print item: nothing for an empty body, nor after Cancel
    printHelpTopic(t.ctx, "Title", "");
    t.printers.cancel = true;
    printHelpTopic(t.ctx, "Title", "body");
    EXPECT_EQ(std::tuple(t.printers.dialogs.size(), t.printers.events.size(), t.desktop.boxes.size()),
              std::tuple(1u, 0u, 0u));
}

}  // namespace
}  // namespace tess::test
