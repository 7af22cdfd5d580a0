#include "EditorSubject.h"
#include "resources/resource.h"

namespace tess::test {
namespace {

using Boxes = std::vector<MessageBoxRequest>;

std::string skeleton(const std::string& t) {
    return "<!doctype html>\r\n<html>\r\n" + t + "<head>\r\n" + t + t + "<title>Title of your page goes here</title>\r\n" +
           t + "</head>\r\n" + t + "<body>\r\n" + t + t + "<h1>HTML Document</h1>\r\n" + t + t +
           "<p>First paragraph of your document</p>\r\n" + t + "</body>\r\n</html>\r\n";
}

// Like a paste (0: Shift+Insert), a fragment goes in whole or, when it passes the text limit, not at all.
TEST(FragmentBehaviour, OneUndoableInsertionEach) {
    const std::string nine(9, ' ');
    const MessageBoxRequest noRoom{"Cannot be inserted", "The text does not fit: the editor holds at most 20 characters",
                                   Buttons::Ok, Icon::Information};
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
                  std::tuple(r.after, r.moved, refused ? Boxes{noRoom} : Boxes{}));
        if (refused) continue;
        EXPECT_EQ(s->gutterRows().size(), static_cast<std::size_t>(s->editor().lineCount()));
        s->command(IDM_UNDO);
        EXPECT_EQ(s->marked(), r.before);
    }
}

// The base element lets the preview find the page's links; a fallback found is kept in slot 1 (the folders of both
// fallbacks are there).
TEST(BrowserBehaviour, PreviewInTheChosenOrAFallback) {
    const std::string x86 = "C:\\Program Files (x86)\\Internet Explorer\\iexplore.exe", page = "C:\\My Site\\page.html",
                      pf = "C:\\Program Files\\Internet Explorer\\iexplore.exe", preview = "C:\\Data\\runFile.htm";
    const auto slot = [](int i) { return "C:\\Web Tools\\browser" + std::to_string(i) + ".exe"; };
    const MessageBoxRequest select{.text = "Select a browser from Preferences", .icon = Icon::Information},
        failed{.title = "Tessaline", .text = "The browser could not be started:\r\n" + slot(2) +
               "\r\nSelect another one from Preferences.", .icon = Icon::Error};
    const struct { int index, route; std::set<std::string> programs; std::string started; int after; bool fails = false;
    } rows[] = {
        {4, IDM_RUNBROWSER, {slot(4), x86, pf}, slot(4), 4}, {4, IDT_RUNBROWSER, {slot(4)}, slot(4), 4},
        {4, 0, {x86, pf}, x86, 1}, {0, IDT_RUNBROWSER, {slot(1), pf}, pf, 1}, {0, 0, {}, "", 0},
        {2, IDM_RUNBROWSER, {slot(2)}, slot(2), 2, true}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.started);
        auto s = makeEditorSubject();
        FakeDesktop& d = s->desktop();
        Settings& set = s->app().settings;
        s->app().currentFile = page, s->set("<p>hi|"), s->editor().setModified(true);
        for (int i = 1; i <= 5; ++i) set.browserPaths[static_cast<std::size_t>(i - 1)] = slot(i) + " ";
        set.browserIndex = r.index, d.folders = {"C:\\Program Files (x86)", "C:\\Program Files"};
        d.answers = {Answer::Ok}, d.processesFail = r.fails;
        for (const std::string& program : r.programs) d.files[program] = "";
        r.route ? s->command(r.route) : s->keys("{C-R}");
        EXPECT_EQ(std::tuple(d.files[preview], d.files.count(page), s->modified(), s->recentItems()[0]),
                  std::tuple("<base href=\"file:///C:/My%20Site/\"><p>hi", 0u, true, "&1  page.html"));
        const std::string line = "\"" + r.started + "\" \"" + preview + "\"";
        const auto boxes = r.started.empty() ? std::vector{select} : r.fails ? std::vector{failed} : Boxes{};
        EXPECT_EQ(std::tuple(d.processes, d.boxes, set.browserIndex, set.browserPaths[0], set.browserPaths[3]),
                  std::tuple(r.started.empty() ? std::vector<std::string>{} : std::vector{line}, boxes, r.after,
                             r.after == 1 ? r.started + " " : slot(1) + " ", slot(4) + " "));
    }
    // In the document's encoding, UTF-8 with its mark; a text the code page cannot store goes out in UTF-8 all the same.
    const std::tuple<Encoding, const char*, std::string> encoded[] = {
        {Encoding::Utf8, "é", "\xEF\xBB\xBF" "é"}, {Encoding::Ansi, "é", "\xE9"}, {Encoding::Ansi, "Ω", "\xEF\xBB\xBF" "Ω"}};
    for (const auto& [encoding, text, bytes] : encoded) {
        auto e = makeEditorSubject();
        e->set(text), e->app().encoding = encoding, e->desktop().answers = {Answer::Ok}, e->command(IDM_RUNBROWSER);
        EXPECT_EQ(e->desktop().files[preview], bytes) << text;
    }
    // A preview that cannot be written is named, and no browser shows an older one.
    auto s = makeEditorSubject();
    s->desktop().writeErrors[preview] = FileError::DiskFull, s->desktop().answers = {Answer::Ok};
    s->desktop().files[slot(1)] = "", s->app().settings.browserIndex = 1, s->command(IDM_RUNBROWSER);
    const MessageBoxRequest named{.title = "File Error ", .text = preview + "\r\nDisk full   ", .icon = Icon::Error};
    EXPECT_EQ(std::tuple(s->desktop().boxes, s->desktop().processes),
              std::tuple(Boxes{named}, std::vector<std::string>{}));
}

}  // namespace
}  // namespace tess::test
