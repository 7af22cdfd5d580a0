// File > Print on both subjects, by its key, its menu item and its toolbar button, on the fake printer:
// 720 dpi Letter, quarter-inch strips, so the text starts at x 360, a 10-point row is 100 pixels high
// and 90 cells wide, the page number stands at x 5220 and rows 4 to 73 take the text.
#include "EditorSubject.h"
#include "resources/resource.h"

namespace tess::test {
namespace {

using Pages = std::vector<std::vector<std::string>>;

// What the job printed, page by page: "row text", "row@x text" where x is not the left edge; rows are as high as
// the font.
Pages sheets(const FakePrinters& p) {
    Pages pages;
    for (const PrintedText& t : p.printed) {
        pages.resize(static_cast<std::size_t>(t.page));
        pages.back().push_back(std::to_string(t.y / -t.font.height) + (t.x == 360 ? "" : "@" + std::to_string(t.x)) + " " +
                               t.text);
    }
    return pages;
}

// A document (its file), File > Print by a route with the selection marked; the dialog offers the selection preset.
// The print font size of the preferences sets the rows.
struct Row {
    const char* name;
    std::string marked, route, file;
    Pages pages;
    bool selection = false;
    int points = 0;
};

TEST(PrintBehaviour, FilePrintPrintsTheDocumentOrTheLinesOfTheSelectionWithAHeaderOnEveryPage) {
    const std::string x(196, 'x'), indented = "    " + x;  // 200 characters: 90, then the indentation and 86, 4 and 24
    std::string lines;
    std::vector<std::string> page1{"1 page.html", "1@5220 Page 1"};
    for (int n = 1; n <= 69; ++n)
        lines += "l" + std::to_string(n) + "\r\n", page1.push_back(std::to_string(n + 3) + " l" + std::to_string(n));
    page1.push_back("73 " + indented.substr(0, 90));
    const Row rows[] = {
        {"the whole document", "a\r\n  b\r\nc|", "{C-P}", "C:\\Web\\index.html",
         {{"1 index.html", "1@5220 Page 1", "4 a", "5   b", "6 c"}}},
        {"from the middle of line 3 to the start of line 6", "1\r\n2\r\n3[3\r\n4\r\n5\r\n]6\r\n7", "toolbar", "C:\\a.htm",
         {{"1 a.htm", "1@5220 Page 1", "4 33", "5 4", "6 5"}}, true},
        {"inside one line", "1\r\n2[2]2\r\n3", "menu", "D:page.php", {{"1 page.php", "1@5220 Page 1", "4 222"}}, true},
        {"an empty untitled document", "|", "menu", "", {{"1@5220 Page 1"}}},
        {"a long line at the foot of a page", lines + indented + "|", "menu", "C:\\page.html",
         {page1, {"1 page.html", "1@5220 Page 2", "4     " + x.substr(86, 86), "5     " + x.substr(172)}}},
        {"in 12 points: 120 pixels high, 72 wide, 75 cells", std::string(100, 'w') + "|", "menu", "",
         {{"1@5220 Page 1", "4 " + std::string(75, 'w'), "5 " + std::string(25, 'w')}}, false, 12},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        auto s = makeEditorSubject();
        s->app().currentFile = r.file, s->app().printFontSize = r.points;
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

}  // namespace
}  // namespace tess::test
