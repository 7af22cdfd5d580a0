// The fake printer: 720 dpi Letter, quarter-inch strips, so the text starts at x 360, a 10-point row is 100 pixels high
// and 90 cells wide, the page number stands at x 5220; a printable height of 800 leaves rows 4 to 6 for the text.
#include "EditorSubject.h"
#include "resources/resource.h"

namespace tess::test {
namespace {

using Pages = std::vector<std::vector<std::string>>;

// Whether the print dialog offers the selection preset; the print font size (0: the default).
struct Row { const char* name; std::string marked, file; Pages pages; bool selection = false; int points = 0; };

TEST(PrintBehaviour, FilePrintPrintsTheDocumentOrTheLinesOfTheSelectionWithAHeaderOnEveryPage) {
    const std::string x(196, 'x'), indented = "    " + x;  // 200 characters: 90, then the indentation and 86, 4 and 24
    const Row rows[] = {
        {"the whole document", "a\r\n  b\r\nc|", "C:\\Web\\index.html",
         {{"1 index.html", "1@5220 Page 1", "4 a", "5   b", "6 c"}}},
        {"from the middle of line 3 to the start of line 6", "1\r\n2\r\n3[3\r\n4\r\n5\r\n]6\r\n7", "C:\\a.htm",
         {{"1 a.htm", "1@5220 Page 1", "4 33", "5 4", "6 5"}}, true},
        {"inside one line", "1\r\n2[2]2\r\n3", "D:page.php", {{"1 page.php", "1@5220 Page 1", "4 222"}}, true},
        {"an empty untitled document", "|", "", {{"1@5220 Page 1"}}},
        {"a long line at the foot of a page", "l1\r\nl2\r\n" + indented + "|", "C:\\page.html",
         {{"1 page.html", "1@5220 Page 1", "4 l1", "5 l2", "6 " + indented.substr(0, 90)},
          {"1 page.html", "1@5220 Page 2", "4     " + x.substr(86, 86), "5     " + x.substr(172)}}},
        {"in 12 points: 120 pixels high, 72 wide, 75 cells, one row a page", std::string(100, 'w') + "|", "",
         {{"1@5220 Page 1", "4 " + std::string(75, 'w')}, {"1@5220 Page 2", "4 " + std::string(25, 'w')}}, false, 12},
        {"any script: the name in Greek, and no row ends inside a surrogate pair", std::string(89, 'w') + "😀x|",
         "C:\\Σελίδα.html", {{"1 Σελίδα.html", "1@5220 Page 1", "4 " + std::string(89, 'w'), "5 😀x"}}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        auto s = makeEditorSubject();
        s->app().currentFile = r.file, s->app().printFontSize = r.points, s->printers().caps.printableHeight = 800;
        s->set(r.marked), s->command(IDM_PRINT);
        FakePrinters& p = s->printers();
        EXPECT_EQ(p.pages(), r.pages);
        EXPECT_EQ(p.dialogs, (std::vector{PrintDialogRequest{true, r.selection, true}}));
        EXPECT_EQ(std::tuple(p.events.front(), p.events.back(), p.devicesAlive, s->marked(), s->desktop().boxes.size()),
                  std::tuple("document Print Job", "end document", 0, r.marked, 0u));
    }
}

}  // namespace
}  // namespace tess::test
