#include "app/Close.h"
#include "app/ScreenPlacement.h"
#include "dialogs/Preferences.h"
#include "dialogs/TagList.h"
#include "document/RecentFiles.h"
#include "document/RunBrowser.h"
#include "editor/Bookmarks.h"
#include "help/HelpFind.h"
#include "help/TopicTree.h"
#include "platform/FileNames.h"
#include "print/Pagination.h"
#include "search/FindDialog.h"
#include "search/SearchText.h"
#include "DialogScript.h"
#include "MarkedText.h"
#include "TestContext.h"

#include <fstream>

namespace tess::test {
namespace {

// A settings file without its quotes and with "/" for each line end; and the file written back after reading one.
std::string condensed(std::string_view file) {
    std::string out;
    for (const char c : file) out += c == '\n' ? "/" : c == '\r' || c == '"' ? "" : std::string(1, c);
    return out;
}
std::string readBack(std::string_view f) { Settings s; readSettingsFile(f, s); return settingsFileText(s, s.lastFile); }

TEST(SettingsFile, WrittenByteForByteAndReadAsFarAsItCan) {
    Settings s{.versionText = "1.06", .windowX = 120, .windowY = 80, .clientWidth = 640, .clientHeight = 520,
               .recentCount = 1, .browserIndex = 4};  // as an earlier version wrote it
    s.recentFiles[0] = "C:\\Web\\index.html", s.browserPaths[3] = "C:\\Tools\\Browser\\browser.exe ";
    const std::string example = "\"1.06\"\r\n120,80,640,520,10\r\n1,1,1,0,4\r\n3,0,1,16777215,0\r\n\"C:\\Web\\index.html\"\r\n"
                                "\"C:\\Web\\index.html\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"C:\\Tools\\Browser\\browser.exe \"\r\n\"\"\r\n";
    EXPECT_EQ(settingsFileText(s, "C:\\Web\\index.html"), example);
    EXPECT_EQ(readBack(example), example);
    // A damaged file reads as far as it can: a recent count above four keeps four but reads all it counts.
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

// Only an installed copy (compared exactly) uses the shared data folder; no other asks for the system folders.
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
    TestContext t;
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

// Pixels scale as MulDiv rounds; a client area of 640 x 480; a dialog in pixels scales all but its position and font.
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
        TestContext t;
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
        {"too tall for the screen it shows most on", {1200, 80, 660, 800}, true, {1280, 0, 660, 738}},
        {"larger than the second screen", {1300, 10, 1100, 800}, true, {1280, 0, 1024, 738}},
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
    using S = DialogStep;
    std::vector<std::string> inserted, seen;
    TagListModel model([&](const TagInsertion& tag) { inserted.push_back(tag.text); });
    DialogSteps steps{{S::Enter}, {S::Pick, kTagListId, "<p>...</p>"}, {S::Esc}, {S::Enter}};
    playDialog(tagListLayout({}), model, steps, seen);
    EXPECT_EQ(inserted, std::vector<std::string>{"<p></p>"});
}

// The base goes after a doctype (before it, a browser renders in quirks mode), as a URL that reads back as the folder.
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
    InMemoryEditControl editor(clipboard);
    for (const auto& r : rows) {
        setMarked(editor, r.marked);
        std::u16string what = utf16(r.what);
        EXPECT_EQ(SearchText(editor, what, r.whole, r.matchCase, r.direction), r.found) << r.marked << " / " << r.what;
    }
}

// Each search goes on after the text put in, the left neighbour of a match right after it (if nothing, what stood).
TEST(SearchRules, ReplaceAllPlansOnePass) {
    const struct { std::string text, what, with; bool whole; std::string after; int count; } rows[] = {
        {"-a-a", "-a", "-", true, "--", 2}, {"-a-a", "-a", "x", true, "x-a", 1}, {".-a-a", "-a", "", true, ".", 2},
        {"aaaa", "aa", "a", false, "aa", 2}, {"xyz", "q", "r", false, "xyz", 0}};
    for (auto r : rows) {
        std::u16string text = utf16(r.text);
        const ReplaceAllPlan plan = planReplaceAll(text, utf16(r.what), utf16(r.with), r.whole, false);
        EXPECT_EQ(std::pair(utf8(text.replace(std::size_t(plan.start), std::size_t(plan.end - plan.start), plan.replacement)),
                            plan.count), std::pair(r.after, r.count)) << r.text << "/" << r.what;
    }
}

// A text an encoding cannot store exactly saves as nothing; a settings value goes in ANSI where that reads back.
TEST(TextEncoding, FilesComeBackByteForByte) {
    const CodePage& cp1252 = windows1252();
    std::string allBytes;
    for (int b = 0; b < 256; ++b) allBytes += static_cast<char>(b);
    const struct { const char* what; const CodePage& cp; std::string bytes; const char* found; std::optional<std::u16string> text; } rows[] = {
        {"unpaired surrogates kept", cp1252, {"\xFE\xFF\xDC\0\0a\xD8\0", 8}, "UTF-16 BE", u"\xDC00" "a\xD800"},
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
        {"C:\\Web\\caf\xC3\xA9.html", "C:\\Web\\caf\xE9.html"}, {"\xC3\x83\xC2\xA9", "\xC3\x83\xC2\xA9"}};
    for (const auto& s : settings)
        EXPECT_EQ(std::pair(settingsValueToFile(s.value, cp1252), settingsValueFromFile(s.file, cp1252)),
                  std::pair(s.file, s.value));
}

// Two topics: "Menus" with the body File CR LF Edit, and its sub-topic "File" with no body.
const std::string kExample("\2\0\0\0" "\x0A\0" "File\r\nEdit" "\0\0" "\5\0" "Menus" "\4\0" "File"
                           "\0\0\0\0" "\1\0\0\0" "\4\0\0\0\1\0\0\0" "\4\0\0\0\1\0\0\0", 55);
const std::vector<HelpTopic> kExampleTopics{{"File\r\nEdit", "Menus", 0, 4, 1}, {"", "File", 1, 4, 1}};

TEST(HelpFile, ReadsWritesBackAndRefusesBadCounts) {
    EXPECT_EQ(loadHelpFile(kExample), kExampleTopics);
    EXPECT_EQ(writeHelpFile(kExampleTopics), kExample);
    EXPECT_EQ(loadHelpFile(kExample + "trailing bytes"), kExampleTopics);
    const std::vector<HelpTopic> odd{{std::string(65535, 'x'), "", -1, 8, -1}, {"\0\xFF", "\xE9t\xE9", 7, 0, 0}};
    EXPECT_EQ(loadHelpFile(writeHelpFile(odd)), odd);
    EXPECT_THROW(writeHelpFile({{std::string(65536, 'x'), "t"}}), std::length_error);
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
        std::vector<bool> hasChildren(topics.size());
        for (const int parent : row.parents)
            if (parent >= 0) hasChildren[std::size_t(parent)] = true;
        const TopicTree tree = buildTopicTree(topics);
        EXPECT_EQ(std::tuple(tree.parent, tree.selected, tree.hasChildren),
                  std::tuple(row.parents, row.selected, hasChildren));
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

TEST(HelpPrinting, LinesWrapAfterTheLastBreakAndLongTopicsGoOnBothSides) {
    const std::string a5(5, 'a'), a20(20, 'a');
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"a\r\n\r\nb\r\n", {"3 a", "5 b"}},
        {"a\tb\r\nabcdefgh\tx\r\nab\tcdefghijk\tx",
         {"3 a       b", "4 abcdefgh        x", "5 ab      cdefghijk", "6 x"}},
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
    // Only a topic of more than one page goes out on both sides; one that fills its page exactly adds no page.
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
