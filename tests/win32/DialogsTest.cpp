// What only the real dialogs show, opened from their menu commands: the rules every dialog built from a table keeps;
// the About box's pointer, links and every way of closing it.
#include "DialogPlayer.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

namespace tess::test {
namespace {

using Texts = std::vector<std::string>;

// In the 8-point dialog font, with a fixed frame and a close box, owned by the main window and keeping it disabled.
// Every label fits its control, beside the box of a check box or radio button. What takes a click, a tick, text or a
// pick lies inside the client area and overlaps nothing else that does; Tab visits it in the order of creation (a run
// of radio buttons as one stop); button 1, which Enter presses, shows so.
void expectUsable(HWND box, HWND main) {
    SCOPED_TRACE(windowText(box));
    LOGFONTA font{};
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(box, WM_GETFONT, 0, 0)), sizeof font, &font);
    const win32::WindowDc screen(nullptr);
    const LONG frame = ::GetWindowLongA(box, GWL_STYLE) & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    EXPECT_EQ(std::tuple(std::string(font.lfFaceName), font.lfHeight, frame, ::GetWindow(box, GW_OWNER),
                         ::IsWindowEnabled(main)),
              std::tuple(std::string("MS Sans Serif"), -::MulDiv(8, ::GetDeviceCaps(screen.get(), LOGPIXELSY), 72),
                         LONG{WS_SYSMENU}, main, FALSE));
    RECT client{};
    ::GetClientRect(box, &client);
    std::vector<RECT> taken;
    std::vector<HWND> stops;
    std::map<HWND, HWND> stopOf;
    HWND run = nullptr;  // the first radio button of the run going on
    for (HWND c = ::GetWindow(box, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        char name[16] = {};
        ::GetClassNameA(c, name, sizeof name);
        const LONG kind = ::GetWindowLongA(c, GWL_STYLE) & 0xF, id = ::GetDlgCtrlID(c);
        const bool label = !::lstrcmpiA(name, "Static"), button = !::lstrcmpiA(name, "Button");
        const bool radio = button && kind == BS_AUTORADIOBUTTON;
        run = radio ? (run ? run : c) : nullptr;
        RECT r{}, need{}, overlap{};
        ::GetClientRect(c, &r), r.right -= radio || kind == BS_AUTOCHECKBOX ? ::GetSystemMetrics(SM_CXMENUCHECK) : 0;
        const std::wstring text(win32::wide(windowText(c)));
        const win32::WindowDc dc(c);
        ::SelectObject(dc.get(), reinterpret_cast<HFONT>(::SendMessageW(c, WM_GETFONT, 0, 0)));
        need.right = r.right, ::DrawTextW(dc.get(), text.c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK);
        const bool fits = text.empty() || (need.right <= r.right && need.bottom <= r.bottom);
        EXPECT_TRUE(fits || !(label || button)) << windowText(c);  // the text of an edit box or a list may run on
        if (label || (button && kind == BS_GROUPBOX)) continue;
        ::GetWindowRect(c, &r), ::MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom) << id;
        for (const RECT& other : taken) EXPECT_FALSE(::IntersectRect(&overlap, &r, &other)) << id;
        EXPECT_TRUE(id != IDOK || kind == BS_DEFPUSHBUTTON);
        taken.push_back(r);
        if (radio && run != c) stopOf[c] = run;
        else stops.push_back(stopOf[c] = c);
    }
    std::vector<HWND> tabbed;
    const HWND first = ::GetNextDlgTabItem(box, nullptr, FALSE);
    for (HWND c = first; tabbed.size() < stops.size() && (tabbed.empty() || c != first); c = ::GetNextDlgTabItem(box, c, FALSE))
        tabbed.push_back(stopOf[c]);
    EXPECT_EQ(tabbed, stops);
}

TEST(TableDialogs, KeepTheLayoutAndKeyboardRules) {
    TestWindow<> shell;
    for (const int command : {IDM_FIND, IDM_REPLACE, IDM_PREFERENCES, IDM_ABOUT, IDM_GOTOLINE}) {
        DialogPlayer player({});
        player.inspect = [&](HWND box) { expectUsable(box, shell.hwnd()); };
        shell.command(command);
        EXPECT_EQ(player.seen().size(), 2u) << command;  // its title, and "left open"
        EXPECT_TRUE(::IsWindowEnabled(shell.hwnd()));
    }
}

// The numbers of the version resource the program shares with these tests, "1.2.3": what the packages are named by.
std::string resourceVersion() {
    const HRSRC found = ::FindResourceW(nullptr, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    const auto* bytes = found ? static_cast<const BYTE*>(::LockResource(::LoadResource(nullptr, found))) : nullptr;
    for (DWORD at = 0; bytes && at + sizeof(VS_FIXEDFILEINFO) <= ::SizeofResource(nullptr, found); at += 4)
        if (const auto* info = reinterpret_cast<const VS_FIXEDFILEINFO*>(bytes + at); info->dwSignature == VS_FFI_SIGNATURE)
            return std::to_string(HIWORD(info->dwFileVersionMS)) + "." + std::to_string(LOWORD(info->dwFileVersionMS)) +
                   "." + std::to_string(HIWORD(info->dwFileVersionLS));
    return "none";
}

TEST(AboutBox, PointerLinksAndEveryWayOfClosing) {
    TestWindow<> shell;
    const auto check = [&](HWND box) {
        char version[200] = {};
        ::GetDlgItemTextA(box, 9903, version, sizeof version);  // the version the packages are named by
        EXPECT_EQ(std::string(version), "Version " + resourceVersion() + " - Free distribution\r\nby Orvalle\r\n\r\n");
        for (const auto& [id, cursor] : {std::pair{9903, IDC_ARROW}, {9904, IDC_HAND}, {9905, IDC_HAND}}) {
            const HWND c = ::GetDlgItem(box, id);
            ::SetCursor(nullptr), ::SendMessageA(c, WM_SETCURSOR, reinterpret_cast<WPARAM>(c), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, cursor)) << id;
            ::PostMessageA(c, WM_LBUTTONDOWN, MK_LBUTTON, 0);  // a click
        }
    };
    // Each way of closing; the links clicked while the box is open count once each.
    for (const DialogStep::Kind close : {DialogStep::Enter, DialogStep::Esc, DialogStep::CloseBox}) {
        DialogPlayer player(DialogSteps{{close}});
        if (close == DialogStep::Enter) player.inspect = check;
        shell.command(IDM_ABOUT);
        EXPECT_EQ(player.seen(), Texts{"About Tessaline"});
    }
    EXPECT_EQ(shell.desktop.shellOpened, (std::vector<std::pair<std::string, ShowAs>>{
        {"mailto:tessaline@orvalle.example?", ShowAs::Normal}, {"https://orvalle.example/tessaline", ShowAs::Maximized}}));
}

}  // namespace
}  // namespace tess::test
