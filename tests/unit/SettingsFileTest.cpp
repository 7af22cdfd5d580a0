#include "app/Settings.h"

#include <gtest/gtest.h>

#include <string>

namespace tess {
namespace {

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

Settings exampleSettings() {
    Settings s;
    s.windowX = 120;
    s.windowY = 80;
    s.clientWidth = 640;
    s.clientHeight = 520;
    s.fontSize = 10;
    s.recentCount = 1;
    s.showLineNumbers = 1;
    s.useLastSize = 1;
    s.loadLastFile = 0;
    s.browserIndex = 4;
    s.tabSpaces = 3;
    s.askToQuit = 0;
    s.autoCompleteBrackets = 1;
    s.backgroundColor = 0xFFFFFF;
    s.wordWrap = 0;
    s.recentFiles[0] = "C:\\Web\\index.html";
    s.browserPaths[3] = "C:\\Tools\\Browser\\browser.exe ";
    return s;
}

TEST(SettingsFile, WriterProducesTheExampleByteForByte) {
    EXPECT_EQ(settingsFileText(exampleSettings(), "C:\\Web\\index.html"), kExample);
}

TEST(SettingsFile, ReaderTakesTheExampleBack) {
    Settings s;
    readSettingsFile(kExample, s);
    EXPECT_EQ(s.windowX, 120);
    EXPECT_EQ(s.windowY, 80);
    EXPECT_EQ(s.clientWidth, 640);
    EXPECT_EQ(s.clientHeight, 520);
    EXPECT_EQ(s.browserIndex, 4);
    EXPECT_EQ(s.lastFile, "C:\\Web\\index.html");
    EXPECT_EQ(s.recentCount, 1);
    EXPECT_EQ(s.recentFiles[0], "C:\\Web\\index.html");
    EXPECT_EQ(s.browserPaths[3], "C:\\Tools\\Browser\\browser.exe ");  // trailing space kept
    EXPECT_EQ(settingsFileText(s, s.lastFile), kExample);
}

TEST(SettingsFile, RoundTripKeepsEveryField) {
    Settings out;
    out.versionText = "1.06";
    out.windowX = 7;
    out.windowY = 9;
    out.clientWidth = 800;
    out.clientHeight = 600;
    out.fontSize = 14;
    out.recentCount = 4;
    out.showLineNumbers = 0;
    out.useLastSize = 0;
    out.loadLastFile = 1;
    out.browserIndex = 5;
    out.tabSpaces = 9;
    out.askToQuit = 1;
    out.autoCompleteBrackets = 0;
    out.backgroundColor = 0xE0FFFF;
    out.wordWrap = 1;
    out.recentFiles = {"C:\\a, b\\one.html", "D:\\two.css", "\\\\server\\share\\three.js", "four.php"};
    out.browserPaths = {"C:\\ie.exe ", "", "C:\\Program Files\\Opera\\opera.exe ", "", "x "};

    Settings in;
    readSettingsFile(settingsFileText(out, "C:\\last one.html"), in);
    EXPECT_EQ(in.lastFile, "C:\\last one.html");
    in.lastFile.clear();
    EXPECT_EQ(settingsFileText(in, ""), settingsFileText(out, ""));
    EXPECT_EQ(in.recentFiles, out.recentFiles);
    EXPECT_EQ(in.browserPaths, out.browserPaths);
}

TEST(SettingsFile, NoRecentFilesMeansTheBrowserLinesFollowTheLastFile) {
    Settings s = exampleSettings();
    s.recentCount = 0;
    const std::string text = settingsFileText(s, "C:\\x.html");
    EXPECT_NE(text.find("\"C:\\x.html\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"C:\\Tools\\Browser\\browser.exe \"\r\n\"\"\r\n"),
              std::string::npos);
    Settings back;
    readSettingsFile(text, back);
    EXPECT_EQ(back.recentCount, 0);
    EXPECT_EQ(back.browserPaths[3], "C:\\Tools\\Browser\\browser.exe ");
}

TEST(SettingsFile, AHandEditedCountAboveFourKeepsFourAndTheBrowsersInPlace) {
    std::string text = "\"1.06\"\r\n0,0,640,480,10\r\n6,1,1,0,2\r\n3,0,1,16777215,0\r\n\"\"\r\n";
    for (int i = 1; i <= 6; ++i) text += "\"C:\\r" + std::to_string(i) + ".html\"\r\n";
    text += "\"\"\r\n\"C:\\ff.exe \"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
    Settings s;
    readSettingsFile(text, s);
    EXPECT_EQ(s.recentCount, 4);
    EXPECT_EQ(s.recentFiles[3], "C:\\r4.html");
    EXPECT_EQ(s.browserPaths[1], "C:\\ff.exe ");
    // The file written back is well formed again.
    Settings again;
    readSettingsFile(settingsFileText(s, ""), again);
    EXPECT_EQ(again.recentFiles, s.recentFiles);
    EXPECT_EQ(again.browserPaths, s.browserPaths);
}

// What a damaged file leaves in the record. Unreadable values keep what the record held before.
struct MalformedCase {
    const char* name;
    std::string text;
    int windowX, clientWidth, fontSize, recentCount, tabSpaces, backgroundColor, browserIndex;
    std::string lastFile;
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
    EXPECT_LE(s.recentCount, 4);
    for (int i = s.recentCount; i < 4; ++i) EXPECT_EQ(s.recentFiles[static_cast<std::size_t>(i)], "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsFileMalformed,
    testing::Values(
        MalformedCase{"Empty", "", 0, 300, 10, 0, 3, 0xFFFFFF, 0, ""},
        MalformedCase{"VersionOnly", "\"1.06\"\r\n", 0, 300, 10, 0, 3, 0xFFFFFF, 0, ""},
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
        MalformedCase{"RecentCountLargerThanTheFile",
                      "\"1\"\r\n0,0,640,480,8\r\n3,1,1,0,1\r\n3,0,1,0,0\r\n\"a\"\r\n\"r1\"\r\n", 0, 640, 8, 1, 3, 0, 1,
                      "a"},
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
    [](const testing::TestParamInfo<MalformedCase>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace tess
