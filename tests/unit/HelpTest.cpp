// The help file reader and writer, the topic tree, the search across topics, and the help file
// the build ships.
#include "app/Menus.h"
#include "help/HelpFile.h"
#include "help/HelpSearch.h"
#include "help/TopicTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tess {
namespace {

// Two topics: "Menus" with the body File CR LF Edit, and its sub-topic "File" with no body.
const std::string kExample("\x02\x00\x00\x00"
                           "\x0A\x00" "File\r\nEdit" "\x00\x00"
                           "\x05\x00" "Menus" "\x04\x00" "File"
                           "\x00\x00\x00\x00" "\x01\x00\x00\x00"
                           "\x04\x00\x00\x00\x01\x00\x00\x00" "\x04\x00\x00\x00\x01\x00\x00\x00",
                           4 + 12 + 2 + 7 + 6 + 8 + 16);
const std::vector<HelpTopic> kExampleTopics{{"File\r\nEdit", "Menus", 0, 4, 1}, {"", "File", 1, 4, 1}};

TEST(HelpFile, TheExampleReadsAsItsTwoTopicsAndIsWrittenByteForByte) {
    EXPECT_EQ(loadHelpFile(kExample), kExampleTopics);
    EXPECT_EQ(writeHelpFile(kExampleTopics), kExample);
    EXPECT_EQ(loadHelpFile(kExample + "trailing bytes"), kExampleTopics);
    const std::vector<HelpTopic> odd{{std::string(65535, 'x'), "", -1, 8, -1}, {"\0\xFF", "\xE9t\xE9", 7, 0, 0}};
    EXPECT_EQ(loadHelpFile(writeHelpFile(odd)), odd);
    EXPECT_THROW(writeHelpFile({{std::string(65536, 'x'), "t"}}), std::length_error);
}

TEST(HelpFile, ACountOfNothingOrMoreThanTheBytesHoldOrAnyCutFileIsNoContent) {
    const auto withCount = [](std::string count) { return count + kExample.substr(4); };
    for (const std::string& bytes : {std::string(), withCount(std::string("\0\0\0\0", 4)),
                                     withCount("\xFF\xFF\xFF\xFF"), withCount("\x03\x00\x00\x00"),
                                     withCount("\xFF\xFF\xFF\x7F"), std::string("\x01\x00\x00\x00\xFF\xFF", 6)})
        EXPECT_EQ(loadHelpFile(bytes), std::nullopt) << testing::PrintToString(bytes);
    for (std::size_t cut = 0; cut < kExample.size(); ++cut)
        EXPECT_EQ(loadHelpFile(kExample.substr(0, cut)), std::nullopt) << cut;
}

TEST(TopicTree, LevelsMakeTwoLevelsAndTheFirstTopicWithABodyIsShown) {
    struct Row {
        const char* name;
        std::vector<int> levels;
        std::vector<const char*> bodies;
        std::vector<int> parents;
        int selected;
    };
    const Row rows[] = {
        {"a sub-topic first stays at the top", {1, 0, 2}, {"a", "b", "c"}, {-1, -1, 1}, 0},
        {"1, 2 and -1 all hang under the topic above", {0, 1, 2, -1, 0, 1}, {"", "", "x", "", "", ""},
         {-1, 0, 0, 0, -1, 4}, 2},
        {"every body empty: the first", {0, 1}, {"", ""}, {-1, 0}, 0},
        {"the first body empty: the second", {0, 0}, {"", "b"}, {-1, -1}, 1},
    };
    for (const Row& row : rows) {
        std::vector<HelpTopic> topics;
        for (std::size_t i = 0; i < row.levels.size(); ++i)
            topics.push_back({row.bodies[i], "t" + std::to_string(i), row.levels[i]});
        const TopicTree tree = buildTopicTree(topics);
        EXPECT_EQ(tree.parent, row.parents) << row.name;
        EXPECT_EQ(tree.selected, row.selected) << row.name;
        for (std::size_t i = 0; i < topics.size(); ++i) {
            const bool parentOfSome = std::count(row.parents.begin(), row.parents.end(), static_cast<int>(i)) > 0;
            EXPECT_EQ(tree.hasChildren[i], parentOfSome) << row.name << " " << i;
        }
    }
    const TopicTree tree = buildTopicTree(kExampleTopics);
    EXPECT_EQ(topicPath(kExampleTopics, tree, 0), "Menus");
    EXPECT_EQ(topicPath(kExampleTopics, tree, 1), "Menus : File");
}

TEST(HelpSearch, FindsWithoutCaseAcrossTopicsForwardAndBackward) {
    const std::vector<HelpTopic> topics{{"a TABLE and a table"}, {"none here"}, {"Table\xC9 end table"}};
    const std::string needle = lowerAnsi("TABLE");
    EXPECT_EQ(lowerAnsi("AbC\xC9\xD7\x8A"), "abc\xE9\xD7\x9A");
    struct Row {
        const char* name;
        std::optional<HelpHit> hit, expected;
    };
    const Row rows[] = {
        {"find from the first topic", findFirst(topics, needle, 0), HelpHit{0, 2}},
        {"find from a later topic starts at its first character", findFirst(topics, needle, 1), HelpHit{2, 0}},
        {"find across case and accents", findFirst(topics, lowerAnsi("table\xC9"), 0), HelpHit{2, 0}},
        {"next in the same topic", findNext(topics, needle, 0, 7), HelpHit{0, 14}},
        {"next then in a later topic", findNext(topics, needle, 0, 19), HelpHit{2, 0}},
        {"next after the last: none", findNext(topics, needle, 2, 16), std::nullopt},
        {"prev never finds the current match", findPrevious(topics, needle, 0, 14), HelpHit{0, 2}},
        {"prev back into an earlier topic from its end", findPrevious(topics, needle, 2, 0), HelpHit{0, 14}},
        {"prev before the first: none", findPrevious(topics, needle, 0, 2), std::nullopt},
        {"an empty search finds nothing", findFirst(topics, "", 0), std::nullopt},
        {"overlapping: next steps past", findNext({{"aaaa"}}, "aa", 0, 2), HelpHit{0, 2}},
        {"overlapping: prev takes the earlier one that does not overlap", findPrevious({{"aaaa"}}, "aa", 0, 2),
         HelpHit{0, 0}},
    };
    for (const Row& row : rows) EXPECT_EQ(row.hit, row.expected) << row.name;
}

// The help the build ships reads whole and names every command of the menus and the context menu.
TEST(ShippedHelp, ReadsAndCoversEveryMenuCommand) {
    std::ifstream in(TESS_SHIPPED_HELP_FILE, std::ios::binary);
    ASSERT_TRUE(in) << TESS_SHIPPED_HELP_FILE;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const auto topics = loadHelpFile(bytes.str());
    ASSERT_TRUE(topics);
    std::string all;
    for (const HelpTopic& topic : *topics) {
        EXPECT_TRUE(topic.wrapMode == kWrapLines || topic.wrapMode == kNoWrap) << topic.title;
        for (std::size_t lf = topic.body.find('\n'); lf != std::string::npos; lf = topic.body.find('\n', lf + 1))
            EXPECT_TRUE(lf > 0 && topic.body[lf - 1] == '\r') << topic.title;
        all += lowerAnsi(topic.title + "\n" + topic.body + "\n");
    }
    std::vector<MenuItem> items = contextMenu();
    for (const Menu& menu : menuBar(Settings{})) items.insert(items.end(), menu.items.begin(), menu.items.end());
    for (const MenuItem& item : items) {
        if (item.separator()) continue;
        std::string name = item.text.substr(0, item.text.find('\t'));
        std::erase(name, '&');
        EXPECT_NE(all.find(lowerAnsi(name)), std::string::npos) << name;
    }
}

}  // namespace
}  // namespace tess
