// The main window as the user meets it: its controls, menus, accelerators, toolbar, layout,
// start-up and close, read back from the real window with the real messages.
#include "app/Settings.h"
#include "app/win32/MainWindow.h"
#include "WinTestSupport.h"
#include "resources/resource.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace tess::win32 {
namespace {

constexpr const char* kIni = test::kTestSettingsFile;
constexpr char kPreview[] = "C:\\Data\\runFile.htm";

// A main window over a fake desktop whose data folder is C:\Data\.
using Shell = test::TestWindow<>;
using test::pumpMessages;

std::string ini(const Settings& s) { return settingsFileText(s, ""); }

struct ItemText {
    std::string text;  // "-" for a separator
    UINT id;
    friend bool operator==(const ItemText&, const ItemText&) = default;
};

void PrintTo(const ItemText& item, std::ostream* os) { *os << "{\"" << item.text << "\", " << item.id << "}"; }

std::vector<ItemText> readItems(HMENU menu) {
    std::vector<ItemText> items;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        MENUITEMINFOA info{.cbSize = sizeof(info), .fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING};
        info.dwTypeData = text;
        info.cch = static_cast<UINT>(std::size(text));
        ::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        items.push_back(info.fType & MFT_SEPARATOR ? ItemText{"-", 0} : ItemText{text, info.wID});
    }
    return items;
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

TEST(MainWindow, CaptionControlsToolbarWithTooltipsAndStatusBar) {
    Shell shell;
    ASSERT_TRUE(shell.created);
    EXPECT_EQ(test::windowText(shell.hwnd()), "Tessaline");
    const HWND editor = ::GetDlgItem(shell.hwnd(), IDC_EDITOR);
    ASSERT_EQ(editor, shell.window.editorHwnd());
    ASSERT_EQ(::GetDlgItem(shell.hwnd(), IDC_GUTTER), shell.window.gutterHwnd());
    char cls[32] = {};
    ::GetClassNameA(editor, cls, static_cast<int>(std::size(cls)));
    EXPECT_STREQ(cls, "Edit");
    EXPECT_EQ(::GetWindowLongA(editor, GWL_STYLE) & (ES_MULTILINE | ES_WANTRETURN), ES_MULTILINE | ES_WANTRETURN);
    EXPECT_TRUE(::GetWindowLongA(shell.window.gutterHwnd(), GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(::SendMessageA(editor, EM_GETLIMITTEXT, 0, 0), 100000);

    HWND toolbar = ::GetDlgItem(shell.hwnd(), IDC_TOOLBAR);
    ASSERT_NE(toolbar, nullptr);
    const LONG style = ::GetWindowLongA(toolbar, GWL_STYLE);
    EXPECT_EQ(style & (TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP), TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP);
    ASSERT_EQ(::SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 16);
    const struct {
        int image;
        int command;  // 0: an 18-pixel separator
    } expected[] = {{0, 201}, {1, 202}, {2, 203}, {3, 204}, {18, 0},  {4, 205},  {5, 206}, {6, 207},
                    {18, 0},  {7, 208}, {8, 209}, {18, 0},  {9, 210}, {10, 211}, {18, 0}, {11, 212}};
    for (int i = 0; i < 16; ++i) {
        TBBUTTON button{};
        ASSERT_TRUE(::SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)));
        EXPECT_EQ(button.iBitmap, expected[i].image) << i;
        EXPECT_EQ(button.idCommand, expected[i].command) << i;
        EXPECT_EQ((button.fsStyle & BTNS_SEP) != 0, expected[i].command == 0) << i;
    }
    // Every icon was found in the resources.
    const auto images = reinterpret_cast<HIMAGELIST>(::SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0));
    EXPECT_EQ(::ImageList_GetImageCount(images), 12);
    int cx = 0, cy = 0;
    ::ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
    // The tooltips are asked for in wide characters.
    const auto tooltips = reinterpret_cast<HWND>(::SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0));
    ASSERT_NE(tooltips, nullptr);
    const wchar_t* texts[] = {L"New file",  L"Open file", L"Save file",           L"Print file",
                              L"Cut text",  L"Copy text", L"Paste text",          L"Find text",
                              L"Find + replace text",     L"Set bookmark",        L"Next bookmark", L"run browser"};
    for (UINT_PTR command = 201; command <= 212; ++command) {
        NMTTDISPINFOW info{};
        info.hdr = {tooltips, command, TTN_GETDISPINFOW};
        ::SendMessageA(shell.hwnd(), WM_NOTIFY, command, reinterpret_cast<LPARAM>(&info));
        ASSERT_NE(info.lpszText, nullptr) << command;
        EXPECT_EQ(std::wstring(info.lpszText), texts[command - 201]) << command;
    }

    HWND status = shell.window.statusBarHwnd();
    EXPECT_TRUE(::GetWindowLongA(status, GWL_STYLE) & SBARS_SIZEGRIP);
    const int width = clientSize(shell.hwnd()).cx;
    int edges[4] = {};
    ASSERT_EQ(::SendMessageA(status, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 3);
    EXPECT_EQ(edges[0], width - 101);
    EXPECT_EQ(edges[1], width - 51);
    EXPECT_EQ(edges[2], width + 9948);
}

