// The editor's context menu opened from the keyboard, and the gutter keeping up with scrolling
// that the control does on its own, on the real controls of a real main window.
#include "WinTestSupport.h"
#include "app/win32/MainWindow.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace tess::win32 {
namespace {

// Which window was asked to fill which pop-up; the menu loop is ended as soon as it waits.
HWND g_menuOwner = nullptr;
HMENU g_menu = nullptr;
HHOOK g_hook = nullptr;

LRESULT CALLBACK watchMenus(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_INITMENUPOPUP && !g_menu) {
        g_menuOwner = sent->hwnd;
        g_menu = reinterpret_cast<HMENU>(sent->wParam);
    }
    if (code == HC_ACTION && sent->message == WM_ENTERIDLE && sent->wParam == MSGF_MENU) ::EndMenu();
    return ::CallNextHookEx(g_hook, code, wParam, lParam);
}

struct Editor : testing::Test {
    test::TestWindow<> shell;
    HWND editor = shell.window.editorHwnd();

    void sendWatchingMenus(UINT msg, WPARAM wParam, LPARAM lParam) {
        g_menuOwner = nullptr;
        g_menu = nullptr;
        g_hook = ::SetWindowsHookExA(WH_CALLWNDPROC, &watchMenus, nullptr, ::GetCurrentThreadId());
        ::SendMessageA(editor, msg, wParam, lParam);
        ::UnhookWindowsHookEx(g_hook);
    }
    std::pair<DWORD, DWORD> selection() const {
        DWORD start = 0, end = 0;
        ::SendMessageA(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    std::string firstGutterRow() const {
        const std::string rows = test::windowText(shell.window.gutterHwnd());
        const std::string row = rows.substr(0, rows.find('\r'));
        const auto digits = row.find_first_not_of(' ');
        return digits == std::string::npos ? row : row.substr(digits);
    }
};

// The menu key and Shift+F10 reach the control as a context-menu request with no position: the
// user gets the program's menu, owned by the main window, and the caret stays where it was.
TEST_F(Editor, MenuFromTheKeyboardIsTheProgramsContextMenuAndLeavesTheCaret) {
    ASSERT_TRUE(shell.created);
    ::SetWindowTextA(editor, "first\r\nsecond\r\nthird");
    ::SendMessageA(editor, EM_SETSEL, 9, 11);
    sendWatchingMenus(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(editor), MAKELPARAM(-1, -1));
    EXPECT_EQ(g_menu, shell.window.contextMenu());
    EXPECT_EQ(g_menuOwner, shell.hwnd());
    EXPECT_EQ(selection(), std::make_pair(DWORD{9}, DWORD{11}));
}

// While a mouse selection runs past the bottom, the control scrolls from its timer without a
// notification; each tick must bring the gutter's numbers along.
TEST_F(Editor, GutterFollowsScrollingDoneOnTheControlsTimer) {
    ASSERT_TRUE(shell.created);
    std::string text;
    for (int line = 1; line <= 120; ++line) text += "line " + std::to_string(line) + "\r\n";
    ::SetWindowTextA(editor, text.c_str());
    ::SendMessageA(editor, EM_LINESCROLL, 0, 40);
    const int first = static_cast<int>(::SendMessageA(editor, EM_GETFIRSTVISIBLELINE, 0, 0)) + 1;
    ASSERT_GT(first, 1);
    ::SetWindowTextA(shell.window.gutterHwnd(), "stale");
    ::SendMessageA(editor, WM_TIMER, 1, 0);
    EXPECT_EQ(firstGutterRow(), std::to_string(first));
}

}  // namespace
}  // namespace tess::win32
