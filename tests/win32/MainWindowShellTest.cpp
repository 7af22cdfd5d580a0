// The main window as the user meets it: menus, accelerators, toolbar, status bar, layout, start-up
// and close, read back from the real window with the real messages.
#include "app/StatusBar.h"
#include "app/win32/MainWindow.h"
#include "WinTestSupport.h"
#include "resources/resource.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

namespace tess::win32 {
namespace {

constexpr const char* kIni = test::kTestSettingsFile;
constexpr char kPreview[] = "C:\\Data\\runFile.htm";

std::string settingsText(int x, int y, int w, int h, int useLastSize, const std::vector<std::string>& recent,
                         int askToQuit = 0, int showLineNumbers = 1, int background = 16777215) {
    std::string s = "\"1.06\"\r\n" + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(w) + "," +
                    std::to_string(h) + ",10\r\n" + std::to_string(recent.size()) + "," +
                    std::to_string(showLineNumbers) + "," + std::to_string(useLastSize) + ",0,0\r\n3," +
                    std::to_string(askToQuit) + ",1," + std::to_string(background) + ",0\r\n\"\"\r\n";
    for (const auto& r : recent) s += "\"" + r + "\"\r\n";
    for (int i = 0; i < 5; ++i) s += "\"\"\r\n";
    return s;
}

// A main window over a fake desktop whose data folder is C:\Data\.
using Shell = test::TestWindow<>;
using test::pumpMessages;

struct ItemText {
    std::string text;  // "-" for a separator
    UINT id;
    friend bool operator==(const ItemText&, const ItemText&) = default;
};

void PrintTo(const ItemText& item, std::ostream* os) { *os << "{\"" << item.text << "\", " << item.id << "}"; }

std::vector<ItemText> readItems(HMENU menu) {
    std::vector<ItemText> items;
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[128] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = static_cast<UINT>(std::size(text));
        ::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        if (info.fType & MFT_SEPARATOR) items.push_back({"-", 0});
        else items.push_back({text, info.wID});
    }
    return items;
}

TEST(MainWindowMenus, TheMenuBarReadsBackExactlyWithFourRecentFiles) {
    Shell shell(settingsText(0, 0, 640, 480, 0, {"C:\\Web\\index.html", "C:\\Web\\style.css", "D:\\a\\b.js", "E:\\x.php"}));
    ASSERT_TRUE(shell.created);
    // The start-up loads the first recent file, which the fake desktop does not have.
    HMENU bar = ::GetMenu(shell.hwnd());
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(::GetMenuItemCount(bar), 5);
    const char* titles[] = {"File", "Edit", "Search", "Commands", "Help"};
    for (int i = 0; i < 5; ++i) {
        char title[32] = {};
        ::GetMenuStringA(bar, static_cast<UINT>(i), title, static_cast<int>(std::size(title)), MF_BYPOSITION);
        EXPECT_STREQ(title, titles[i]);
    }
    const std::vector<std::vector<ItemText>> expected = {
        {{"&New\tCtrl+N", 301}, {"&Open\tCtrl+O", 302}, {"&Save\tCtrl+S", 303}, {"Save&As", 304}, {"-", 0},
         {"&Print\tCtrl+P", 305}, {"E&xit\tALT+F4", 307}, {"-", 0}, {"&1  index.html", 308}, {"&2  style.css", 309},
         {"&3  b.js", 310}, {"&4  x.php", 311}},
        {{"&Undo\tCtrl+Z", 321}, {"&Select all\tCtrl+A", 322}, {"Cu&t\tCtrl+X", 323}, {"&Copy\tCtrl+C", 324},
         {"&Paste\tCtrl+V", 325}, {"&Yank line\tCtrl+Y", 326}, {"-", 0}, {"&WordWrap", 327}, {"&Preferences", 328}},
        {{"&Find\tCtrl+F", 331}, {"Find &Next\tF3", 332}, {"Find &Previous\tShft+F3", 333}, {"&Replace", 334},
         {"-", 0}, {"&Set bookmark\tCtrl+F2", 335}, {"Next &bookmark\tF2", 336}, {"&Prev bookmark\tShft+F2", 337},
         {"&Clear bookmarks\tCtrl+Shft+F2", 338}},
        {{"Begin &html script", 341}, {"Java script header", 342}, {"Add comment", 343}, {"Common html tags", 344},
         {"-", 0}, {"Run browser\tCtrl+R", 345}},
        {{"&Content", 351}, {"&About", 352}},
    };
    for (int i = 0; i < 5; ++i) EXPECT_EQ(readItems(::GetSubMenu(bar, i)), expected[static_cast<std::size_t>(i)]) << titles[i];
}

TEST(MainWindowMenus, TheContextMenuHoldsTheEditorCommands) {
    Shell shell;
    ASSERT_TRUE(shell.created);
    ASSERT_NE(shell.window.contextMenu(), nullptr);
    EXPECT_EQ(readItems(shell.window.contextMenu()),
              (std::vector<ItemText>{{"Set Bookmark", 335}, {"Java script header", 342}, {"Add comment", 343},
                                     {"Common html tags", 344}, {"-", 0}, {"Copy line", 361}, {"Paste line", 362},
                                     {"Delete line", 326}}));
}

TEST(MainWindowAccelerators, SeventeenKeysInOrderWithoutCtrlC) {
    Shell shell;
    ASSERT_TRUE(shell.created);
    ASSERT_NE(shell.window.accelerators(), nullptr);
    const int count = ::CopyAcceleratorTableA(shell.window.accelerators(), nullptr, 0);
    ASSERT_EQ(count, 17);
    std::vector<ACCEL> table(static_cast<std::size_t>(count));
    ::CopyAcceleratorTableA(shell.window.accelerators(), table.data(), count);
    const struct {
        BYTE flags;
        WORD key;
        WORD command;
    } expected[] = {
        {FVIRTKEY | FCONTROL, 'N', 301}, {FVIRTKEY | FCONTROL, 'O', 302}, {FVIRTKEY | FCONTROL, 'S', 303},
        {FVIRTKEY | FCONTROL, 'P', 305}, {FVIRTKEY | FCONTROL, 'F', 331}, {FVIRTKEY, VK_F3, 332},
        {FVIRTKEY | FSHIFT, VK_F3, 333}, {FVIRTKEY | FCONTROL, 'R', 345}, {FVIRTKEY | FCONTROL, VK_F2, 335},
        {FVIRTKEY, VK_F2, 336}, {FVIRTKEY | FSHIFT, VK_F2, 337}, {FVIRTKEY | FCONTROL | FSHIFT, VK_F2, 338},
        {FVIRTKEY | FCONTROL, 'Y', 326}, {FVIRTKEY | FCONTROL, 'A', 322}, {FVIRTKEY | FCONTROL, 'X', 323},
        {FVIRTKEY | FCONTROL, 'V', 325}, {FVIRTKEY | FCONTROL, 'Z', 321},
    };
    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(table[static_cast<std::size_t>(i)].fVirt & ~0x80, expected[i].flags);
        EXPECT_EQ(table[static_cast<std::size_t>(i)].key, expected[i].key);
        EXPECT_EQ(table[static_cast<std::size_t>(i)].cmd, expected[i].command);
        EXPECT_FALSE(table[static_cast<std::size_t>(i)].key == 'C' && (table[static_cast<std::size_t>(i)].fVirt & FCONTROL));
    }
}