TEST(MainWindow, MenusAndAcceleratorsReadBackExactly) {
    Shell shell(ini({.clientWidth = 640, .clientHeight = 480, .recentCount = 4, .useLastSize = 0,
                     .recentFiles = {"C:\\Web\\index.html", "C:\\Web\\style.css", "D:\\a\\b.js", "E:\\x.php"}}));
    ASSERT_TRUE(shell.created);
    HMENU bar = ::GetMenu(shell.hwnd());
    ASSERT_EQ(::GetMenuItemCount(bar), 5);
    const char* titles[] = {"File", "Edit", "Search", "Commands", "Help"};
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
    for (int i = 0; i < 5; ++i) {
        char title[32] = {};
        ::GetMenuStringA(bar, static_cast<UINT>(i), title, static_cast<int>(std::size(title)), MF_BYPOSITION);
        EXPECT_STREQ(title, titles[i]);
        EXPECT_EQ(readItems(::GetSubMenu(bar, i)), expected[static_cast<std::size_t>(i)]) << titles[i];
    }
    EXPECT_EQ(readItems(shell.window.contextMenu()),
              (std::vector<ItemText>{{"Set Bookmark", 335}, {"Java script header", 342}, {"Add comment", 343},
                                     {"Common html tags", 344}, {"-", 0}, {"Copy line", 361}, {"Paste line", 362},
                                     {"Delete line", 326}}));

    // Seventeen keys in order, and no Ctrl+C: the control copies by itself.
    const struct {
        BYTE flags;
        WORD key, command;
    } keys[] = {
        {FCONTROL, 'N', 301}, {FCONTROL, 'O', 302}, {FCONTROL, 'S', 303}, {FCONTROL, 'P', 305},
        {FCONTROL, 'F', 331}, {0, VK_F3, 332},      {FSHIFT, VK_F3, 333}, {FCONTROL, 'R', 345},
        {FCONTROL, VK_F2, 335}, {0, VK_F2, 336},    {FSHIFT, VK_F2, 337}, {FCONTROL | FSHIFT, VK_F2, 338},
        {FCONTROL, 'Y', 326}, {FCONTROL, 'A', 322}, {FCONTROL, 'X', 323}, {FCONTROL, 'V', 325},
        {FCONTROL, 'Z', 321},
    };
    ACCEL table[18] = {};
    ASSERT_EQ(::CopyAcceleratorTableA(shell.window.accelerators(), table, 18), 17);
    for (int i = 0; i < 17; ++i) {
        EXPECT_EQ(table[i].fVirt & ~0x80, keys[i].flags | FVIRTKEY) << i;
        EXPECT_EQ(table[i].key, keys[i].key) << i;
        EXPECT_EQ(table[i].cmd, keys[i].command) << i;
    }
}

