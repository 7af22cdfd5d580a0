// The Edit menu's commands and the line commands on a real main window, its real EDIT control and
// the real clipboard.
#include "app/win32/MainWindow.h"
#include "editor/Caret.h"

#include "WinTestSupport.h"
#include "resources/resource.h"

#include "NumberedLines.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

namespace tess::win32 {
namespace {

using test::clipboardFormats;

class LineCommandWindow : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(shell.created); }
    void command(int id) { shell.command(id); }
    // Puts the caret where a click would and records it, as the click's release does.
    void caretAt(int line, int column) {
        const int pos = window.editor().lineIndex(line - 1) + column - 1;
        ::SendMessageA(window.editorHwnd(), EM_SETSEL, pos, pos);
        recordCaret(window.app().caret, window.editor());
    }
    void bookmarkLines(std::initializer_list<int> lines) {
        for (int line : lines) {
            caretAt(line, 1);
            command(IDM_SETBOOKMARK);
        }
    }
    Selection selection() { return window.editor().selection(); }

    test::TestWindow<test::RealClipboardDesktop> shell;
    MainWindow& window = shell.window;
    test::RealClipboardDesktop& desktop = shell.desktop;
};

TEST_F(LineCommandWindow, CopyLineThenPasteLineJoinsTheLines) {
    window.editor().setText("abc\r\nxyz");
    caretAt(1, 3);
    command(IDM_COPYLINE);
    EXPECT_EQ(desktop.real.clipboardText(), "abc");

    caretAt(2, 2);
    command(IDM_PASTELINE);
    EXPECT_EQ(window.editor().text(), "abc\r\nabcxyz");
    EXPECT_EQ(selection(), (Selection{5, 5}));
    EXPECT_EQ(desktop.real.clipboardText(), "abc");
}

TEST_F(LineCommandWindow, YankLineOnLine5Of10MovesTheBookmarksAndLeavesTheClipboard) {
    window.editor().setText(test::numberedLines(10));
    bookmarkLines({5, 8});
    desktop.real.setClipboardText("kept");
    caretAt(5, 4);
    command(IDM_YANKLINE);

    EXPECT_EQ(window.editor().lineCount(), 9);
    EXPECT_EQ(window.editor().lineText(4), "line 6");
    const int start = window.editor().lineIndex(4);
    EXPECT_EQ(selection(), (Selection{start, start}));
    EXPECT_EQ(window.app().bookmarks, (std::vector<int>{7}));
    EXPECT_EQ(desktop.real.clipboardText(), "kept");

    // The yanked line comes back with Undo, and the bookmarks follow it.
    command(IDM_UNDO);
    EXPECT_EQ(window.editor().text(), test::numberedLines(10));
    EXPECT_EQ(window.app().bookmarks, (std::vector<int>{8}));
}

TEST_F(LineCommandWindow, PasteOfTwoLineBreaksIntoLine3MovesTheBookmarksFromLine3Down) {
    window.editor().setText(test::numberedLines(10));
    bookmarkLines({2, 3, 6});
    desktop.real.setClipboardText("X\r\nY\r\nZ");
    caretAt(3, 4);
    command(IDM_PASTE);

    EXPECT_EQ(window.editor().lineCount(), 12);
    EXPECT_EQ(window.editor().lineText(2), "linX");
    EXPECT_EQ(window.editor().lineText(4), "Ze 3");
    EXPECT_EQ(window.app().bookmarks, (std::vector<int>{2, 5, 8}));
    // The caret stands at the start of the line where the pasted text ends.
    const int start = window.editor().lineIndex(4);
    EXPECT_EQ(selection(), (Selection{start, start}));

    command(IDM_UNDO);
    EXPECT_EQ(window.editor().text(), test::numberedLines(10));
    EXPECT_EQ(window.app().bookmarks, (std::vector<int>{2, 3, 6}));
}

TEST_F(LineCommandWindow, CutOfWholeLinesDropsTheirBookmarks) {
    window.editor().setText(test::numberedLines(10));
    bookmarkLines({2, 3, 4, 6});
    ::SendMessageA(window.editorHwnd(), EM_SETSEL, window.editor().lineIndex(2), window.editor().lineIndex(5));
    command(IDT_CUT);
    EXPECT_EQ(desktop.real.clipboardText(), "line 3\r\nline 4\r\nline 5\r\n");
    EXPECT_EQ(window.editor().lineCount(), 7);
    EXPECT_EQ(window.app().bookmarks, (std::vector<int>{2, 3}));
}

// The EDIT control puts Unicode text on the clipboard and the system adds the other text forms
// from it. After Edit > Copy the ANSI text is the one format placed (listed first); whatever else
// is listed is only the system's synthesised text forms.
TEST_F(LineCommandWindow, EditCopyLeavesThePlainTextAloneOnTheClipboard) {
    window.editor().setText("hello world");
    ::SendMessageA(window.editorHwnd(), EM_SETSEL, 6, 11);
    command(IDM_COPY);

    const std::vector<UINT> formats = clipboardFormats();
    ASSERT_FALSE(formats.empty());
    EXPECT_EQ(formats.front(), static_cast<UINT>(CF_TEXT));
    const std::set<UINT> textForms = {CF_TEXT, CF_OEMTEXT, CF_UNICODETEXT, CF_LOCALE};
    for (UINT f : formats) EXPECT_TRUE(textForms.count(f)) << "format " << f;
    EXPECT_EQ(desktop.real.clipboardText(), "world");
}

TEST_F(LineCommandWindow, PasteDropsOtherFormatsButLeavesAClipboardWithoutTextAlone) {
    const UINT custom = ::RegisterClipboardFormatA("Tessaline test format");
    const auto put = [&](const char* text) {
        ASSERT_TRUE(::OpenClipboard(nullptr));
        ::EmptyClipboard();
        HGLOBAL extra = ::GlobalAlloc(GMEM_MOVEABLE, 4);
        ::SetClipboardData(custom, extra);
        if (text) {
            HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, strlen(text) + 1);
            memcpy(::GlobalLock(block), text, strlen(text));
            ::GlobalUnlock(block);
            ::SetClipboardData(CF_TEXT, block);
        }
        ::CloseClipboard();
    };
    const auto hasCustom = [&] { return ::IsClipboardFormatAvailable(custom) != FALSE; };

    window.editor().setText("ab");
    caretAt(1, 2);
    put(nullptr);
    command(IDM_PASTE);
    EXPECT_EQ(window.editor().text(), "ab");
    EXPECT_TRUE(hasCustom()) << "what the user copied elsewhere is still there";

    put("x");
    command(IDM_PASTE);
    EXPECT_EQ(window.editor().text(), "xab");
    EXPECT_FALSE(hasCustom());
    EXPECT_EQ(desktop.real.clipboardText(), "x");
}

TEST_F(LineCommandWindow, SelectAllSelectsTheWholeTextAndNothingWhenEmpty) {
    command(IDM_SELECTALL);
    EXPECT_EQ(selection(), (Selection{0, 0}));
    EXPECT_FALSE(window.editor().modified());

    window.editor().setText("one\r\ntwo");
    command(IDM_SELECTALL);
    EXPECT_EQ(selection(), (Selection{0, 8}));
    command(IDM_COPY);
    EXPECT_EQ(desktop.real.clipboardText(), "one\r\ntwo");
    EXPECT_EQ(window.editor().text(), "one\r\ntwo");
}

}  // namespace
}  // namespace tess::win32
