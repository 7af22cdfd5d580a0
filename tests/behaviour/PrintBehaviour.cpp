// File > Print on both subjects, by its key, its menu item and its toolbar button, on the fake printer:
// 720 dpi Letter, quarter-inch strips, so the text starts at x 360, a 10-point row is 100 pixels high
// and 90 cells wide, the page number stands at x 5220 and rows 4 to 73 take the text.
#include "EditorSubject.h"
#include "resources/resource.h"

namespace tess::test {
namespace {

using Pages = std::vector<std::vector<std::string>>;

// What the job printed, page by page: "row text", "row@x text" where x is not the left edge.
Pages sheets(const FakePrinters& p, int pitch = 100) {
    Pages pages;
    for (const PrintedText& t : p.printed) {
        pages.resize(static_cast<std::size_t>(t.page));
        pages.back().push_back(std::to_string(t.y / pitch) + (t.x == 360 ? "" : "@" + std::to_string(t.x)) + " " +
                               t.text);
    }
    return pages;
}

// A document (its file), File > Print by a route with the selection marked; the dialog offers the selection preset.
struct Row {
    const char* name;
    std::string marked, route, file;
    Pages pages;
    bool selection = false;
};

TEST(PrintBehaviour, FilePrintPrintsTheDocumentOrTheLinesOfTheSelectionWithAHeaderOnEveryPage) {
    const std::string x(196, 'x'), indented = "    " + x;  // 200 characters: 90, then the indentation and 86, 4 and 24
    std::string lines;
    std::vector<std::string> page1{"1 page.html", "1@5220 Page 1"};
    for (int n = 1; n <= 69; ++n)
        lines += "l" + std::to_string(n) + "\r\n", page1.push_back(std::to_string(n + 3) + " l" + std::to_string(n));
    page1.push_back("73 " + indented.substr(0, 90));
    const Row rows[] = {
        {"the whole document",
         "a\r\n  b\r\nc|",
         "{C-P}",
         "C:\\Web\\index.html",
         {{"1 index.html", "1@5220 Page 1", "4 a", "5   b", "6 c"}}},
        {"from the middle of line 3 to the start of line 6",
         "1\r\n2\r\n3[3\r\n4\r\n5\r\n]6\r\n7",
         "toolbar",
         "C:\\a.htm",
         {{"1 a.htm", "1@5220 Page 1", "4 33", "5 4", "6 5"}},
         true},
        {"inside one line", "1\r\n2[2]2\r\n3", "menu", "D:page.php", {{"1 page.php", "1@5220 Page 1", "4 222"}}, true},
        {"an empty untitled document", "|", "menu", "", {{"1@5220 Page 1"}}},
        {"a long line",
         indented + "|",
         "menu",
         "C:\\x",
         {{"1 x", "1@5220 Page 1", "4 " + indented.substr(0, 90), "5     " + x.substr(86, 86),
           "6     " + x.substr(172)}}},
        {"a long line at the foot of a page",
         lines + indented + "|",
         "menu",
         "C:\\page.html",
         {page1, {"1 page.html", "1@5220 Page 2", "4     " + x.substr(86, 86), "5     " + x.substr(172)}}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        auto s = makeEditorSubject();
        s->app().currentFile = r.file;
        s->set(r.marked);
        if (r.route == "{C-P}")
            s->keys(r.route);
        else
            s->command(r.route == "toolbar" ? IDT_PRINT : IDM_PRINT);
        FakePrinters& p = s->printers();
        EXPECT_EQ(sheets(p), r.pages);
        EXPECT_EQ(p.dialogs, (std::vector{PrintDialogRequest{true, r.selection, true}}));
        EXPECT_EQ(std::tuple(p.events.front(), p.events.back(), p.devicesAlive, s->marked(), s->desktop().boxes.size()),
                  std::tuple("document Print Job", "end document", 0, r.marked, 0u));
    }
}

// The print font size of the preferences sets the rows; Cancel prints nothing; no printer, a job or a page that
// cannot start: one "Printer Error" box that says which, and the job goes no further.
TEST(PrintBehaviour, FilePrintFollowsThePrintFontSizeAndReportsEachFailureOnce) {
    auto s = makeEditorSubject();
    s->set(std::string(100, 'w') + "|");
    s->app().printFontSize = 12;  // 120 pixels high, 72 wide: 75 cells
    s->command(IDM_PRINT);
    EXPECT_EQ(sheets(s->printers(), 120),
              (Pages{{"1@5220 Page 1", "4 " + std::string(75, 'w'), "5 " + std::string(25, 'w')}}));
    EXPECT_EQ(s->printers().printed.back().font, (PrintFont{"Courier New", -120}));
    for (const std::string fault :
         {"cancel", "No printer available", "Document printing error", "Page printing error"}) {
        FakePrinters& p = s->printers() = FakePrinters{};
        p.cancel = fault == "cancel", p.installed = fault[0] != 'N', p.failDocument = fault[0] == 'D',
        p.failPage = fault[0] == 'P';
        s->desktop().boxes.clear(), s->desktop().answers = {Answer::Ok};
        s->keys("{C-P}");
        std::vector<MessageBoxRequest> boxes;
        if (fault != "cancel") boxes.push_back({"Printer Error", fault, Buttons::Ok, Icon::Error});
        EXPECT_EQ(std::tuple(s->desktop().boxes, p.printed.size(), p.devicesAlive), std::tuple(boxes, 0u, 0)) << fault;
    }
}

}  // namespace
}  // namespace tess::test
