// What only the real dialogs show, opened from their menu commands: the controls as built, lists that open showing
// every entry and take no typing, Enter and Esc leaving the preferences open; the About box's fonts, colours, pointer,
// picture, links and every way of closing it.
#include "DialogAnswerer.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace tess::test {
namespace {

using Texts = std::vector<std::string>;

// Id, text and rectangle in pixels (a drop-down list's height is its font's, so not given); a box's check; a list's
// entries, selection, whether it opens showing them all, whether it takes typing.
std::string seen(HWND c) {
    RECT r{};
    ::GetWindowRect(c, &r), ::MapWindowPoints(nullptr, ::GetParent(c), reinterpret_cast<POINT*>(&r), 2);
    std::string s = std::to_string(static_cast<short>(::GetDlgCtrlID(c))) + " " + windowText(c) + " " + std::to_string(r.left) +
                    "," + std::to_string(r.top) + "," + std::to_string(r.right - r.left);
    char name[16] = {};
    ::GetClassNameA(c, name, sizeof name);
    const LONG style = ::GetWindowLongA(c, GWL_STYLE);
    if (::lstrcmpiA(name, "ComboBox") != 0)
        return s + "," + std::to_string(r.bottom - r.top) + (::lstrcmpiA(name, "Button") || (style & BS_TYPEMASK) != BS_AUTOCHECKBOX
                                                                 ? "" : ::SendMessageA(c, BM_GETCHECK, 0, 0) ? " on" : " off");
    const auto count = ::SendMessageA(c, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char item[64] = {};
        ::SendMessageA(c, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
        s += (i ? " " : " [") + std::string(item);
    }
    COMBOBOXINFO info{.cbSize = sizeof info};
    RECT opened{};
    ::SendMessageA(c, CB_SHOWDROPDOWN, TRUE, 0), ::GetComboBoxInfo(c, &info), ::GetClientRect(info.hwndList, &opened);
    ::SendMessageA(c, CB_SHOWDROPDOWN, FALSE, 0);
    return s + "] " + std::to_string(::SendMessageA(c, CB_GETCURSEL, 0, 0)) +
           (opened.bottom >= count * ::SendMessageA(c, CB_GETITEMHEIGHT, 0, 0) ? " opens whole" : " scrolls") +
           ((style & 3) == CBS_DROPDOWNLIST ? ", no typing" : ", typing");
}

Texts controlsOf(HWND box) {
    Texts all;
    for (HWND c = ::GetWindow(box, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) all.push_back(seen(c));
    return all;
}

TEST(PreferencesDialog, ControlsAsBuiltAndNeitherEnterNorEscClosesIt) {
    TestWindow<> shell;
    Settings& s = shell.app().settings;
    s.showLineNumbers = s.loadLastFile = s.autoCompleteBrackets = 1, s.useLastSize = s.askToQuit = 0;
    const std::string sizes = " [8 9 10 11 12 14] -1 opens whole, no typing";
    const Texts want = {"401 Show line numbers 20,20,200,15 on", "402 Use last dialog size 20,40,200,15 off",
        "403 Load last file at startup 20,60,200,15 on", "404 Ask to quit program 20,80,200,15 off",
        "405 Auto complete brackets 20,100,200,15 on", "-1 Tab spaces 20,125,90,15", "411  120,125,40 [1 2 3 4 6 9] -1 opens whole, no typing",
        "-1 Font size 20,150,90,15", "412  120,150,40" + sizes, "-1 Print font size 20,175,90,15", "413  120,175,40" + sizes,
        "-1 Background color 20,200,90,15", "414  120,200,85 [White OffWhite LightBlue LightGreen LightYellow] -1 opens whole, no typing",
        "-1 Select browser 20,225,90,15", "415  120,225,85 [Internet Explorer Firefox Opera Chrome SlimBrowser] -1 opens whole, no typing",
        "416 &Apply 120,275,70,30"};
    // Box 402 ticked and "9" picked, Enter and Esc pressed, then the close box (nothing changes) or "&Apply" (it was open).
    for (const bool apply : {false, true}) {
        DialogAnswerer answerer({{.act = [&](HWND box) {
            RECT client{};
            ::GetClientRect(box, &client);
            EXPECT_EQ(std::tuple(windowText(box), client.right, client.bottom, ::IsWindowEnabled(shell.hwnd())),
                      std::tuple("Tessaline Options", 250, 320, FALSE));
            EXPECT_EQ(controlsOf(box), want);
            ::SendDlgItemMessageA(box, 402, BM_CLICK, 0, 0), ::SendDlgItemMessageA(box, 411, CB_SETCURSEL, 5, 0);
            for (const WPARAM key : {VK_RETURN, VK_ESCAPE}) ::PostMessageA(::GetDlgItem(box, 402), WM_KEYDOWN, key, 0);
            apply ? ::PostMessageA(::GetDlgItem(box, 416), BM_CLICK, 0, 0) : ::PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
        }}});
        shell.command(IDM_PREFERENCES);
        EXPECT_EQ(std::tuple(answerer.seen().size(), s.useLastSize, s.tabSpaces), std::tuple(1u, apply ? 1 : 0, apply ? 9 : 3));
    }
}

// The font, point size and text colour of a label, as the box paints it.
std::string look(HWND box, HWND c) {
    LOGFONTA f{};
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(c, WM_GETFONT, 0, 0)), sizeof f, &f);
    const win32::UniqueDc dc(::CreateCompatibleDC(nullptr));
    ::SendMessageA(box, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(c));
    const COLORREF colour = ::GetTextColor(dc.get());
    return std::string(f.lfFaceName) + " " + std::to_string(::MulDiv(-f.lfHeight, 72, ::GetDeviceCaps(dc.get(), LOGPIXELSY))) +
           (f.lfItalic ? " italic" : "") + (f.lfUnderline ? " underlined " : " ") + std::to_string(GetRValue(colour)) + "," +
           std::to_string(GetGValue(colour)) + "," + std::to_string(GetBValue(colour));
}

TEST(AboutBox, LabelsFontsColoursPointerPictureLinksAndEveryWayOfClosing) {
    TestWindow<> shell;
    const auto checkBox = [&](HWND box) {
        const auto du = [&](std::string idText, RECT r) { return ::MapDialogRect(box, &r), idText + " " + std::to_string(r.left) + "," +
                                                           std::to_string(r.top) + "," + std::to_string(r.right) + "," + std::to_string(r.bottom); };
        RECT client{}, size{0, 0, 220, 160};
        ::GetClientRect(box, &client), ::MapDialogRect(box, &size);
        EXPECT_EQ(std::tuple(windowText(box), client.right, client.bottom, ::IsWindowEnabled(shell.hwnd())),
                  std::tuple("About Tessaline", size.right, size.bottom, FALSE));
        EXPECT_EQ(controlsOf(box), (Texts{du("9901 Tessaline", {50, 10, 80, 20}), du("9902  for Windows", {120, 13, 70, 10}),
            du("9906 (HTML, CSS, JavaScript, PHP)", {50, 25, 125, 15}),
            du("9903 Version 1.06 - Free distribution\r\nby Orvalle\r\n\r\n", {50, 45, 180, 30}),
            du("9904 tessaline@orvalle.example", {60, 80, 140, 12}), du("9905 https://orvalle.example/tessaline", {60, 95, 140, 12}),
            du("-1 ", {10, 10, 30, 30})}));
        Texts looks, pointers;
        for (HWND c = ::GetWindow(box, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
            ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
            ::SendMessageA(c, WM_SETCURSOR, reinterpret_cast<WPARAM>(c), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            looks.push_back(look(box, c)), pointers.push_back(::GetCursor() == ::LoadCursorA(nullptr, IDC_HAND) ? "hand"
                                                              : ::GetCursor() == ::LoadCursorA(nullptr, IDC_ARROW) ? "arrow" : "?");
        }
        EXPECT_EQ(looks, (Texts{"MS Sans Serif 14 255,0,0", "MS Sans Serif 10 italic 0,0,0", "MS Sans Serif 8 0,0,0",
            "MS Sans Serif 10 0,0,0", "MS Sans Serif 10 underlined 0,0,255", "MS Sans Serif 10 underlined 0,0,255", "MS Sans Serif 8 0,0,0"}));
        EXPECT_EQ(pointers, (Texts{"arrow", "arrow", "arrow", "arrow", "hand", "hand", "arrow"}));
        const HWND picture = ::GetWindow(::GetDlgItem(box, 9905), GW_HWNDNEXT);
        const win32::WindowDc dc(picture);
        EXPECT_NE(::GetPixel(dc.get(), 20, 3), ::GetPixel(dc.get(), 3, 40));  // the "T"'s bar, the ground below it
        for (const int link : {9904, 9905}) ::PostMessageA(::GetDlgItem(box, link), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    };
    // Each closer, then a click on the mail link that would show had the box stayed open, then a close that always works.
    std::vector<DialogAnswer> answers;
    for (const auto& [msg, key] : {std::pair<UINT, WPARAM>{WM_KEYDOWN, VK_RETURN}, {WM_KEYDOWN, VK_ESCAPE}, {WM_SYSCOMMAND, SC_CLOSE}})
        answers.push_back({.act = [&, msg, key](HWND box) {
            if (key == VK_RETURN) checkBox(box);
            ::PostMessageA(box, msg, key, 0), ::PostMessageA(::GetDlgItem(box, 9904), WM_LBUTTONDOWN, MK_LBUTTON, 0);
            ::PostMessageA(box, key == SC_CLOSE ? WM_COMMAND : WM_CLOSE, IDOK, 0);
        }});
    DialogAnswerer answerer(answers);
    for (int i = 0; i < 3; ++i) shell.command(IDM_ABOUT);
    EXPECT_EQ(shell.desktop.shellOpened, (std::vector<std::pair<std::string, ShowAs>>{
        {"mailto:tessaline@orvalle.example?", ShowAs::Normal}, {"https://orvalle.example/tessaline", ShowAs::Maximized}}));
}

}  // namespace
}  // namespace tess::test
