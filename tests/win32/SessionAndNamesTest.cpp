// What only the real window shows: a look-alike name refused, the end of the session asked about, one close question.
#include "DialogAnswerer.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tess::test {
namespace {

std::string contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The dialog gives the Greek name; in 8 bits it would be its Latin look-alike, so it is refused with a box naming it.
TEST(ExactNames, SaveAsAGreekNameBesideItsLookAlikeChangesNeitherFile) {
    TempFolder folder;
    const std::filesystem::path greek = std::filesystem::path(folder.path()) / L"\u03A9mega.html";
    std::ofstream(greek, std::ios::binary) << "greek";
    ASSERT_TRUE(writeBytes(folder / "Omega.html", "latin"));
    {
        win32::Program program;
        ASSERT_TRUE(program.start(::GetModuleHandleA(nullptr), {.show = false, .quitOnEnd = false, .dataFolder = folder.path()}));
        ::SetWindowTextA(program.window().editorHwnd(), "mine");
        DialogAnswerer answerer({{IDOK, "\u03A9mega.html"}, {IDOK, ""}});
        ::SendMessageA(program.window().hwnd(), WM_COMMAND, IDM_SAVEAS, 0);
        ASSERT_EQ(answerer.seen().size(), 2u);
        EXPECT_EQ(answerer.seen()[1].title + answerer.seen()[1].text.substr(0, answerer.seen()[1].text.find('\r')),
                  "File Error " + toUtf8(greek.wstring()));
        EXPECT_EQ(program.app().currentFile + windowText(program.window().editorHwnd()), "mine");
    }
    EXPECT_EQ(contents(greek) + " " + *readBytes(folder / "Omega.html"), "greek latin");
    EXPECT_EQ(folder.files(), (std::vector<std::string>{"?mega.html", "Omega.html", "Tessaline.ini"}));
    std::filesystem::remove(greek);
}

// Windows asks from another thread, as at shutdown, while the program waits in its loop: Cancel keeps the program
// and its text; No lets the session end, and when it ends the preview file goes and the settings are written.
TEST(SessionEnd, ShutdownAsksAboutChangesAndCancelKeepsEverything) {
    for (const auto& [answer, mayEnd] : {std::pair{Answer::Cancel, FALSE}, {Answer::No, TRUE}}) {
        const std::string settings = settingsFileText({.windowX = 30, .windowY = 40}, "");
        TestWindow<> shell(settings, "", {{"C:\\Data\\runFile.htm", "preview"}}, {answer});
        ::SetWindowTextA(shell.window.editorHwnd(), "unsaved"), shell.window.editor().setModified(true);
        struct Call { HWND window; LRESULT result; } call{shell.hwnd(), -1};
        HANDLE system = ::CreateThread(nullptr, 0, [](void* c) -> DWORD {
            auto& call = *static_cast<Call*>(c);
            call.result = ::SendMessageA(call.window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
            return 0; }, &call, 0, nullptr);
        while (::MsgWaitForMultipleObjects(1, &system, FALSE, INFINITE, QS_SENDMESSAGE) != WAIT_OBJECT_0) shell.pump();
        ::CloseHandle(system);
        EXPECT_EQ(call.result, mayEnd);
        EXPECT_EQ(shell.desktop.boxes.size(), 1u);
        EXPECT_TRUE(::IsWindow(shell.hwnd()) && shell.window.editor().modified());
        EXPECT_EQ(windowText(shell.window.editorHwnd()) + " " + shell.desktop.files[kTestSettingsFile], "unsaved " + settings);
        if (!mayEnd) continue;
        ::SendMessageA(shell.hwnd(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        EXPECT_EQ(shell.desktop.files, (std::map<std::string, std::string>{
            {kTestSettingsFile, settingsFileText(shell.app().settings, "")}}));
    }
}

// Another program posts WM_CLOSE twice; the second arrives while the first one's question is open.
struct RealBoxDesktop : FakeDesktop {
    Answer messageBox(const MessageBoxRequest& request) override { return real.messageBox(request); }
    win32::DesktopWin real;
};
TEST(SessionEnd, ACloseRequestWhileTheQuestionIsOpenAsksNoSecondQuestion) {
    TestWindow<RealBoxDesktop> shell;
    shell.desktop.real.setOwner(shell.hwnd()), shell.window.editor().setModified(true);
    DialogAnswerer answerer({{IDCANCEL, ""}});
    ::PostMessageA(shell.hwnd(), WM_CLOSE, 0, 0), ::PostMessageA(shell.hwnd(), WM_CLOSE, 0, 0);
    shell.pump();
    EXPECT_EQ(answerer.seen().size(), 1u);
    EXPECT_TRUE(::IsWindow(shell.hwnd()));
}

}  // namespace
}  // namespace tess::test