// Menu ids (code 0, or 1 from an accelerator) and toolbar ids (BN_CLICKED, which is 0) reach the
// same command; ids of features not built yet, and unknown ones, change nothing.
TEST(MainWindowCommands, EveryIdReachesItsCommand) {
    const char* recent[] = {"C:\\1\\one.html", "C:\\2\\two.css", "C:\\3\\three.js", "C:\\4\\four.php"};
    const std::string settings = ini({.clientWidth = 640, .clientHeight = 480, .recentCount = 4, .useLastSize = 0,
                                      .recentFiles = {recent[0], recent[1], recent[2], recent[3]}});
    const std::map<std::string, std::string> files = {
        {"C:\\Web\\a.html", "<p>a</p>"}, {recent[0], "one"}, {recent[1], "two"}, {recent[3], "four"}};
    const struct {
        const char* name;
        std::vector<int> ids;
        const char* text;
        const char* file;
        const char* asked;
    } cases[] = {
        {"New", {IDM_NEW, IDT_NEW}, "", "", ""},
        {"Open", {IDM_OPEN, IDT_OPEN}, "<p>a</p>", "C:\\Web\\a.html", ""},
        {"Save", {IDM_SAVE, IDT_SAVE}, "one", recent[0], "Save file now?"},
        {"Save As", {IDM_SAVEAS}, "one", "C:\\Web\\as.html", ""},
        {"recent entry 2", {IDM_RECENT2}, "two", recent[1], ""},
        {"recent entry 4", {IDM_RECENT4}, "four", recent[3], ""},
        {"not built yet or unknown", {0, 300, 306, 312, 999}, "one", recent[0], ""},
    };
    for (const auto& c : cases) {
        for (int id : c.ids) {
            for (int code = 0; code <= (id / 100 == 3 ? 1 : 0); ++code) {
                SCOPED_TRACE(std::string(c.name) + " id " + std::to_string(id) + " code " + std::to_string(code));
                Shell shell(settings, "", files);  // started with the most recent file, one.html
                ASSERT_EQ(shell.window.app().currentFile, recent[0]);
                shell.desktop.openResults = {"C:\\Web\\a.html"};
                shell.desktop.saveResults = {"C:\\Web\\as.html"};
                shell.command(id, code);
                EXPECT_EQ(shell.window.editor().text(), c.text);
                EXPECT_EQ(shell.window.app().currentFile, c.file);
                if (*c.file) {
                    EXPECT_EQ(shell.desktop.files[c.file], c.text);
                }
                EXPECT_EQ(shell.desktop.boxes.empty() ? "" : shell.desktop.boxes.front().text, c.asked);
            }
        }
    }
}

TEST(MainWindowCommands, TheFileMenuListsTheRecentlySavedFilesInOrder) {
    Shell shell;
    ASSERT_TRUE(shell.created);
    // The File menu's items after its last separator.
    const auto recentItems = [&] {
        std::vector<ItemText> items = readItems(::GetSubMenu(::GetMenu(shell.hwnd()), 0));
        const auto separator = std::find(items.rbegin(), items.rend(), ItemText{"-", 0});
        return std::vector<ItemText>(separator.base(), items.end());
    };
    EXPECT_EQ(recentItems(), std::vector<ItemText>{});
    const struct {
        const char* saved;
        std::vector<ItemText> after;
    } steps[] = {
        {"C:\\1\\a.html", {{"&1  a.html", 308}}},
        {"C:\\2\\b.css", {{"&1  b.css", 308}, {"&2  a.html", 309}}},
        {"C:\\3\\c.js", {{"&1  c.js", 308}, {"&2  b.css", 309}, {"&3  a.html", 310}}},
        {"C:\\4\\d.php", {{"&1  d.php", 308}, {"&2  c.js", 309}, {"&3  b.css", 310}, {"&4  a.html", 311}}},
        {"C:\\5\\e.txt", {{"&1  e.txt", 308}, {"&2  d.php", 309}, {"&3  c.js", 310}, {"&4  b.css", 311}}},
        {"c:\\3\\C.JS", {{"&1  C.JS", 308}, {"&2  e.txt", 309}, {"&3  d.php", 310}, {"&4  b.css", 311}}},
    };
    for (const auto& step : steps) {
        shell.desktop.saveResults.push_back(step.saved);
        shell.command(IDM_SAVEAS);
        EXPECT_EQ(recentItems(), step.after) << step.saved;
    }
}

