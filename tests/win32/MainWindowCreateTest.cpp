#include "app/win32/MainWindow.h"
#include "WinTestSupport.h"
#include "resources/resource.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace tess::win32 {
namespace {

TEST(MainWindowCreate, HasCaptionClientSizeAndTheTwoEditControls) {
    test::TestWindow<> shell;
    ASSERT_TRUE(shell.created);
    const MainWindow& window = shell.window;
    EXPECT_EQ(test::windowText(window.hwnd()), "Tessaline");

    ASSERT_NE(::GetDlgItem(window.hwnd(), IDC_EDITOR), nullptr);
    ASSERT_NE(::GetDlgItem(window.hwnd(), IDC_GUTTER), nullptr);
    char cls[32] = {};
    ::GetClassNameA(::GetDlgItem(window.hwnd(), IDC_EDITOR), cls, static_cast<int>(std::size(cls)));
    EXPECT_STREQ(cls, "Edit");

    const LONG style = ::GetWindowLongA(window.editorHwnd(), GWL_STYLE);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_TRUE(style & ES_WANTRETURN);
    EXPECT_TRUE(::GetWindowLongA(window.gutterHwnd(), GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(::SendMessageA(window.editorHwnd(), EM_GETLIMITTEXT, 0, 0), 100000);
}

}  // namespace
}  // namespace tess::win32
