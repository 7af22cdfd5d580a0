// What only the real dialogs show, opened from their menu commands: the controls as built, lists that take no typing;
// the About box's texts, pointer, links and every way of closing it.
#include "DialogPlayer.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

namespace tess::test {
namespace {

using Texts = std::vector<std::string>;
std::string numbers(std::initializer_list<LONG> values) {
    std::string text;
    for (const LONG v : values) text += (text.empty() ? "" : ",") + std::to_string(v);
    return text;
}

// Id, text and rectangle in pixels (a drop-down list's height is its font's: left out); a list's entries, selection
// and " typed" if it would take typing. The boxes' checks show in what Apply keeps, on both subjects.
Texts controlsOf(HWND box) {
    Texts all;
    for (HWND c = ::GetWindow(box, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        RECT r{};
        ::GetWindowRect(c, &r), ::MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&r), 2);
        const LONG style = ::GetWindowLongA(c, GWL_STYLE), count = static_cast<LONG>(::SendMessageA(c, CB_GETCOUNT, 0, 0));
        std::string s = std::to_string(static_cast<short>(::GetDlgCtrlID(c))) + " " + windowText(c) + " " +
                        numbers({r.left, r.top, r.right - r.left}) + (count ? "" : "," + std::to_string(r.bottom - r.top));
        for (LONG i = 0; i < count; ++i) {
            char item[32] = {};
            ::SendMessageA(c, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
            s += (i ? " " : " [") + std::string(item) + (i + 1 < count ? "" : "] ");
        }
        if (count) s += std::to_string(::SendMessageA(c, CB_GETCURSEL, 0, 0)) + ((style & 3) == CBS_DROPDOWNLIST ? "" : " typed");
        all.push_back(s);
    }
    return all;
}

// The dialog's title, its client size and whether the main window is disabled while it is open.
auto frame(HWND box, HWND main) {
    RECT client{};
    ::GetClientRect(box, &client);
    return std::tuple(windowText(box), client.right, client.bottom, ::IsWindowEnabled(main));
}

TEST(PreferencesDialog, ControlsAsBuilt) {
    TestWindow<> shell;
    const std::string sizes = " [8 9 10 11 12 14] -1";
    const Texts want = {"401 Show line numbers 20,20,200,15", "402 Use last dialog size 20,40,200,15",
        "403 Load last file at startup 20,60,200,15", "404 Ask to quit program 20,80,200,15",
        "405 Auto complete brackets 20,100,200,15", "-1 Tab spaces 20,125,90,15", "411  120,125,40 [1 2 3 4 6 9] -1",
        "-1 Font size 20,150,90,15", "412  120,150,40" + sizes, "-1 Print font size 20,175,90,15", "413  120,175,40" + sizes,
        "-1 Background color 20,200,90,15", "414  120,200,85 [White OffWhite LightBlue LightGreen LightYellow] -1",
        "-1 Select browser 20,225,90,15", "415  120,225,85 [Internet Explorer Firefox Opera Chrome SlimBrowser] -1",
        "416 &Apply 120,275,70,30"};
    DialogPlayer player({});
    player.inspect = [&](HWND box) {
        EXPECT_EQ(frame(box, shell.hwnd()), std::tuple("Tessaline Options", 250, 320, FALSE));
        EXPECT_EQ(controlsOf(box), want);
    };
    shell.command(IDM_PREFERENCES);
    EXPECT_EQ(player.seen(), (Texts{"Tessaline Options", "left open"}));
}

// The numbers of the version resource the program shares with these tests, "1.2.3": what the packages are named by.
std::string resourceVersion() {
    const HRSRC found = ::FindResourceA(nullptr, MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION);
    const auto* bytes = found ? static_cast<const BYTE*>(::LockResource(::LoadResource(nullptr, found))) : nullptr;
    for (DWORD at = 0; bytes && at + sizeof(VS_FIXEDFILEINFO) <= ::SizeofResource(nullptr, found); at += 4)
        if (const auto* info = reinterpret_cast<const VS_FIXEDFILEINFO*>(bytes + at); info->dwSignature == VS_FFI_SIGNATURE)
            return std::to_string(HIWORD(info->dwFileVersionMS)) + "." + std::to_string(LOWORD(info->dwFileVersionMS)) +
                   "." + std::to_string(HIWORD(info->dwFileVersionLS));
    return "none";
}

TEST(AboutBox, TextsPointerLinksAndEveryWayOfClosing) {
    TestWindow<> shell;
    const auto check = [&](HWND box) {
        const auto du = [&](std::string idText, RECT r) { return ::MapDialogRect(box, &r), idText + " " + numbers({r.left,
                                                               r.top, r.right, r.bottom}); };
        RECT size{0, 0, 220, 160};
        ::MapDialogRect(box, &size);
        EXPECT_EQ(frame(box, shell.hwnd()), std::tuple("About Tessaline", size.right, size.bottom, FALSE));
        EXPECT_EQ(controlsOf(box), (Texts{du("9901 Tessaline", {50, 10, 80, 20}), du("9902  for Windows", {120, 13, 70, 10}),
            du("9906 (HTML, CSS, JavaScript, PHP)", {50, 25, 125, 15}),
            du("9903 Version " + resourceVersion() + " - Free distribution\r\nby Orvalle\r\n\r\n", {50, 45, 180, 30}),
            du("9904 tessaline@orvalle.example", {60, 80, 140, 12}),
            du("9905 https://orvalle.example/tessaline", {60, 95, 140, 12}), du("-1 ", {10, 10, 30, 30})}));
        for (const auto& [id, cursor] : {std::pair{9903, IDC_ARROW}, {9904, IDC_HAND}, {9905, IDC_HAND}}) {
            const HWND c = ::GetDlgItem(box, id);
            ::SetCursor(nullptr), ::SendMessageA(c, WM_SETCURSOR, reinterpret_cast<WPARAM>(c), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, cursor)) << id;
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
