// What only the real windows show: the tag windows as built and placed, a double click and Enter inserting, several open,
// all ended with the main window; and a browser really started.
#include "WinTestSupport.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

namespace tess::test {
namespace {

std::vector<HWND> tagWindows() {
    std::vector<HWND> found;
    ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND w, LPARAM all) {
        if (windowText(w) == "HTML Tags") reinterpret_cast<std::vector<HWND>*>(all)->push_back(w);
        return TRUE; }, reinterpret_cast<LPARAM>(&found));
    return found;
}

TEST(TagListWindow, FloatsBesideTheMainWindowInsertsOnDoubleClickOrEnterAndEndsWithIt) {
    TestWindow<> shell(settingsFileText({.windowX = 100, .windowY = 50, .clientWidth = 400, .clientHeight = 200}, ""), "",
                       {}, {Answer::No});
    EditControl& editor = shell.window.editor();
    editor.setText("ab"), editor.setSelection(1, 1), shell.command(IDM_HTMLTAGS), shell.pump();
    ASSERT_EQ(tagWindows().size(), 1u);
    const HWND tags = tagWindows()[0], list = ::GetDlgItem(tags, 520);
    RECT main{}, outer{}, client{}, box{}, item{};
    ::GetWindowRect(shell.hwnd(), &main), ::GetWindowRect(tags, &outer), ::GetClientRect(tags, &client), ::GetWindowRect(list, &box);
    EXPECT_EQ(std::tuple(outer.left - main.left, outer.top - main.top, client.right, client.bottom, box.right - box.left,
                         box.bottom - box.top, ::SendMessageA(list, LB_GETCOUNT, 0, 0), ::GetWindow(tags, GW_OWNER)),
              std::tuple(220L, 90L, 130L, 78L, 130L, 88L, LRESULT(43), HWND(nullptr)));
    EXPECT_TRUE(::GetWindowLongA(tags, GWL_EXSTYLE) & WS_EX_TOPMOST);

    ::SendMessageA(list, LB_GETITEMRECT, 5, reinterpret_cast<LPARAM>(&item));  // "<p>...</p>"
    for (const UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        ::PostMessageA(list, msg, 0, MAKELPARAM(item.left + 5, item.top + 2));
    shell.pump();
    EXPECT_EQ(std::tuple(editor.text(), editor.selection().start, ::GetFocus()), std::tuple("a<p></p>b", 4, shell.window.editorHwnd()));
    for (const int index : {18, -1}) {  // "<br />", then nothing selected: Enter inserts nothing
        ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0), ::PostMessageA(list, WM_KEYDOWN, VK_RETURN, 0), shell.pump();
        EXPECT_EQ(std::tuple(editor.text(), editor.selection().start), std::tuple("a<p><br /></p>b", 10));
    }
    shell.command(IDM_HTMLTAGS), shell.pump();
    EXPECT_EQ(tagWindows().size(), 2u);
    ::SendMessageA(shell.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(tagWindows().size(), 0u);
}

// The stand-in browser, in a file name with a space, records the command line it got.
struct StartingDesktop : FakeDesktop {
    bool startProcess(const std::string& line) override { return real.startProcess(line); }
    win32::DesktopWin real;
};
TEST(RunBrowser, StartsTheChosenBrowserWithItsPathAndThePreviewQuoted) {
    char self[MAX_PATH] = {};
    const std::string tests(self, ::GetModuleFileNameA(nullptr, self, MAX_PATH)), recorder = tests.substr(0, tests.rfind('\\') + 1);
    TempFolder temp;
    const std::string browser = temp / "Web Browser.exe", record = browser + ".txt";
    ASSERT_TRUE(::CopyFileA((recorder + "command_line_recorder.exe").c_str(), browser.c_str(), FALSE));
    TestWindow<StartingDesktop> shell;
    shell.desktop.files[browser] = "", shell.app().settings.browserIndex = 2, shell.app().settings.browserPaths[1] = browser + " ";
    shell.command(IDT_RUNBROWSER);
    for (int i = 0; i < 2000 && !readBytes(record); ++i) ::Sleep(10);  // until the browser has started, at most 20 s
    EXPECT_EQ(readBytes(record).value_or("nothing started"), "\"" + browser + "\" \"C:\\Data\\runFile.htm\"");
    for (int i = 0; i < 2000 && !::DeleteFileA(browser.c_str()); ++i) ::Sleep(10);  // once it has ended
}

}  // namespace
}  // namespace tess::test
