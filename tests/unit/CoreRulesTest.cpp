// The rules that need no editor: settings file, data folder, first run, start-up document, path parts, layout.
#include "app/Close.h"
#include "app/Commands.h"
#include "app/Layout.h"
#include "app/Startup.h"
#include "dialogs/Preferences.h"
#include "dialogs/TagList.h"
#include "document/RecentFiles.h"
#include "search/FindDialog.h"
#include "TestContext.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

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
        {"D:\\Apps\\Orvalle\\Tessaline\\", "D:\\Apps\\Orvalle\\Tessaline\\", true},
        {"C:\\Program Files\\Test\\Orvalle\\Tessaline\\", "C:\\Program Files\\Test\\Orvalle\\Tessaline\\", true},
        {"C:\\Program Files\\orvalle\\Tessaline\\", "C:\\Program Files\\orvalle\\Tessaline\\", false},
        {"E:\\Stick\\", "E:\\Stick\\", false},
        {"C:\\Program Files\\Orvalle\\Tessaline\\bin\\", "C:\\Program Files\\Orvalle\\Tessaline\\bin\\", false},
        {"D:\\Tools", "D:\\Tools\\", false}};
    for (const auto& row : rows) {
        bool asked = false;
        EXPECT_EQ(chooseDataFolder(row.program, [&] {
                      asked = true;
                      return SystemFolders{"C:\\Program Files", "C:\\ProgramData"};
                  }),
                  row.data);
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

// Every 96-dpi pixel scaled as MulDiv rounds, so that 96 dpi is exactly the design; the settings keep 96-dpi sizes; the
// toolbar's pictures are one of the drawn sizes; a dialog in pixels scales all but its screen position and font. In a
// 640 x 480 client area: the editor, the gutter with and without numbers, the status parts; the Options dialog's width
// and Apply button; the tag window beside a main window at 0, 0.
TEST(Layout, ScaledFromTheDesignAtEveryDpi) {
    const struct { int dpi; Size client; Rect editor; int gutter, collapsedGutter, collapsedEditorX; std::array<int, 4> status;
                   int pictures, optionsWidth; Rect apply; ScreenPoint tags; } rows[] = {
        {96, {500, 495}, {64, 30, 570, 418}, 62, 10, 12, {439, 489, 539, 10538}, 16, 250, {120, 275, 70, 30}, {460, 90}},
        {120, {625, 619}, {80, 38, 552, 402}, 78, 13, 15, {388, 451, 514, 10513}, 24, 313, {150, 344, 88, 38}, {575, 113}},
        {144, {750, 743}, {96, 45, 535, 387}, 93, 15, 18, {339, 414, 489, 10488}, 24, 375, {180, 413, 105, 45}, {690, 135}},
        {192, {1000, 990}, {128, 60, 500, 356}, 124, 20, 24, {239, 339, 439, 10438}, 32, 500, {240, 550, 140, 60}, {920, 180}}};
    for (const auto& r : rows) {
        const FontMetrics font{.charWidth = 8, .lineHeight = 15};
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

// A dialog the system cannot show is reported once, in the same words whichever it is, and nothing else happens.
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

}  // namespace
}  // namespace tess
