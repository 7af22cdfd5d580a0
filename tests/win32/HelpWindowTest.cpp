// The help window as Help > Content opens it on the shipped help file: its controls, the tree,
// selection and the pane's re-creation, the splitter and resizing, its keys through the program's
// loop, the messages, and its life beside the main window.
#include "DialogAnswerer.h"
#include "WinTestSupport.h"
#include "help/win32/HelpWindow.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <array>

#include <windows.h>
#include <commctrl.h>

namespace tess::test {
namespace {

using namespace win32;

// The build puts the help file beside Tessaline.exe, one folder above the tests.
std::string shippedHelp() {
    char exe[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    const std::string path(exe);
    return readBytes(path.substr(0, path.find_last_of('\\') + 1) + "..\\TessalineHelp.ahp").value_or("");
}

// Left, top, right and bottom of a control in its parent's client area.
using Box = std::array<LONG, 4>;
Box rectIn(HWND parent, HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

struct HelpFixture {
    explicit HelpFixture(const std::string& bytes = shippedHelp(), std::deque<Answer> answers = {})
        : shell({}, {}, {{"C:\\Data\\TessalineHelp.ahp", bytes}}, std::move(answers)),
          topics(loadHelpFile(bytes).value_or(std::vector<HelpTopic>{})), tree(buildTopicTree(topics)) {
        shell.command(IDM_HELPCONTENT);
        shell.pump();
    }
    ~HelpFixture() { press(0); }

    HelpWindow& help() { return shell.program.helpWindow(); }
    HWND at(int id) { return help().control(id); }
    std::string status(int part) {
        char text[512] = {};
        ::SendMessageA(at(helpid::kStatus), SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
        return text;
    }
    UINT itemState(int topic, UINT mask) {
        return static_cast<UINT>(::SendMessageA(at(helpid::kTree), TVM_GETITEMSTATE,
                                                reinterpret_cast<WPARAM>(help().itemOf(topic)), mask));
    }
    std::pair<DWORD, DWORD> paneSelection() {
        DWORD start = 0, end = 0;
        ::SendMessageA(at(helpid::kText), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    // A key typed into the tree, with Ctrl or Shift held as the keyboard driver reports them.
    void press(UINT vk, bool control = false, bool shift = false) {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_CONTROL] = keys[VK_LCONTROL] = control ? 0x80 : 0;
        keys[VK_SHIFT] = keys[VK_LSHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        if (!vk) return;
        ::PostMessageA(at(helpid::kTree), WM_KEYDOWN, vk, 1);
        ::PostMessageA(at(helpid::kTree), WM_KEYUP, vk, 0xC0000001);
        shell.pump();
    }

    TestWindow<> shell;
    std::vector<HelpTopic> topics;
    TopicTree tree;
};

TEST(HelpWindow, OpensBesideTheMainWindowWithItsControlsAndTheShippedTopics) {
    HelpFixture f;
    ASSERT_TRUE(f.help().isOpen());
    ASSERT_GT(f.topics.size(), 20u);
    const HWND help = f.help().hwnd();
    RECT client{}, outer{}, main{};
    ::GetClientRect(help, &client);
    ::GetWindowRect(help, &outer);
    ::GetWindowRect(f.shell.hwnd(), &main);
    EXPECT_EQ(std::make_pair(client.right, client.bottom), std::make_pair(640L, 370L));
    EXPECT_EQ(outer.left - main.left, 100);
    EXPECT_EQ(outer.top - main.top, 80);
    EXPECT_EQ(windowText(help), "Application Help");
    EXPECT_EQ(::GetWindow(help, GW_OWNER), nullptr);
    EXPECT_EQ(::GetWindowLongA(help, GWL_STYLE) & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
              static_cast<LONG>(WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX));

    struct Row {
        int id;
        const char* className;
        Box place;
        DWORD style;
        int fontPoints;
    };
    const Row rows[] = {
        {helpid::kTree, "SysTreeView32", {10, 5, 245, 335}, WS_TABSTOP | TVS_SHOWSELALWAYS | TVS_EDITLABELS, 10},
        {helpid::kTitle, "Static", {250, 5, 610, 28}, 0, 12},
        {helpid::kText, "Edit", {250, 30, 625, 335},
         WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY, 10},
        {helpid::kSplitter, "Static", {245, 5, 250, 335}, SS_ETCHEDFRAME | SS_NOTIFY, 0},
    };
    for (const Row& row : rows) {
        const HWND control = f.at(row.id);
        char name[64] = {};
        ::GetClassNameA(control, name, sizeof name);
        EXPECT_STRCASEEQ(name, row.className) << row.id;
        EXPECT_EQ(rectIn(help, control), row.place) << row.id;
        EXPECT_EQ(static_cast<DWORD>(::GetWindowLongA(control, GWL_STYLE)) & row.style, row.style) << row.id;
        LOGFONTA font{};
        if (!row.fontPoints) continue;
        ASSERT_TRUE(::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font));
        EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
        EXPECT_EQ(-font.lfHeight, ::MulDiv(row.fontPoints, 96, 72)) << row.id;
    }
    int parts[3] = {};
    EXPECT_EQ(::SendMessageA(f.at(helpid::kStatus), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(parts)), 2);
    EXPECT_EQ(parts[0], 416);
    EXPECT_EQ(f.status(0), "  Right click mouse (or F1) for menu options");

    const HWND tree = f.at(helpid::kTree);
    EXPECT_EQ(::SendMessageA(tree, TVM_GETCOUNT, 0, 0), static_cast<LRESULT>(f.topics.size()));
    for (std::size_t i = 0; i < f.topics.size(); ++i) {
        const int topic = static_cast<int>(i);
        char title[256] = {};
        TVITEMA item{.mask = TVIF_TEXT | TVIF_PARAM, .hItem = f.help().itemOf(topic), .pszText = title,
                     .cchTextMax = sizeof title};
        ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(title, f.topics[i].title);
        EXPECT_EQ(item.lParam, topic + 1);
        const HTREEITEM parent = reinterpret_cast<HTREEITEM>(::SendMessageA(
            tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(f.help().itemOf(topic))));
        EXPECT_EQ(parent, f.tree.parent[i] < 0 ? nullptr : f.help().itemOf(f.tree.parent[i])) << title;
        if (f.tree.hasChildren[i]) {
            EXPECT_TRUE(f.itemState(topic, TVIS_EXPANDED)) << title;
        }
    }
    const HelpTopic& shown = f.topics[static_cast<std::size_t>(f.tree.selected)];
    EXPECT_EQ(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0),
              reinterpret_cast<LRESULT>(f.help().itemOf(f.tree.selected)));
    EXPECT_EQ(windowText(f.at(helpid::kTitle)), "     " + shown.title);
    EXPECT_EQ(windowText(f.at(helpid::kText)), shown.body);
    EXPECT_EQ(f.status(1), shown.title);
}

TEST(HelpWindow, ASelectedTopicIsShownAndThePaneIsMadeAnewOnlyForAnotherWrapMode) {
    HelpFixture f;
    const auto firstWhere = [&](auto wanted) {
        for (std::size_t i = 0; i < f.topics.size(); ++i)
            if (static_cast<int>(i) != f.tree.selected && wanted(f.topics[i], f.tree.parent[i])) return static_cast<int>(i);
        return -1;
    };
    const int wrapping = firstWhere([](const HelpTopic& t, int parent) { return parent >= 0 && t.wrapMode == kWrapLines; });
    const int scrolling = firstWhere([](const HelpTopic& t, int) { return t.wrapMode == kNoWrap; });
    ASSERT_GE(wrapping, 0);
    ASSERT_GE(scrolling, 0);
    const HWND tree = f.at(helpid::kTree);
    const auto select = [&](int topic) {
        ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(f.help().itemOf(topic)));
        EXPECT_EQ(windowText(f.at(helpid::kText)), f.topics[static_cast<std::size_t>(topic)].body);
        EXPECT_EQ(f.status(1), topicPath(f.topics, f.tree, topic));
        return f.at(helpid::kText);
    };
    const HWND first = f.at(helpid::kText);
    EXPECT_EQ(select(wrapping), first);
    EXPECT_NE(f.status(1).find(" : "), std::string::npos);
    const HWND remade = select(scrolling);
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_TRUE(::GetWindowLongA(remade, GWL_STYLE) & WS_HSCROLL);
    EXPECT_EQ(rectIn(f.help().hwnd(), remade), (Box{250, 30, 625, 335}));
    EXPECT_FALSE(::GetWindowLongA(select(wrapping), GWL_STYLE) & WS_HSCROLL);
}

TEST(HelpWindow, TheSplitterSharesTheWidthAndResizingFollowsIt) {
    HelpFixture f;
    const HWND help = f.help().hwnd(), splitter = f.at(helpid::kSplitter);
    ::PostMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 40));
    ::PostMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(52, 40));
    ::PostMessageA(splitter, WM_LBUTTONUP, 0, MAKELPARAM(52, 40));
    f.shell.pump();
    EXPECT_EQ(rectIn(help, f.at(helpid::kTree)), (Box{10, 5, 295, 335}));
    EXPECT_EQ(rectIn(help, splitter), (Box{295, 5, 300, 335}));
    EXPECT_EQ(rectIn(help, f.at(helpid::kTitle)), (Box{300, 5, 610, 28}));
    EXPECT_EQ(rectIn(help, f.at(helpid::kText)), (Box{300, 30, 625, 335}));

