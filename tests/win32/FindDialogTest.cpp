// What only the real find dialog shows: its controls as built in the 8-point dialog font, owned by the disabled main
// window; the keys and the toolbar that open it through the program's routes; the Enter that closes it never reaching
// the editor; the keyboard back in the editor after its real boxes; and the code page's capitals as the system makes
// them.
#include "DialogPlayer.h"
#include "EditorSubject.h"
#include "resources/resource.h"
#include "search/SearchText.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tess::test {
namespace {

using Texts = std::vector<std::string>;

// A control in creation order: class, id, text, rectangle in dialog units, check state (-1: none).
struct Built { std::string className; int id; std::string text; RECT place; int checked = -1; };
auto facts(const Built& b) { return std::tuple(b.className, b.id, b.text, b.place.left, b.place.top, b.place.right,
                                               b.place.bottom, b.checked); }

const std::vector<Built> kFind = {
    {"Static", 65535, "&What:", {10, 10, 25, 10}}, {"Edit", 501, "cat", {40, 10, 140, 12}},
    {"Button", 503, "Match &whole word", {10, 35, 100, 10}, 1}, {"Button", 504, "Match &case", {10, 50, 100, 10}, 0},
    {"Button", 505, "Do not cycle", {10, 65, 100, 10}, 0}, {"Button", 506, "Beep on cycle", {10, 80, 100, 10}, 1},
    {"Button", 65535, "Direction", {105, 35, 60, 40}}, {"Button", 511, "&Up", {110, 45, 40, 10}, 0},
    {"Button", 512, "&Down", {110, 60, 40, 10}, 1}, {"Button", 513, "Keep Dialog open", {110, 80, 100, 10}, 0},
    {"Button", 1, "&Find next", {190, 5, 50, 20}}, {"Button", 2, "Cancel", {190, 30, 50, 20}}};
const std::vector<Built> kReplace = {
    {"Static", 65535, "&What:", {10, 10, 25, 10}}, {"Edit", 501, "cat", {40, 10, 140, 12}},
    {"Static", 65535, "&With:", {10, 30, 25, 10}}, {"Edit", 502, "", {40, 30, 140, 12}},
    {"Button", 503, "Match &whole word", {10, 55, 100, 10}, 1}, {"Button", 504, "Match &case", {10, 70, 100, 10}, 0},
    {"Button", 505, "Do not cycle", {10, 85, 100, 10}, 0}, {"Button", 506, "Beep on cycle", {10, 100, 100, 10}, 1},
    {"Button", 514, "&Replace", {120, 55, 50, 20}}, {"Button", 1, "&Skip", {120, 80, 50, 20}},
    {"Button", 515, "Replace &All", {180, 55, 50, 20}}, {"Button", 2, "Cancel", {180, 80, 50, 20}}};

TEST(FindDialogWindow, ItsControlsAsBuiltInBothModes) {
    auto s = makeEditorSubject();
    auto& w = windowOf(*s);
    const struct { int command; const std::vector<Built>& controls; int height; std::vector<int> tabs; } modes[] = {
        {IDM_FIND, kFind, 120, {501, 503, 504, 505, 506, 512, 513, 1, 2}},  // the direction's checked button
        {IDM_REPLACE, kReplace, 140, {501, 502, 503, 504, 505, 506, 514, 1, 515, 2}}};
    for (const auto& m : modes) {
        s->set("a [cat] b");
        DialogPlayer player({});
        player.inspect = [&](HWND dialog) {
            LOGFONTA font{};
            ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
            const HDC screen = ::GetDC(nullptr);
            EXPECT_EQ(std::tuple(std::string(font.lfFaceName), font.lfHeight),
                      std::tuple(std::string("MS Sans Serif"), -::MulDiv(8, ::GetDeviceCaps(screen, LOGPIXELSY), 72)));
            ::ReleaseDC(nullptr, screen);
            // x, y, width and height each mapped as the dialog manager maps them; the size pins the font's units
            // at 6 by 13 pixels.
            const auto pixels = [&](RECT r) { return ::MapDialogRect(dialog, &r), r; };
            RECT client{};
            ::GetClientRect(dialog, &client);
            EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(375L, LONG(::MulDiv(m.height, 13, 8))));
            const LONG style = ::GetWindowLongA(dialog, GWL_STYLE);
            EXPECT_EQ(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), WS_SYSMENU);
            EXPECT_EQ(std::pair(::GetWindow(dialog, GW_OWNER), ::IsWindowEnabled(w.hwnd())),
                      std::pair(w.hwnd(), FALSE));
            std::vector<Built> built;
            for (HWND c = ::GetWindow(dialog, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
                char name[16] = {};
                ::GetClassNameA(c, name, sizeof name);
                RECT r{};
                ::GetWindowRect(c, &r), ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
                const LONG kind = ::GetWindowLongA(c, GWL_STYLE) & 0xF;
                const bool checks = kind == BS_AUTOCHECKBOX || kind == BS_AUTORADIOBUTTON;
                built.push_back({name, ::GetDlgCtrlID(c) & 0xFFFF, windowText(c), {r.left, r.top, r.right - r.left,
                                 r.bottom - r.top}, checks ? int(::SendMessageA(c, BM_GETCHECK, 0, 0)) : -1});
                EXPECT_TRUE(::GetDlgCtrlID(c) != 1 || kind == BS_DEFPUSHBUTTON);  // Enter presses it
            }
            ASSERT_EQ(built.size(), m.controls.size());
            for (std::size_t i = 0; i < built.size(); ++i) {
                Built want = m.controls[i];
                want.place = pixels(want.place);
                EXPECT_EQ(facts(built[i]), facts(want)) << i;
            }
            std::vector<int> tabs;
            const HWND first = ::GetNextDlgTabItem(dialog, nullptr, FALSE);
            for (HWND c = first; tabs.size() < 20 && (tabs.empty() || c != first);
                 c = ::GetNextDlgTabItem(dialog, c, FALSE))
                tabs.push_back(::GetDlgCtrlID(c));
            EXPECT_EQ(tabs, m.tabs);
        };
        w.command(m.command);
        EXPECT_EQ(player.seen().size(), 2u);  // its title, and left open
        EXPECT_TRUE(::IsWindowEnabled(w.hwnd()));
    }
}