TEST(MainWindowToolbar, TwelveButtonsWithEighteenPixelSeparators) {
    Shell shell;
    ASSERT_TRUE(shell.created);
    HWND toolbar = ::GetDlgItem(shell.hwnd(), IDC_TOOLBAR);
    ASSERT_NE(toolbar, nullptr);
    const LONG style = ::GetWindowLongA(toolbar, GWL_STYLE);
    EXPECT_TRUE(style & TBSTYLE_FLAT);
    EXPECT_TRUE(style & TBSTYLE_TOOLTIPS);
    EXPECT_EQ(style & CCS_TOP, CCS_TOP);
    ASSERT_EQ(::SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 16);
    const struct {
        int image;
        int command;  // 0: separator
    } expected[] = {{0, 201}, {1, 202}, {2, 203}, {3, 204}, {18, 0},  {4, 205},  {5, 206}, {6, 207},
                    {18, 0},  {7, 208}, {8, 209}, {18, 0},  {9, 210}, {10, 211}, {18, 0}, {11, 212}};
    for (int i = 0; i < 16; ++i) {
        SCOPED_TRACE(i);
        TBBUTTON button{};
        ASSERT_TRUE(::SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)));
        EXPECT_EQ(button.iBitmap, expected[i].image);
        EXPECT_EQ(button.idCommand, expected[i].command);
        EXPECT_EQ((button.fsStyle & BTNS_SEP) != 0, expected[i].command == 0);
    }
    // Every icon was found in the resources.
    const auto images = reinterpret_cast<HIMAGELIST>(::SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(::ImageList_GetImageCount(images), 12);
    int cx = 0, cy = 0;
    ::ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
}

