// The rules that need no window, from the settings file and start-up to search and text encoding.
#include "app/Close.h"
#include "app/Commands.h"
#include "app/Layout.h"
#include "app/ScreenPlacement.h"
#include "app/Startup.h"
#include "dialogs/Preferences.h"
#include "dialogs/TagList.h"
#include "document/RecentFiles.h"
#include "document/RunBrowser.h"
#include "editor/Bookmarks.h"
#include "editor/Gutter.h"
#include "platform/FileNames.h"
#include "platform/TextEncoding.h"
#include "search/FindDialog.h"
#include "search/SearchText.h"
#include "DialogScript.h"
#include "InMemoryEditControl.h"
#include "MarkedText.h"
#include "TestContext.h"

#include <gtest/gtest.h>

#include <optional>

namespace tess {
namespace {

using namespace std::string_literals;

// A settings file without its quotes and with "/" for each line end; and the file written back after reading one.
std::string condensed(std::string_view file) {
    std::string out;
    for (const char c : file) out += c == '\n' ? "/" : c == '\r' || c == '"' ? "" : std::string(1, c);
    return out;
}
std::string readBack(std::string_view f) { Settings s; readSettingsFile(f, s); return settingsFileText(s, s.lastFile); }

TEST(SettingsFile, WrittenByteForByteAndReadBack) {
    Settings s{.versionText = "1.06", .windowX = 120, .windowY = 80, .clientWidth = 640, .clientHeight = 520,
               .recentCount = 1, .browserIndex = 4};  // as an earlier version wrote it
    s.recentFiles[0] = "C:\\Web\\index.html", s.browserPaths[3] = "C:\\Tools\\Browser\\browser.exe ";
    const std::string example = "\"1.06\"\r\n120,80,640,520,10\r\n1,1,1,0,4\r\n3,0,1,16777215,0\r\n\"C:\\Web\\index.html\"\r\n"
                                "\"C:\\Web\\index.html\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"C:\\Tools\\Browser\\browser.exe \"\r\n\"\"\r\n";
    EXPECT_EQ(settingsFileText(s, "C:\\Web\\index.html"), example);
    const std::string other = "\"1.06\"\r\n7,9,800,600,14\r\n4,0,0,1,5\r\n9,1,0,14745599,1\r\n\"C:\\l.htm\"\r\n"
                              "\"C:\\a, b\\1.htm\"\r\n\"D:\\2.css\"\r\n\"\\\\srv\\3.js\"\r\n\"4.php\"\r\n"
                              "\"C:\\i.exe \"\r\n\"\"\r\n\"o \"\r\n\"\"\r\n\"x \"\r\n";
    for (const std::string& file : {example, other}) EXPECT_EQ(readBack(file), file);
}

// Unreadable values keep the defaults, sizes are clamped, flags are 0 or 1, other values out of range
// fall back; a recent count above four keeps four but reads all it counts, keeping the browser lines.
TEST(SettingsFile, ADamagedFileReadsAsFarAsItCan) {
    const std::string rest = "/0,1,1,0,0/3,0,1,16777215,0///////", version(kVersion);
    const std::pair<std::string, std::string> rows[] = {
        {"", version + "/0,0,300,200,10" + rest},
        {"\"1.06\"\r\n120,80,6", "1.06/120,80,300,200,10" + rest},
        {"\"1\"\r\n-8,99999999,120,-5,100000\r\n", "1/0,16000,300,200,10" + rest},
        {"\"1\"\r\nleft,top,640.5,99999999999999999999,11.5\r\n", "1/0,0,640,200,12" + rest},  // halves to even
        {"\"1\"\r\n0,0,640,480,-4\r\n0,7,-1,2,9\r\n33,5,0,-1,3\r\n", "1/0,0,640,480,10/0,1,1,1,0/3,1,0,16777215,1///////"},
        {"\"1\"\r\n0,0,640,480,8\r\n6,1,1,0,2\r\n3,0,1,0,0\r\n\"a\"\r\n\"1\"\r\n\"2\"\r\n\"3\"\r\n\"4\"\r\n\"5\"\r\n\"6\"\r\n\"\"\r\n\"b \"\r\n",
         "1/0,0,640,480,8/4,1,1,0,2/3,0,1,0,0/a/1/2/3/4//b ////"},
        {"\"1\"\r\n0,0,640,480,8\r\n3,1,1,0,1\r\n3,0,1,0,0\r\n\"a\"\r\n\"r1\"\r\n", "1/0,0,640,480,8/1,1,1,0,1/3,0,1,0,0/a/r1//////"},
        {"\"1.06\"\n 5 , 6 ,700 ,500, 11\n0,1,1,0,3\n32,0,1,65535,0\n\"f.htm\"\n", "1.06/5,6,700,500,11/0,1,1,0,3/32,0,1,65535,0/f.htm//////"}};
    for (const auto& [text, read] : rows) EXPECT_EQ(condensed(readBack(text)), read) << text;
}

// Only an installed copy keeps its files in the shared data folder; the comparison is exact. A
// copy that cannot be the installed one does not ask for the system folders.
TEST(Startup, TheDataFolderFollowsTheInstalledFolderRule) {
    const struct { const char *program, *data; bool asks; } rows[] = {
        {"C:\\Program Files\\Orvalle\\Tessaline\\", "C:\\ProgramData\\Orvalle\\Tessaline\\", true},
        {"C:\\Program Files\\Test\\Orvalle\\Tessaline\\", "C:\\Program Files\\Test\\Orvalle\\Tessaline\\", true},
        {"C:\\Program Files\\orvalle\\Tessaline\\", "C:\\Program Files\\orvalle\\Tessaline\\", false},
        {"C:\\Program Files\\Orvalle\\Tessaline\\bin\\", "C:\\Program Files\\Orvalle\\Tessaline\\bin\\", false},
        {"D:\\Tools", "D:\\Tools\\", false}};
    for (const auto& row : rows) {
        bool asked = false;
        const auto folders = [&] { return asked = true, SystemFolders{"C:\\Program Files", "C:\\ProgramData"}; };
        EXPECT_EQ(chooseDataFolder(row.program, folders), row.data);
        EXPECT_EQ(asked, row.asks) << row.program;
    }
}

TEST(Startup, TheFirstRunWritesSettingsTwice) {
    test::TestContext t;
    EXPECT_FALSE(loadOrCreateSettings(t.ctx, "C:\\Data\\"));
    EXPECT_TRUE(t.desktop.folders.count("C:\\Data\\"));
    saveSettings(t.ctx);  // by the program, once its window stands as it is seen
    EXPECT_EQ(condensed(t.desktop.files["C:\\Data\\Tessaline.ini"]), std::string(kVersion) + "/0,0,0,0,0/0,1,1,0,0/0,0,1,0,0///////");
    applyInMemoryDefaults(t.app);
    ASSERT_TRUE(closeMainWindow(t.ctx));
    EXPECT_EQ(condensed(t.desktop.files["C:\\Data\\Tessaline.ini"]), std::string(kVersion) + "/0,0,0,0,10/0,1,1,0,0/3,0,1,16777215,0///////");
}

// The command line without its quotes, then the last file when asked for, then the most recent.
TEST(Startup, TheFirstDocumentIsChosenInOrder) {
    const struct { const char *commandLine, *lastFile; bool loadLastFile; int recentCount; const char* opened; } rows[] = {
        {"\"C:\\My Pages\\a b.html\"", "C:\\last.html", 1, 2, "C:\\My Pages\\a b.html"}, {"C:\\x\"y\".html", "", 0, 0, "C:\\xy.html"},
        {"", "C:\\last.html", 1, 2, "C:\\last.html"}, {"\"\"", "C:\\last.html", 0, 2, "C:\\recent1.html"},
        {"", "", 1, 2, "C:\\recent1.html"}, {"", "C:\\last.html", 0, 0, ""}};
    for (const auto& r : rows) {
        Settings s{.recentCount = r.recentCount, .loadLastFile = r.loadLastFile, .lastFile = r.lastFile, .recentFiles = {"C:\\recent1.html"}};
        EXPECT_EQ(startupDocument(r.commandLine, s), r.opened) << r.commandLine << " / " << r.lastFile;
    }
}

TEST(RecentFiles, APathsFolderNameAndStem) {
    for (const auto& [path, parts] : {std::pair{"C:\\Web\\archive.tar.gz", "C:\\Web\\|archive.tar.gz|archive.tar"}, {"page.htm", "|page.htm|page"},
                                      {"C:\\Web.d\\README", "C:\\Web.d\\|README|README"}, {"C:\\Web\\.htaccess", "C:\\Web\\|.htaccess|.htaccess"}})
        EXPECT_EQ(folderOf(path) + "|" + fileNameOf(path) + "|" + fileStemOf(path), parts);
}

// Pixels scale as MulDiv rounds, so 96 dpi is exactly the design; the settings keep 96-dpi sizes; a dialog in pixels
// scales all but its screen position and font. The client area is 640 x 480, the main window at 0, 0.
TEST(Layout, ScaledFromTheDesignAtEveryDpi) {
    const struct { int dpi; Size client; Rect editor; int gutter, collapsedGutter, collapsedEditorX; std::array<int, 4> status;
                   int pictures, optionsWidth; Rect apply; ScreenPoint tags; } rows[] = {
        {96, {500, 495}, {64, 30, 570, 418}, 62, 10, 12, {439, 489, 539, 10538}, 16, 250, {120, 275, 70, 30}, {460, 90}},
        {120, {625, 619}, {80, 38, 552, 402}, 78, 13, 15, {388, 451, 514, 10513}, 24, 313, {150, 344, 88, 38}, {575, 113}},
        {144, {750, 743}, {96, 45, 535, 387}, 93, 15, 18, {339, 414, 489, 10488}, 24, 375, {180, 413, 105, 45}, {690, 135}},
        {192, {1000, 990}, {128, 60, 500, 356}, 124, 20, 24, {239, 339, 439, 10438}, 32, 500, {240, 550, 140, 60}, {920, 180}}};
    const FontMetrics font{.charWidth = 8, .lineHeight = 15};
    for (const auto& r : rows) {
        const ClientLayout numbers = clientLayout(640, {500, 156}, font, true, r.dpi), collapsed = clientLayout(640, {500, 156}, font, false, r.dpi);
        const DialogLayout options = scaledLayout(preferencesDialog(), r.dpi);
        const DialogControl& a = options.controls.back();
        const DialogLayout tags = tagListLayout({.clientWidth = scaled(640, r.dpi), .clientHeight = scaled(480, r.dpi), .dpi = r.dpi});
        EXPECT_EQ(std::tuple(Size{scaled(500, r.dpi), scaled(495, r.dpi)}, Size{unscaled(r.client.width, r.dpi), unscaled(r.client.height, r.dpi)},
                             editorOuterRect(640, 480, r.dpi), numbers.gutterClient.width, numbers.editorX, collapsed.gutterClient.width,
                             collapsed.editorX, statusBarEdges(640, r.dpi), toolbarIconSize(r.dpi), options.width, Rect{a.x, a.y, a.width, a.height},
                             options.fontSize, tags.position->x, tags.position->y, tags.height),
                  std::tuple(r.client, Size{500, 495}, r.editor, r.gutter, r.editor.x, r.collapsedGutter, r.collapsedEditorX, r.status, r.pictures,
                             r.optionsWidth, r.apply, 8, r.tags.x, r.tags.y, 358)) << r.dpi;
    }
    // A layout in dialog units follows its font and is left as it is.
    EXPECT_EQ(scaledLayout(findDialogLayout(FindMode::Replace), 192).width, findDialogLayout(FindMode::Replace).width);
}

TEST(Dialogs, OneMessageWhenOneCannotBeShown) {
    for (const auto& [command, title] : {std::pair{IDM_FIND, "Find"}, {IDM_REPLACE, "Replace"},
                                         {IDM_PREFERENCES, "Tessaline Options"}, {IDM_ABOUT, "About Tessaline"}}) {
        test::TestContext t;
        t.desktop.answers = {Answer::Ok};
        runCommand(t.ctx, command);
        ASSERT_EQ(t.desktop.boxes.size(), 1u) << title;
        EXPECT_EQ(t.desktop.boxes[0].text, "The " + std::string(title) + " window could not be opened.");
        EXPECT_EQ(settingsFileText(t.app.settings, ""), settingsFileText(Settings{}, ""));
    }
}

TEST(FileNames, ADeviceNameIsNoFile) {
    const struct { std::string path; bool device; } rows[] = {
        {"C:\\Web\\index.html", false}, {"C:\\Web\\aux.html", true}, {"nul", true}, {"D:\\Con .tar.gz", true},
        {"LPT9", true}, {"com0.txt", false}, {"C:/com1.log", true}, {"LPT10", false}, {"C:\\Ωmega\\索引.html", false}};
    for (const auto& r : rows) EXPECT_EQ(isDeviceName(r.path), r.device) << r.path;
}

// A work area of 1280 x 994 (a task bar below), a second of 1024 x 738 to its right where a row says so.
TEST(ScreenPlacement, BackOnAScreenAtItsSizeWhenItFits) {
    const std::vector<Rect> one{{0, 0, 1280, 994}}, two{{0, 0, 1280, 994}, {1280, 0, 1024, 738}};
    const struct { const char* where; Rect saved; bool twoScreens; Rect shown; } rows[] = {
        {"partly off", {1000, 700, 660, 540}, false, {1000, 700, 660, 540}},
        {"all but a sliver off", {1270, 80, 660, 540}, false, {620, 80, 660, 540}},
        {"on a second screen", {2000, 80, 660, 540}, true, {2000, 80, 660, 540}},
        {"wholly off to the left", {-900, 80, 660, 540}, false, {0, 80, 660, 540}},
        {"wholly off below", {100, 1500, 660, 540}, false, {100, 454, 660, 540}},
        {"maximised by earlier versions", {0, 0, 1296, 1010}, false, {0, 0, 1280, 994}},
        {"larger than the second screen", {1300, 10, 1100, 800}, true, {1280, 0, 1024, 738}},
        {"too tall for the screen it shows most on", {1200, 80, 660, 800}, true, {1280, 0, 660, 738}},
        {"too wide for the screen only", {100, 80, 1500, 540}, false, {0, 80, 1280, 540}}};
    for (const auto& r : rows) EXPECT_EQ(placeOnScreen(r.saved, r.twoScreens ? two : one), r.shown) << r.where;
}

TEST(BookmarkRule, NoMarkPastTheEnd) {
    std::vector<int> marks{2, 10, 12};
    shiftBookmarks(marks, 4, true, 10, 9);
    EXPECT_EQ(marks, (std::vector<int>{2, 9}));
}

// The gutter is 62 pixels wide at 96 dpi, 93 at 144.
TEST(GutterFieldWidth, RoundsHalfToEven) {
    const struct { int charWidth; bool numbers; int dpi, width; } rows[] = {
        {8, true, 96, 7}, {4, true, 96, 14}, {200, true, 96, 0}, {0, true, 96, 0}, {8, false, 96, 1},
        {12, true, 144, 7}};
    for (const auto& r : rows) EXPECT_EQ(gutterFieldWidth(r.charWidth, r.numbers, r.dpi), r.width) << r.charWidth;
}

// "..." marks the caret and is never inserted.
TEST(TagList, EntriesInsertWithTheCaretAtTheDots) {
    const auto entries = tagListEntries();
    ASSERT_EQ(entries.size(), 43u);
    for (const auto& entry : entries) EXPECT_EQ(tagInsertion(entry).text.find('.'), std::string::npos) << entry;
    EXPECT_EQ(tagInsertion("<p>...</p>"), (TagInsertion{"<p></p>", 3}));
    EXPECT_EQ(tagInsertion("<br />"), (TagInsertion{"<br />", 0}));
    EXPECT_GT(tagListLayout({.clientHeight = 100}).height, 0);  // a main window too low for the list still gets one
    // A pick only selects, Esc does nothing; Enter inserts what is picked, or nothing.
    using S = test::DialogStep;
    std::vector<std::string> inserted, seen;
    TagListModel model([&](const TagInsertion& tag) { inserted.push_back(tag.text); });
    test::DialogSteps steps{{S::Enter}, {S::Pick, kTagListId, "<p>...</p>"}, {S::Esc}, {S::Enter}};
    test::playDialog(tagListLayout({}), model, steps, seen);
    EXPECT_EQ(inserted, std::vector<std::string>{"<p></p>"});
}

// The base goes after a doctype (before it, a browser renders in quirks mode) and is left out where the page has its
// own or the document no folder; the folder becomes a URL that a browser reads back as the same folder.
TEST(RunBrowser, ThePreviewResolvesThePagesLinksFromItsOwnFolder) {
    const struct { const char *text, *file, *preview; } rows[] = {
        {" <!DOCTYPE html>\r\n<p>", "D:\\w#1\\a.htm", " <!DOCTYPE html><base href=\"file:///D:/w%231/\">\r\n<p>"},
        {"", "\\\\srv\\pages\\a.html", "<base href=\"file://srv/pages/\">"},
        {"", "C:\\a&lt;b\\a.htm", "<base href=\"file:///C:/a&amp;lt;b/\">"},  // read back as a&lt;b, not a<b
        {"<p>", "", "<p>"}, {"<p>", "a.html", "<p>"}, {"<BASE href=\"/\">", "C:\\a.html", "<BASE href=\"/\">"}};
    for (const auto& r : rows) EXPECT_EQ(previewText(utf16(r.text), r.file), utf16(r.preview)) << r.file;
    EXPECT_EQ(browserCommandLine("\"C:\\B\\b.exe\"  ", "C:\\r.htm"), "\"C:\\B\\b.exe\" \"C:\\r.htm\"");  // quoted once
}

TEST(SearchRules, SearchTextFromTheSelection) {
    const struct { const char* marked; std::string what; bool whole, matchCase; int direction, found; } rows[] = {
        {"|_cat_", "cat", true, false, 1, 1},              // the underscore is no word character
        {"|cat", "cat", true, true, 1, 0},                 // no left neighbour at 0, none on the right at the end
        {"|écaté", "cat", true, false, 1, -1},             // a letter beyond ASCII is a word character
        {"|ba-a-a", "a-a", true, false, 1, 3},             // rejected at 1, the overlapping one at 3 passes
        {"a-a-ab|", "a-a", true, false, -1, 0},            // rejected at 2, the overlapping one at 0 passes
        {"[aa]a aa", "", false, false, 1, 4},              // the selection is the search text; 1 overlaps its end
        {"ab ab a[b]", "ab", false, false, -1, 3},         // backward: the one at 6 ends after the selection start
        {"|xÉŠŸ", "éšÿ", false, false, 1, 1},            // the code page's accented capitals
        {"|ss", "ß", false, false, 1, -1},
        {"|ΑΒΓ ОМЕГА", "омега", true, false, 1, 4},        // Greek and Cyrillic fold too
        {"|abc", "", false, false, 1, -1},                 // nothing selected, nothing to search for
    };
    std::u16string clipboard;
    test::InMemoryEditControl editor(clipboard);
    for (const auto& r : rows) {
        test::setMarked(editor, r.marked);
        std::u16string what = utf16(r.what);
        EXPECT_EQ(SearchText(editor, what, r.whole, r.matchCase, r.direction), r.found) << r.marked << " / " << r.what;
    }
}

// The text and count that replacing one match at a time from the start leaves, each search after the text put in: a
// match right after the last sees what was put in (or, if nothing, what stood before) as its left neighbour.
TEST(SearchRules, ReplaceAllPlansOnePass) {
    const struct { std::string text, what, with; bool whole; std::string after; int count; } rows[] = {
        {"cat Cat concatenate cat", "cat", "cats", true, "cats cats concatenate cats", 3},
        {"-a-a", "-a", "-", true, "--", 2}, {"-a-a", "-a", "x", true, "x-a", 1}, {".-a-a", "-a", "", true, ".", 2},
        {"aaaa", "aa", "a", false, "aa", 2}, {"xyz", "q", "r", false, "xyz", 0}};
    for (auto r : rows) {
        std::u16string text = utf16(r.text);
        const ReplaceAllPlan plan = planReplaceAll(text, utf16(r.what), utf16(r.with), r.whole, false);
        EXPECT_EQ(std::pair(utf8(text.replace(std::size_t(plan.start), std::size_t(plan.end - plan.start), plan.replacement)),
                            plan.count), std::pair(r.after, r.count)) << r.text << "/" << r.what;
    }
}

// A file read saves back in the encoding found as the same bytes; a text that an encoding cannot
// store exactly saves as nothing; a settings value goes to the file in ANSI where that reads back the same.
TEST(TextEncoding, FilesComeBackByteForByte) {
    const CodePage& cp1252 = windows1252();
    std::string allBytes;
    for (int b = 0; b < 256; ++b) allBytes += static_cast<char>(b);
    const struct { const char* what; const CodePage& cp; std::string bytes; const char* found; std::optional<std::u16string> text; } rows[] = {
        {"unpaired surrogates kept", cp1252, "\xFE\xFF\xDC\0\0a\xD8\0"s, "UTF-16 BE", u"\xDC00" "a\xD800"},
        {"overlong", cp1252, "/\xC0\xAF", "ANSI", u"/À¯"},
        {"overlong, three bytes", cp1252, "\xE0\x80\xAF", "ANSI", u"à€¯"},
        {"truncated", cp1252, "caf\xC3", "ANSI", u"cafÃ"},
        {"surrogate in UTF-8", cp1252, "\xED\xA0\x80", "ANSI", u"í\u00A0€"},
        {"beyond U+10FFFF", cp1252, "\xF4\x90\x80\x80", "ANSI", u"ô\u0090€€"},
        {"UTF-8 mark over invalid bytes", cp1252, "\xEF\xBB\xBF\xC3(", "ANSI", u"ï»¿Ã("},
        {"meta charset", cp1252, "<meta charset='UTF-8'>", "UTF-8", u"<meta charset='UTF-8'>"},
        {"meta content type", cp1252, "<META http-equiv=\"Content-Type\" content=\"text/html; charset=Utf8\">", "UTF-8", {}},
        {"meta naming another", cp1252, "<meta charset=\"iso-8859-1\">", "ANSI", {}},
        {"meta commented out", cp1252, "<!-- <meta charset=utf-8> -->", "ANSI", {}},
        {"meta within 1,024 bytes", cp1252, std::string(1000, ' ') + "<meta charset=utf-8>", "UTF-8", {}},
        {"meta beyond 1,024 bytes", cp1252, std::string(1010, ' ') + "<meta charset=utf-8>", "ANSI", {}},
        {"meta over invalid bytes", cp1252, "<meta charset=utf-8>\xE9", "ANSI", u"<meta charset=utf-8>é"},
        {"1252's holes", cp1252, "\x80\x81\x8D\x8F\x90\x9D\x9F", "ANSI", u"€\u0081\u008D\u008F\u0090\u009DŸ"},
        {"every byte, 1252", cp1252, allBytes, "ANSI", {}}, {"Latin-1", latin1(), "\x80\xE9", "ANSI", u"\u0080é"}};
    for (const auto& r : rows) {
        const DecodedDocument read = decodeDocument(r.bytes, r.cp);
        const auto back = read.refused ? std::optional(r.bytes) : encodeDocument(read.text, read.encoding, r.cp);
        EXPECT_EQ(std::tuple(read.refused ? "refused" : encodingName(read.encoding), read.text, back),
                  std::tuple(r.found, r.text.value_or(read.text), r.bytes)) << r.what;
    }

    const struct { const CodePage& cp; std::u16string text; Encoding encoding; std::optional<std::string> bytes; } saves[] = {
        {cp1252, u"Ω", Encoding::Ansi, std::nullopt}, {cp1252, u"\u0080", Encoding::Ansi, std::nullopt},
        {latin1(), u"€", Encoding::Ansi, std::nullopt}, {cp1252, u"a\xD800", Encoding::Utf8, std::nullopt},
        {cp1252, u"\xDC00\xDC00", Encoding::Utf8Bom, std::nullopt}, {cp1252, u"Œ", Encoding::Ansi, "\x8C"}};
    for (const auto& s : saves) EXPECT_EQ(encodeDocument(s.text, s.encoding, s.cp), s.bytes) << int(s.encoding);

    const struct { std::string value, file; } settings[] = {
        {"C:\\Web\\caf\xC3\xA9.html", "C:\\Web\\caf\xE9.html"}, {"C:\\\xCE\xA9\\a.html", "C:\\\xCE\xA9\\a.html"},
        {"\xC3\x83\xC2\xA9", "\xC3\x83\xC2\xA9"}};
    for (const auto& s : settings)
        EXPECT_EQ(std::pair(settingsValueToFile(s.value, cp1252), settingsValueFromFile(s.file, cp1252)),
                  std::pair(s.file, s.value));
}

}  // namespace
}  // namespace tess
