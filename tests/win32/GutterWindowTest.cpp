// The line-number gutter on a real main window: its text read back from control 102 after real
// messages to the editor (scroll bar, wheel, keys) and after the bookmark commands.
#include "app/win32/MainWindow.h"
#include "document/Documents.h"
#include "editor/Caret.h"

#include "WinTestSupport.h"
#include "resources/resource.h"

#include "NumberedLines.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <string>
#include <vector>

namespace tess::win32 {
namespace {

constexpr char kDocument[] = "C:\\Data\\page.htm";

class GutterWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(shell.created);
        ASSERT_GT(window.app().font.charWidth, 0);
        ASSERT_GT(window.app().font.visibleLines, 3);
        // The field is 62 / charWidth - 1 characters, rounded half to even.
        width = static_cast<int>(std::nearbyint(62.0 / window.app().font.charWidth - 1.0));
    }
    void load(const std::string& text) {
        desktop.files[kDocument] = text;
        Context ctx = window.context();
        ASSERT_TRUE(loadDocument(ctx, kDocument));
    }
    std::vector<std::string> rows() {
        return test::splitLines(test::windowText(::GetDlgItem(window.hwnd(), IDC_GUTTER)));
    }
    std::string row(const std::string& label) { return std::string(width - label.size(), ' ') + label; }
    int firstVisible() { return static_cast<int>(::SendMessageA(window.editorHwnd(), EM_GETFIRSTVISIBLELINE, 0, 0)); }
    void key(WPARAM vk) {
        ::SendMessageA(window.editorHwnd(), WM_KEYDOWN, vk, 1);
        ::SendMessageA(window.editorHwnd(), WM_KEYUP, vk, 0xC0000001);
    }
    // The gutter row beside a line the editor shows.
    std::string rowOfLine(int line) {
        const int index = line - (firstVisible() + 1);
        const auto shown = rows();
        if (index < 0 || index >= static_cast<int>(shown.size())) return "line " + std::to_string(line) + " not shown";
        return shown[static_cast<std::size_t>(index)];
    }
    void command(int id) { shell.command(id); }
    // The gutter's rows are the lines the editor shows, from its first shown line on.
    void expectInStepWithTheEditor(const char* after) {
        const int first = firstVisible() + 1;
        const auto shown = rows();
        ASSERT_EQ(static_cast<int>(shown.size()), window.app().font.visibleLines) << after;
        EXPECT_EQ(shown.front(), row(std::to_string(first))) << after;
        EXPECT_EQ(shown.back(), row(std::to_string(first + window.app().font.visibleLines - 1))) << after;
    }

    test::TestWindow<> shell;
    MainWindow& window = shell.window;
    test::FakeDesktop& desktop = shell.desktop;
    int width = 0;
};

TEST_F(GutterWindow, AShortDocumentShowsItsLinesOnlyRightAligned) {
    load("a\r\nb\r\nc");
    EXPECT_EQ(rows(), (std::vector<std::string>{row("1"), row("2"), row("3")}));
}

