// The help window as Help > Content opens it on the shipped help file.
#include "DialogPlayer.h"
#include "FakePrinter.h"
#include "WinTestSupport.h"
#include "help/win32/HelpWindow.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <tuple>

namespace tess::test {
namespace {

using namespace win32;
using Box = std::array<LONG, 4>;  // left, top, right, bottom in the parent's client area

// The build puts the help file beside Tessaline.exe, one folder above the tests.
std::string shippedHelp() {
    char exe[MAX_PATH] = {};
    const std::string path(exe, ::GetModuleFileNameA(nullptr, exe, MAX_PATH));
    return readBytes(path.substr(0, path.find_last_of('\\') + 1) + "..\\TessalineHelp.ahp").value_or("");
}

struct HelpFixture {
    explicit HelpFixture(const std::string& bytes = shippedHelp(), std::deque<Answer> answers = {})
        : shell({}, {}, {{"C:\\Data\\TessalineHelp.ahp", bytes}}, std::move(answers)),
          topics(loadHelpFile(bytes).value_or(std::vector<HelpTopic>{})), tree(buildTopicTree(topics)) {
        shell.command(IDM_HELPCONTENT);
    }
    ~HelpFixture() { press(0); }
    HelpWindow& help() { return shell.program.helpWindow(); }
    HWND at(int id) { return help().control(id); }
    Box box(int id) {
        RECT r{};
        ::GetWindowRect(at(id), &r);
        ::MapWindowPoints(nullptr, help().hwnd(), reinterpret_cast<POINT*>(&r), 2);
        return {r.left, r.top, r.right, r.bottom};
    }
    std::string status(int part) {
        char text[512] = {};
        ::SendMessageA(at(helpid::kStatus), SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
        return text;
    }
    bool itemHas(int topic, UINT state) {
        return ::SendMessageA(at(helpid::kTree), TVM_GETITEMSTATE, WPARAM(help().itemOf(topic)), state) != 0;
    }
    // A key typed into the tree (or another control), with Ctrl or Shift held as the keyboard driver reports them.
    void press(UINT vk, bool control = false, bool shift = false, int into = helpid::kTree) {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_CONTROL] = keys[VK_LCONTROL] = control ? 0x80 : 0;
        keys[VK_SHIFT] = keys[VK_LSHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        if (vk) ::PostMessageA(at(into), WM_KEYDOWN, vk, 1), shell.pump();
    }
    TestWindow<> shell;
    std::vector<HelpTopic> topics;
    TopicTree tree;
};

TEST(HelpWindow, OpensBesideMainWithTheShippedTopics) {
    HelpFixture f;
    ASSERT_TRUE(f.help().isOpen());
    const HWND help = f.help().hwnd();
    RECT client{}, outer{}, main{};
    ::GetClientRect(help, &client), ::GetWindowRect(help, &outer), ::GetWindowRect(f.shell.hwnd(), &main);
    EXPECT_EQ(
        std::tuple(client.right, client.bottom, outer.left - main.left, outer.top - main.top, windowText(help),
                   ::GetWindowLongA(help, GWL_STYLE) & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
                   f.status(0)),
        std::tuple(640L, 370L, 100L, 80L, "Application Help", LONG(WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX),
                   "  Right click mouse (or F1) for menu options"));
    // Positions as created; sizes by the resize rules at 640 x 370; fonts of 10 and 12 points at 96 dpi.
    const struct { int id; Box place; DWORD style; const char* font; } rows[] = {
        {helpid::kTree, {10, 5, 245, 335}, WS_TABSTOP | TVS_SHOWSELALWAYS | TVS_EDITLABELS, "MS Sans Serif 13"},
        {helpid::kTitle, {250, 5, 610, 28}, 0, "MS Sans Serif 16"},
        {helpid::kText, {250, 30, 625, 335}, WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY, "MS Sans Serif 13"},
        {helpid::kSplitter, {245, 5, 250, 335}, SS_ETCHEDFRAME | SS_NOTIFY, ""}};
    for (const auto& row : rows) {
        LOGFONTA font{};
        ::GetObjectA(HFONT(::SendMessageA(f.at(row.id), WM_GETFONT, 0, 0)), sizeof font, &font);
        const std::string seen = *row.font ? font.lfFaceName + (" " + std::to_string(-font.lfHeight)) : "";
        EXPECT_EQ(std::tuple(f.box(row.id), DWORD(::GetWindowLongA(f.at(row.id), GWL_STYLE)) & row.style, seen),
                  std::tuple(row.place, row.style, std::string(row.font)))
            << row.id;
    }

    const HWND tree = f.at(helpid::kTree);
    const auto& parents = f.tree.parent;
    EXPECT_EQ(::SendMessageA(tree, TVM_GETCOUNT, 0, 0), static_cast<LRESULT>(f.topics.size()));
    for (std::size_t t = 0; t < f.topics.size(); ++t) {
        char title[256] = {};
        TVITEMA item{.mask = TVIF_TEXT, .hItem = f.help().itemOf(int(t)), .pszText = title, .cchTextMax = 256};
        ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        // Its next sibling is the next topic of the file under the same parent.
        const auto next = std::find(parents.begin() + int(t) + 1, parents.end(), parents[t]);
        EXPECT_EQ(
            std::tuple(std::string(title), TreeView_GetParent(tree, item.hItem), TreeView_GetNextSibling(tree, item.hItem),
                       f.itemHas(int(t), TVIS_EXPANDED)),
            std::tuple(f.topics[t].title, parents[t] < 0 ? nullptr : f.help().itemOf(parents[t]),
                       next == parents.end() ? nullptr : f.help().itemOf(int(next - parents.begin())),
                       bool(f.tree.hasChildren[t])))
            << t;
    }
    const HelpTopic& shown = f.topics[static_cast<std::size_t>(f.tree.selected)];
    EXPECT_EQ(std::tuple(windowText(f.at(helpid::kTitle)), windowText(f.at(helpid::kText)), f.status(1)),
              std::tuple("     " + shown.title, shown.body, shown.title));

    // The topic pane is made again for the other wrapping; the splitter, dragged, stays on resizing.
    int wrapping = -1, scrolling = -1;
    for (int i = static_cast<int>(f.topics.size()) - 1; i > 0; --i)
        (f.topics[static_cast<std::size_t>(i)].wrapMode == kNoWrap ? scrolling : wrapping) = i;
    ASSERT_GT(scrolling, 0);
    const auto show = [&](int topic) {
        ::SendMessageA(f.at(helpid::kTree), TVM_SELECTITEM, TVGN_CARET, LPARAM(f.help().itemOf(topic)));
        const HWND pane = f.at(helpid::kText);
        EXPECT_EQ(
            std::tuple(windowText(pane), f.status(1), f.box(helpid::kText)),
            std::tuple(f.topics[std::size_t(topic)].body, topicPath(f.topics, f.tree, topic), Box{250, 30, 625, 335}));
        return std::make_pair(pane, (::GetWindowLongA(pane, GWL_STYLE) & WS_HSCROLL) != 0);
    };
    const HWND first = f.at(helpid::kText);
    EXPECT_EQ(show(wrapping), std::make_pair(first, false));
    EXPECT_NE(f.status(1).find(" : "), std::string::npos);
    EXPECT_TRUE(show(scrolling).second);
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_FALSE(show(wrapping).second);

    const HWND splitter = f.at(helpid::kSplitter);
    for (const auto& [msg, x] : {std::pair{WM_LBUTTONDOWN, 2}, {WM_MOUSEMOVE, 52}, {WM_LBUTTONUP, 52}})
        ::PostMessageA(splitter, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, 40));
    f.shell.pump();
    const auto expect = [&](int bottom, int titleRight, int textRight, int textBottom) {  // tree, splitter, title, text
        EXPECT_EQ(
            (std::array{f.box(helpid::kTree), f.box(helpid::kSplitter), f.box(helpid::kTitle), f.box(helpid::kText)}),
            (std::array{Box{10, 5, 295, bottom}, Box{295, 5, 300, bottom}, Box{300, 5, titleRight, 28},
                        Box{300, 30, textRight, textBottom}}));
    };
    expect(335, 610, 625, 335);
    const HWND text = f.at(helpid::kText);
    ::SetWindowTextA(text, std::string(200, '\n').c_str()), ::SendMessageA(text, EM_LINESCROLL, 0, 40);
    const auto kept = std::tuple(f.help().currentTopic(), ::SendMessageA(text, EM_GETFIRSTVISIBLELINE, 0, 0));
    // To a monitor of twice the DPI and back: the splitter stays where it was dragged.
    for (const int dpi : {192, 96}) {
        RECT suggested{20, 30, 20 + scaled(600, dpi), 30 + scaled(400, dpi)}, place{};
        ::SendMessageA(help, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&suggested)), ::GetWindowRect(help, &place);
        LOGFONTA font{};
        ::GetObjectA(HFONT(::SendMessageA(f.at(helpid::kTitle), WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_EQ(std::tuple(place.right, place.bottom, font.lfHeight, f.box(helpid::kTree)[2], f.box(helpid::kText)[0],
                             std::tuple(f.help().currentTopic(), ::SendMessageA(text, EM_GETFIRSTVISIBLELINE, 0, 0))),
                  std::tuple(suggested.right, suggested.bottom, -::MulDiv(12, dpi, 72), LONG(scaled(295, dpi)),
                             LONG(scaled(300, dpi)), kept));
    }
    RECT frame{0, 0, 800, 500};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongA(help, GWL_STYLE)), FALSE, 0);
    ::SetWindowPos(help, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, SWP_NOMOVE);
    expect(465, 300 + 800 - 295 - 35, 300 + 800 - 295 - 20, 30 + 500 - 65);
    int parts[3] = {};
    EXPECT_EQ(::SendMessageA(f.at(helpid::kStatus), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(parts)), 2);
    EXPECT_EQ(parts[0], 520);

