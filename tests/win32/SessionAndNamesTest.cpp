// What only the real window shows: the end of the session asked about, and one close question.
#include "DialogPlayer.h"

#include <gtest/gtest.h>

namespace tess::test {
namespace {

// Asked from another thread as at shutdown: Cancel keeps the program and its text; No lets the session end, and when
// it ends the preview file goes and the settings file is written.
TEST(SessionEnd, ShutdownAsksAndCancelKeepsAll) {
    for (const auto& [answer, mayEnd] : {std::pair{Answer::Cancel, FALSE}, {Answer::No, TRUE}}) {
        const std::string settings = settingsFileText({.windowX = 30, .windowY = 40}, "");
        TestWindow<> shell(settings, "", {{"C:\\Data\\runFile.htm", "preview"}}, {answer});
        shell.pump(), ::SetWindowTextA(shell.window.editorHwnd(), "unsaved"), shell.window.editor().setModified(true);
        std::pair<HWND, LRESULT> call{shell.hwnd(), -1};
        HANDLE system = ::CreateThread(nullptr, 0, [](void* c) WINAPI -> DWORD {
            auto& [window, result] = *static_cast<std::pair<HWND, LRESULT>*>(c);
            result = ::SendMessageA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
            return 0; }, &call, 0, nullptr);
        while (::MsgWaitForMultipleObjects(1, &system, FALSE, INFINITE, QS_SENDMESSAGE) != WAIT_OBJECT_0) shell.pump();
        ::CloseHandle(system);
        EXPECT_EQ(std::tuple(call.second, shell.desktop.boxes.size(), shell.window.editor().modified(),
                             windowText(shell.window.editorHwnd()) + shell.desktop.files[kTestSettingsFile]),
                  std::tuple(mayEnd, 1u, true, "unsaved" + settings));
        if (mayEnd) ::SendMessageA(shell.hwnd(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);  // the preview goes
        EXPECT_EQ(std::tuple(shell.desktop.files.size(), shell.desktop.files[kTestSettingsFile]),
                  std::tuple(mayEnd ? 1u : 2u, mayEnd ? settingsFileText(shell.app().settings, "") : settings));
    }
}

// Another program posts WM_CLOSE twice; the second arrives while the first one's question is open.
TEST(SessionEnd, ASecondCloseRequestIsNotAskedAgain) {
    TestWindow<RealClipboardDesktop> shell;
    shell.desktop.realBoxes = true;
    shell.pump(), shell.desktop.real.setOwner(shell.hwnd()), shell.window.editor().setModified(true);
    const DialogPlayer player({{DialogStep::Click, IDCANCEL}});
    ::PostMessageA(shell.hwnd(), WM_CLOSE, 0, 0), ::PostMessageA(shell.hwnd(), WM_CLOSE, 0, 0), shell.pump();
    EXPECT_EQ(player.seen(), std::vector<std::string>{"Tessaline"});
    EXPECT_TRUE(::IsWindow(shell.hwnd()));
}

}  // namespace
}  // namespace tess::test
