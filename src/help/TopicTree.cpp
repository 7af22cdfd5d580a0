#include "help/TopicTree.h"

namespace tess {

TopicTree buildTopicTree(const std::vector<HelpTopic>& topics) {
    TopicTree tree;
    tree.parent.assign(topics.size(), -1);
    tree.hasChildren.assign(topics.size(), false);
    int parent = -1;
    for (std::size_t i = 0; i < topics.size(); ++i) {
        // A sub-topic before any top-level topic has nothing to hang under and stays at the top.
        if (topics[i].level == 0 || parent < 0) {
            if (topics[i].level == 0) parent = static_cast<int>(i);
            continue;
        }
        tree.parent[i] = parent;
        tree.hasChildren[static_cast<std::size_t>(parent)] = true;
    }
    for (std::size_t i = 0; i < topics.size(); ++i)
        if (!topics[i].body.empty()) {
            tree.selected = static_cast<int>(i);
            break;
        }
    return tree;
}

std::string topicPath(const std::vector<HelpTopic>& topics, const TopicTree& tree, int topic) {
    const auto& title = topics.at(static_cast<std::size_t>(topic)).title;
    const int parent = tree.parent.at(static_cast<std::size_t>(topic));
    return parent < 0 ? title : topics[static_cast<std::size_t>(parent)].title + " : " + title;
}

}  // namespace tess