TEST(MainWindowToolbar, TooltipsAnswerTheWideRequestWithTheExactTexts) {
    Shell shell;
    ASSERT_TRUE(shell.created);
    HWND toolbar = ::GetDlgItem(shell.hwnd(), IDC_TOOLBAR);
    const auto tooltips = reinterpret_cast<HWND>(::SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0));
    ASSERT_NE(tooltips, nullptr);
    const struct {
        UINT_PTR command;
        const wchar_t* text;
    } cases[] = {{201, L"New file"},  {202, L"Open file"}, {203, L"Save file"},         {204, L"Print file"},
                 {205, L"Cut text"},  {206, L"Copy text"}, {207, L"Paste text"},        {208, L"Find text"},
                 {209, L"Find + replace text"},            {210, L"Set bookmark"},      {211, L"Next bookmark"},
                 {212, L"run browser"}};
    for (const auto& c : cases) {
        NMTTDISPINFOW info{};
        info.hdr.hwndFrom = tooltips;
        info.hdr.idFrom = c.command;
        info.hdr.code = TTN_GETDISPINFOW;
        ::SendMessageA(shell.hwnd(), WM_NOTIFY, c.command, reinterpret_cast<LPARAM>(&info));
        ASSERT_NE(info.lpszText, nullptr) << c.command;
        EXPECT_EQ(std::wstring(info.lpszText), c.text) << c.command;
    }
}

TEST(MainWindowStatusBar, ThreePartsShowingPathLineAndColumn) {
    Shell shell;
    ASSERT_TRUE(shell.created);
    HWND status = ::GetDlgItem(shell.hwnd(), IDC_STATUSBAR);
    ASSERT_NE(status, nullptr);
    EXPECT_TRUE(::GetWindowLongA(status, GWL_STYLE) & SBARS_SIZEGRIP);
    RECT client{};
    ::GetClientRect(shell.hwnd(), &client);
    int edges[4] = {};
    ASSERT_EQ(::SendMessageA(status, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 3);
    EXPECT_EQ(edges[0], client.right - 101);
    EXPECT_EQ(edges[1], client.right - 51);
    EXPECT_EQ(edges[2], client.right + 9948);

    ::SendMessageA(shell.window.editorHwnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("ab\r\ncdef"));
    ::SendMessageA(shell.window.editorHwnd(), EM_SETSEL, 7, 7);
    shell.window.app().currentFile = "C:\\Web\\index.html";
    Context ctx = shell.window.context();
    updateStatusBar(ctx);
    char text[3][128] = {};
    for (int part = 0; part < 3; ++part)
        ::SendMessageA(status, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text[part]));
    EXPECT_STREQ(text[0], "C:\\Web\\index.html");
    EXPECT_STREQ(text[1], " 2");
    EXPECT_STREQ(text[2], " 4");
}

