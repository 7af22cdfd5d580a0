// The command table on the real main window: menu, accelerator and toolbar ids reach the same
// code, whatever notification code rides in the high word.
#include "app/win32/MainWindow.h"
#include "WinTestSupport.h"
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
        shell = std::make_unique<test::TestWindow<>>();
        ASSERT_TRUE(shell->created);
        window = &shell->window;
        desktop = &shell->desktop;
        window->editor().setModified(false);
        desktop->boxes.clear();
    }
    void send(int id, int code = 0) { shell->command(id, code); }

    std::unique_ptr<test::TestWindow<>> shell;
    MainWindow* window = nullptr;
    test::FakeDesktop* desktop = nullptr;
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

// The File menu's items after its last separator, as (command, text).
std::vector<std::pair<int, std::string>> recentEntries(HWND hwnd) {
    HMENU file = ::GetSubMenu(::GetMenu(hwnd), 0);
    std::vector<std::pair<int, std::string>> entries;
    for (int pos = ::GetMenuItemCount(file) - 1; pos >= 0; --pos) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID;
        ::GetMenuItemInfoA(file, static_cast<UINT>(pos), TRUE, &info);
        if (info.fType & MFT_SEPARATOR) break;
        char text[128] = {};
        ::GetMenuStringA(file, static_cast<UINT>(pos), text, static_cast<int>(std::size(text)), MF_BYPOSITION);
        entries.insert(entries.begin(), {static_cast<int>(info.wID), text});
    }
    return entries;
}

TEST_F(Commands, TheFileMenuListsTheRecentlySavedFilesInOrder) {
    ASSERT_NE(::GetMenu(window->hwnd()), nullptr);
    using Entries = std::vector<std::pair<int, std::string>>;
    EXPECT_EQ(recentEntries(window->hwnd()), Entries{});
    const struct {
        const char* saved;
        Entries after;
    } steps[] = {
        {"C:\\1\\a.html", {{308, "&1  a.html"}}},
        {"C:\\2\\b.css", {{308, "&1  b.css"}, {309, "&2  a.html"}}},
        {"C:\\3\\c.js", {{308, "&1  c.js"}, {309, "&2  b.css"}, {310, "&3  a.html"}}},
        {"C:\\4\\d.php", {{308, "&1  d.php"}, {309, "&2  c.js"}, {310, "&3  b.css"}, {311, "&4  a.html"}}},
        {"C:\\5\\e.txt", {{308, "&1  e.txt"}, {309, "&2  d.php"}, {310, "&3  c.js"}, {311, "&4  b.css"}}},
        {"c:\\3\\C.JS", {{308, "&1  C.JS"}, {309, "&2  e.txt"}, {310, "&3  d.php"}, {311, "&4  b.css"}}},
    };
    for (const auto& step : steps) {
        desktop->saveResults.push_back(step.saved);
        send(IDM_SAVEAS);
        EXPECT_EQ(recentEntries(window->hwnd()), step.after) << step.saved;
    }
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
