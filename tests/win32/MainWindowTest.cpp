// What the real main window adds: controls, toolbar, menu keys, layout, start-up, closing, the failure barrier.
#include "WinTestSupport.h"
#include "resources/resource.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace tess::test {
namespace {

using Shell = TestWindow<RealClipboardDesktop>;
std::string ini(const Settings& s) { return settingsFileText(s, ""); }
RECT clientRect(HWND hwnd) { RECT r{}; ::GetClientRect(hwnd, &r); return r; }

// What the user sees after a command id reached a window on a changed a.html, "on" selected, a bookmark, "clip" copied.
std::string afterCommand(int id, int code = 0) {
    Shell shell(ini({.recentCount = 3, .useLastSize = 0, .recentFiles = {"C:\\a.html", "C:\\b.html", "C:\\c.html"}}), "",
                {{"C:\\a.html", "one\r\ntwo\r\nthree"}, {"C:\\b.html", "bee"}, {"C:\\c.html", "sea"}}, {Answer::No});
    shell.pump();
    shell.window.editor().setSelection(0, 2), shell.window.editor().setModified(true), shell.desktop.setClipboardText("clip");
    shell.app().bookmarks = {3}, shell.desktop.openResults = {"C:\\b.html"};
    shell.command(id, code);
    const Selection sel = shell.window.editor().selection();
    std::string seen = windowText(shell.window.editorHwnd()) + " selected " + std::to_string(sel.start) + "-" + std::to_string(sel.end) +
                       " in " + shell.app().currentFile + ", clipboard " + shell.desktop.clipboardText() + ", bookmarks";
    for (const int line : shell.app().bookmarks) seen += " " + std::to_string(line);
    for (const auto& box : shell.desktop.boxes) seen += ", asked " + box.text;
    return seen;
}

// Each toolbar button has a tip of its own (asked for in wide characters) and does what its menu item does as its
// accelerator sends it (code 1; Print, Find, Replace and Run browser are not built yet), as does a recent entry.
TEST(MainWindow, ItsControlsAndWhatEachButtonMenuIdAndAcceleratorDoes) {
    Shell shell;
    const auto cls = [&](int id) { char name[32] = {}; ::GetClassNameA(::GetDlgItem(shell.hwnd(), id), name, 32); return name + std::string(" "); };
    EXPECT_EQ(cls(IDC_GUTTER) + cls(IDC_EDITOR) + cls(IDC_STATUSBAR) + cls(IDC_TOOLBAR), "Edit Edit msctls_statusbar32 ToolbarWindow32 ");
    const HWND toolbar = ::GetDlgItem(shell.hwnd(), IDC_TOOLBAR);
    const auto tips = reinterpret_cast<HWND>(::SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0));
    const int items[] = {IDM_NEW, IDM_OPEN, IDM_SAVE, IDM_PRINT, IDM_CUT, IDM_COPY, IDM_PASTE, IDM_FIND, IDM_REPLACE,
                         IDM_SETBOOKMARK, IDM_NEXTBOOKMARK, IDM_RUNBROWSER};
    std::map<std::wstring, int> tipTexts;
    for (int i = 0, next = 0; i < ::SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0) && next < 12; ++i) {
        TBBUTTON button{};
        ::SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        if (button.fsStyle & BTNS_SEP) continue;
        NMTTDISPINFOW info{.hdr = {tips, static_cast<UINT_PTR>(button.idCommand), TTN_GETDISPINFOW}};
        ::SendMessageA(shell.hwnd(), WM_NOTIFY, button.idCommand, reinterpret_cast<LPARAM>(&info));
        if (info.lpszText && *info.lpszText) ++tipTexts[info.lpszText];
        EXPECT_EQ(afterCommand(button.idCommand), afterCommand(items[next++], 1)) << button.idCommand;
    }
    EXPECT_EQ(tipTexts.size(), 12u);
    EXPECT_NE(afterCommand(IDM_RECENT3, 1).find(" in C:\\c.html,"), std::string::npos);
}