TEST_F(GutterWindow, StaysInStepWhenScrollingWithTheBarTheWheelAndTheKeys) {
    load(test::numberedLines(200));
    expectInStepWithTheEditor("loading");

    ::SendMessageA(window.editorHwnd(), WM_VSCROLL, SB_PAGEDOWN, 0);
    ASSERT_GT(firstVisible(), 0);
    expectInStepWithTheEditor("a page down on the scroll bar");

    int before = firstVisible();
    ::SendMessageA(window.editorHwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    ASSERT_GT(firstVisible(), before);
    expectInStepWithTheEditor("the wheel");

    ::SendMessageA(window.editorHwnd(), EM_SETSEL, 0, 0);
    ::SendMessageA(window.editorHwnd(), EM_SCROLLCARET, 0, 0);
    before = firstVisible();
    for (int i = 0; i < 3; ++i) key(VK_NEXT);
    ASSERT_GT(firstVisible(), before);
    expectInStepWithTheEditor("Page Down");

    before = firstVisible();
    key(VK_PRIOR);
    ASSERT_LT(firstVisible(), before);
    expectInStepWithTheEditor("Page Up");
}

// Scrolls that no key, bar or wheel message announces: the control bringing the caret into view
// after a selection made in code, and typing at the bottom of the view.
TEST_F(GutterWindow, StaysInStepWhenTheControlScrollsByItself) {
    load(test::numberedLines(200));
    ::SendMessageA(window.editorHwnd(), EM_SETSEL, window.editor().lineIndex(150), window.editor().lineIndex(150));
    ::SendMessageA(window.editorHwnd(), EM_SCROLLCARET, 0, 0);
    ASSERT_GT(firstVisible(), 100);
    expectInStepWithTheEditor("scrolled to the caret");

    ::SendMessageA(window.editorHwnd(), EM_SETSEL, 0, 0);
    ::SendMessageA(window.editorHwnd(), EM_SCROLLCARET, 0, 0);
    const int bottom = firstVisible() + window.app().font.visibleLines;
    ::SendMessageA(window.editorHwnd(), EM_SETSEL, window.editor().lineIndex(bottom - 1), window.editor().lineIndex(bottom - 1));
    ::SendMessageA(window.editorHwnd(), WM_CHAR, 'x', 1);
    ::SendMessageA(window.editorHwnd(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("\r\n\r\n"));
    ASSERT_GT(firstVisible(), 0);
    expectInStepWithTheEditor("typing below the view");
}

// The gutter hands the keyboard to the editor when it is clicked; a refresh of its text, which
// now also follows every notification of the editor, must not take the keyboard from elsewhere.
TEST_F(GutterWindow, ARefreshLeavesTheKeyboardWhereItIs) {
    load(test::numberedLines(50));
    HWND other = ::CreateWindowExA(0, "EDIT", "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    ::SetFocus(other);
    ASSERT_EQ(::GetFocus(), other);
    placeCaret(window.app().caret, window.editor(), 1, 3);
    command(IDM_SETBOOKMARK);
    EXPECT_EQ(rowOfLine(3), row(">3"));
    EXPECT_EQ(::GetFocus(), other);

    ::SetFocus(window.gutterHwnd());  // as a click into the gutter does: 102 notifies, the focus goes back
    EXPECT_EQ(::GetFocus(), window.editorHwnd());
    ::DestroyWindow(other);
}

TEST_F(GutterWindow, ShowsTheBookmarksAndFollowsAJumpToOne) {
    load(test::numberedLines(120));
    for (int line : {2, 90}) {
        placeCaret(window.app().caret, window.editor(), 1, line);
        command(IDM_SETBOOKMARK);
    }
    command(IDT_NEXTBOOKMARK);  // from 90 round to 2
    EXPECT_EQ(window.editor().lineFromChar(-1), 1);
    EXPECT_EQ(rowOfLine(2), row(">2"));
    EXPECT_EQ(rowOfLine(3), row("3"));

    command(IDM_NEXTBOOKMARK);
    EXPECT_EQ(window.editor().lineFromChar(-1), 89);
    EXPECT_EQ(rowOfLine(90), row(">90"));
    EXPECT_EQ(rowOfLine(89), row("89"));

    command(IDM_CLEARBOOKMARKS);
    EXPECT_EQ(rowOfLine(90), row("90"));
}

TEST_F(GutterWindow, EnterMovesTheBookmarksBelowAndTheGutterShowsIt) {
    load("one\r\ntwo\r\nthree\r\nfour");
    placeCaret(window.app().caret, window.editor(), 1, 3);
    command(IDM_SETBOOKMARK);
    EXPECT_EQ(rows()[2], row(">3"));

    ::SendMessageA(window.editorHwnd(), EM_SETSEL, 3, 3);  // the end of line 1
    ::SendMessageA(window.editorHwnd(), WM_KEYDOWN, VK_RETURN, 1);
    ::SendMessageA(window.editorHwnd(), WM_CHAR, '\r', 1);
    ::SendMessageA(window.editorHwnd(), WM_KEYUP, VK_RETURN, 0xC0000001);
    ASSERT_EQ(window.editor().lineCount(), 5);
    EXPECT_EQ(window.app().bookmarks, (std::vector<int>{4}));
    EXPECT_EQ(rows(), (std::vector<std::string>{row("1"), row("2"), row("3"), row(">4"), row("5")}));
}

TEST_F(GutterWindow, WithLineNumbersOffShowsOnlyTheBookmarkColumn) {
    window.app().settings.showLineNumbers = 0;
    load("a\r\nb\r\nc");
    for (int line : {1, 3}) {
        placeCaret(window.app().caret, window.editor(), 1, line);
        command(IDM_SETBOOKMARK);
    }
    EXPECT_EQ(rows(), (std::vector<std::string>{">", " ", ">"}));
}

}  // namespace
}  // namespace tess::win32
