#include "help/HelpFind.h"

namespace tess {

namespace {

std::string trimSpaces(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

void HelpFind::findText() {
    const HelpFindAnswer answer = view_.askText();
    const int first = answer.fromTop ? 0 : view_.currentTopic();
    state_.searchText = lowerAnsi(trimSpaces(answer.text));
    view_.selectTopic(first);
    view_.embolden(first);
    if (state_.searchText.empty()) return view_.focusTree();
    if (const auto hit = findFirst(topics_, state_.searchText, first))
        showHit(*hit);
    else
        notFound("None found");
}

void HelpFind::findAgain(bool forward) {
    if (state_.searchText.empty()) return findText();
    const auto [start, end] = view_.textSelection();
    const int topic = view_.currentTopic();
    const auto hit = forward ? findNext(topics_, state_.searchText, topic, end)
                             : findPrevious(topics_, state_.searchText, topic, start);
    if (hit) return showHit(*hit);
    notFound("No more found");
    if (state_.lastMatch.topic == view_.currentTopic())
        view_.selectText(state_.lastMatch.pos, state_.lastMatch.pos + state_.searchText.size(), false);
}

void HelpFind::showHit(const HelpHit& hit) {
    view_.selectTopic(hit.topic);
    view_.embolden(hit.topic);
    view_.selectText(hit.pos, hit.pos + state_.searchText.size(), true);
    state_.lastMatch = hit;
}

void HelpFind::notFound(const char* text) {
    view_.tell({.title = state_.searchText, .text = text, .modality = Modality::Task});
}

}  // namespace tess
