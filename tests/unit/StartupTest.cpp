#include "app/Close.h"
#include "app/Startup.h"
#include "TestContext.h"

#include <gtest/gtest.h>

#include <string>

namespace tess {
namespace {

// The folder rule compares exactly, letter case included.
struct FolderCase {
    const char* name;
    const char* programFolder;
    const char* expected;
};
void PrintTo(const FolderCase& c, std::ostream* os) { *os << c.name; }

class StartupDataFolder : public testing::TestWithParam<FolderCase> {};

TEST_P(StartupDataFolder, FollowsTheInstalledFolderRule) {
    const FolderCase& c = GetParam();
    EXPECT_EQ(chooseDataFolder(c.programFolder, "C:\\Program Files", "C:\\ProgramData"), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartupDataFolder,
    testing::Values(
        FolderCase{"Installed", "C:\\Program Files\\Orvalle\\Tessaline\\", "C:\\ProgramData\\Orvalle\\Tessaline\\"},
        FolderCase{"Portable", "E:\\Stick\\Tessaline\\", "E:\\Stick\\Tessaline\\"},
        FolderCase{"LetterCaseDiffers", "C:\\Program Files\\orvalle\\Tessaline\\", "C:\\Program Files\\orvalle\\Tessaline\\"},
        FolderCase{"DeeperFolder", "C:\\Program Files\\Orvalle\\Tessaline\\bin\\",
                   "C:\\Program Files\\Orvalle\\Tessaline\\bin\\"},
        FolderCase{"TrailingBackslashAdded", "D:\\Tools", "D:\\Tools\\"}),
    [](const testing::TestParamInfo<FolderCase>& p) { return std::string(p.param.name); });

TEST(StartupPaths, AllLiveInTheDataFolder) {
    const Paths p = makePaths("C:\\Data\\");
    EXPECT_EQ(p.settingsFile, "C:\\Data\\Tessaline.ini");
    EXPECT_EQ(p.helpFile, "C:\\Data\\TessalineHelp.ahp");
    EXPECT_EQ(p.previewFile, "C:\\Data\\runFile.htm");
}

class GeometryView : public test::FakeMainView {
public:
    std::optional<WindowGeometry> windowGeometry() const override { return geometry; }
    WindowGeometry geometry{40, 50, 500, 495};
};

TEST(StartupFirstRun, WritesZerosAtOnceAndTheEffectiveValuesAtClose) {
    test::TestContext t;
    GeometryView view;
    Context ctx{t.app, t.editor, t.desktop, view};

    EXPECT_FALSE(loadOrCreateSettings(ctx, "C:\\Data\\"));
    EXPECT_TRUE(t.desktop.folders.count("C:\\Data\\"));
    ASSERT_TRUE(t.desktop.files.count("C:\\Data\\Tessaline.ini"));
    EXPECT_EQ(t.desktop.files["C:\\Data\\Tessaline.ini"],
              "\"1.06\"\r\n40,50,500,495,0\r\n0,1,1,0,0\r\n0,0,1,0,0\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");

    applyInMemoryDefaults(t.app);
    EXPECT_EQ(t.app.settings.fontSize, 10);
    EXPECT_EQ(t.app.settings.tabSpaces, 3);
    EXPECT_EQ(t.app.tabText, "   ");
    EXPECT_EQ(t.app.settings.backgroundColor, 0xFFFFFF);

    view.geometry = {10, 20, 640, 480};
    ASSERT_TRUE(closeMainWindow(ctx));
    EXPECT_EQ(t.desktop.files["C:\\Data\\Tessaline.ini"],
              "\"1.06\"\r\n10,20,640,480,10\r\n0,1,1,0,0\r\n3,0,1,16777215,0\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
}

TEST(StartupSettings, AnExistingFileIsReadAndClamped) {
    test::TestContext t;
    t.desktop.folders.insert("C:\\Data\\");
    t.desktop.files["C:\\Data\\Tessaline.ini"] =
        "\"1.06\"\r\n-8,30,120,150,12\r\n1,0,1,0,2\r\n4,1,0,255,1\r\n\"C:\\a.html\"\r\n\"C:\\b.html\"\r\n"
        "\"\"\r\n\"C:\\ff.exe \"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
    t.app.settings.recentFiles[2] = "stale";
    EXPECT_TRUE(loadOrCreateSettings(t.ctx, "C:\\Data\\"));
    const Settings& s = t.app.settings;
    EXPECT_EQ(s.windowX, 0);
    EXPECT_EQ(s.windowY, 30);
    EXPECT_EQ(s.clientWidth, 300);
    EXPECT_EQ(s.clientHeight, 200);
    EXPECT_EQ(s.fontSize, 12);
    EXPECT_EQ(s.showLineNumbers, 0);
    EXPECT_EQ(s.tabSpaces, 4);
    EXPECT_EQ(s.backgroundColor, 255);
    EXPECT_EQ(s.recentFiles[0], "C:\\b.html");
    EXPECT_EQ(s.recentFiles[2], "");
    EXPECT_EQ(s.browserPaths[1], "C:\\ff.exe ");
    EXPECT_EQ(s.lastFile, "C:\\a.html");
    EXPECT_TRUE(t.desktop.written.empty());  // reading never writes
}

// Which document opens first: the command line, then the last file when asked for, then the most
// recent file whatever loadLastFile says.
struct ChoiceCase {
    const char* name;
    const char* commandLine;
    int loadLastFile;
    int recentCount;
    const char* expected;
    const char* lastFile = "C:\\last.html";
};
void PrintTo(const ChoiceCase& c, std::ostream* os) { *os << c.name; }

class StartupDocumentChoice : public testing::TestWithParam<ChoiceCase> {};

TEST_P(StartupDocumentChoice, PicksInOrder) {
    const ChoiceCase& c = GetParam();
    Settings s;
    s.loadLastFile = c.loadLastFile;
    s.lastFile = c.lastFile;
    s.recentCount = c.recentCount;
    s.recentFiles = {"C:\\recent1.html", "C:\\recent2.html", "", ""};
    EXPECT_EQ(startupDocument(c.commandLine, s), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartupDocumentChoice,
    testing::Values(
        ChoiceCase{"QuotedPathWithSpace", "\"C:\\My Pages\\a b.html\"", 1, 2, "C:\\My Pages\\a b.html"},
        ChoiceCase{"EveryQuoteRemoved", "C:\\x\"y\".html", 0, 0, "C:\\xy.html"},
        ChoiceCase{"LastFileWhenAskedFor", "", 1, 2, "C:\\last.html"},
        ChoiceCase{"RecentWithoutLoadLastFile", "", 0, 2, "C:\\recent1.html"},
        ChoiceCase{"OnlyQuotesCountAsEmpty", "\"\"", 0, 2, "C:\\recent1.html"},
        ChoiceCase{"NothingToOpen", "", 0, 0, ""},
        ChoiceCase{"EmptyLastFileFallsBackToTheRecentList", "", 1, 2, "C:\\recent1.html", ""}),
    [](const testing::TestParamInfo<ChoiceCase>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace tess