// A menu item's key text is the accelerator that runs it; only Copy (the control's key) and Exit (the system's) have none.
TEST(MainWindow, EveryMenuKeyTextIsTheAcceleratorThatRunsIt) {
    Shell shell;
    ACCEL table[64] = {};
    std::map<int, std::string> keys{{IDM_COPY, "Ctrl+C"}, {IDM_EXIT, "ALT+F4"}}, shown;
    for (int i = 0, n = ::CopyAcceleratorTableA(shell.window.accelerators(), table, 64); i < n; ++i)
        keys[table[i].cmd] = std::string(table[i].fVirt & FCONTROL ? "Ctrl+" : "") + (table[i].fVirt & FSHIFT ? "Shft+" : "") +
                             (table[i].key >= VK_F1 ? "F" + std::to_string(table[i].key - VK_F1 + 1) : std::string{static_cast<char>(table[i].key)});
    for (int id = IDM_NEW; id <= IDM_PASTELINE; ++id) {
        char text[128] = {};
        ::GetMenuStringA(::GetMenu(shell.hwnd()), id, text, 128, MF_BYCOMMAND);
        if (const std::string item = text; item.find('\t') != std::string::npos) shown[id] = item.substr(item.find('\t') + 1);
    }
    EXPECT_EQ(shown, keys);
}

