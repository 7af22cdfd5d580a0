#pragma once
// The help window's topic tree as data: two levels, in file order, every item expanded.
#include "help/HelpFile.h"

#include <string>
#include <vector>

namespace tess {

struct TopicTree {
    // For each topic (0-based, file order), the topic it hangs under, or -1 at the top level.
    std::vector<int> parent;
    // Whether a topic has sub-topics of its own.
    std::vector<bool> hasChildren;
    // The topic shown first: the first with a body, else the first topic.
    int selected = 0;
};

TopicTree buildTopicTree(const std::vector<HelpTopic>& topics);

// What the status bar shows for a topic: "parent : title" for a sub-topic, else the title.
std::string topicPath(const std::vector<HelpTopic>& topics, const TopicTree& tree, int topic);

}  // namespace tess
