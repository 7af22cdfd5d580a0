// The two print commands on the fake printer's fixed-pitch cells: a help topic's rows and pages, the page
// each command lays out on different printers, and what each does when printing fails.
#include "TestContext.h"
#include "print/Pagination.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace tess::test {
namespace {

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
        {"one", {"3 one"}},
        {"a\r\n\r\nb\r\n", {"3 a", "5 b"}},
        {"a\tb\r\nabcdefgh\tx\r\nab\tcdefghijk\tx",
         {"3 a       b", "4 abcdefgh        x", "5 ab      cdefghijk", "6 x"}},
        {"aaaa bbbb cccc dddd eeee", {"3 aaaa bbbb cccc dddd", "4 eeee"}},
        {"aaaaaaaaaa,bbbbbbbbbbbbb", {"3 aaaaaaaaaa,", "4 bbbbbbbbbbbbb"}},
        {"well-known-and-long-words", {"3 well-known-and-long-", "4 words"}},
        {"aaaaaaaaa)bbbbbbbbbbbb", {"3 aaaaaaaaa)", "4 bbbbbbbbbbbb"}},
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

// Set to both sides, a topic that fits one page goes out on one side; set to one side, it stays so. A topic that fills
// its page exactly adds no empty page.
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
    const struct {
        DeviceCaps caps;
        int leading;
        std::string help, document;
    } printers[] = {
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

// Cancel prints nothing; no printer (none, or one without a resolution), a job or a page that cannot start: one
// "Printer Error" box that says which, and the job goes no further.
TEST(Printing, CancelPrintsNothingAndEachFailureIsToldOnceAndEndsTheJob) {
    for (const std::string fault : {"cancel", "No printer available", "no resolution", "Document printing error",
                                    "Page printing error"})
        for (const bool help : {true, false}) {
            TestContext t;
            FakePrinters& p = t.printers;
            p.cancel = fault == "cancel", p.installed = fault[0] != 'N', p.failDocument = fault[0] == 'D',
            p.failPage = fault[0] == 'P';
            if (fault == "no resolution") p.caps = {};
            t.desktop.answers = {Answer::Ok};
            t.editor.setText(u"text");
            help ? printHelpTopic(t.ctx, "Title", "body") : printCurrentFile(t.ctx);
            std::vector<MessageBoxRequest> boxes;
            const std::string text = fault[0] == 'n' ? "No printer available" : fault;
            if (fault != "cancel") boxes.push_back({"Printer Error", text, Buttons::Ok, Icon::Error});
            std::vector<std::string> events;  // the job goes as far as the step that fails
            if (fault[0] == 'D' || fault[0] == 'P') events.push_back(help ? "document appHelp" : "document Print Job");
            if (fault[0] == 'P') events.push_back("page");
            EXPECT_EQ(std::tuple(t.desktop.boxes, p.events, p.printed.size(), p.devicesAlive),
                      std::tuple(boxes, events, 0u, 0))
                << fault << (help ? " help" : " document");
        }
}

}  // namespace
}  // namespace tess::test