// Resizes the main window so that its client area is width x height, as a user dragging the frame
// would; the window then lays itself out from WM_SIZE.
void resizeClient(HWND hwnd, int width, int height) {
    for (int attempt = 0; attempt < 3 && (clientSize(hwnd).cx != width || clientSize(hwnd).cy != height); ++attempt) {
        RECT window{};
        ::GetWindowRect(hwnd, &window);
        ::SetWindowPos(hwnd, nullptr, 0, 0, window.right - window.left + width - clientSize(hwnd).cx,
                       window.bottom - window.top + height - clientSize(hwnd).cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// The editor snaps to whole lines (10.4 lines give 10, 10.6 give 11) and the gutter follows; without
// line numbers the gutter narrows and the editor moves left. A resize message of zero arguments, as
// the program sends after a preference changed, lays out for the real size.
TEST(MainWindow, LayoutSnapsTheEditorToWholeLinesAndTheGutterFollows) {
    Shell shell;
    ASSERT_TRUE(shell.created);
    const HWND editor = shell.window.editorHwnd(), gutter = shell.window.gutterHwnd();
    const int lineHeight = shell.window.app().font.lineHeight;
    ASSERT_GT(lineHeight, 4);
    RECT outer{}, inner{};  // what the editor's border and scroll bar take from its height
    ::GetWindowRect(editor, &outer);
    ::GetClientRect(editor, &inner);
    const int frame = (outer.bottom - outer.top) - inner.bottom;
    const struct {
        const char* name;
        int showLineNumbers;
        double lines;
        int expectedLines, editorLeft, gutterWidth;
    } cases[] = {
        {"10.4 lines", 1, 10.4, 10, 64, 62},
        {"10.6 lines", 1, 10.6, 11, 64, 62},
        {"line numbers off", 0, 10.4, 10, 12, 10},
        {"line numbers on again", 1, 10.6, 11, 64, 62},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        shell.window.app().settings.showLineNumbers = c.showLineNumbers;
        // The editor's outer height is cy - 62, so its client height before snapping is room.
        const int room = static_cast<int>(c.lines * lineHeight + (c.lines < 10.5 ? 0.0 : 0.99));
        const int cy = room + 62 + frame;
        resizeClient(shell.hwnd(), 640, cy);
        ::SendMessageA(shell.hwnd(), WM_SIZE, 0, 0);
        ASSERT_EQ(clientSize(shell.hwnd()).cy, cy);
        EXPECT_EQ(shell.window.app().font.visibleLines, c.expectedLines);
        EXPECT_EQ(clientSize(editor).cy, c.expectedLines * lineHeight + 2);
        EXPECT_EQ(clientSize(gutter).cy, c.expectedLines * lineHeight + 2);
        EXPECT_EQ(clientSize(gutter).cx, c.gutterWidth);
        if (!c.showLineNumbers) {
            EXPECT_EQ(clientSize(editor).cx, 640 - 32);
        }
        EXPECT_EQ(childRect(editor).left, c.editorLeft);
        EXPECT_EQ(childRect(editor).top, 30);
        EXPECT_EQ(childRect(gutter).left, 2);
        EXPECT_EQ(childRect(gutter).top, 32);
        EXPECT_EQ(shell.window.app().settings.clientWidth, 640);
        EXPECT_EQ(shell.window.app().settings.clientHeight, cy);
        // The toolbar spans the top edge and the status bar the bottom edge.
        EXPECT_EQ(childRect(shell.window.statusBarHwnd()).bottom, cy);
        EXPECT_EQ(childRect(shell.window.statusBarHwnd()).right, 640);
        EXPECT_EQ(childRect(shell.window.toolbarHwnd()).right, 640);
    }
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
        {"without useLastSize", ini({.windowX = 10, .windowY = 10, .clientWidth = 900, .clientHeight = 700, .useLastSize = 0}),
         {500, 495}, true, {}},
        {"last size clamped", ini({.windowX = -8, .windowY = 40, .clientWidth = 120, .clientHeight = 150}), {300, 200},
         false, {0, 40}},
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
        std::string recent;
        const char* commandLine;
        std::map<std::string, std::string> files;
        const char* opened;
        const char* text;
    } cases[] = {
        {"a quoted command-line path with a space", "C:\\recent.html", "\"C:\\My Pages\\a b.html\"",
         {{"C:\\My Pages\\a b.html", "<p>"}, {"C:\\recent.html", "recent"}}, "C:\\My Pages\\a b.html", "<p>"},
        {"the most recent file", "C:\\Web\\index.html", "", {{"C:\\Web\\index.html", "<html>\r\n</html>"}},
         "C:\\Web\\index.html", "<html>\r\n</html>"},
        {"a start document that cannot be read", "C:\\recent.html", "C:\\gone.html", {}, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Shell shell(ini({.clientWidth = 640, .clientHeight = 480, .recentCount = 1, .useLastSize = 0,
                         .recentFiles = {c.recent}}),
                    c.commandLine, c.files);
        ASSERT_TRUE(shell.created);
        if (*c.opened) {
            EXPECT_TRUE(shell.desktop.boxes.empty());
        } else {
            const MessageBoxRequest error{.title = "File Error ", .text = "File not found   ", .icon = Icon::Error};
            EXPECT_EQ(shell.desktop.boxes, std::vector{error});
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
    Shell shell(ini({.clientWidth = 640, .clientHeight = 480, .backgroundColor = 0xE0FFFF}));
    ASSERT_TRUE(shell.created);
    const HDC dc = ::GetDC(shell.window.editorHwnd());
    EXPECT_NE(::SendMessageA(shell.hwnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                             reinterpret_cast<LPARAM>(shell.window.editorHwnd())), 0);
    EXPECT_EQ(::GetBkColor(dc), 0xE0FFFFu);
    EXPECT_EQ(::GetTextColor(dc), 0u);
    ::ReleaseDC(shell.window.editorHwnd(), dc);
}

TEST(MainWindow, ChangingTheFontSizeKeepsTheModifiedFlagAndRemeasures) {
    Shell shell;
    ASSERT_TRUE(shell.created);
    const HWND editor = shell.window.editorHwnd();
    const int smallLine = shell.window.app().font.lineHeight;
    for (BOOL modified : {FALSE, TRUE}) {
        SCOPED_TRACE(modified);
        ::SendMessageA(editor, EM_SETMODIFY, modified, 0);
        shell.window.app().settings.fontSize = modified ? 12 : 20;
        shell.window.applyEditorFont();
        EXPECT_EQ(::SendMessageA(editor, EM_GETMODIFY, 0, 0) != 0, modified != FALSE);
        EXPECT_GT(shell.window.app().font.lineHeight, smallLine);
        EXPECT_EQ(::SendMessageA(editor, WM_GETFONT, 0, 0), ::SendMessageA(shell.window.gutterHwnd(), WM_GETFONT, 0, 0));
        // The layout followed the new line height.
        EXPECT_EQ((clientSize(editor).cy - 2) % shell.window.app().font.lineHeight, 0);
    }
}

// The close sequence through the system close command, as the close box and Alt+F4 send it, and
// through File > Exit. Yes to "File has changed..." with the document then not saved keeps the
// window open.
TEST(MainWindowClose, AsksAndClosesOrStays) {
    const std::string kChanged = "File has changed...\r\ndo you want to save it?", kQuit = "Quit program now?";
    const struct {
        const char* name;
        bool modified;
        int askToQuit;
        std::vector<Answer> answers;
        std::vector<std::string> questions;
        bool closes;
        bool viaExitCommand;
    } cases[] = {
        {"unchanged closes at once", false, 0, {}, {}, true, false},
        {"File > Exit closes like the close box", false, 0, {}, {}, true, true},
        {"unchanged, asked to quit, No stays", false, 1, {Answer::No}, {kQuit}, false, false},
        {"unchanged, asked to quit, Yes closes", false, 1, {Answer::Yes}, {kQuit}, true, true},
        {"changed, No closes without the quit question", true, 1, {Answer::No}, {kChanged}, true, false},
        {"changed, Cancel stays", true, 1, {Answer::Cancel}, {kChanged}, false, true},
        {"changed, Yes and Save As cancelled stays", true, 0, {Answer::Yes}, {kChanged}, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Shell shell(ini({.clientWidth = 640, .clientHeight = 480, .askToQuit = c.askToQuit}));
        ASSERT_TRUE(shell.created);
        pumpMessages();
        shell.desktop.files[kPreview] = "<p>preview</p>";
        shell.desktop.written.clear();
        ::SendMessageA(shell.window.editorHwnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("text"));
        ::SendMessageA(shell.window.editorHwnd(), EM_SETSEL, 1, 3);
        ::SendMessageA(shell.window.editorHwnd(), EM_SETMODIFY, c.modified, 0);
        shell.desktop.answers.assign(c.answers.begin(), c.answers.end());

        if (c.viaExitCommand) shell.command(IDM_EXIT);
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
        // The file holds the window's size at close.
        if (c.closes) {
            EXPECT_NE(shell.desktop.files[kIni].find("\r\n0,0,640,480,10\r\n"), std::string::npos);
        }
    }
}

// The real desktop: the data folder is made and the settings file lands in it on disk, at start
// and again at close.
TEST(MainWindowDataFolder, TheSettingsFileIsWrittenOnDiskAtStartAndClose) {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(static_cast<DWORD>(std::size(temp)), temp);
    const std::string folder = std::string(temp) + "tess-shell-" + std::to_string(::GetCurrentProcessId()) + "\\";
    const std::string settingsFile = folder + "Tessaline.ini";
    {
        MainWindow window;
        ASSERT_TRUE(window.create(::GetModuleHandleA(nullptr), {.show = false, .quitOnDestroy = false, .dataFolder = folder}));
        EXPECT_TRUE(::DeleteFileA(settingsFile.c_str()));
        ::SendMessageA(window.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(window.hwnd(), nullptr);
    }
    EXPECT_TRUE(::DeleteFileA(settingsFile.c_str()));
    ::RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace tess::win32
