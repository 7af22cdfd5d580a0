// The real desktop's clipboard and message boxes. The boxes are answered through a CBT hook as a
// user would answer them (DialogAnswerer), so the button pressed is the one the program hears.
#include "DialogAnswerer.h"
#include "WinTestSupport.h"
#include "platform/win32/DesktopWin.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

namespace tess::win32 {
namespace {

using test::clipboardFormats;

void putCustomFormat(UINT format) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, 8));
    if (::SetClipboardData(format, memory.get())) memory.release();
    ::CloseClipboard();
}

TEST(DesktopClipboard, TextComesBackAsItWasPut) {
    std::string everyByte;
    for (int b = 1; b <= 255; ++b) everyByte.push_back(static_cast<char>(b));
    const struct {
        const char* name;
        std::string put;
        std::string got;
    } cases[] = {
        {"line ends of every kind", "a\r\nb\nc\rd\r\n", "a\r\nb\nc\rd\r\n"},
        {"every byte value", everyByte, everyByte},
        {"a whole document", std::string(100000, 'w'), std::string(100000, 'w')},
        {"text stops at the first NUL", std::string("ab\0cd", 5), "ab"},
        {"empty", "", ""},
    };
    DesktopWin desktop;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        desktop.setClipboardText(c.put);
        const std::string got = desktop.clipboardText();
        EXPECT_EQ(got.size(), c.got.size());
        EXPECT_TRUE(got == c.got);
    }
}

// "Only plain text": whatever was on the clipboard before is gone, and what is there now is
// the text in its one 8-bit form plus the forms the system derives from it by itself
// (CF_OEMTEXT, CF_UNICODETEXT and the CF_LOCALE that tells how to convert).
TEST(DesktopClipboard, HoldsOnlyPlainTextAfterwards) {
    const UINT html = ::RegisterClipboardFormatA("HTML Format");
    putCustomFormat(html);
    ASSERT_EQ(clipboardFormats(), std::vector<UINT>{html});

    DesktopWin desktop;
    desktop.setClipboardText("<p>text</p>");
    const std::vector<UINT> formats = clipboardFormats();
    ASSERT_FALSE(formats.empty());
    EXPECT_EQ(formats.front(), static_cast<UINT>(CF_TEXT));
    const std::set<UINT> derived = {CF_TEXT, CF_OEMTEXT, CF_UNICODETEXT, CF_LOCALE};
    for (UINT f : formats) EXPECT_TRUE(derived.count(f)) << "unexpected clipboard format " << f;
}

TEST(DesktopClipboard, ReadsNothingFromAClipboardWithoutText) {
    putCustomFormat(::RegisterClipboardFormatA("HTML Format"));
    DesktopWin desktop;
    EXPECT_EQ(desktop.clipboardText(), "");
}

TEST(DesktopClipboard, WorksWithAnOwnerWindowToo) {
    UniqueHwnd owner(::CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    DesktopWin desktop(owner.get());
    desktop.setClipboardText("owned");
    EXPECT_EQ(desktop.clipboardText(), "owned");
    ASSERT_TRUE(::OpenClipboard(nullptr));
    EXPECT_EQ(::GetClipboardOwner(), owner.get());
    ::CloseClipboard();
}

TEST(DesktopMessageBox, ReturnsTheButtonTheUserPressed) {
    UniqueHwnd owner(::CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    const struct {
        const char* name;
        Buttons buttons;
        int pressed;
        Answer answer;
        std::vector<int> shown;
    } cases[] = {
        {"Yes/No answered No", Buttons::YesNo, IDNO, Answer::No, {IDYES, IDNO}},
        {"Yes/No answered Yes", Buttons::YesNo, IDYES, Answer::Yes, {IDYES, IDNO}},
        {"Yes/No/Cancel answered Cancel", Buttons::YesNoCancel, IDCANCEL, Answer::Cancel, {IDYES, IDNO, IDCANCEL}},
        {"OK/Cancel answered OK", Buttons::OkCancel, IDOK, Answer::Ok, {IDOK, IDCANCEL}},
        {"OK alone", Buttons::Ok, IDOK, Answer::Ok, {IDOK}},
    };
    DesktopWin desktop(owner.get());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::DialogAnswerer answerer({test::DialogAnswer::press(c.pressed)});
        const Answer answer = desktop.messageBox(
            {.title = "Tessaline", .text = "Save file now?", .buttons = c.buttons, .icon = Icon::Question});
        EXPECT_EQ(answer, c.answer);
        ASSERT_EQ(answerer.seen().size(), 1u);
        EXPECT_EQ(answerer.seen()[0].title, "Tessaline");
        EXPECT_EQ(answerer.seen()[0].text, "Save file now?");
        EXPECT_EQ(answerer.seen()[0].buttons, c.shown);
        EXPECT_EQ(answerer.seen()[0].owner, owner.get());
    }
}

TEST(DesktopMessageBox, ABoxNotOwnedByTheMainWindowHasNoOwner) {
    UniqueHwnd owner(::CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    DesktopWin desktop(owner.get());
    test::DialogAnswerer answerer({test::DialogAnswer::press(IDOK)});
    desktop.messageBox({.title = "Error", .text = "File not found", .ownedByMainWindow = false});
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].owner, nullptr);
}

// The program asks about an existing file itself; the desktop can still have the dialog ask. (The
// document tests drive both real dialogs for title, filters, default extension and Cancel.)
TEST(DesktopFileDialogs, SaveCanAskBeforeReplacing) {
    test::TempFolder folder;
    const std::string existing = folder / "old.html";
    ASSERT_TRUE(test::writeBytes(existing, ""));
    DesktopWin desktop;
    test::DialogAnswerer answerer({test::DialogAnswer::typeFileName(existing), test::DialogAnswer::press(IDYES)});
    const auto chosen = desktop.saveFileDialog({.title = "Save file as",
                                                .filters = {{"HTML files", "*.html"}, {"All files", "*.*"}},
                                                .defaultExtension = "html",
                                                .promptOverwrite = true});
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(::lstrcmpiA(chosen->c_str(), existing.c_str()), 0) << *chosen;
    ASSERT_EQ(answerer.seen().size(), 2u);  // the dialog, then the question about the old file
    EXPECT_EQ(answerer.seen()[0].title, "Save file as");
    EXPECT_EQ(answerer.seen()[1].buttons, (std::vector<int>{IDYES, IDNO}));
}

}  // namespace
}  // namespace tess::win32
