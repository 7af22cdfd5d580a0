#pragma once
// Find text, Next and Prev of the help window: the search across topics, driven through what the
// window shows, so that it runs without a window.
#include "help/HelpSearch.h"
#include "platform/Desktop.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace tess {

// What the Find text prompt gives back. Esc and the close box give the typed text too, without
// "Search from top".
struct HelpFindAnswer {
    std::string text;
    bool fromTop = false;
};

// The help window as the search sees it. Topics are 0-based; positions are byte offsets into the
// shown topic's body.
class HelpFindView {
public:
    virtual HelpFindAnswer askText() = 0;  // the Find text prompt
    virtual int currentTopic() const = 0;
    virtual void selectTopic(int topic) = 0;  // selects it in the tree, which shows it
    virtual void embolden(int topic) = 0;     // until another topic is selected
    virtual std::pair<std::size_t, std::size_t> textSelection() const = 0;
    virtual void selectText(std::size_t start, std::size_t end, bool scrollIntoView) = 0;
    virtual void focusTree() = 0;
    virtual void tell(const MessageBoxRequest& message) = 0;

protected:
    ~HelpFindView() = default;
};

class HelpFind {
public:
    HelpFind(const std::vector<HelpTopic>& topics, HelpSearchState& state, HelpFindView& view)
        : topics_(topics), state_(state), view_(view) {}
    void findText();
    // Next or Prev; before any search they ask as Find text does.
    void findAgain(bool forward);

private:
    void showHit(const HelpHit& hit);
    void notFound(const char* text);

    const std::vector<HelpTopic>& topics_;
    HelpSearchState& state_;
    HelpFindView& view_;
};

}  // namespace tess