    RECT frame{0, 0, 800, 500};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongA(help, GWL_STYLE)), FALSE, 0);
    ::SetWindowPos(help, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(rectIn(help, f.at(helpid::kTree)), (Box{10, 5, 295, 465}));
    EXPECT_EQ(rectIn(help, splitter), (Box{295, 5, 300, 465}));
    EXPECT_EQ(rectIn(help, f.at(helpid::kTitle)), (Box{300, 5, 300 + 800 - 295 - 35, 28}));
    EXPECT_EQ(rectIn(help, f.at(helpid::kText)), (Box{300, 30, 300 + 800 - 295 - 20, 30 + 500 - 65}));
    int parts[2] = {};
    ::SendMessageA(f.at(helpid::kStatus), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(parts));
    EXPECT_EQ(parts[0], 520);
}

TEST(HelpWindow, ItsKeysSearchAcrossTopicsFoldTheTreeAndCloseIt) {
    HelpFixture f(shippedHelp(), {Answer::Ok, Answer::Ok});
    const HWND tree = f.at(helpid::kTree);
    const auto parent = static_cast<int>(std::find(f.tree.hasChildren.begin(), f.tree.hasChildren.end(), true) -
                                          f.tree.hasChildren.begin());
    f.press('C', true);
    EXPECT_FALSE(f.itemState(parent, TVIS_EXPANDED));
    f.press('X', true);
    EXPECT_TRUE(f.itemState(parent, TVIS_EXPANDED));

    const auto expectShown = [&](std::optional<HelpHit> hit, std::size_t length) {
        ASSERT_TRUE(hit);
        EXPECT_EQ(f.help().currentTopic(), hit->topic);
        EXPECT_TRUE(f.itemState(hit->topic, TVIS_BOLD));
        EXPECT_EQ(f.paneSelection(), std::make_pair(static_cast<DWORD>(hit->pos), static_cast<DWORD>(hit->pos + length)));
    };
    {
        DialogAnswerer answerer({{IDOK, "  TABLE ", helpid::kAskEdit}});
        f.press('F', true);
        ASSERT_EQ(answerer.seen().size(), 1u);
        EXPECT_EQ(answerer.seen()[0].title, "Text to Find");
    }
    const auto first = findFirst(f.topics, "table", 0);
    expectShown(first, 5);
    f.press(VK_F3);
    const auto second = findNext(f.topics, "table", first->topic, first->pos + 5);
    expectShown(second, 5);
    if (second->topic != first->topic) {
        EXPECT_FALSE(f.itemState(first->topic, TVIS_BOLD));
    }
    f.press(VK_F3, false, true);
    expectShown(first, 5);

    {
        DialogAnswerer answerer({{IDOK, "rescued", helpid::kAskEdit}});
        f.press('F', true);
    }
    const auto only = findFirst(f.topics, "rescued", 0);
    expectShown(only, 7);
    f.press(VK_F3);
    f.press(VK_F3, false, true);
    ASSERT_EQ(f.shell.desktop.boxes.size(), 2u);
    for (const MessageBoxRequest& box : f.shell.desktop.boxes)
        EXPECT_EQ(box, (MessageBoxRequest{.title = "rescued", .text = "No more found", .modality = Modality::Task,
                                          .ownedByMainWindow = false}));
    expectShown(only, 7);

    f.press(VK_ESCAPE);
    EXPECT_FALSE(f.help().isOpen());
    EXPECT_FALSE(::IsWindow(tree));
}

