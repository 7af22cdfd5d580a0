// The command table on the real main window: menu, accelerator and toolbar ids reach the same
// code, whatever notification code rides in the high word.
#include "app/win32/MainWindow.h"
#include "FakeDesktop.h"
#include "resources/resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tess::win32 {
namespace {

class Commands : public testing::Test {
protected:
    void SetUp() override { create(); }

    void create() {
        window = std::make_unique<MainWindow>();
        desktop = std::make_unique<test::FakeDesktop>();
        ASSERT_TRUE(window->create(::GetModuleHandleA(nullptr),
                                   {.desktop = desktop.get(), .show = false, .quitOnDestroy = false}));
        window->editor().setModified(false);
        desktop->boxes.clear();
    }

    void send(int id, int code = 0) {
        ::SendMessageA(window->hwnd(), WM_COMMAND, MAKEWPARAM(id, code), 0);
    }

    std::unique_ptr<test::FakeDesktop> desktop;
    std::unique_ptr<MainWindow> window;
};

// The notification codes a menu (0), an accelerator (1) and a toolbar button (BN_CLICKED) send.
constexpr int kSources[] = {0, 1, BN_CLICKED};

TEST_F(Commands, MenuAcceleratorAndToolbarIdsRunTheSameFileCommands) {
    const struct {
        const char* name;
        std::vector<int> ids;
        std::function<void(MainWindow&, test::FakeDesktop&)> prepare;
        std::function<void(MainWindow&, test::FakeDesktop&)> check;
    } cases[] = {
        {"New", {IDM_NEW, IDT_NEW},
         [](MainWindow& w, test::FakeDesktop&) {
             w.editor().setText("old text");
             w.app().currentFile = "C:\\Web\\old.html";
         },
         [](MainWindow& w, test::FakeDesktop& d) {
             EXPECT_EQ(w.editor().text(), "");
             EXPECT_EQ(w.app().currentFile, "");
             EXPECT_TRUE(d.boxes.empty());
         }},
        {"Open", {IDM_OPEN, IDT_OPEN},
         [](MainWindow&, test::FakeDesktop& d) {
             d.files["C:\\Web\\a.html"] = "<p>a</p>";
             d.openResults.push_back("C:\\Web\\a.html");
         },
         [](MainWindow& w, test::FakeDesktop& d) {
             EXPECT_EQ(d.openRequests.size(), 1u);
             EXPECT_EQ(w.editor().text(), "<p>a</p>");
             EXPECT_EQ(w.app().currentFile, "C:\\Web\\a.html");
         }},
        {"Save", {IDM_SAVE, IDT_SAVE},
         [](MainWindow& w, test::FakeDesktop&) {
             w.editor().setText("saved text");
             w.app().currentFile = "C:\\Web\\s.html";
         },
         [](MainWindow&, test::FakeDesktop& d) {
             ASSERT_EQ(d.boxes.size(), 1u);
             EXPECT_EQ(d.boxes[0].text, "Save file now?");
             EXPECT_EQ(d.files["C:\\Web\\s.html"], "saved text");
         }},
        {"Save As", {IDM_SAVEAS},
         [](MainWindow& w, test::FakeDesktop& d) {
             w.editor().setText("as text");
             d.saveResults.push_back("C:\\Web\\as.html");
         },
         [](MainWindow& w, test::FakeDesktop& d) {
             EXPECT_EQ(d.files["C:\\Web\\as.html"], "as text");
             EXPECT_EQ(w.app().currentFile, "C:\\Web\\as.html");
         }},
    };
    for (const auto& c : cases) {
        for (int id : c.ids) {
            for (int code : kSources) {
                SCOPED_TRACE(std::string(c.name) + " id " + std::to_string(id) + " code " + std::to_string(code));
                create();
                c.prepare(*window, *desktop);
                send(id, code);
                c.check(*window, *desktop);
            }
        }
    }
}

TEST_F(Commands, EachRecentEntryOpensItsFile) {
    const char* files[] = {"C:\\1\\one.html", "C:\\2\\two.css", "C:\\3\\three.js", "C:\\4\\four.php"};
    for (int i = 0; i < 4; ++i) {
        create();
        for (int f = 0; f < 4; ++f) {
            window->app().settings.recentFiles[static_cast<std::size_t>(f)] = files[f];
            desktop->files[files[f]] = std::string("text of ") + files[f];
        }
        window->app().settings.recentCount = 4;
        send(IDM_RECENT1 + i);
        EXPECT_EQ(window->app().currentFile, files[i]);
        EXPECT_EQ(window->editor().text(), std::string("text of ") + files[i]);
    }
}

TEST_F(Commands, ClickingIntoTheGutterLeavesTheFocusInTheEditor) {
    ::ShowWindow(window->hwnd(), SW_SHOW);
    ::SetForegroundWindow(window->hwnd());
    ::SetFocus(window->editorHwnd());
    // The gutter tells its parent it got the focus (EN_SETFOCUS under id 102); the parent hands it back.
    ::SetFocus(window->gutterHwnd());
    EXPECT_EQ(::GetFocus(), window->editorHwnd());
}

TEST_F(Commands, ExitAsksTheSameQuestionsAsTheCloseBox) {
    const auto questionsOf = [&](const std::function<void()>& close) {
        create();
        window->editor().setText("unsaved");
        window->editor().setModified(true);
        desktop->answers = {Answer::Cancel, Answer::Cancel, Answer::Cancel};
        close();
        return desktop->boxes;
    };
    const auto byCloseBox = questionsOf([&] { ::SendMessageA(window->hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); });
    const auto byExit = questionsOf([&] { send(IDM_EXIT); });
    EXPECT_EQ(byExit, byCloseBox);

    create();  // nothing to ask: Exit ends the window before the command returns
    const HWND hwnd = window->hwnd();
    send(IDM_EXIT);
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST_F(Commands, IdsOfFeaturesNotHereAndUnknownIdsChangeNothing) {
    window->editor().setText("text");
    window->app().currentFile = "C:\\Web\\page.html";
    for (int id : {0, 300, 306, 312, 999}) send(id);
    EXPECT_EQ(window->editor().text(), "text");
    EXPECT_EQ(window->app().currentFile, "C:\\Web\\page.html");
    EXPECT_TRUE(desktop->boxes.empty());
    EXPECT_TRUE(desktop->openRequests.empty());
    EXPECT_TRUE(desktop->saveRequests.empty());
}

}  // namespace
}  // namespace tess::win32
