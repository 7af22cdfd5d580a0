#pragma once
// What the editor adds to the edit control's own keys and clicks: bracket completion, Enter
// indentation, the goal column of Up and Down, block Tab and Shift+Tab and the right-click
// caret. The Win32 subclass calls these around passing each message on to the control.
#include "editor/EditorState.h"
#include "platform/EditControl.h"

#include <functional>

namespace tess {

// The closing partner of "(", "<", "[" and "{"; 0 for any other character.
char16_t closingBracket(char16_t opening);

// The keys the editor treats specially; every other key is Other.
enum class Key { Enter, Tab, Up, Down, Left, Right, Home, End, PageUp, PageDown, Delete, Insert, Other };

// The control's own handling of the message being handled (passing it on).
using ControlHandling = std::function<void()>;

// The editor's behaviours around the control's own handling of keys, characters and clicks.
// Each call gets the control's handling of that message and runs it at most once; the result
// says whether it ran (false: the message was swallowed). One object per editor control, since
// it remembers which character messages belong to a key press it has already handled.
class EditorKeys {
public:
    bool charTyped(EditorContext& ctx, char16_t typed, const ControlHandling& control);
    // repeated: an auto-repeated press, the key being down already.
    bool keyPressed(EditorContext& ctx, Key key, bool shift, const ControlHandling& control, bool repeated = false);
    bool keyReleased(EditorContext& ctx, Key key, bool shift, const ControlHandling& control);
    void leftButtonReleased(EditorContext& ctx);
    // Before the context menu opens at the point (client pixels): the caret goes under it.
    void rightButtonPressed(EditorContext& ctx, Point point);

private:
    // Characters that the translation of a handled Enter or Tab press still has to deliver.
    Key swallowFor_ = Key::Other;
    int swallowCount_ = 0;
    // The last first press of Tab was refused (not a block): its repeats do nothing.
    bool tabRefused_ = false;
};

}  // namespace tess
