#include "app/Commands.h"

#include "dialogs/About.h"
#include "dialogs/Preferences.h"
#include "document/DiskChanges.h"
#include "document/Documents.h"
#include "document/RecentFiles.h"
#include "document/RunBrowser.h"
#include "editor/Bookmarks.h"
#include "editor/Fragments.h"
#include "editor/LineCommands.h"
#include "print/Pagination.h"
#include "search/FindDialog.h"
#include "search/GoToLine.h"
#include "state/MainView.h"

namespace tess {

namespace {

using enum MenuName;
constexpr int kKeyF1 = 0x70;
constexpr Shortcut ctrl(int code) { return {code, true}; }
constexpr Shortcut shift(int code) { return {code, false, true}; }
constexpr bool kGap = true;

// Each command's function takes the context of its own layer; the table calls it with the whole one.
template <auto run>
void call(CommandContext& ctx) {
    run(ctx);
}

// In menu order, which is also the toolbar's order. Replace shows no key text: Ctrl+R belongs to Run
// browser. Ctrl+C is the edit control's own key and Alt+F4 the system's: the menus name them, the
// accelerator table leaves them out.
constexpr Command kCommands[] = {
    {IDM_NEW, File, "&New", ctrl('N'), {IDT_NEW, "Inew16", "New file"}, call<newDocument>},
    {IDM_OPEN, File, "&Open", ctrl('O'), {IDT_OPEN, "Iopen16", "Open file"}, call<openDocument>},
    {IDM_SAVE, File, "&Save", ctrl('S'), {IDT_SAVE, "Isave16", "Save file"}, call<saveDocumentCommand>},
    {IDM_SAVEAS, File, "Save&As", {}, {}, [](CommandContext& c) { saveDocumentAs(c); }},
    {0, File},
    {IDM_PRINT, File, "&Print", ctrl('P'), {IDT_PRINT, "Iprint16", "Print file"}, call<printCurrentFile>},
    {IDM_EXIT, File, "E&xit", {.code = kKeyF4, .alt = true, .elsewhere = true}, {},
     [](CommandContext& c) { c.view.requestClose(); }},
    {0, File},
    {IDM_RECENT1, File, {}, {}, {}, [](CommandContext& c) { openRecentFile(c, 1); }},
    {IDM_RECENT2, File, {}, {}, {}, [](CommandContext& c) { openRecentFile(c, 2); }},
    {IDM_RECENT3, File, {}, {}, {}, [](CommandContext& c) { openRecentFile(c, 3); }},
    {IDM_RECENT4, File, {}, {}, {}, [](CommandContext& c) { openRecentFile(c, 4); }},
    {IDM_ENCODING_ANSI, File, "ANSI", {}, {}, [](CommandContext& c) { chooseEncoding(c, Encoding::Ansi); }, "Encoding"},
    {IDM_ENCODING_UTF8, File, "UTF-8", {}, {}, [](CommandContext& c) { chooseEncoding(c, Encoding::Utf8); },
     "Encoding"},
    {IDM_ENCODING_UTF8BOM, File, "UTF-8 with BOM", {}, {},
     [](CommandContext& c) { chooseEncoding(c, Encoding::Utf8Bom); }, "Encoding"},
    {IDM_ENCODING_UTF16LE, File, "UTF-16 LE", {}, {}, [](CommandContext& c) { chooseEncoding(c, Encoding::Utf16Le); },
     "Encoding"},
    {IDM_ENCODING_UTF16BE, File, "UTF-16 BE", {}, {}, [](CommandContext& c) { chooseEncoding(c, Encoding::Utf16Be); },
     "Encoding"},
    {IDM_UNDO, Edit, "&Undo", ctrl('Z'), {}, call<undoEdit>},
    {IDM_SELECTALL, Edit, "&Select all", ctrl('A'), {}, call<selectAll>},
    {IDM_CUT, Edit, "Cu&t", ctrl('X'), {IDT_CUT, "Icut16", "Cut text", kGap}, call<cutSelection>},
    {IDM_COPY, Edit, "&Copy", {.code = 'C', .control = true, .elsewhere = true}, {IDT_COPY, "Icopy16", "Copy text"},
     call<copySelection>},
    {IDM_PASTE, Edit, "&Paste", ctrl('V'), {IDT_PASTE, "Ipaste16", "Paste text"}, call<pasteClipboard>},
    {IDM_YANKLINE, Edit, "&Yank line", ctrl('Y'), {}, call<yankLine>},
    {0, Edit},
    {IDM_WORDWRAP, Edit, "&WordWrap", {}, {}, [](CommandContext& c) { c.view.toggleWordWrap(); }},
    {IDM_PREFERENCES, Edit, "&Preferences", {}, {}, call<showPreferences>},
    {IDM_FIND, Search, "&Find", ctrl('F'), {IDT_FIND, "Ifind16", "Find text", kGap},
     [](CommandContext& c) { runFind(c, FindMode::Find); }},
    {IDM_FINDNEXT, Search, "Find &Next", {kKeyF3}, {}, [](CommandContext& c) { runFind(c, FindMode::FindNext); }},
    {IDM_FINDPREV, Search, "Find &Previous", shift(kKeyF3), {},
     [](CommandContext& c) { runFind(c, FindMode::FindPrevious); }},
    {IDM_REPLACE, Search, "&Replace", {}, {IDT_REPLACE, "IfindRepl16", "Find + replace text"},
     [](CommandContext& c) { runFind(c, FindMode::Replace); }},
    {0, Search},
    {IDM_SETBOOKMARK, Search, "&Set bookmark", ctrl(kKeyF2), {IDT_SETBOOKMARK, "IbkMark16", "Set bookmark", kGap},
     call<setBookmark>},
    {IDM_NEXTBOOKMARK, Search, "Next &bookmark", {kKeyF2}, {IDT_NEXTBOOKMARK, "IbkMarkGo16", "Next bookmark"},
     call<goToNextBookmark>},
    {IDM_PREVBOOKMARK, Search, "&Prev bookmark", shift(kKeyF2), {}, call<goToPreviousBookmark>},
    {IDM_CLEARBOOKMARKS, Search, "&Clear bookmarks", {kKeyF2, true, true}, {}, call<clearBookmarks>},
    {IDM_GOTOLINE, Search, "&Go to line...", ctrl('G'), {}, call<goToLine>},
    {IDM_HTMLSCRIPT, Commands, "Begin &html script", {}, {}, call<insertHtmlSkeleton>},
    {IDM_JSHEADER, Commands, "Java script header", {}, {}, call<insertScriptElement>},
    {IDM_ADDCOMMENT, Commands, "Add comment", {}, {}, call<insertComment>},
    {IDM_HTMLTAGS, Commands, "Common html tags", {}, {}, [](CommandContext& c) { c.view.showTagList(); }},
    {0, Commands},
    {IDM_RUNBROWSER, Commands, "Run browser", ctrl('R'), {IDT_RUNBROWSER, "Iexecute16", "run browser", kGap},
     call<runInBrowser>},
    {IDM_HELPCONTENT, Help, "&Content", {}, {}, [](CommandContext& c) { c.view.showHelp(); }},
    {IDM_ABOUT, Help, "&About", {}, {}, call<showAbout>},
    // Only in the context menu.
    {IDM_COPYLINE, None, {}, {}, {}, call<copyLine>},
    {IDM_PASTELINE, None, {}, {}, {}, call<pasteLine>},
};

// The context menu names some of its commands in words of its own.
const MenuItem kContextMenu[] = {{"Set Bookmark", IDM_SETBOOKMARK}, {"Java script header", IDM_JSHEADER},
                                 {"Add comment", IDM_ADDCOMMENT},   {"Common html tags", IDM_HTMLTAGS},
                                 {},                                {"Copy line", IDM_COPYLINE},
                                 {"Paste line", IDM_PASTELINE},     {"Delete line", IDM_YANKLINE}};

bool answersTo(const Command& c, int id) { return id != 0 && (c.id == id || c.button.id == id); }

// The key as the menus name it: "Ctrl+Shft+F2".
std::string keyText(const Shortcut& key) {
    std::string text = key.control ? "Ctrl+" : "";
    if (key.shift) text += "Shft+";
    if (key.alt) text += "ALT+";
    if (key.code >= kKeyF1 && key.code < kKeyF1 + 12) return text + 'F' + std::to_string(key.code - kKeyF1 + 1);
    return text + static_cast<char>(key.code);
}

}  // namespace

std::span<const Command> commandTable() { return kCommands; }

std::vector<Menu> menuBar(const Settings& settings) {
    std::vector<Menu> bar{{"File", {}}, {"Edit", {}}, {"Search", {}}, {"Commands", {}}, {"Help", {}}};
    const std::vector<std::string> recent = recentFileItems(settings);
    std::size_t nextRecent = 0;
    for (const Command& c : kCommands) {
        if (c.menu == None) continue;
        auto& items = bar[static_cast<std::size_t>(c.menu) - 1].items;
        if (c.id == 0) items.emplace_back();
        else if (!c.recentFileEntry())
            items.push_back({std::string(c.text) + (c.key.code ? '\t' + keyText(c.key) : ""), c.id, std::string(c.popup)});
        else if (nextRecent < recent.size()) items.push_back({recent[nextRecent++], c.id});
    }
    return bar;
}

std::vector<MenuItem> contextMenu() { return {std::begin(kContextMenu), std::end(kContextMenu)}; }

std::string_view toolbarTooltip(int id) {
    for (const Command& c : kCommands)
        if (id != 0 && c.button.id == id) return c.button.tooltip;
    return {};
}

bool runCommand(CommandContext& ctx, int id) {
    for (const Command& c : kCommands) {
        if (c.run && answersTo(c, id)) {
            const DiskQuestionsWait wait(ctx.app);
            c.run(ctx);
            return true;
        }
    }
    return false;
}

}  // namespace tess
