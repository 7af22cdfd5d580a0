// Each key is posted as the keyboard driver posts it, the shift state in the keyboard state, and pumped through the
// program's own loop: accelerators and characters come as for a user.
#include "DialogPlayer.h"
#include "EditorSubject.h"

#include <shlobj.h>

namespace tess::test {
namespace {

const std::map<std::string, UINT> kNamedKeys{
    {"Enter", VK_RETURN}, {"Tab", VK_TAB}, {"Up", VK_UP}, {"Down", VK_DOWN}, {"Left", VK_LEFT}, {"Right", VK_RIGHT},
    {"Home", VK_HOME}, {"End", VK_END}, {"Del", VK_DELETE}, {"Back", VK_BACK}, {"Ins", VK_INSERT}, {"Esc", VK_ESCAPE},
    {"PgUp", VK_PRIOR}, {"PgDn", VK_NEXT}, {"F2", VK_F2}, {"F3", VK_F3}};

LPARAM keyData(UINT vk, DWORD released, DWORD wasDown, DWORD alt) {  // the flags 0 or 1
    const DWORD scan = ::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC) & 0xFF, previous = wasDown | released;
    const DWORD extended = (vk >= VK_PRIOR && vk <= VK_DOWN) || vk == VK_INSERT || vk == VK_DELETE;
    return static_cast<LPARAM>(1 | scan << 16 | extended << 24 | alt << 29 | previous << 30 | released << 31);
}

void holdModifiers(bool shift, bool control, bool alt) {
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    state[VK_SHIFT] = state[VK_LSHIFT] = shift ? 0x80 : 0;
    state[VK_CONTROL] = state[VK_LCONTROL] = control ? 0x80 : 0;
    state[VK_MENU] = state[VK_LMENU] = alt ? 0x80 : 0;
    ::SetKeyboardState(state);
}

class WindowSubject : public EditorSubject {
public:
    WindowSubject() { EXPECT_TRUE(shell.created); }

