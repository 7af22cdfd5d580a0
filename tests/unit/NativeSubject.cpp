// The editor subject natively: keys handed to the editor's rules as the control receives them (press, the character its
// translation gives, release), commands and Ctrl+letter through the dispatch.
#include "EditorSubject.h"
#include "TestContext.h"
#include "app/Close.h"
#include "document/DiskChanges.h"
#include "document/Documents.h"
#include "editor/KeyHandling.h"
#include "editor/LineCommands.h"


namespace tess::test {
namespace {

class NativeSubject : public EditorSubject {
public:
    // The in-memory control's font: 8 pixels a character, 16 a line, 20 lines in view.
    NativeSubject() { t.edit.font = {InMemoryEditControl::kCharWidth, InMemoryEditControl::kLineHeight, 20}; }
    void set(std::string_view text) override {
        setMarked(t.editor, text);  // setting the text empties the undo step
        t.editor.setModified(false);
        t.edit.bookmarks.clear();
        t.desktop.boxes.clear();
        keys_ = EditorKeys{};
        keys_.leftButtonReleased(t.ctx);
    }
    std::string marked() override {
        const Selection s = t.editor.selection();
        return markSelection(t.editor.text(), s.start, s.end);
    }
    void click(int position) override {
        t.editor.setSelection(position, position);
        keys_.leftButtonReleased(t.ctx);
    }
    void command(int id) override { runCommand(t.ctx, id); }
    void activate() override { checkFileOnDisk(t.ctx); }  // as the window does once activation is over
    void drop(const std::vector<std::string>& paths) override { openDroppedFiles(t.ctx, paths); }
    std::vector<std::string> status() override {
        return {t.view.statusPath, t.view.statusLine, t.view.statusColumn, std::string(encodingName(t.view.encoding))};
    }
    std::vector<std::string> checkedEncodings() override { return {std::string(encodingName(t.view.encoding))}; }
    std::string gutterText() override { return t.view.gutterText; }
    std::vector<std::string> recentItems() override { return t.view.recentItems; }
    bool close() override { return closeMainWindow(t.ctx); }
    bool laidOut() override { return t.view.layouts > layoutsBefore_; }
    std::int32_t editorBackground() override { return t.view.repaints ? t.app.settings.backgroundColor : 0xFFFFFF; }
    FakeDesktop& desktop() override { return t.desktop; }
    FakePrinters& printers() override { return t.printers; }

private:
    SearchContext context() override { return t.ctx; }
    // Menus, context menu and toolbar as the core lays them out for the window.
    int commandOf(std::string_view where, std::string_view text) override {
        std::vector<MenuItem> items = where == "context" ? contextMenu() : std::vector<MenuItem>{};
        for (const Menu& menu : menuBar(t.app.settings))
            if (menu.title == where) items = menu.items;
        for (const Command& c : commandTable())
            if (where == "tip" && c.button.id && c.button.tooltip == text) return c.button.id;
        for (const MenuItem& item : items)
            if ((item.popup.empty() ? "" : item.popup + '>') + item.text == text) return item.command;
        return 0;
    }
    std::vector<std::string> playing(DialogSteps steps, const std::function<void()>& act) override {
        std::vector<std::string> seen;
        t.view.dialogs = [&](const DialogLayout& layout, DialogModel& model) { return playDialog(layout, model, steps, seen); };
        layoutsBefore_ = t.view.layouts;
        act();
        t.view.dialogs = nullptr;
        if (!steps.empty()) seen.emplace_back("closed early");
        return seen;
    }
    // The accelerator table has the key first, as the program's loop offers it; no other Ctrl+letter does anything.
    void stroke(const Stroke& s) override {
        const int code = s.name.size() == 1 ? s.name[0] : s.name == "F2" ? kKeyF2 : s.name == "F3" ? kKeyF3 : 0;
        for (const Command& c : commandTable()) {
            const Shortcut& k = c.key;
            if (code && k.code == code && !k.elsewhere && k.control == s.control && k.shift == s.shift && k.alt == s.alt) {
                runCommand(t.ctx, c.id);
                return;
            }
        }
        if (s.control && s.name.size() == 1) return;
        if (s.alt && s.name == "Back") return undoEdit(t.ctx);  // the control's own undo key, routed to Undo
        static const std::map<std::string, Key> named{
            {"Enter", Key::Enter}, {"Tab", Key::Tab},   {"Up", Key::Up},     {"Down", Key::Down},
            {"Left", Key::Left},   {"Right", Key::Right}, {"Home", Key::Home}, {"End", Key::End},
            {"Del", Key::Delete}, {"PgUp", Key::PageUp}, {"PgDn", Key::PageDown}, {"Ins", Key::Insert}};
        const auto found = named.find(s.name);
        const Key key = found != named.end() ? found->second : Key::Other;
        for (int p = 0; p < s.presses; ++p) {
            keys_.keyPressed(t.ctx, key, s.shift, [&] { controlKey(s); }, p > 0);
            if (const char16_t c = character(s)) keys_.charTyped(t.ctx, c, [&] { t.editor.typeChar(c); });
        }
        if (!s.held) keys_.keyReleased(t.ctx, key, s.shift, [] {});
    }
    // The character a key's translation delivers: Ctrl+Enter gives LF, Backspace gives BS.
    static char16_t character(const Stroke& s) {
        if (s.name.empty()) return s.typed;
        if (s.name == "Enter") return s.control ? u'\n' : u'\r';
        return s.name == "Tab" ? u'\t' : s.name == "Back" ? u'\b' : 0;
    }
    // What the control does by itself with a key press that reaches it.
    void controlKey(const Stroke& s) {
        InMemoryEditControl& e = t.editor;
        const int caret = e.caret();
        const int lineStart = e.lineIndex(e.lineFromChar(caret));
        int to = -1;
        if (s.name == "Up" || s.name == "Down") e.moveCaretLines(s.name == "Up" ? -1 : 1);
        else if (s.name == "PgUp" || s.name == "PgDn") e.moveCaretPage(s.name == "PgUp" ? -1 : 1);
        else if (s.name == "Del") s.shift ? e.cut() : e.pressDelete();  // Shift+Delete is the control's cut
        else if (s.name == "Home") to = lineStart;
        else if (s.name == "End") to = lineStart + e.lineLength(caret);
        else if (s.name == "Left" || s.name == "Right") to = e.stepped(caret, s.name == "Left" ? -1 : 1);
        else if (s.name == "Ins" && s.shift) e.paste();
        const Selection now = e.selection();  // with Shift, the end the caret is not at stays
        if (to >= 0) e.setSelection(s.shift ? (now.start == caret ? now.end : now.start) : to, to);
    }

    TestContext t;
    EditorKeys keys_;
    int layoutsBefore_ = 0;
};

}  // namespace

std::unique_ptr<EditorSubject> makeEditorSubject() { return std::make_unique<NativeSubject>(); }

}  // namespace tess::test