TEST(HelpWindow, HelpContentTellsWhatIsMissingComesForwardWhenOpenAndEndsWithTheMainWindow) {
    const MessageBoxRequest box{.title = "Help File", .icon = Icon::Information};
    for (const auto& [bytes, text] : {std::pair<std::string, const char*>{{}, "No help content"},
                                      {std::string("\0\0\0\0", 4), "No help content"}}) {
        HelpFixture f(bytes, {Answer::Ok});
        EXPECT_FALSE(f.help().isOpen());
        MessageBoxRequest expected = box;
        expected.text = text;
        EXPECT_EQ(f.shell.desktop.boxes, std::vector{expected});
    }
    {
        TestWindow<> shell({}, {}, {}, {Answer::Ok});
        shell.command(IDM_HELPCONTENT);
        MessageBoxRequest expected = box;
        expected.text = "No help available";
        EXPECT_EQ(shell.desktop.boxes, std::vector{expected});
        EXPECT_FALSE(shell.program.helpWindow().isOpen());
    }

    HelpFixture f;
    const HWND help = f.help().hwnd();
    ::ShowWindow(help, SW_MINIMIZE);
    f.shell.command(IDM_HELPCONTENT);
    f.shell.pump();
    EXPECT_EQ(f.help().hwnd(), help);
    EXPECT_FALSE(::IsIconic(help));
    ::SendMessageA(f.shell.hwnd(), WM_CLOSE, 0, 0);
    f.shell.pump();
    EXPECT_FALSE(::IsWindow(help));
}

}  // namespace
}  // namespace tess::test
