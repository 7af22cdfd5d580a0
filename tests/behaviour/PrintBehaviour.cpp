// File > Print on both subjects, by its key, its menu item and its toolbar button, on the fake printer:
// 720 dpi Letter, quarter-inch strips, so the text starts at x 360, a 10-point row is 100 pixels high
// and 90 cells wide, the page number stands at x 5220 and rows 4 to 73 take the text.
#include "EditorSubject.h"
#include "resources/resource.h"

namespace tess::test {
namespace {

// What a job printed, page by page: "row text", with "@x" after the row where x is not the left edge.
std::vector<std::vector<std::string>> sheets(const FakePrinters& p, int pitch = 100) {
    std::vector<std::vector<std::string>> pages;
    for (const PrintedText& t : p.printed) {
        pages.resize(static_cast<std::size_t>(t.page));
        pages.back().push_back(std::to_string(t.y / pitch) + (t.x == 360 ? "" : "@" + std::to_string(t.x)) + " " + t.text);
    }
    return pages;
}

std::string lines(int from, int to) {
    std::string text;
    for (int n = from; n <= to; ++n) text += "l" + std::to_string(n) + "\r\n";
    return text;
}

const std::string k200(196, 'x');  // with four spaces before it, 200 characters

struct Row { const char* name; std::string marked, route, file; std::vector<std::vector<std::string>> pages; bool selection = false; };

TEST(PrintBehaviour, FilePrintPrintsTheDocumentOrTheLinesOfTheSelectionWithAHeaderOnEveryPage) {
    const std::string long70 = lines(1, 69) + "    " + k200 + "|";
    const std::vector<std::string> page1Of70 = [&] {
        std::vector<std::string> rows{"1 page.html", "1@5220 Page 1"};
        for (int n = 1; n <= 69; ++n) rows.push_back(std::to_string(n + 3) + " l" + std::to_string(n));
        rows.push_back("73     " + k200.substr(0, 86));
        return rows;
    }();
    const Row rows[] = {
        {"the whole document", "a\r\n  b\r\nc|", "{C-P}", "C:\\Web\\index.html", {{"1 index.html", "1@5220 Page 1", "4 a", "5   b", "6 c"}}},
        {"from the middle of line 3 to the start of line 6", "1\r\n2\r\n3[3\r\n4\r\n5\r\n]6\r\n7", "toolbar", "C:\\a.htm",
         {{"1 a.htm", "1@5220 Page 1", "4 33", "5 4", "6 5"}}, true},
        {"a selection inside one line", "1\r\n2[2]2\r\n3", "menu", "D:page.php", {{"1 page.php", "1@5220 Page 1", "4 222"}}, true},
        {"an empty untitled document", "|", "menu", "", {{"1@5220 Page 1"}}},
        {"200 characters over rows of 90, indented as the line", "    " + k200 + "|", "menu", "C:\\x.txt",
         {{"1 x.txt", "1@5220 Page 1", "4     " + k200.substr(0, 86), "5     " + k200.substr(86, 86), "6     " + k200.substr(172)}}},
        {"a line that reaches the bottom goes on on the next page", long70, "menu", "C:\\page.html",
         {page1Of70, {"1 page.html", "1@5220 Page 2", "4     " + k200.substr(86, 86), "5     " + k200.substr(172)}}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        auto s = makeEditorSubject();
        s->app().currentFile = r.file;
        s->set(r.marked);
        if (r.route == "{C-P}") s->keys(r.route);
        else s->command(r.route == "toolbar" ? IDT_PRINT : IDM_PRINT);
        FakePrinters& p = s->printers();
        EXPECT_EQ(sheets(p), r.pages);
        ASSERT_EQ(p.dialogs.size(), 1u);
        EXPECT_EQ(p.dialogs[0], (PrintDialogRequest{true, r.selection, true}));
        EXPECT_EQ(p.events.front() + ", " + p.events.back(), "document Print Job, end document");
        EXPECT_EQ(p.devicesAlive, 0);
        EXPECT_EQ(s->marked(), r.marked);
        EXPECT_TRUE(s->desktop().boxes.empty());
    }
}

// The print font size of the preferences sets the rows; Cancel prints nothing; no printer, a job or a page that
// cannot start: one "Printer Error" box that says which, and the job goes no further.
TEST(PrintBehaviour, FilePrintFollowsThePrintFontSizeAndReportsEachFailureOnce) {
    auto s = makeEditorSubject();
    s->set(std::string(100, 'w') + "|");
    s->app().printFontSize = 12;  // 120 pixels high, 72 wide: 75 cells
    s->command(IDM_PRINT);
    const std::vector<std::vector<std::string>> pages{{"1@5220 Page 1", "4 " + std::string(75, 'w'), "5 " + std::string(25, 'w')}};
    EXPECT_EQ(sheets(s->printers(), 120), pages);
    EXPECT_EQ(s->printers().printed.back().font, (PrintFont{"Courier New", -120}));
    for (const auto& [fault, text] : {std::pair{"cancel", ""}, {"none", "No printer available"},
                                      {"document", "Document printing error"}, {"page", "Page printing error"}}) {
        SCOPED_TRACE(fault);
        FakePrinters& p = s->printers();
        p = FakePrinters{};
        p.cancel = fault == std::string("cancel"), p.installed = fault != std::string("none");
        p.failDocument = fault == std::string("document"), p.failPage = fault == std::string("page");
        s->desktop().boxes.clear(), s->desktop().answers = {Answer::Ok};
        s->keys("{C-P}");
        EXPECT_TRUE(p.printed.empty());
        std::vector<MessageBoxRequest> boxes;
        if (*text) boxes.push_back({"Printer Error", text, Buttons::Ok, Icon::Error});
        EXPECT_EQ(s->desktop().boxes, boxes);
        EXPECT_EQ(p.devicesAlive, 0);
    }
}

}  // namespace
}  // namespace tess::test
