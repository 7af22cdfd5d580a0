// The rules behind the tag window and the preview that no editor shows.
#include "DialogScript.h"
#include "dialogs/TagList.h"
#include "document/RunBrowser.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

// 43 entries in the table's order; "..." marks the caret and is never inserted.
TEST(TagList, EntriesInsertWithTheCaretAtTheDots) {
    const auto entries = tagListEntries();
    ASSERT_EQ(entries.size(), 43u);
    for (const auto& entry : entries) EXPECT_EQ(tagInsertion(entry).text.find('.'), std::string::npos) << entry;
    EXPECT_EQ(tagInsertion("<p>...</p>"), (TagInsertion{"<p></p>", 3}));
    EXPECT_EQ(tagInsertion("<br />"), (TagInsertion{"<br />", 0}));
    EXPECT_GT(tagListLayout({.clientHeight = 100}).height, 0);  // a main window too low for the list still gets one
    // A pick only selects, Esc does nothing; Enter inserts what is picked, and nothing when nothing is.
    using S = test::DialogStep;
    std::vector<std::string> inserted, seen;
    TagListModel model([&](const TagInsertion& tag) { inserted.push_back(tag.text); });
    test::DialogSteps steps{{S::Enter}, {S::Pick, kTagListId, "<p>...</p>"}, {S::Esc}, {S::Enter}};
    test::playDialog(tagListLayout({}), model, steps, seen);
    EXPECT_EQ(inserted, std::vector<std::string>{"<p></p>"});
}

// The base goes after a doctype (before it, a browser renders in quirks mode) and is left out where the page has its
// own or the document no folder; the folder becomes a URL that a browser reads back as the same folder.
TEST(RunBrowser, ThePreviewResolvesThePagesLinksFromItsOwnFolder) {
    const struct { const char *text, *file, *preview; } rows[] = {
        {" <!DOCTYPE html>\r\n<p>", "D:\\w#1\\a.htm", " <!DOCTYPE html><base href=\"file:///D:/w%231/\">\r\n<p>"},
        {"", "\\\\srv\\pages\\a.html", "<base href=\"file://srv/pages/\">"},
        {"", "C:\\a&lt;b\\a.htm", "<base href=\"file:///C:/a&amp;lt;b/\">"},  // read back as a&lt;b, not a<b
        {"<p>", "", "<p>"}, {"<p>", "a.html", "<p>"}, {"<BASE href=\"/\">", "C:\\a.html", "<BASE href=\"/\">"}};
    for (const auto& r : rows) EXPECT_EQ(previewText(utf16(r.text), r.file), utf16(r.preview)) << r.file;
    EXPECT_EQ(browserCommandLine("\"C:\\B\\b.exe\"  ", "C:\\r.htm"), "\"C:\\B\\b.exe\" \"C:\\r.htm\"");  // quoted once
}

}  // namespace
}  // namespace tess
