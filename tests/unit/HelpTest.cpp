// The help file reader and writer, the topic tree, the search across topics with its commands,
// and the help file the build ships.
#include "app/Commands.h"
#include "help/HelpFind.h"
#include "help/TopicTree.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <utility>

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
