#include "document/RecentFiles.h"

#include <gtest/gtest.h>

#include <vector>

namespace tess {
namespace {

Settings withRecent(std::vector<std::string> files) {
    Settings settings;
    settings.recentCount = static_cast<int>(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) settings.recentFiles[i] = files[i];
    return settings;
}

std::vector<std::string> recentOf(const Settings& settings) {
    return {settings.recentFiles.begin(), settings.recentFiles.begin() + settings.recentCount};
}

TEST(RecentFiles, SavedFileGoesToTheTopMostRecentFirst) {
    const struct {
        const char* name;
        std::vector<std::string> before;
        std::string saved;
        std::vector<std::string> after;
    } cases[] = {
        {"first save", {}, "C:\\a", {"C:\\a"}},
        {"new file on top", {"C:\\a", "C:\\b"}, "C:\\c", {"C:\\c", "C:\\a", "C:\\b"}},
        {"third entry moves up, spelled as saved, count unchanged", {"C:\\a", "C:\\b", "c:\\web\\index.html", "C:\\d"},
         "C:\\Web\\Index.HTML", {"C:\\Web\\Index.HTML", "C:\\a", "C:\\b", "C:\\d"}},
        {"last entry moves up", {"C:\\a", "C:\\b", "C:\\c"}, "C:\\C", {"C:\\C", "C:\\a", "C:\\b"}},
        {"fifth distinct file pushes the oldest out", {"C:\\4", "C:\\3", "C:\\2", "C:\\1"}, "C:\\5",
         {"C:\\5", "C:\\4", "C:\\3", "C:\\2"}},
        {"full list, oldest entry saved again: nothing falls off", {"C:\\4", "C:\\3", "C:\\2", "C:\\1"}, "c:\\1",
         {"c:\\1", "C:\\4", "C:\\3", "C:\\2"}},
        {"names differing beyond case stay apart", {"C:\\index.htm"}, "C:\\index.html", {"C:\\index.html", "C:\\index.htm"}},
    };
    for (const auto& c : cases) {
        Settings settings = withRecent(c.before);
        pushRecentFile(settings, c.saved);
        EXPECT_EQ(recentOf(settings), c.after) << c.name;
        for (std::size_t i = c.after.size(); i < settings.recentFiles.size(); ++i)
            EXPECT_EQ(settings.recentFiles[i], "") << c.name << ": slot " << i;
    }
}

TEST(RecentFiles, ACountAboveFourFromAHandEditedFileNeverWritesPastTheList) {
    Settings settings = withRecent({"C:\\1", "C:\\2", "C:\\3", "C:\\4"});
    settings.recentCount = 9;
    pushRecentFile(settings, "C:\\5");
    EXPECT_EQ(settings.recentCount, 4);
    EXPECT_EQ(recentOf(settings), (std::vector<std::string>{"C:\\5", "C:\\1", "C:\\2", "C:\\3"}));
}

TEST(RecentFiles, MenuItemsNumberTheFileNamesWithoutFolders) {
    Settings settings = withRecent({"C:\\Web\\index.html", "D:\\a b\\style.css", "notes.txt"});
    EXPECT_EQ(recentFileItems(settings),
              (std::vector<std::string>{"&1  index.html", "&2  style.css", "&3  notes.txt"}));

    settings.recentFiles[1].clear();  // the menu stops at the first empty entry
    EXPECT_EQ(recentFileItems(settings), (std::vector<std::string>{"&1  index.html"}));
    EXPECT_TRUE(recentFileItems(Settings{}).empty());
}

TEST(RecentFiles, PathPartsAndComparison) {
    const struct {
        const char *path, *folder, *name, *stem;
    } cases[] = {
        {"C:\\Web\\archive.tar.gz", "C:\\Web\\", "archive.tar.gz", "archive.tar"},
        {"C:\\Web.d\\README", "C:\\Web.d\\", "README", "README"},
        {"C:\\Web\\.htaccess", "C:\\Web\\", ".htaccess", ".htaccess"},
        {"page.htm", "", "page.htm", "page"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(folderOf(c.path), c.folder) << c.path;
        EXPECT_EQ(fileNameOf(c.path), c.name) << c.path;
        EXPECT_EQ(fileStemOf(c.path), c.stem) << c.path;
    }
    EXPECT_TRUE(samePath("C:\\\xC9t\xE9.html", "c:\\\xE9T\xC9.HTML"));  // accented letters of code page 1252
    EXPECT_FALSE(samePath("C:\\\xD7", "C:\\\xF7"));  // multiplication and division signs are no letter pair
}

}  // namespace
}  // namespace tess
