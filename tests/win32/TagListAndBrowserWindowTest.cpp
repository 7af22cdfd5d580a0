// The tag windows and a browser really started, by the program and by the shell.
#include "WinTestSupport.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

namespace tess::test {
namespace {

int tagWindows() {
    int n = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND w, LPARAM count) CALLBACK {
        return *reinterpret_cast<int*>(count) += windowText(w) == "HTML Tags", TRUE; }, reinterpret_cast<LPARAM>(&n));
    return n;
}

TEST(TagListWindow, FloatsInsertsAndEndsWithMain) {
    TestWindow<> shell(settingsFileText({.windowX = 100, .windowY = 50, .clientWidth = 400, .clientHeight = 200}, ""),
                       "", {}, {Answer::No});
    EditControl& editor = shell.window.editor();
    editor.setText(u"ab"), editor.setSelection(1, 1), shell.command(IDM_HTMLTAGS), shell.pump();
    const HWND tags = ::GetActiveWindow(), list = ::GetDlgItem(tags, 520);
    RECT main{}, outer{}, client{}, box{}, item{};
    ::GetWindowRect(shell.hwnd(), &main), ::GetWindowRect(tags, &outer), ::GetClientRect(tags, &client);
    ::GetWindowRect(list, &box), ::SendMessageA(list, LB_GETITEMRECT, 5, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(std::tuple(tagWindows(), outer.left - main.left, outer.top - main.top, client.right, client.bottom,
                         box.right - box.left, box.bottom - box.top, ::SendMessageA(list, LB_GETCOUNT, 0, 0)),
              std::tuple(1, 220L, 90L, 130L, 78L, 130L, 88L, LRESULT(43)));
    EXPECT_TRUE(::GetWindowLongA(tags, GWL_EXSTYLE) & WS_EX_TOPMOST && !::GetWindow(tags, GW_OWNER));
    for (const UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})  // on "<p>...</p>"
        ::PostMessageA(list, msg, 0, MAKELPARAM(item.left + 5, item.top + 2));
    shell.pump();
    EXPECT_EQ(std::tuple(editor.text(), editor.selection().start, ::GetFocus() == shell.window.editorHwnd()),
              std::tuple(u"a<p></p>b", 4, true));
    for (const int index : {18, -1}) {  // "<br />", then nothing selected: Enter inserts nothing; Esc closes nothing
        ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::PostMessageA(list, WM_KEYDOWN, VK_RETURN, 0), ::PostMessageA(list, WM_KEYDOWN, VK_ESCAPE, 0), shell.pump();
        EXPECT_EQ(std::tuple(editor.text(), editor.selection().start), std::tuple(u"a<p><br /></p>b", 10));
    }
    ::SendMessageA(list, LB_SETCURSEL, 18, 0);
    for (const int dpi : {2 * shell.app().dpi, shell.app().dpi}) {  // to a monitor of twice the DPI and back
        RECT suggested{30, 40, 30 + scaled(140, dpi), 40 + scaled(110, dpi)}, place{};
        ::SendMessageA(tags, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&suggested)), ::GetWindowRect(tags, &place);
        LOGFONTA font{};
        ::GetObjectA(HFONT(::SendMessageA(list, WM_GETFONT, 0, 0)), sizeof font, &font), ::GetWindowRect(list, &box);
        EXPECT_EQ(std::tuple(place.left, place.bottom, font.lfHeight, box.right - box.left,
                             ::SendMessageA(list, LB_GETCURSEL, 0, 0)),
                  std::tuple(30L, suggested.bottom, -::MulDiv(8, dpi, 72), LONG(scaled(130, dpi)), LRESULT(18)));
    }
    shell.command(IDM_HTMLTAGS), shell.pump();
    EXPECT_EQ(tagWindows(), 2);
    ::SendMessageA(shell.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(tagWindows(), 0);
}

// A stand-in browser in a file name with a space records the command line it got.
struct StartingDesktop : FakeDesktop {
    bool startProcess(const std::string& line) override { return real.startProcess(line); }
    win32::DesktopWin real;
};
TEST(RunBrowser, StartsTheBrowserWithThePreviewQuoted) {
    char self[MAX_PATH] = {};
    std::string recorder(self, ::GetModuleFileNameA(nullptr, self, MAX_PATH));
    recorder.replace(recorder.rfind('\\') + 1, std::string::npos, "command_line_recorder.exe");
    TempFolder temp;
    const std::string browser = temp / "Web Browser.exe", record = browser + ".txt";
    ASSERT_TRUE(::CopyFileA(recorder.c_str(), browser.c_str(), FALSE));
    TestWindow<StartingDesktop> shell;
    shell.desktop.files[browser] = "", shell.app().settings.browserIndex = 2;
    shell.app().settings.browserPaths[1] = browser + " ", shell.command(IDT_RUNBROWSER);
    for (int i = 0; i < 2000 && !readBytes(record); ++i) ::Sleep(10);  // until the browser has started, at most 20 s
    EXPECT_EQ(readBytes(record).value_or("nothing started"), "\"" + browser + "\" \"C:\\Data\\runFile.htm\"");
    // The About box's links go through the shell, which starts what it is given.
    ::DeleteFileA(record.c_str());
    EXPECT_TRUE(shell.desktop.real.shellOpen(browser, ShowAs::Normal));
    for (int i = 0; i < 2000 && !readBytes(record); ++i) ::Sleep(10);
    EXPECT_NE(readBytes(record).value_or("nothing started").find(browser), std::string::npos);
    for (int i = 0; i < 2000 && !::DeleteFileA(browser.c_str()); ++i) ::Sleep(10);  // once it has ended
}

}  // namespace
}  // namespace tess::test