// Resizes the main window so that its client area is width x height, as a user dragging the frame
// would; the window then lays itself out from WM_SIZE.
void resizeClient(HWND hwnd, int width, int height) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        RECT window{}, client{};
        ::GetWindowRect(hwnd, &window);
        ::GetClientRect(hwnd, &client);
        if (client.right == width && client.bottom == height) return;
        ::SetWindowPos(hwnd, nullptr, 0, 0, window.right - window.left + width - client.right,
                       window.bottom - window.top + height - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

RECT childRect(HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

SIZE clientSize(HWND hwnd) {
    RECT r{};
    ::GetClientRect(hwnd, &r);
    return {r.right, r.bottom};
}

// What the editor's border and scroll bar take from its height.
int frameHeight(HWND control) {
    RECT outer{}, inner{};
    ::GetWindowRect(control, &outer);
    ::GetClientRect(control, &inner);
    return (outer.bottom - outer.top) - inner.bottom;
}

TEST(MainWindowLayout, TheEditorSnapsToWholeLinesAndTheGutterFollows) {
    Shell shell;
    ASSERT_TRUE(shell.created);
    const int lineHeight = shell.window.app().font.lineHeight;
    ASSERT_GT(lineHeight, 4);
    EXPECT_GT(shell.window.app().font.charWidth, 2);
    const int frame = frameHeight(shell.window.editorHwnd());

    const struct {
        double lines;
        int expected;
    } cases[] = {{10.4, 10}, {10.6, 11}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        // The editor's outer height is cy - 62, so its client height before snapping is room.
        const int room = static_cast<int>(c.lines * lineHeight + (c.lines < 10.5 ? 0.0 : 0.99));
        const int cy = room + 62 + frame;
        resizeClient(shell.hwnd(), 640, cy);
        ASSERT_EQ(clientSize(shell.hwnd()).cy, cy);
        EXPECT_EQ(shell.window.app().font.visibleLines, c.expected);
        EXPECT_EQ(clientSize(shell.window.editorHwnd()).cy, c.expected * lineHeight + 2);
        EXPECT_EQ(clientSize(shell.window.gutterHwnd()).cy, c.expected * lineHeight + 2);
        EXPECT_EQ(clientSize(shell.window.gutterHwnd()).cx, 62);
        const RECT editor = childRect(shell.window.editorHwnd());
        const RECT gutter = childRect(shell.window.gutterHwnd());
        EXPECT_EQ(editor.left, 64);
        EXPECT_EQ(editor.top, 30);
        EXPECT_EQ(gutter.left, 2);
        EXPECT_EQ(gutter.top, 32);
        EXPECT_EQ(shell.window.app().settings.clientWidth, 640);
        EXPECT_EQ(shell.window.app().settings.clientHeight, cy);
        // The toolbar spans the top edge and the status bar the bottom edge.
        const RECT status = childRect(::GetDlgItem(shell.hwnd(), IDC_STATUSBAR));
        EXPECT_EQ(status.bottom, cy);
        EXPECT_EQ(status.right, 640);
        EXPECT_EQ(childRect(::GetDlgItem(shell.hwnd(), IDC_TOOLBAR)).right, 640);
    }
}

TEST(MainWindowLayout, WithoutLineNumbersTheEditorMovesLeft) {
    Shell shell(settingsText(0, 0, 700, 500, 1, {}, 0, 0));
    ASSERT_TRUE(shell.created);
    const RECT editor = childRect(shell.window.editorHwnd());
    EXPECT_EQ(editor.left, 12);
    EXPECT_EQ(editor.top, 30);
    EXPECT_EQ(clientSize(shell.window.gutterHwnd()).cx, 10);
    EXPECT_EQ(childRect(shell.window.gutterHwnd()).left, 2);
    EXPECT_EQ(clientSize(shell.window.editorHwnd()).cx, 700 - 32);

    // Switching back with a resize message of zero arguments lays out for the real size.
    shell.window.app().settings.showLineNumbers = 1;
    ::SendMessageA(shell.hwnd(), WM_SIZE, 0, 0);
    EXPECT_EQ(childRect(shell.window.editorHwnd()).left, 64);
    EXPECT_EQ(clientSize(shell.window.gutterHwnd()).cx, 62);
}

TEST(MainWindowStartup, FirstRunWritesTheFileAtOnceAndRunsWithDefaults) {
    Shell shell;
    ASSERT_TRUE(shell.created);
    ASSERT_TRUE(shell.desktop.files.count(kIni));
    const std::string& file = shell.desktop.files[kIni];
    EXPECT_EQ(file.substr(0, 8), "\"1.06\"\r\n");
    EXPECT_NE(file.find(",500,495,0\r\n0,1,1,0,0\r\n0,0,1,0,0\r\n"), std::string::npos) << file;
    EXPECT_EQ(shell.window.app().settings.fontSize, 10);
    EXPECT_EQ(shell.window.app().tabText, "   ");
}

// Centred in the work area at the creation size, unless useLastSize asks for the saved place and
// size, which are clamped to the screen and to a usable size.
TEST(MainWindowStartup, PlaceAndSize) {
    const struct {
        const char* name;
        std::string settings;
        SIZE client;
        bool centred;
        POINT topLeft;  // when not centred
    } cases[] = {
        {"first run", "", {500, 495}, true, {}},
        {"without useLastSize", settingsText(10, 10, 900, 700, 0, {}), {500, 495}, true, {}},
        {"last size clamped", settingsText(-8, 40, 120, 150, 1, {}), {300, 200}, false, {0, 40}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Shell shell(c.settings);
        ASSERT_TRUE(shell.created);
        EXPECT_EQ(clientSize(shell.hwnd()).cx, c.client.cx);
        EXPECT_EQ(clientSize(shell.hwnd()).cy, c.client.cy);
        RECT window{}, work{};
        ::GetWindowRect(shell.hwnd(), &window);
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        if (c.centred) {
            EXPECT_NEAR((window.left + window.right) / 2, (work.left + work.right) / 2, 1);
            EXPECT_NEAR((window.top + window.bottom) / 2, (work.top + work.bottom) / 2, 1);
        } else {
            EXPECT_EQ(window.left, c.topLeft.x);
            EXPECT_EQ(window.top, c.topLeft.y);
        }
    }
}

// The document the window starts with: the command line's first, else the most recent file; one
// that cannot be read shows the file error and leaves the editor empty. Whatever was loaded
// counts as unchanged once the window is up.
TEST(MainWindowStartup, OpensTheCommandLineOrTheMostRecentDocument) {
    const struct {
        const char* name;
        std::vector<std::string> recent;
        const char* commandLine;
        std::map<std::string, std::string> files;
        const char* opened;
        const char* text;
    } cases[] = {
        {"a quoted command-line path with a space", {"C:\\recent.html"}, "\"C:\\My Pages\\a b.html\"",
         {{"C:\\My Pages\\a b.html", "<p>"}, {"C:\\recent.html", "recent"}}, "C:\\My Pages\\a b.html", "<p>"},
        {"the most recent file", {"C:\\Web\\index.html", "C:\\Web\\b.html"}, "",
         {{"C:\\Web\\index.html", "<html>\r\n</html>"}}, "C:\\Web\\index.html", "<html>\r\n</html>"},
        {"a start document that cannot be read", {"C:\\recent.html"}, "C:\\gone.html", {}, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Shell shell(settingsText(0, 0, 640, 480, 0, c.recent), c.commandLine, c.files);
        ASSERT_TRUE(shell.created);
        if (*c.opened) {
            EXPECT_TRUE(shell.desktop.boxes.empty());
        } else {
            ASSERT_EQ(shell.desktop.boxes.size(), 1u);
            EXPECT_EQ(shell.desktop.boxes[0], (MessageBoxRequest{.title = "File Error ",
                                                                 .text = "File not found   ",
                                                                 .buttons = Buttons::Ok,
                                                                 .icon = Icon::Error}));
        }
        EXPECT_EQ(shell.window.app().currentFile, c.opened);
        EXPECT_EQ(test::windowText(shell.window.editorHwnd()), c.text);
        char path[128] = {};
        ::SendMessageA(shell.window.statusBarHwnd(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(path));
        EXPECT_STREQ(path, c.opened);
        ::SendMessageA(shell.window.editorHwnd(), EM_SETMODIFY, TRUE, 0);
        pumpMessages();  // the message posted at the end of start-up
        EXPECT_EQ(::SendMessageA(shell.window.editorHwnd(), EM_GETMODIFY, 0, 0), 0);
    }
}

TEST(MainWindowStartup, TheEditorPaintsOnTheChosenBackground) {
    Shell shell(settingsText(0, 0, 640, 480, 0, {}, 0, 1, 0xE0FFFF));
    ASSERT_TRUE(shell.created);
    const HDC dc = ::GetDC(shell.window.editorHwnd());
    const LRESULT brush = ::SendMessageA(shell.hwnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                         reinterpret_cast<LPARAM>(shell.window.editorHwnd()));
    EXPECT_NE(brush, 0);
    EXPECT_EQ(::GetBkColor(dc), 0xE0FFFFu);
    EXPECT_EQ(::GetTextColor(dc), 0u);
    ::ReleaseDC(shell.window.editorHwnd(), dc);
}

TEST(MainWindowFont, ChangingTheSizeKeepsTheModifiedFlagAndRemeasures) {
    Shell shell;
    ASSERT_TRUE(shell.created);
    const int smallLine = shell.window.app().font.lineHeight;
    ::SendMessageA(shell.window.editorHwnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc"));
    ::SendMessageA(shell.window.editorHwnd(), EM_SETMODIFY, FALSE, 0);
    shell.window.app().settings.fontSize = 20;
    shell.window.applyEditorFont();
    EXPECT_EQ(::SendMessageA(shell.window.editorHwnd(), EM_GETMODIFY, 0, 0), 0);
    EXPECT_GT(shell.window.app().font.lineHeight, smallLine);
    EXPECT_EQ(::SendMessageA(shell.window.editorHwnd(), WM_GETFONT, 0, 0),
              ::SendMessageA(shell.window.gutterHwnd(), WM_GETFONT, 0, 0));
    // The layout followed the new line height.
    EXPECT_EQ((clientSize(shell.window.editorHwnd()).cy - 2) % shell.window.app().font.lineHeight, 0);

    ::SendMessageA(shell.window.editorHwnd(), EM_SETMODIFY, TRUE, 0);
    shell.window.app().settings.fontSize = 12;
    shell.window.applyEditorFont();
    EXPECT_NE(::SendMessageA(shell.window.editorHwnd(), EM_GETMODIFY, 0, 0), 0);
}

TEST(MainWindowGutter, EveryRowStandsBesideItsEditorLine) {
    std::string text;
    for (int i = 1; i <= 40; ++i) text += "line " + std::to_string(i) + "\r\n";
    Shell shell(settingsText(0, 0, 640, 480, 1, {"C:\\long.html"}), "", {{"C:\\long.html", text}});
    ASSERT_TRUE(shell.created);
    const HWND gutter = shell.window.gutterHwnd();
    const HWND editor = shell.window.editorHwnd();
    const int rows = shell.window.app().font.visibleLines;
    ASSERT_GT(rows, 10);
    // A row that wrapped inside the narrow gutter would push every later number down a line.
    EXPECT_EQ(::SendMessageA(gutter, EM_GETLINECOUNT, 0, 0), rows);
    for (int row = 0; row < rows; ++row) {
        SCOPED_TRACE(row);
        const auto g = static_cast<DWORD>(
            ::SendMessageA(gutter, EM_POSFROMCHAR, ::SendMessageA(gutter, EM_LINEINDEX, row, 0), 0));
        const auto e = static_cast<DWORD>(
            ::SendMessageA(editor, EM_POSFROMCHAR, ::SendMessageA(editor, EM_LINEINDEX, row, 0), 0));
        POINT gp{0, static_cast<short>(HIWORD(g))}, ep{0, static_cast<short>(HIWORD(e))};
        ::MapWindowPoints(gutter, shell.hwnd(), &gp, 1);
        ::MapWindowPoints(editor, shell.hwnd(), &ep, 1);
        // The two controls' borders differ by a pixel; a wrapped row would be a whole line off.
        EXPECT_NEAR(gp.y, ep.y, 2);
    }
}

// The close sequence through the system close command, as the close box, Alt+F4 and File > Exit
// send it.
struct CloseCase {
    const char* name;
    bool modified;
    int askToQuit;
    std::vector<Answer> answers;
    std::vector<std::string> questions;
    bool closes;
    bool viaExitCommand;
};

void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

class MainWindowClose : public testing::TestWithParam<CloseCase> {};

const std::string kChanged = "File has changed...\r\ndo you want to save it?";
const std::string kQuit = "Quit program now?";

TEST_P(MainWindowClose, AsksAndClosesOrStays) {
    const CloseCase& c = GetParam();
    Shell shell(settingsText(0, 0, 640, 480, 1, {}, c.askToQuit));
    ASSERT_TRUE(shell.created);
    pumpMessages();
    shell.desktop.files[kPreview] = "<p>preview</p>";
    shell.desktop.written.clear();
    ::SendMessageA(shell.window.editorHwnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("text"));
    ::SendMessageA(shell.window.editorHwnd(), EM_SETSEL, 1, 3);
    ::SendMessageA(shell.window.editorHwnd(), EM_SETMODIFY, c.modified, 0);
    shell.desktop.answers.assign(c.answers.begin(), c.answers.end());

    if (c.viaExitCommand) ::SendMessageA(shell.hwnd(), WM_COMMAND, IDM_EXIT, 0);
    else ::SendMessageA(shell.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);

    std::vector<std::string> asked;
    for (const auto& box : shell.desktop.boxes) {
        EXPECT_EQ(box.buttons, box.text == kQuit ? Buttons::YesNo : Buttons::YesNoCancel) << box.text;
        EXPECT_EQ(box.title, "Tessaline");
        EXPECT_EQ(box.icon, Icon::Question);
        EXPECT_EQ(box.modality, Modality::Task);
        asked.push_back(box.text);
    }
    EXPECT_EQ(asked, c.questions);
    EXPECT_EQ(shell.window.hwnd() == nullptr, c.closes);
    if (!c.closes) {  // the selection is removed before anything is asked
        const Selection kept = shell.window.editor().selection();
        EXPECT_EQ(kept.start, kept.end);
    }
    EXPECT_EQ(shell.desktop.files.count(kPreview), c.closes ? 0u : 1u);
    EXPECT_EQ(shell.desktop.written, c.closes ? std::vector<std::string>{kIni} : std::vector<std::string>{});
    if (c.closes) {
        // The file holds the window's size at close.
        EXPECT_NE(shell.desktop.files[kIni].find("\r\n0,0,640,480,10\r\n"), std::string::npos) << shell.desktop.files[kIni];
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MainWindowClose,
    testing::Values(CloseCase{"UnchangedClosesAtOnce", false, 0, {}, {}, true, false},
                    CloseCase{"ExitCommandClosesLikeTheCloseBox", false, 0, {}, {}, true, true},
                    CloseCase{"UnchangedAskToQuitNoStays", false, 1, {Answer::No}, {kQuit}, false, false},
                    CloseCase{"UnchangedAskToQuitYesCloses", false, 1, {Answer::Yes}, {kQuit}, true, true},
                    CloseCase{"ChangedNoClosesWithoutTheQuitQuestion", true, 1, {Answer::No}, {kChanged}, true, false},
                    CloseCase{"ChangedCancelStays", true, 1, {Answer::Cancel}, {kChanged}, false, true},
                    CloseCase{"ChangedYesAndSaveAsCancelledStays", true, 0, {Answer::Yes}, {kChanged}, false, false}),
    [](const testing::TestParamInfo<CloseCase>& p) { return std::string(p.param.name); });

// The real desktop: the settings file lands in the data folder on disk.
TEST(MainWindowDataFolder, TheSettingsFileIsWrittenOnDiskAtStartAndClose) {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(static_cast<DWORD>(std::size(temp)), temp);
    const std::string folder = std::string(temp) + "tess-shell-" + std::to_string(::GetCurrentProcessId()) + "\\";
    const std::string ini = folder + "Tessaline.ini";
    {
        MainWindow window;
        ASSERT_TRUE(window.create(::GetModuleHandleA(nullptr),
                                  {.show = false, .quitOnDestroy = false, .dataFolder = folder}));
        EXPECT_NE(::GetFileAttributesA(ini.c_str()), INVALID_FILE_ATTRIBUTES);
        ::DeleteFileA(ini.c_str());
        ::SendMessageA(window.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(window.hwnd(), nullptr);
    }
    EXPECT_NE(::GetFileAttributesA(ini.c_str()), INVALID_FILE_ATTRIBUTES);
    ::DeleteFileA(ini.c_str());
    ::RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace tess::win32
