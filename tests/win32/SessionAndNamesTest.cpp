// What only the real window shows: a look-alike name refused, the end of the session asked about, one close question.
#include "DialogPlayer.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tess::test {
namespace {

// In 8 bits the Greek name would become its Latin look-alike: it is refused with a box that names it.
TEST(ExactNames, AGreekNameBesideItsLookAlike) {
    TempFolder folder;
    const std::filesystem::path greek = std::filesystem::path(folder.path()) / L"\u03A9mega.html";
    std::ofstream(greek) << "greek";
    writeBytes(folder / "Omega.html", "latin");
    {
        win32::Program program;
        const win32::ProgramOptions options{.show = false, .quitOnEnd = false, .dataFolder = folder.path()};
        ASSERT_TRUE(program.start(::GetModuleHandleA(nullptr), options));
        const HWND editor = program.window().editorHwnd();
        ::SetWindowTextA(editor, "mine");
        DialogPlayer player({{DialogStep::Click, IDOK}, {DialogStep::Click, IDOK}});
        wchar_t said[512] = {};  // by the box, in wide characters
        player.inspect = [&](HWND dialog) {
            ::SetDlgItemTextW(dialog, cmb13, L"\u03A9mega.html"), ::GetDlgItemTextW(dialog, 0xFFFF, said, 512);
        };
        ::SendMessageA(program.window().hwnd(), WM_COMMAND, IDM_SAVEAS, 0);
        EXPECT_EQ(std::wstring(said).substr(0, std::wstring(said).find('\r')), greek.wstring());
        EXPECT_EQ(player.seen().back() + program.app().currentFile + windowText(editor), "File Error mine");
    }
    std::ifstream in(greek);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}) + *readBytes(folder / "Omega.html"), "greeklatin");
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
