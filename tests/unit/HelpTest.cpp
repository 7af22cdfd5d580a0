// The help file reader and writer, the topic tree, the search across topics, and the help file
// the build ships.
#include "app/Menus.h"
#include "help/HelpSearch.h"
#include "help/TopicTree.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tess {
namespace {

// Two topics: "Menus" with the body File CR LF Edit, and its sub-topic "File" with no body.
const std::string kExample("\2\0\0\0" "\x0A\0" "File\r\nEdit" "\0\0" "\5\0" "Menus" "\4\0" "File"
                           "\0\0\0\0" "\1\0\0\0" "\4\0\0\0\1\0\0\0" "\4\0\0\0\1\0\0\0", 55);
const std::vector<HelpTopic> kExampleTopics{{"File\r\nEdit", "Menus", 0, 4, 1}, {"", "File", 1, 4, 1}};

TEST(HelpFile, ExampleReadsAndTopicsWriteBack) {
    EXPECT_EQ(loadHelpFile(kExample), kExampleTopics);
    EXPECT_EQ(writeHelpFile(kExampleTopics), kExample);
    EXPECT_EQ(loadHelpFile(kExample + "trailing bytes"), kExampleTopics);
    const std::vector<HelpTopic> odd{{std::string(65535, 'x'), "", -1, 8, -1}, {"\0\xFF", "\xE9t\xE9", 7, 0, 0}};
    EXPECT_EQ(loadHelpFile(writeHelpFile(odd)), odd);
    EXPECT_THROW(writeHelpFile({{std::string(65536, 'x'), "t"}}), std::length_error);
}

TEST(HelpFile, BadCountsAndCutFilesAreNoContent) {
    for (const char* count : {"\0\0\0\0", "\xFF\xFF\xFF\xFF", "\3\0\0\0", "\xFF\xFF\xFF\x7F"})
        EXPECT_EQ(loadHelpFile(std::string(count, 4) + kExample.substr(4)), std::nullopt);
    EXPECT_EQ(loadHelpFile(std::string("\1\0\0\0\xFF\xFF", 6) + std::string(20, 'x')), std::nullopt);
    for (std::size_t cut = 0; cut < kExample.size(); ++cut)
        EXPECT_EQ(loadHelpFile(kExample.substr(0, cut)), std::nullopt) << cut;
}

TEST(TopicTree, TwoLevelsAndTheFirstBodyShown) {
    const struct {
        std::vector<int> levels;
        std::string bodies;  // one character a topic, '-' for an empty body
        std::vector<int> parents;
        int selected;
    } rows[] = {{{1, 0, 2}, "abc", {-1, -1, 1}, 0},  // a sub-topic first stays at the top
                {{0, 1, 2, -1, 0, 1}, "--x---", {-1, 0, 0, 0, -1, 4}, 2},
                {{0, 1}, "--", {-1, 0}, 0}, {{0, 0}, "-b", {-1, -1}, 1}};
    for (const auto& row : rows) {
        std::vector<HelpTopic> topics;
        for (std::size_t i = 0; i < row.levels.size(); ++i)
            topics.push_back({row.bodies[i] == '-' ? "" : "x", "", row.levels[i]});
        const TopicTree tree = buildTopicTree(topics);
        EXPECT_EQ(tree.parent, row.parents);
        EXPECT_EQ(tree.selected, row.selected);
        for (std::size_t i = 0; i < topics.size(); ++i)
            EXPECT_EQ(tree.hasChildren[i],
                      std::find(row.parents.begin(), row.parents.end(), static_cast<int>(i)) != row.parents.end());
    }
    EXPECT_EQ(topicPath(kExampleTopics, buildTopicTree(kExampleTopics), 1), "Menus : File");
}

TEST(HelpSearch, FindsWithoutCaseAcrossTopicsForwardAndBackward) {
    const std::vector<HelpTopic> topics{{"a TABLE and a table"}, {"none here"}, {"Table\xC9 end table"}};
    const std::vector<HelpTopic> aaaa{{"aaaa"}};
    const std::string t = lowerAnsi("TABLE");
    EXPECT_EQ(lowerAnsi("AbC\xC9\xD7\x8A"), "abc\xE9\xD7\x9A");
    const std::pair<std::optional<HelpHit>, std::optional<HelpHit>> rows[] = {
        {findFirst(topics, t, 0), HelpHit{0, 2}},          {findFirst(topics, t, 1), HelpHit{2, 0}},
        {findFirst(topics, lowerAnsi("table\xC9"), 0), HelpHit{2, 0}},
        {findNext(topics, t, 0, 7), HelpHit{0, 14}},        {findNext(topics, t, 0, 19), HelpHit{2, 0}},
        {findNext(topics, t, 2, 16), std::nullopt},         {findPrevious(topics, t, 0, 14), HelpHit{0, 2}},
        {findPrevious(topics, t, 2, 0), HelpHit{0, 14}},    {findPrevious(topics, t, 0, 2), std::nullopt},
        {findFirst(topics, "", 0), std::nullopt},           {findNext(aaaa, "aa", 0, 2), HelpHit{0, 2}},
        {findPrevious(aaaa, "aa", 0, 2), HelpHit{0, 0}}};  // never the current match, nor one overlapping it
    for (std::size_t i = 0; i < std::size(rows); ++i) EXPECT_EQ(rows[i].first, rows[i].second) << "row " << i;
}

// The help the build ships reads whole and names every command of the menus.
TEST(ShippedHelp, ReadsAndCoversEveryMenuCommand) {
    std::ostringstream bytes;
    bytes << std::ifstream(TESS_SHIPPED_HELP_FILE, std::ios::binary).rdbuf();
    const auto topics = loadHelpFile(bytes.str());
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

}  // namespace
}  // namespace tess
