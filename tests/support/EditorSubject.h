#pragma once
// One editor as a user meets it, for behaviour tables written once and run twice: natively on the core over the
// in-memory control, under Wine on the real main window with every key routed through the program's own loop.
#include "DialogScript.h"
#include "FakeDesktop.h"
#include "FakePrinter.h"
#include "MarkedText.h"
#include "resources/resource.h"
#include "search/FindState.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace tess::test {

// A key script: characters are typed with the key that makes them (beyond the first plane, as two character messages);
// "{Name}" is a named key, "S-", "C-" or "A-" before it for Shift, Ctrl or Alt held ("{C-V}", "{S-Tab}"), ":n" after it
// for n auto-repeated presses before the release ("{Enter:3}", "{Tab:0}" a release alone), a last "+" for a key left
// down for release later ("{S-Tab+}x{Tab:0}": Shift let go before Tab, an x typed while Tab is down). Names: Enter,
// Tab, Up, Down, Left, Right, Home, End, Del, Back, Ins, Esc, PgUp, PgDn, F2, F3, a letter (C-: its accelerator).
struct Stroke { std::string name; char16_t typed = 0; bool shift = false, control = false, alt = false, held = false; int presses = 1; };

class EditorSubject {
public:
    virtual ~EditorSubject() = default;
    virtual void set(std::string_view marked) = 0;  // as after a click; no goal column, bookmarks, changes, undo, boxes
    virtual std::string marked() = 0;
    virtual void click(int position) = 0;  // the caret put there as a left click puts it
    void keys(std::string_view script) {
        const std::u16string units = utf16(script);
        for (std::size_t i = 0; i < units.size(); ++i) {
            const std::size_t end = units[i] == u'{' ? units.find(u'}', i) : std::u16string::npos;
            if (end == std::u16string::npos) stroke({.typed = units[i]});
            else stroke(namedKey(utf8(units.substr(i + 1, end - i - 1)))), i = end;
        }
    }
    virtual void command(int id) = 0;  // as the menus send it
    // A command that opens dialogs and what the user does in them (DialogScript.h): what was seen.
    virtual std::vector<std::string> dialog(int id, DialogSteps steps) {
        return playing(std::move(steps), [&] { command(id); });
    }
    // A command reached as the user reaches it, each dialog closed at once (what was seen): a key script ("{S-F2}"), a
    // menu item by its menu (and submenu) and whole text ("Search>&Prev bookmark\tShft+F2", "File>Encoding>ANSI"), an
    // item of the context menu ("context>Delete line"), a button by its tip ("tip>Cut text"). A missing route fails.
    std::vector<std::string> use(std::string_view route) {
        if (route.starts_with('{')) return playing({}, [&] { keys(route); });
        const std::string_view where = route.substr(0, route.find('>'));
        if (const int id = commandOf(where, route.substr(where.size() + 1))) return playing({}, [&] { command(id); });
        ADD_FAILURE() << "nothing to choose as " << route;
        return {};
    }
    // The main window active again (after another program), and files dropped on it in the shell's order.
    virtual void activate() = 0;
    virtual void drop(const std::vector<std::string>& paths) = 0;
    virtual std::vector<std::string> status() = 0;            // path, " " + line, " " + column, encoding
    virtual std::vector<std::string> checkedEncodings() = 0;  // the texts of File>Encoding's checked items
    virtual std::string gutterText() = 0;
    std::vector<std::string> gutterRows() {  // without their padding ("1", ">2", ...)
        std::vector<std::string> rows;
        const std::string text = gutterText();
        for (std::size_t from = 0, to = 0; from < text.size(); from = to + 2) {
            to = std::min(text.find("\r\n", from), text.size());
            const std::string row = text.substr(from, to - from);
            rows.push_back(row.substr(std::min(row.find_first_not_of(' '), row.size())));
        }
        return rows;
    }
    bool modified() { return editor().modified(); }
    virtual std::vector<std::string> recentItems() = 0;  // the File menu's, as shown ("&1  index.html", ...)
    virtual bool close() = 0;    // as any close request does; true when it closed (the subject is then spent)
    virtual bool laidOut() = 0;  // by the last dialog()
    virtual std::int32_t editorBackground() = 0;

    App& app() { return context().app; }
    EditorState& edit() { return context().edit; }
    FindState& find() { return context().find; }
    virtual FakeDesktop& desktop() = 0;
    virtual FakePrinters& printers() = 0;
    EditControl& editor() { return context().editor; }  // for what a row sets or reads beyond the user's view
    void caretAt(int line, int column) {                // from 1, as a click puts it
        const std::u16string text = parseMarked(marked()).text;
        std::size_t pos = 0;
        for (int l = 1; l < line; ++l) pos = text.find(u"\r\n", pos) + 2;
        click(static_cast<int>(pos) + column - 1);
    }
    void bookmark(const std::vector<int>& lines) {  // through the Set bookmark command
        for (const int line : lines) caretAt(line, 1), command(IDM_SETBOOKMARK);
    }

protected:
    virtual SearchContext context() = 0;
    virtual void stroke(const Stroke& s) = 0;
    // The command a menu item ("where": its menu, "context" or "tip") or toolbar button sends; 0: none.
    virtual int commandOf(std::string_view where, std::string_view text) = 0;
    // What the dialogs that act opens showed, played with the steps.
    virtual std::vector<std::string> playing(DialogSteps steps, const std::function<void()>& act) = 0;

private:
    static Stroke namedKey(std::string name) {  // the name between the braces
        Stroke stroke;
        for (;; name.erase(0, 2)) {
            if (name.starts_with("S-")) stroke.shift = true;
            else if (name.starts_with("C-")) stroke.control = true;
            else if (name.starts_with("A-")) stroke.alt = true;
            else break;
        }
        if (name.ends_with('+')) stroke.held = true, name.pop_back();
        const std::size_t colon = name.find(':');
        if (colon != std::string::npos) stroke.presses = std::stoi(name.substr(colon + 1));
        stroke.name = name.substr(0, colon);
        return stroke;
    }
};

std::unique_ptr<EditorSubject> makeEditorSubject();  // in each test executable: NativeSubject.cpp, WindowSubject.cpp

}  // namespace tess::test
