// The Commands menu on both subjects: the fragments, and Run browser from the menu, the toolbar and Ctrl+R.
#include "EditorSubject.h"
#include "resources/resource.h"

namespace tess::test {
namespace {

std::string skeleton(const std::string& t) {
    return "<!doctype html>\r\n<html>\r\n" + t + "<head>\r\n" + t + t + "<title>Title of your page goes here</title>\r\n" +
           t + "</head>\r\n" + t + "<body>\r\n" + t + t + "<h1>HTML Document</h1>\r\n" + t + t +
           "<p>First paragraph of your document</p>\r\n" + t + "</body>\r\n</html>\r\n";
}

// Each replaces the selection, leaves the caret where the user types next, keeps the marks on their lines, shows
// every line in the gutter, and is undone in one step.
TEST(FragmentBehaviour, OneUndoableInsertionEach) {
    const std::string nine(9, ' ');
    const struct { std::size_t tab; const char* before; int id; std::string after; std::vector<int> marks, moved; } rows[] = {
        {3, "|", IDM_HTMLSCRIPT, skeleton("   ") + "|", {}, {}},
        {9, "a\r\n|", IDM_HTMLSCRIPT, "a\r\n" + skeleton(nine) + "|", {2}, {12}},
        {3, "ab|cd", IDM_JSHEADER, "ab<script type=\"text/javascript\" src=\"Example.js\">|</script>cd", {1}, {1}},
        {3, "x [word] y", IDM_ADDCOMMENT, "x <!-- | --> y", {}, {}},
        {3, "[a\r\nb]\r\nc", IDM_ADDCOMMENT, "<!-- | -->\r\nc", {3}, {2}}};
    for (const auto& r : rows) {
        auto s = makeEditorSubject();
        s->app().tabText.assign(r.tab, ' '), s->set(r.before), s->app().bookmarks = r.marks, s->command(r.id);
        EXPECT_EQ(std::tuple(s->marked(), s->app().bookmarks, s->gutterRows().size()),
                  std::tuple(r.after, r.moved, static_cast<std::size_t>(s->editor().lineCount())));
        s->command(IDM_UNDO);
        EXPECT_EQ(s->marked(), r.before);
    }
}

// The preview holds the text behind a base element for the page's folder; the document stays changed and unsaved,
// and moves to the top of the recent list. The chosen browser, else the first fallback whose folder exists (kept in
// slot 1), starts with its path and the preview's quoted; with none, the user is told where to choose one.
TEST(BrowserBehaviour, PreviewInTheChosenOrAFallback) {
    const std::string x86 = "C:\\Program Files (x86)", pf = "C:\\Program Files", ie = "\\Internet Explorer\\iexplore.exe",
                      chosen = "C:\\Web Tools\\browser.exe", page = "C:\\My Site\\page.html";
    const MessageBoxRequest select{.text = "Select a browser from Preferences", .icon = Icon::Information};
    const struct { int index, route; bool exists; std::set<std::string> folders; std::string started; int after; } rows[] = {
        {4, IDM_RUNBROWSER, true, {x86}, chosen, 4}, {4, IDT_RUNBROWSER, true, {}, chosen, 4},
        {4, 0, false, {x86, pf}, x86 + ie, 1}, {0, IDT_RUNBROWSER, false, {pf}, pf + ie, 1}, {0, 0, true, {}, "", 0}};
    for (const auto& r : rows) {
        auto s = makeEditorSubject();
        FakeDesktop& d = s->desktop();
        Settings& set = s->app().settings;
        s->app().currentFile = page, s->set("<p>hi|"), s->editor().setModified(true);
        set.browserIndex = r.index, set.browserPaths[3] = chosen + " ", d.folders = r.folders, d.answers = {Answer::Ok};
        if (r.exists) d.files[chosen] = "";
        r.route ? s->command(r.route) : s->keys("{C-R}");
        EXPECT_EQ(std::tuple(d.files["C:\\Data\\runFile.htm"], d.files.count(page), s->modified(), s->recentItems()[0]),
                  std::tuple("<base href=\"file:///C:/My%20Site/\"><p>hi", 0u, true, "&1  page.html"));
        const std::string line = "\"" + r.started + "\" \"C:\\Data\\runFile.htm\"";
        EXPECT_EQ(d.processes, r.started.empty() ? std::vector<std::string>{} : std::vector{line});
        EXPECT_EQ(d.boxes, r.started.empty() ? std::vector{select} : std::vector<MessageBoxRequest>{});
        EXPECT_EQ(std::tuple(set.browserIndex, set.browserPaths[0], set.browserPaths[3]),
                  std::tuple(r.after, r.after == 1 ? r.started + " " : "", chosen + " "));
    }
}

}  // namespace
}  // namespace tess::test