    void set(std::string_view marked) override {
        const MarkedText m = parseMarked(marked);
        ::SetWindowTextW(editHwnd(), win32::wide(m.text).c_str());
        ::SendMessageA(editHwnd(), EM_SETSEL, static_cast<WPARAM>(m.anchor), m.caret);
        ::SendMessageA(editHwnd(), EM_SETMODIFY, FALSE, 0);
        ::SendMessageA(editHwnd(), WM_LBUTTONUP, 0, 0);
        shell.pump();
        edit().bookmarks.clear();
        shell.desktop.boxes.clear();
    }
    std::string marked() override {
        DWORD start = 0, end = 0;
        ::SendMessageA(editHwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return markSelection(utf16(windowText(editHwnd())), static_cast<int>(start), static_cast<int>(end));
    }
    void click(int position) override {
        ::SendMessageA(editHwnd(), EM_SETSEL, position, position);
        ::SendMessageA(editHwnd(), WM_LBUTTONUP, 0, 0);
    }
    void command(int id) override { shell.command(id); }
    // A layout (as after Options) gives the gutter its width back.
    std::vector<std::string> dialog(int id, DialogSteps steps) override {
        ::SetWindowPos(shell.window.gutterHwnd(), nullptr, 0, 0, 1, 1, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return EditorSubject::dialog(id, std::move(steps));
    }
    // Activated from another program's window, which the message does not name.
    void activate() override { ::SendMessageW(shell.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0), shell.pump(); }
    // The shell's hand-over: wide names one after another, an empty one last, in memory the program frees.
    void drop(const std::vector<std::string>& paths) override {
        std::wstring names;
        for (const std::string& path : paths) names += win32::wide(path) + L'\0';
        const HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + (names.size() + 1) * sizeof(wchar_t));
        auto* files = static_cast<DROPFILES*>(::GlobalLock(memory));
        files->pFiles = sizeof(DROPFILES), files->fWide = TRUE, std::ranges::copy(names, reinterpret_cast<wchar_t*>(files + 1));
        ::GlobalUnlock(memory), ::PostMessageW(shell.hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0), shell.pump();
    }
    std::vector<std::string> status() override {
        std::vector<std::string> parts;
        for (int part = 0; part < 4; ++part) {
            wchar_t buffer[1024] = {};
            ::SendMessageW(shell.window.statusBarHwnd(), SB_GETTEXTW, part, reinterpret_cast<LPARAM>(buffer));
            parts.push_back(win32::narrow(buffer));
        }
        return parts;
    }
    std::vector<std::string> checkedEncodings() override {
        std::vector<std::string> items;
        for (int id = IDM_ENCODING_ANSI; id <= IDM_ENCODING_UTF16BE; ++id)
            if (::GetMenuState(::GetMenu(shell.hwnd()), id, MF_BYCOMMAND) & MF_CHECKED)
                items.emplace_back(encodingName(static_cast<Encoding>(id - IDM_ENCODING_ANSI)));
        return items;
    }
    std::string gutterText() override { return windowText(shell.window.gutterHwnd()); }
    std::vector<std::string> recentItems() override {
        std::vector<std::string> items;
        std::string shape;  // below Exit: "-" a separator, "r" an entry, ">" the Encoding menu
        const HMENU file = ::GetSubMenu(::GetMenu(shell.hwnd()), 0);
        for (int i = 0; i < ::GetMenuItemCount(file); ++i) {
            wchar_t text[MAX_PATH] = {};
            const UINT id = ::GetMenuItemID(file, i);
            if (id >= IDM_RECENT1 && id <= IDM_RECENT4 && ::GetMenuStringW(file, i, text, MAX_PATH, MF_BYPOSITION))
                items.push_back(win32::narrow(text)), shape += 'r';
            else if (!shape.empty() || id == IDM_EXIT)
                shape += ::GetSubMenu(file, i) ? ">" : (::GetMenuState(file, i, MF_BYPOSITION) & MF_SEPARATOR) ? "-" : "x";
        }
        EXPECT_EQ(shape, "x-" + std::string(items.size(), 'r') + (items.empty() ? ">" : "->"));
        return items;
    }
    bool close() override { return ::SendMessageA(shell.hwnd(), WM_CLOSE, 0, 0), shell.window.hwnd() == nullptr; }
    bool laidOut() override { RECT r{}; return ::GetWindowRect(shell.window.gutterHwnd(), &r), r.right - r.left != 1; }
    std::int32_t editorBackground() override {  // what the window gives the editor to paint with
        const win32::UniqueDc dc(::CreateCompatibleDC(nullptr));
        ::SendMessageA(shell.hwnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(editHwnd()));
        return static_cast<std::int32_t>(::GetBkColor(dc.get()));
    }
    FakeDesktop& desktop() override { return shell.desktop; }
    FakePrinters& printers() override { return shell.printers; }

    TestWindow<RealClipboardDesktop> shell;

private:
    HWND editHwnd() const { return shell.window.editorHwnd(); }

    SearchContext context() override { return shell.program.context(); }
    std::vector<std::string> playing(DialogSteps steps, const std::function<void()>& act) override {
        DialogPlayer player(std::move(steps));
        act();
        player.finish();
        return player.seen();
    }
    // From the window's menus, or the toolbar's buttons by their tips as the tooltip control asks: wide, and ANSI too.
    int commandOf(std::string_view where, std::string_view what) override {
        std::string text(what);
        const auto position = [](HMENU menu, std::string_view name) {
            wchar_t item[MAX_PATH] = {};
            for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
                if (::GetMenuStringW(menu, i, item, MAX_PATH, MF_BYPOSITION) && name == win32::narrow(item)) return i;
            return -1;
        };
        const HMENU bar = ::GetMenu(shell.hwnd());
        HMENU menu = where == "context" ? shell.window.contextMenu() : ::GetSubMenu(bar, position(bar, where));
        if (const auto popup = text.find('>'); popup != std::string::npos)  // an item of a submenu
            menu = ::GetSubMenu(menu, position(menu, text.substr(0, popup))), text.erase(0, popup + 1);
        if (const int i = position(menu, text); i >= 0) return static_cast<int>(::GetMenuItemID(menu, i));
        const HWND toolbar = shell.window.toolbarHwnd();
        const auto tips = reinterpret_cast<HWND>(::SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0));
        for (int i = 0; where == "tip" && i < ::SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0); ++i) {
            TBBUTTON button{};
            ::SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
            const auto id = static_cast<UINT_PTR>(button.idCommand);
            NMTTDISPINFOW wide{.hdr = {tips, id, TTN_GETDISPINFOW}};
            NMTTDISPINFOA ansi{.hdr = {tips, id, TTN_GETDISPINFOA}};
            ::SendMessageA(shell.hwnd(), WM_NOTIFY, id, reinterpret_cast<LPARAM>(&wide));
            ::SendMessageA(shell.hwnd(), WM_NOTIFY, id, reinterpret_cast<LPARAM>(&ansi));
            if (wide.lpszText && win32::narrow(wide.lpszText) == text && ansi.lpszText && ansi.lpszText == text)
                return button.idCommand;
        }
        return 0;
    }
    void stroke(const Stroke& s) override {
        // A character no key of the layout gives, as an input method or the character map hands it over: a VK_PACKET
        // key carrying the UTF-16 unit, which TranslateMessage in the program's loop turns into WM_CHAR with that unit.
        if (s.name.empty() && s.typed >= 0x80) {
            const LPARAM data = 1 | (static_cast<LPARAM>(s.typed) << 16);
            post(WM_KEYDOWN, VK_PACKET, data);
            return post(WM_KEYUP, VK_PACKET, data | (LPARAM{3} << 30));
        }
        SHORT scan = s.name.empty() ? ::VkKeyScanW(static_cast<wchar_t>(s.typed)) : 0;
        // Wine under Xvfb finds no key for the parentheses; they are Shift+9 and Shift+0.
        if (scan == -1 && (s.typed == '(' || s.typed == ')')) scan = 0x100 | (s.typed == '(' ? '9' : '0');
        ASSERT_NE(scan, -1) << static_cast<int>(s.typed);
        const UINT vk = s.name.empty() ? LOBYTE(scan) : s.name.size() > 1 ? kNamedKeys.at(s.name) : UINT(s.name[0]);
        holdModifiers(s.shift || (scan & 0x100), s.control, s.alt);
        for (int p = 0; p < s.presses; ++p)
            post(s.alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, keyData(vk, false, p > 0, s.alt));
        if (!s.held) post(s.alt ? WM_SYSKEYUP : WM_KEYUP, vk, keyData(vk, true, true, s.alt));
        holdModifiers(false, false, false);
    }
    void post(UINT message, UINT key, LPARAM data) { ::PostMessageW(editHwnd(), message, key, data), shell.pump(); }
};

}  // namespace

std::unique_ptr<EditorSubject> makeEditorSubject() { return std::make_unique<WindowSubject>(); }
TestWindow<RealClipboardDesktop>& windowOf(EditorSubject& subject) { return static_cast<WindowSubject&>(subject).shell; }

}  // namespace tess::test
