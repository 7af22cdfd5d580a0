#pragma once
// What searching keeps, owned above the search layer, and the context its commands get.
#include "editor/EditorState.h"

namespace tess {

// The find options in their order: whole word, match case, do not cycle, beep on cycle.
struct FindOptions {
    bool wholeWord = false;
    bool matchCase = false;
    bool doNotCycle = false;
    bool beepOnCycle = false;
    friend bool operator==(const FindOptions&, const FindOptions&) = default;
};

// What searching keeps between uses of the find dialog; never saved.
struct FindState {
    FindOptions rememberedFindOptions{.wholeWord = true};  // what Find Next and Find Previous use
    bool dialogOpened = false;
    bool quickFindFound = false;   // "no more" rather than "none" for Find Next / Previous
    bool dialogFindFound = false;  // the same choice for the dialog's message
};

struct SearchContext : EditorContext {
    FindState& find;
};

}  // namespace tess
