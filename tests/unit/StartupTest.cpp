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
};
void PrintTo(const ChoiceCase& c, std::ostream* os) { *os << c.name; }

class StartupDocumentChoice : public testing::TestWithParam<ChoiceCase> {};

TEST_P(StartupDocumentChoice, PicksInOrder) {
    const ChoiceCase& c = GetParam();
    Settings s;
    s.loadLastFile = c.loadLastFile;
    s.lastFile = "C:\\last.html";
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
        ChoiceCase{"NothingToOpen", "", 0, 0, ""}),
    [](const testing::TestParamInfo<ChoiceCase>& p) { return std::string(p.param.name); });

TEST(StartupDocumentChoice, EmptyLastFileFallsBackToTheRecentList) {
    Settings s;
    s.loadLastFile = 1;
    s.recentCount = 1;
    s.recentFiles[0] = "C:\\r.html";
    EXPECT_EQ(startupDocument("", s), "C:\\r.html");
}

// The close sequence: which questions are asked and whether the window may close.
struct CloseCase {
    const char* name;
    bool modified;
    int askToQuit;
    std::vector<Answer> answers;
    std::vector<std::string> questions;
    bool closes;
};
void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

class StartupClose : public testing::TestWithParam<CloseCase> {};

TEST_P(StartupClose, AsksAndDecides) {
    const CloseCase& c = GetParam();
    test::TestContext t;
    t.app.paths = makePaths("C:\\Data\\");
    t.desktop.files["C:\\Data\\runFile.htm"] = "<p>";
    t.app.settings.askToQuit = c.askToQuit;
    t.editor.setText("abc");
    t.editor.setSelection(1, 2);
    t.editor.setModified(c.modified);
    t.desktop.answers.assign(c.answers.begin(), c.answers.end());

    EXPECT_EQ(closeMainWindow(t.ctx), c.closes);

    std::vector<std::string> asked;
    for (const auto& box : t.desktop.boxes) {
        if (box.text == "Quit program now?") {
            EXPECT_EQ(box.buttons, Buttons::YesNo);
        } else {
            EXPECT_EQ(box.text, "File has changed...\r\ndo you want to save it?");
            EXPECT_EQ(box.buttons, Buttons::YesNoCancel);
        }
        EXPECT_EQ(box.title, "Tessaline");
        EXPECT_EQ(box.icon, Icon::Question);
        EXPECT_EQ(box.modality, Modality::Task);
        asked.push_back(box.text);
    }
    EXPECT_EQ(asked, c.questions);
    EXPECT_EQ(t.desktop.files.count("C:\\Data\\runFile.htm"), c.closes ? 0u : 1u);
    EXPECT_EQ(t.desktop.files.count("C:\\Data\\Tessaline.ini"), c.closes ? 1u : 0u);
    EXPECT_EQ(t.editor.selection().start, t.editor.selection().end);  // the selection is removed first
}

const std::string kChanged = "File has changed...\r\ndo you want to save it?";
const std::string kQuit = "Quit program now?";

INSTANTIATE_TEST_SUITE_P(
    Cases, StartupClose,
    testing::Values(CloseCase{"UnchangedClosesAtOnce", false, 0, {}, {}, true},
                    CloseCase{"UnchangedAsksToQuitYes", false, 1, {Answer::Yes}, {kQuit}, true},
                    CloseCase{"UnchangedAsksToQuitNo", false, 1, {Answer::No}, {kQuit}, false},
                    CloseCase{"ChangedNoClosesWithoutQuitQuestion", true, 1, {Answer::No}, {kChanged}, true},
                    CloseCase{"ChangedCancelKeepsTheWindow", true, 1, {Answer::Cancel}, {kChanged}, false},
                    // Untitled and Save As cancelled: nothing was saved, so the window stays.
                    CloseCase{"ChangedYesButNotSavedKeepsTheWindow", true, 1, {Answer::Yes}, {kChanged}, false}),
    [](const testing::TestParamInfo<CloseCase>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace tess
