#include "app/Close.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "MarkedText.h"
#include "TestContext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace tess {
namespace {

using test::CaseName;

// ---- The settings file

// One recent file and the fourth browser slot chosen.
const std::string kExample =
    "\"1.06\"\r\n"
    "120,80,640,520,10\r\n"
    "1,1,1,0,4\r\n"
    "3,0,1,16777215,0\r\n"
    "\"C:\\Web\\index.html\"\r\n"
    "\"C:\\Web\\index.html\"\r\n"
    "\"\"\r\n"
    "\"\"\r\n"
    "\"\"\r\n"
    "\"C:\\Tools\\Browser\\browser.exe \"\r\n"
    "\"\"\r\n";

TEST(SettingsFile, WriterProducesTheExampleByteForByte) {
    Settings s{.windowX = 120, .windowY = 80, .clientWidth = 640, .clientHeight = 520, .recentCount = 1,
               .browserIndex = 4};
    s.recentFiles[0] = "C:\\Web\\index.html";
    s.browserPaths[3] = "C:\\Tools\\Browser\\browser.exe ";
    EXPECT_EQ(settingsFileText(s, "C:\\Web\\index.html"), kExample);
}

// Read and written back, each comes out byte for byte: every value is read from where the writer
// puts it, trailing spaces inside paths included.
TEST(SettingsFile, ReadAndWrittenBackByteForByte) {
    const std::string files[] = {
        kExample,
        // every value other than its default, four recent files
        "\"1.06\"\r\n7,9,800,600,14\r\n4,0,0,1,5\r\n9,1,0,14745599,1\r\n\"C:\\last one.html\"\r\n"
        "\"C:\\a, b\\one.html\"\r\n\"D:\\two.css\"\r\n\"\\\\server\\share\\three.js\"\r\n\"four.php\"\r\n"
        "\"C:\\ie.exe \"\r\n\"\"\r\n\"C:\\Program Files\\Opera\\opera.exe \"\r\n\"\"\r\n\"x \"\r\n",
        // no recent files: the browser lines follow the last file
        "\"1.06\"\r\n0,0,640,480,10\r\n0,1,1,0,4\r\n3,0,1,16777215,0\r\n\"C:\\x.html\"\r\n"
        "\"\"\r\n\"\"\r\n\"\"\r\n\"C:\\Tools\\Browser\\browser.exe \"\r\n\"\"\r\n",
    };
    for (const std::string& file : files) {
        Settings s;
        readSettingsFile(file, s);
        EXPECT_EQ(settingsFileText(s, s.lastFile), file);
    }
}

// What a damaged file leaves in the record. Unreadable values keep what the record held before.
struct MalformedCase {
    std::string name;
    std::string text;
    int windowX, clientWidth, fontSize, recentCount, tabSpaces, backgroundColor, browserIndex;
    std::string lastFile, lastRecent = "", secondBrowser = "";
};

void PrintTo(const MalformedCase& c, std::ostream* os) { *os << c.name; }

class SettingsFileMalformed : public testing::TestWithParam<MalformedCase> {};

TEST_P(SettingsFileMalformed, ReadsWhatItCanAndKeepsDefaultsForTheRest) {
    const MalformedCase& c = GetParam();
    Settings s;  // defaults: fontSize 10, tabSpaces 3, white, browser 0, recentCount 0
    readSettingsFile(c.text, s);
    EXPECT_EQ(s.windowX, c.windowX);
    EXPECT_EQ(s.clientWidth, c.clientWidth);
    EXPECT_EQ(s.fontSize, c.fontSize);
    EXPECT_EQ(s.recentCount, c.recentCount);
    EXPECT_EQ(s.tabSpaces, c.tabSpaces);
    EXPECT_EQ(s.backgroundColor, c.backgroundColor);
    EXPECT_EQ(s.browserIndex, c.browserIndex);
    EXPECT_EQ(s.lastFile, c.lastFile);
    for (int i = s.recentCount; i < 4; ++i) EXPECT_EQ(s.recentFiles[static_cast<std::size_t>(i)], "");
    EXPECT_EQ(s.recentFiles[static_cast<std::size_t>(std::max(s.recentCount, 1) - 1)], c.lastRecent);
    EXPECT_EQ(s.browserPaths[1], c.secondBrowser);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsFileMalformed,
    testing::Values(
        MalformedCase{"Empty", "", 0, 300, 10, 0, 3, 0xFFFFFF, 0, ""},
        MalformedCase{"CutInTheSecondLine", "\"1.06\"\r\n120,80,6", 120, 300, 10, 0, 3, 0xFFFFFF, 0, ""},
        MalformedCase{"CutInsideAQuotedPath",
                      "\"1.06\"\r\n1,2,640,480,12\r\n0,1,1,0,0\r\n4,0,1,255,0\r\n\"C:\\We", 1, 640, 12, 0, 4, 255, 0,
                      "C:\\We"},
        MalformedCase{"NegativeAndTinySizes", "\"1.06\"\r\n-8,-3000,120,-5,10\r\n", 0, 300, 10, 0, 3, 0xFFFFFF, 0, ""},
        MalformedCase{"AbsurdSizes", "\"1.06\"\r\n99999999,0,2000000000,0,100000\r\n", 16000, 16000, 10, 0, 3,
                      0xFFFFFF, 0, ""},
        MalformedCase{"NegativeTabsAndColour", "\"1\"\r\n0,0,640,480,-4\r\n0,1,1,0,9\r\n-3,0,1,-1,0\r\n", 0, 640, 10,
                      0, 3, 0xFFFFFF, 0, ""},
        MalformedCase{"HugeTabSpacesWouldExhaustMemory", "\"1\"\r\n0,0,640,480,8\r\n0,1,1,0,0\r\n2147483647,0,1,0,0\r\n",
                      0, 640, 8, 0, 3, 0, 0, ""},
        MalformedCase{"NegativeRecentCount", "\"1\"\r\n0,0,640,480,8\r\n-7,1,1,0,1\r\n3,0,1,0,0\r\n\"a\"\r\n\"b \"\r\n",
                      0, 640, 8, 0, 3, 0, 1, "a"},
        // Six recent lines are read so that the browser lines after them stay in place; four are kept.
        MalformedCase{"HandEditedRecentCountAboveFour",
                      "\"1\"\r\n0,0,640,480,8\r\n6,1,1,0,2\r\n3,0,1,0,0\r\n\"a\"\r\n\"r1\"\r\n\"r2\"\r\n\"r3\"\r\n\"r4\"\r\n"
                      "\"r5\"\r\n\"r6\"\r\n\"\"\r\n\"C:\\ff.exe \"\r\n",
                      0, 640, 8, 4, 3, 0, 2, "a", "r4", "C:\\ff.exe "},
        MalformedCase{"RecentCountLargerThanTheFile",
                      "\"1\"\r\n0,0,640,480,8\r\n3,1,1,0,1\r\n3,0,1,0,0\r\n\"a\"\r\n\"r1\"\r\n", 0, 640, 8, 1, 3, 0, 1,
                      "a", "r1"},
        MalformedCase{"WordsForNumbers", "\"1.06\"\r\nleft,top,wide,high,big\r\n", 0, 300, 10, 0, 3, 0xFFFFFF, 0, ""},
        MalformedCase{"NumbersWithFractionsRoundHalfToEven", "\"1\"\r\n10.5,0,640.5,480,11.5\r\n", 10, 640, 12, 0, 3,
                      0xFFFFFF, 0, ""},
        MalformedCase{"NumberOutside32Bits", "\"1\"\r\n99999999999999999999,0,640,480,9\r\n", 0, 640, 9, 0, 3,
                      0xFFFFFF, 0, ""},
        MalformedCase{"LfOnlyLineEnds", "\"1.06\"\n5,6,700,500,11\n0,1,1,0,3\n4,0,1,65535,0\n\"C:\\f.htm\"\n", 5, 700,
                      11, 0, 4, 65535, 3, "C:\\f.htm"},
        MalformedCase{"AllOnOneLine", "\"1.06\",5,6,700,500,11,0,1,1,0,3,4,0,1,65535,0,\"C:\\f.htm\"", 5, 700, 11, 0,
                      4, 65535, 3, "C:\\f.htm"},
        MalformedCase{"SpacesAroundValues", "\"1.06\"\r\n 5 , 6 ,700 ,500, 11\r\n", 5, 700, 11, 0, 3, 0xFFFFFF, 0, ""},
        MalformedCase{"BinaryGarbage", std::string("\0\xff\"\r\r\n,,\"\x80", 10), 0, 300, 10, 0, 3, 0xFFFFFF, 0, ""}),
    CaseName{});

// ---- Start-up

// The folder rule compares exactly, letter case included.
TEST(StartupDataFolder, FollowsTheInstalledFolderRule) {
    const struct {
        const char* programFolder;
        const char* expected;
    } cases[] = {
        {"C:\\Program Files\\Orvalle\\Tessaline\\", "C:\\ProgramData\\Orvalle\\Tessaline\\"},
        {"E:\\Stick\\Tessaline\\", "E:\\Stick\\Tessaline\\"},
        {"C:\\Program Files\\orvalle\\Tessaline\\", "C:\\Program Files\\orvalle\\Tessaline\\"},
        {"C:\\Program Files\\Orvalle\\Tessaline\\bin\\", "C:\\Program Files\\Orvalle\\Tessaline\\bin\\"},
        {"D:\\Tools", "D:\\Tools\\"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(chooseDataFolder(c.programFolder, "C:\\Program Files", "C:\\ProgramData"), c.expected)
            << c.programFolder;
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
    EXPECT_EQ(t.desktop.files["C:\\Data\\Tessaline.ini"],
              "\"1.06\"\r\n40,50,500,495,0\r\n0,1,1,0,0\r\n0,0,1,0,0\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");

    applyInMemoryDefaults(t.app);
    EXPECT_EQ(t.app.settings.fontSize, 10);
    EXPECT_EQ(t.app.settings.tabSpaces, 3);
    EXPECT_EQ(t.app.tabText, "   ");
    EXPECT_EQ(t.app.settings.backgroundColor, 0xFFFFFF);

    view.geometry = {10, 20, 640, 480};
    ASSERT_TRUE(closeMainWindow(ctx));
    const std::string atClose =
        "\"1.06\"\r\n10,20,640,480,10\r\n0,1,1,0,0\r\n3,0,1,16777215,0\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
    EXPECT_EQ(t.desktop.files["C:\\Data\\Tessaline.ini"], atClose);

    // The next start reads that file, leaves no stale recent entry and writes nothing.
    test::TestContext next;
    next.desktop.files = t.desktop.files;
    next.app.settings.recentFiles[2] = "stale";
    EXPECT_TRUE(loadOrCreateSettings(next.ctx, "C:\\Data\\"));
    EXPECT_EQ(settingsFileText(next.app.settings, ""), atClose);
    EXPECT_EQ(next.app.settings.recentFiles[2], "");
    EXPECT_TRUE(next.desktop.written.empty());
}

// Which document opens first: the command line, then the last file when asked for, then the most
// recent file whatever loadLastFile says.
TEST(StartupDocumentChoice, PicksInOrder) {
    const struct {
        const char* name;
        const char* commandLine;
        int loadLastFile;
        int recentCount;
        const char* expected;
        const char* lastFile = "C:\\last.html";
    } cases[] = {
        {"quoted path with a space", "\"C:\\My Pages\\a b.html\"", 1, 2, "C:\\My Pages\\a b.html"},
        {"every quote removed", "C:\\x\"y\".html", 0, 0, "C:\\xy.html"},
        {"last file when asked for", "", 1, 2, "C:\\last.html"},
        {"recent without loadLastFile", "", 0, 2, "C:\\recent1.html"},
        {"only quotes count as empty", "\"\"", 0, 2, "C:\\recent1.html"},
        {"nothing to open", "", 0, 0, ""},
        {"empty last file falls back to the recent list", "", 1, 2, "C:\\recent1.html", ""},
    };
    for (const auto& c : cases) {
        Settings s{.recentCount = c.recentCount, .loadLastFile = c.loadLastFile, .lastFile = c.lastFile};
        s.recentFiles = {"C:\\recent1.html", "C:\\recent2.html", "", ""};
        EXPECT_EQ(startupDocument(c.commandLine, s), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace tess
