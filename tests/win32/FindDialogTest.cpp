// What only the real find dialog shows: the keyboard back in the editor after its real boxes, and the capitals as the
// system makes them (its controls: DialogsTest; its keys and button: EditorCommands).
#include "DialogPlayer.h"
#include "EditorSubject.h"
#include "resources/resource.h"
#include "search/SearchText.h"

#include <gtest/gtest.h>

namespace tess::test {
namespace {

using Texts = std::vector<std::string>;

// Each box (none found, which puts the caret at the start; an empty What or With; Replace All's question and report)
// is owned by the window active when it opens, the dialog, so the keyboard comes back to the editor.
TEST(FindDialogWindow, AfterEachOfItsBoxesTheKeyboardIsBackInTheEditor) {
    auto s = makeEditorSubject();
    auto& w = windowOf(*s);
    const HWND editor = w.window.editorHwnd();
    w.desktop.real.setOwner(w.hwnd()), w.desktop.realBoxes = true;
    ::ShowWindow(w.hwnd(), SW_SHOW), ::SetForegroundWindow(w.hwnd());
    using enum DialogStep::Kind;
    const struct { int command; DialogSteps steps; Texts seen; std::string after; } rows[] = {
        {IDM_FIND, {{Type, 501, "zzzq"}, {Enter}, {Enter}}, {"Find", "Find Text"}, "xω|a cat b"},
        {IDM_FIND, {{Type, 501, ""}, {Enter}, {Enter}, {Esc}}, {"Find", "Error"}, "xω|a cat b"},
        {IDM_REPLACE, {{Type, 501, "cat"}, {Type, 502, "dog"}, {Click, 515}, {Enter}, {Enter}},
         {"Replace", "Replae all", "Replace all"}, "a dogxω| b"},
        {IDM_REPLACE, {{Click, 514}, {Enter}, {Esc}}, {"Replace", "Error"}, "a catxω| b"}};
    for (const auto& r : rows) {
        s->set("a cat| b");
        ::SetFocus(editor);
        {
            const DialogPlayer player(r.steps);
            w.command(r.command);
            EXPECT_EQ(player.seen(), r.seen) << r.command;
        }
        w.pump();
        EXPECT_EQ(::GetFocus(), editor) << r.command;
        // Typed as the keyboard types it: the system hands it to the focus of the foreground window. The Greek
        // letter comes as an input method hands it over, and reaches the text whole only through wide windows.
        INPUT keys[4] = {{.type = INPUT_KEYBOARD, .ki = {.wVk = 'X'}},
                         {.type = INPUT_KEYBOARD, .ki = {.wVk = 'X', .dwFlags = KEYEVENTF_KEYUP}},
                         {.type = INPUT_KEYBOARD, .ki = {.wScan = u'ω', .dwFlags = KEYEVENTF_UNICODE}},
                         {.type = INPUT_KEYBOARD, .ki = {.wScan = u'ω', .dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP}}};
        ::SendInput(4, keys, sizeof(INPUT));
        w.pump();
        EXPECT_EQ(s->marked(), r.after) << r.command;
    }
}

// The running program searches with the system's case mapping, beyond the scripts of the portable table.
TEST(FindDialogWindow, CaseFoldingIsTheSystemsUpperCase) {
    const TestWindow<> running;
    std::vector<int> missed;
    for (int c = 1; c < 0x10000; ++c) {
        if (c >= 0xD800 && c < 0xE000) continue;  // halves of pairs are no characters
        wchar_t upper = static_cast<wchar_t>(c);
        ::CharUpperBuffW(&upper, 1);
        const char16_t small = static_cast<char16_t>(c), capital = static_cast<char16_t>(upper);
        if (TextSearch({&small, 1}, {&capital, 1}, false).occurrence(0, 1) != 0) missed.push_back(c);
    }
    EXPECT_EQ(missed, std::vector<int>{});
}

}  // namespace
}  // namespace tess::test