    ::ShowWindow(help, SW_MINIMIZE);
    f.shell.command(IDM_HELPCONTENT);
    EXPECT_EQ(std::pair(f.help().hwnd(), ::IsIconic(help)), std::pair(help, FALSE));
    ::SendMessageA(f.shell.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(help));
}

// Ctrl+C copies what the text pane shows selected (a help example, say) and folds nothing; the tree opens no label
// editor, whose Esc would close the window; after the Find text prompt the keyboard is back in the tree.
TEST(HelpWindow, ItsKeys) {
    HelpFixture f(shippedHelp(), {Answer::Ok});
    const auto parent = static_cast<int>(std::ranges::find(f.tree.hasChildren, true) - f.tree.hasChildren.begin());
    ::SendMessageA(f.help().hwnd(), WM_COMMAND, helpid::kCollapseAll, 0);
    EXPECT_FALSE(f.itemHas(parent, TVIS_EXPANDED));
    f.press('X', true);
    EXPECT_TRUE(f.itemHas(parent, TVIS_EXPANDED));
    EXPECT_EQ(::SendMessageA(f.at(helpid::kTree), TVM_EDITLABELA, 0, LPARAM(f.help().itemOf(parent))), 0);
    {  // F3 before any search asks as Ctrl+F does
        const DialogStep type{DialogStep::Type, helpid::kAskEdit, "  TABLE "}, ok{DialogStep::Click, IDOK};
        const DialogPlayer player({type, ok, type, ok});
        f.press(VK_F3), f.press('F', true);
        EXPECT_EQ(player.seen(), (std::vector<std::string>{"Text to Find", "Text to Find"}));
    }
    EXPECT_EQ(::GetFocus(), f.at(helpid::kTree));  // the keyboard is back where it was before the prompt
    const auto first = findFirst(f.topics, "table", 0).value();  // the match is shown, its topic bold
    DWORD start = 0, end = 0;
    ::SendMessageA(f.at(helpid::kText), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(std::tuple(f.help().currentTopic(), f.itemHas(first.topic, TVIS_BOLD), start, end),
              std::tuple(first.topic, true, static_cast<DWORD>(first.pos), static_cast<DWORD>(first.pos + 5)));
    win32::DesktopWin clipboard;
    clipboard.setClipboardText(u"kept");
    f.press('C', true, false, helpid::kText);
    EXPECT_EQ(std::pair(clipboard.clipboardText(), f.itemHas(parent, TVIS_EXPANDED)),
              std::pair(utf16(f.topics[first.topic].body.substr(first.pos, 5)), true));
    f.press(VK_F3, false, true);  // Prev: nothing before the first match
    EXPECT_EQ(f.shell.desktop.boxes.size(), 1u);
    f.press('P', true);  // the topic shown goes to the printer under its title
    EXPECT_EQ(
        std::tuple(std::ranges::count(f.shell.printers.printed, f.topics[first.topic].title, &PrintedText::text) > 0,
                  f.shell.printers.dialogs.size()),
        std::tuple(true, 1u));
    f.press(VK_ESCAPE);
    EXPECT_FALSE(f.help().isOpen());
}

TEST(HelpWindow, AMissingOrEmptyFileIsSaid) {
    for (const std::string& bytes : {std::string(), std::string("\0\0\0\0", 4)}) {
        HelpFixture f(bytes, {Answer::Ok});
        const MessageBoxRequest noContent{.title = "Help File", .text = "No help content", .icon = Icon::Information};
        EXPECT_EQ(std::pair(f.help().isOpen(), f.shell.desktop.boxes), std::pair(false, std::vector(1, noContent)));
    }
    TestWindow<> missing({}, {}, {}, {Answer::Ok});
    missing.command(IDM_HELPCONTENT);
    EXPECT_EQ(missing.desktop.boxes.at(0).text, "No help available");
}

}  // namespace
}  // namespace tess::test
