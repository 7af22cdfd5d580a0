// What only the real window shows: a name beside its look-alike saved exactly, the end of the session asked about, one close question.
#include "DialogPlayer.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tess::test {
namespace {

// The Greek name beside its Latin look-alike: saving under the Greek name writes that very file.
TEST(ExactNames, AGreekNameBesideItsLookAlike) {
    TempFolder folder;
    const std::filesystem::path greek = std::filesystem::path(folder.path()) / L"\u03A9mega.html";
    std::ofstream(greek) << "greek";
    writeBytes(folder / "Omega.html", "latin");
    {
        win32::Program program;
        const win32::ProgramOptions options{.show = false, .quitOnEnd = false, .dataFolder = folder.path()};
        ASSERT_TRUE(program.start(::GetModuleHandleW(nullptr), options));
        ::SetWindowTextW(program.window().editorHwnd(), L"mine");
        DialogPlayer player({{DialogStep::Click, IDOK}, {DialogStep::Click, IDYES}});  // Save As, then replace it
        player.inspect = [&](HWND dialog) { ::SetDlgItemTextW(dialog, cmb13, L"\u03A9mega.html"); };
        ::SendMessageW(program.window().hwnd(), WM_COMMAND, IDM_SAVEAS, 0);
        player.finish();
        EXPECT_EQ(program.app().currentFile, folder / "\u03A9mega.html");
    }
    std::ifstream in(greek);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}) + *readBytes(folder / "Omega.html"), "minelatin");
    EXPECT_EQ(folder.files().size(), 3u);  // and the settings file
    in.close(), std::filesystem::remove(greek);
}

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
        EXPECT_EQ(call.second, mayEnd);
        EXPECT_TRUE(shell.desktop.boxes.size() == 1 && shell.window.editor().modified());
        EXPECT_EQ(windowText(shell.window.editorHwnd()) + shell.desktop.files[kTestSettingsFile], "unsaved" + settings);
        if (mayEnd) ::SendMessageA(shell.hwnd(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        const std::string written = mayEnd ? settingsFileText(shell.app().settings, "") : settings;
        EXPECT_EQ(shell.desktop.files.size(), mayEnd ? 1u : 2u);  // the preview file gone or kept
        EXPECT_EQ(shell.desktop.files[kTestSettingsFile], written);
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