// Ctrl+F, the toolbar's Replace, F3 and Shift+F3 arrive through the program's own loop; the dialog takes Enter and Esc,
// and the release of the Enter that closed it reaches the editor alone, which does nothing with it.
TEST(FindDialogWindow, OpenedByItsKeysAndButtonTakingEnterAndEscWhoseEnterNeverReachesTheEditor) {
    auto s = makeEditorSubject();
    auto& w = windowOf(*s);
    s->set("  [cat] cat");
    const struct { std::string keys; int command; DialogSteps steps; Texts seen; std::string after; } rows[] = {
        {"{C-F}", 0, {{DialogStep::Enter}}, {"Find"}, "  cat [cat]"}, {"{Enter:0}", 0, {}, {}, "  cat [cat]"},
        {"", IDT_REPLACE, {{DialogStep::Esc}}, {"Replace"}, "  cat cat|"}, {"", 0, {}, {}, "  [cat] cat"},
        {"{F3}", 0, {}, {}, "  cat [cat]"}, {"{S-F3}", 0, {}, {}, "  [cat] cat"}};
    for (const auto& r : rows) {
        if (r.keys.empty() && !r.command) s->set(r.after);
        const DialogPlayer player(r.steps);
        r.command ? w.command(r.command) : s->keys(r.keys);
        EXPECT_EQ(std::pair(player.seen(), s->marked()), std::pair(r.seen, r.after)) << r.keys << r.command;
    }
}

// Each box of the dialog (none found, an empty What or With, Replace All's question and report) is owned by the window
// active when it opens, the dialog: once the box and the dialog have closed, the keyboard is back in the editor and the
// next key typed lands in the text. (A Find dialog that found nothing leaves the caret at the start.)
TEST(FindDialogWindow, AfterEachOfItsBoxesTheKeyboardIsBackInTheEditor) {
    auto s = makeEditorSubject();
    auto& w = windowOf(*s);
    const HWND editor = w.window.editorHwnd();
    w.desktop.real.setOwner(w.hwnd());
    w.desktop.realBoxes = true;
    ::ShowWindow(w.hwnd(), SW_SHOW);
    ::SetForegroundWindow(w.hwnd());
    using enum DialogStep::Kind;
    const struct { int command; DialogSteps steps; Texts seen; std::string after; } rows[] = {
        {IDM_FIND, {{Type, 501, "zzzq"}, {Enter}, {Enter}}, {"Find", "Find Text"}, "x|a cat b"},
        {IDM_FIND, {{Type, 501, ""}, {Enter}, {Enter}, {Esc}}, {"Find", "Error"}, "x|a cat b"},
        {IDM_REPLACE, {{Type, 501, "cat"}, {Type, 502, "dog"}, {Click, 515}, {Enter}, {Enter}},
         {"Replace", "Replae all", "Replace all"}, "a dogx| b"},
        {IDM_REPLACE, {{Click, 514}, {Enter}, {Esc}}, {"Replace", "Error"}, "a catx| b"}};
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
        // Typed as the keyboard types it: the system hands it to the focus of the foreground window.
        INPUT keys[2] = {{.type = INPUT_KEYBOARD, .ki = {.wVk = 'X'}},
                         {.type = INPUT_KEYBOARD, .ki = {.wVk = 'X', .dwFlags = KEYEVENTF_KEYUP}}};
        ::SendInput(2, keys, sizeof(INPUT));
        w.pump();
        EXPECT_EQ(s->marked(), r.after) << r.command;
    }
}

TEST(FindDialogWindow, CaseFoldingIsTheSystemsAnsiUpperCase) {
    for (int c = 1; c < 256; ++c) {
        char system = static_cast<char>(c);
        ::CharUpperBuffA(&system, 1);
        EXPECT_EQ(upperAnsi(static_cast<char>(c)), system) << c;
    }
}

}  // namespace
}  // namespace tess::test
