#include "app/win32/MainWindow.h"
#include "FakeDesktop.h"
#include "resources/resource.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace tess::win32 {
namespace {

TEST(MainWindowCreate, HasCaptionClientSizeAndTheTwoEditControls) {
    test::FakeDesktop desktop;
    MainWindow window;
    ASSERT_TRUE(window.create(::GetModuleHandleA(nullptr), {.desktop = &desktop, .show = false, .quitOnDestroy = false}));

    char caption[64] = {};
    ::GetWindowTextA(window.hwnd(), caption, static_cast<int>(std::size(caption)));
    EXPECT_STREQ(caption, "Tessaline");

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
