// Word wrap on a real main window: the editor is re-created with the other style and the document
// moves across whole.
#include "app/Settings.h"
#include "app/win32/MainWindow.h"

#include "WinTestSupport.h"
#include "resources/resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

namespace tess::win32 {
namespace {

bool wraps(HWND editor) {
    const LONG style = ::GetWindowLongA(editor, GWL_STYLE);
    return !(style & WS_HSCROLL) && !(style & ES_AUTOHSCROLL);
}

bool checked(HWND window) {
    return (::GetMenuState(::GetMenu(window), IDM_WORDWRAP, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

using test::windowText;

int clientHeight(HWND control) {
    RECT r{};
    ::GetClientRect(control, &r);
    return r.bottom;
}

class WordWrapWindow : public ::testing::Test {
protected:
    void create(const std::string& settings = {}) {
        shell = std::make_unique<test::TestWindow<>>(settings);
        ASSERT_TRUE(shell->created);
        window = &shell->window;
    }
    HWND editor() { return ::GetDlgItem(window->hwnd(), IDC_EDITOR); }
    void toggle() { shell->command(IDM_WORDWRAP); }

    std::unique_ptr<test::TestWindow<>> shell;
    MainWindow* window = nullptr;
};

TEST_F(WordWrapWindow, SwitchingKeepsTheTextAndModifiedFlagAndDropsTheBookmarks) {
    create();
    ASSERT_FALSE(wraps(editor()));
    EXPECT_FALSE(checked(window->hwnd()));
    const std::string text = "first line\r\n" + std::string(300, 'x') + "\r\nlast";
    window->editor().setText(text);
    window->editor().setModified(true);
    window->editor().setSelection(20, 20);
    window->app().bookmarks = {1, 3};
    const HWND before = editor();

    toggle();
    ASSERT_NE(editor(), nullptr);
    EXPECT_NE(editor(), before);
    EXPECT_EQ(window->editorHwnd(), editor());
    EXPECT_TRUE(wraps(editor()));
    EXPECT_EQ(::GetWindowLongA(editor(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    EXPECT_TRUE(checked(window->hwnd()));
    EXPECT_EQ(window->app().settings.wordWrap, 1);
    EXPECT_EQ(windowText(editor()), text);
    EXPECT_EQ(window->editor().text(), text) << "the program's editor is the new control";
    EXPECT_TRUE(window->editor().modified());
    EXPECT_EQ(window->editor().selection(), (Selection{0, 0}));
    EXPECT_TRUE(window->app().bookmarks.empty());
    EXPECT_EQ(::SendMessageA(editor(), EM_GETLIMITTEXT, 0, 0), 100000);
    EXPECT_GT(window->editor().lineCount(), 3) << "the long line wraps";
    EXPECT_EQ(clientHeight(editor()), clientHeight(window->gutterHwnd())) << "gutter and editor show the same lines";
    EXPECT_EQ(windowText(window->gutterHwnd()).find('>'), std::string::npos);

    window->editor().setModified(false);
    toggle();
    EXPECT_FALSE(wraps(editor()));
    EXPECT_FALSE(checked(window->hwnd()));
    EXPECT_EQ(window->app().settings.wordWrap, 0);
    EXPECT_EQ(windowText(editor()), text);
    EXPECT_FALSE(window->editor().modified());
    EXPECT_EQ(window->editor().lineCount(), 3);
}

TEST_F(WordWrapWindow, ARaisedTextLimitSurvivesTheSwitch) {
    create();
    window->editor().setTextLimit(250000);
    toggle();
    EXPECT_EQ(::SendMessageA(editor(), EM_GETLIMITTEXT, 0, 0), 250000);
}

TEST_F(WordWrapWindow, StartUpAppliesTheSavedChoice) {
    Settings saved;
    saved.wordWrap = 1;
    create(settingsFileText(saved, ""));
    EXPECT_TRUE(wraps(editor()));
    EXPECT_TRUE(checked(window->hwnd()));
    EXPECT_NE(::GetWindowLongA(editor(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0) << "created as at every start";

    toggle();  // the first switch turns wrapping off, as the check mark promised
    EXPECT_FALSE(wraps(editor()));
    EXPECT_FALSE(checked(window->hwnd()));
}

}  // namespace
}  // namespace tess::win32