// Resized as a user drags it, the editor snaps to whole lines (10.4 lines of room give 10, 10.6 give 11) and the
// gutter follows; without line numbers the gutter narrows and the editor moves left.
TEST(MainWindow, AResizeSnapsTheEditorToWholeLinesAndTheGutterFollows) {
    Shell shell;
    const HWND editor = shell.window.editorHwnd(), gutter = shell.window.gutterHwnd();
    const int line = shell.app().font.lineHeight;
    RECT outer{}, frame{}, place{};
    ::GetWindowRect(editor, &outer), ::GetWindowRect(shell.hwnd(), &frame);
    // The frame for a client 640 wide; the editor's outer height is the client's less 62, less its border and scroll bar.
    const int cx = 640 + frame.right - frame.left - clientRect(shell.hwnd()).right;
    const int cy = outer.bottom - outer.top - clientRect(editor).bottom + 62 + frame.bottom - frame.top - clientRect(shell.hwnd()).bottom;
    for (const auto& [lines, numbers, editorX, gutterWidth] : {std::tuple{10.4, 1, 64L, 62L}, {10.6, 1, 64L, 62L}, {10.4, 0, 12L, 10L}}) {
        shell.app().settings.showLineNumbers = numbers;
        ::SetWindowPos(shell.hwnd(), nullptr, 0, 0, cx, cy + static_cast<int>(lines * line), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::GetWindowRect(editor, &place);
        ::MapWindowPoints(nullptr, shell.hwnd(), reinterpret_cast<POINT*>(&place), 1);
        EXPECT_EQ(clientRect(editor).bottom, static_cast<int>(lines + 0.5) * line + 2) << lines;  // then the gutter, as high
        EXPECT_EQ(std::tuple(clientRect(gutter).bottom, clientRect(gutter).right, place.left),
                  std::tuple(clientRect(editor).bottom, gutterWidth, editorX));
    }
}

// Centred at first unless useLastSize asks for the saved place and size, held to the screen and a usable size; the
// editor on the chosen background; the command line's document, else the most recent, unchanged once the window is up.
TEST(MainWindow, StartsInPlaceOnItsBackgroundWithTheCommandLineOrTheMostRecentDocument) {
    const std::map<std::string, std::string> files{{"C:\\My Pages\\a b.html", "<p>"}, {"C:\\recent.html", "recent"}};
    const struct { int x, y, width, height, useLastSize, colour; const char *commandLine, *seen; } rows[] = {  // width 0: a first run
        {0, 0, 0, 0, 1, 0, "", "500x495 centred on ffffff:  in "},
        {10, 10, 900, 700, 0, 0xFFFFFF, "\"C:\\My Pages\\a b.html\"", "500x495 centred on ffffff: <p> in C:\\My Pages\\a b.html"},
        {30, 40, 700, 500, 1, 0xE0FFFF, "", "700x500 at 30,40 on e0ffff: recent in C:\\recent.html"},
        {-8, 40, 120, 150, 1, 0xFFFFFF, "C:\\gone.html", "300x200 at 0,40 on ffffff:  in , asked File not found   "}};
    for (const auto& r : rows) {
        Shell shell(r.width ? ini({.windowX = r.x, .windowY = r.y, .clientWidth = r.width, .clientHeight = r.height, .recentCount = 1,
                                   .useLastSize = r.useLastSize, .backgroundColor = r.colour, .recentFiles = {"C:\\recent.html"}}) : "",
                    r.commandLine, files, {Answer::Ok});
        RECT w{}, work{};
        ::GetWindowRect(shell.hwnd(), &w), ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        const HDC dc = ::GetDC(shell.window.editorHwnd());
        EXPECT_NE(::SendMessageA(shell.hwnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(shell.window.editorHwnd())), 0);
        const bool centred = std::abs(w.left + w.right - work.left - work.right) < 2 && std::abs(w.top + w.bottom - work.top - work.bottom) < 2;
        char seen[200];
        std::snprintf(seen, sizeof seen, "%ldx%ld %s on %06lx: %s in %s%s", clientRect(shell.hwnd()).right, clientRect(shell.hwnd()).bottom,
                      centred ? "centred" : ("at " + std::to_string(w.left) + "," + std::to_string(w.top)).c_str(), ::GetBkColor(dc),
                      windowText(shell.window.editorHwnd()).c_str(), shell.app().currentFile.c_str(),
                      shell.desktop.boxes.empty() ? "" : (", asked " + shell.desktop.boxes[0].text).c_str());
        ::ReleaseDC(shell.window.editorHwnd(), dc);
        EXPECT_STREQ(seen, r.seen);
        shell.window.editor().setModified(true);
        shell.pump();  // the message start-up posted
        EXPECT_FALSE(shell.window.editor().modified()) << r.seen;
    }
}

// The close box and Alt+F4, a close from outside and File > Exit all ask; closed minimised, it keeps its normal place.
TEST(MainWindow, EveryWayOfClosingAsksAndAMinimisedWindowKeepsItsPlace) {
    for (const auto& [msg, wParam] : {std::pair<UINT, WPARAM>{WM_SYSCOMMAND, SC_CLOSE}, {WM_CLOSE, 0}, {WM_COMMAND, IDM_EXIT}}) {
        Shell shell(ini({.windowX = 100, .windowY = 80, .clientWidth = 640, .clientHeight = 480}), "", {}, {Answer::Cancel, Answer::No});
        ::ShowWindow(shell.hwnd(), SW_MINIMIZE), shell.window.editor().setModified(true);
        ::SendMessageA(shell.hwnd(), msg, wParam, 0);
        EXPECT_NE(shell.window.hwnd(), nullptr) << msg;
        ::SendMessageA(shell.hwnd(), msg, wParam, 0);
        EXPECT_EQ(shell.window.hwnd(), nullptr) << msg;
        EXPECT_NE(shell.desktop.files[kTestSettingsFile].find("\r\n100,80,640,480,10\r\n"), std::string::npos) << msg;
    }
}

// A command that throws stops at the window's barrier: the window stays, the user is told, the unsaved text is rescued.
struct FailingDesktop : FakeDesktop {
    ReadResult readFile(const std::string& path) override {
        return path == "C:\\bad.html" ? throw std::runtime_error("no disk") : FakeDesktop::readFile(path);
    }
};
TEST(MainWindow, ACommandThatFailsIsReportedAndTheUnsavedTextRescued) {
    TestWindow<FailingDesktop> shell("", "", {}, {Answer::No, Answer::Ok});
    ::SetWindowTextA(shell.window.editorHwnd(), "precious");
    shell.window.editor().setModified(true);
    shell.desktop.openResults = {"C:\\bad.html"};
    shell.command(IDM_OPEN);
    ASSERT_EQ(shell.desktop.boxes.size(), 2u);
    EXPECT_EQ(shell.desktop.boxes[1].title + ": " + shell.desktop.boxes[1].text, "Tessaline: Tessaline could not finish what it was doing:\r\n"
              "no disk\r\n\r\nYour unsaved text has also been written to\r\nC:\\Data\\Tessaline rescued text.txt");
    EXPECT_EQ(shell.desktop.files["C:\\Data\\Tessaline rescued text.txt"] + " " + windowText(shell.window.editorHwnd()), "precious precious");
}

TEST(MainWindow, TheRealDesktopWritesTheSettingsFileOnDiskAtStartAndAtClose) {
    TempFolder folder;
    win32::Program program;
    ASSERT_TRUE(program.start(::GetModuleHandleA(nullptr), {.show = false, .quitOnEnd = false, .dataFolder = folder.path()}));
    EXPECT_TRUE(::DeleteFileA((folder / "Tessaline.ini").c_str()));
    ::SendMessageA(program.window().hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(folder.files(), std::vector<std::string>{"Tessaline.ini"});
}

}  // namespace
}  // namespace tess::test
