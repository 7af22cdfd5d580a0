#include "DialogPlayer.h"
#include "EditorSubject.h"
#include "platform/win32/DialogTemplate.h"
#include "search/SearchText.h"

namespace tess::test {
namespace {

using namespace win32;
using namespace controlstyle;
using Texts = std::vector<std::string>;

constexpr int kWhat = 501, kWhole = 503, kTags = 520, kSizes = 412;

const std::vector<DialogControl> kFindControls = {
    {"STATIC", -1, "&What:", 10, 10, 25, 10, 0},
    {"EDIT", kWhat, "Café Ωμέγα", 40, 10, 140, 12, kTabStop | kBorder | kEditAutoHScroll},
    {"BUTTON", kWhole, "Match &whole word à", 10, 35, 100, 10, kTabStop | kCheckBox},
    {"LISTBOX", kTags, "", 10, 60, 80, 40, kVScroll | kListNotify | kListNoIntegralHeight},
    {"COMBOBOX", kSizes, "", 120, 60, 40, 60, kTabStop | kDropDownList | kVScroll},
    {"STATIC", -1, "(HTML, CSS)", 10, 110, 90, 10, 0},  // a second label with the same id
    {"BUTTON", kDialogOk, "&Find next", 190, 5, 50, 20, kTabStop | kDefPushButton}};

struct RecordingModel : DialogModel {
    DialogView* view = nullptr;
    Texts seen;  // ids clicked, failures reported, and "cancel"
    void initialise(DialogView& v) override { view = &v; }
    void command(DialogView& v, int id, int code) override {
        if (code == notification::kClicked) seen.push_back(std::to_string(id));
        if (id == 77) throw std::runtime_error("bad \xE9");
        if (id == 9) v.close(42);
    }
    bool cancel(DialogView&) override { return seen.push_back("cancel"), true; }
};

auto corners(RECT r) { return std::tuple(r.left, r.top, r.right, r.bottom); }

void expectAsInTable(HWND box, const DialogLayout& layout) {
    const auto scaled = [&](RECT r) {  // x, y, width and height, each mapped as the dialog manager does
        if (layout.units == DialogUnits::Dialog) ::MapDialogRect(box, &r);
        return corners({r.left, r.top, r.left + r.right, r.top + r.bottom});
    };
    RECT client{}, outer{}, work{};
    ::GetClientRect(box, &client), ::GetWindowRect(box, &outer), ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(corners(client), scaled({0, 0, layout.width, layout.height}));
    if (!layout.position) EXPECT_NEAR(outer.left + outer.right, work.left + work.right, 1);  // centred
    else EXPECT_EQ(std::pair(outer.left, outer.top), std::pair(LONG{layout.position->x}, LONG{layout.position->y}));
    for (HWND child = ::GetWindow(box, GW_CHILD); const DialogControl& c : layout.controls) {
        RECT got{};
        ::GetWindowRect(child, &got), ::MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&got), 2);
        const auto want = scaled({c.x, c.y, c.width, c.height});
        if (c.className == "COMBOBOX") got.bottom = std::get<3>(want);  // closed, as high as its font needs
        EXPECT_EQ(std::tuple(::GetDlgCtrlID(child), windowText(child), corners(got)),
                  std::tuple(static_cast<WORD>(c.id), c.text, want));
        child = ::GetWindow(child, GW_HWNDNEXT);
    }
}

TEST(DialogTemplate, BuiltAsTabledAndTalkingToItsModel) {
    MessageRouter router;
    RecordingModel model;
    setFailureHandler([&](std::string_view what) { model.seen.emplace_back(what); });
    ModelessDialog dialog(router);
    DialogLayout layout{.title = "Find", .width = 250, .height = 140, .controls = kFindControls};
    ASSERT_TRUE(dialog.create(nullptr, layout, model));
    const HWND box = dialog.hwnd();
    expectAsInTable(box, layout);
    DialogView& view = *model.view;
    for (const int list : {kTags, kSizes}) view.setListItems(list, {"<p>", "<b>é😀</b>"}), view.select(list, 1);
    for (const int list : {kTags, kSizes})
        EXPECT_EQ(std::pair(view.listItems(list), view.selectedIndex(list)), std::pair(Texts{"<p>", "<b>é😀</b>"}, 1));
    ::SendDlgItemMessageA(box, kWhole, BM_CLICK, 0, 0);  // the user ticks it, the model reads it and clears it
    EXPECT_EQ(std::pair(view.checked(kWhole), view.text(kWhat)), std::pair(true, std::string("Café Ωμέγα")));
    view.setChecked(kWhole, false);
    EXPECT_EQ(::IsDlgButtonChecked(box, kWhole), UINT{BST_UNCHECKED});
    ::SendMessageA(box, WM_COMMAND, 77, 0);
    for (const WPARAM key : {VK_RETURN, VK_ESCAPE}) ::PostMessageA(::GetDlgItem(box, kWhat), WM_KEYDOWN, key, 0);
    router.pumpPending();
    EXPECT_EQ(std::pair(model.seen, dialog.isOpen()), std::pair(Texts{"503", "77", "bad \xE9", "1", "cancel"}, false));
    setFailureHandler(nullptr);
    layout.units = DialogUnits::Pixels, layout.position = ScreenPoint{40, 50}, layout.escapeCancels = false;
    // Posted once the dialog is laid out as it will be shown, and the result it closes with.
    const std::pair<std::vector<std::pair<UINT, WPARAM>>, int> modal[] = {
        {{{WM_KEYDOWN, VK_ESCAPE}, {WM_COMMAND, 9}}, 42},  // Esc does nothing, the model closes it
        {{{WM_CLOSE, 0}}, IDCANCEL}};                      // the close box cancels all the same
    for (const auto& [posted, result] : modal) {
        EXPECT_EQ(runModal(nullptr, layout, model, [&](HWND modalBox, UINT msg, WPARAM, LPARAM) {
            if (msg != WM_INITDIALOG) return std::optional<INT_PTR>{};
            expectAsInTable(modalBox, layout);
            for (const auto& [message, wParam] : posted) ::PostMessageA(modalBox, message, wParam, 0);
            return std::optional<INT_PTR>{};
        }), result);
    }
    EXPECT_EQ(runModal(nullptr, {.title = "Broken", .controls = {{"NoSuchClass", 8, "", 0, 0, 9, 9, 0}}}, model), -1);
}

// A run of radio buttons is one Tab stop; button 1, which Enter presses, shows so.
void expectUsable(HWND box, HWND main) {
    SCOPED_TRACE(windowText(box));
    LOGFONTA font{};
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(box, WM_GETFONT, 0, 0)), sizeof font, &font);
    const WindowDc screen(nullptr);
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
        const std::wstring text(wide(windowText(c)));
        const WindowDc dc(c);
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

// The version resource the program shares with these tests, as "1.2.3".
std::string resourceVersion() {
    const HRSRC found = ::FindResourceW(nullptr, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    const auto* bytes = found ? static_cast<const BYTE*>(::LockResource(::LoadResource(nullptr, found))) : nullptr;
    for (DWORD at = 0; bytes && at + sizeof(VS_FIXEDFILEINFO) <= ::SizeofResource(nullptr, found); at += 4)
        if (const auto* info = reinterpret_cast<const VS_FIXEDFILEINFO*>(bytes + at); info->dwSignature == VS_FFI_SIGNATURE)
            return std::to_string(HIWORD(info->dwFileVersionMS)) + "." + std::to_string(LOWORD(info->dwFileVersionMS)) +
                   "." + std::to_string(HIWORD(info->dwFileVersionLS));
    return "none";
}

TEST(TableDialogs, KeepTheLayoutAndKeyboardRulesAndTheAboutBoxItsLinks) {
    TestWindow<> shell;
    for (const int command : {IDM_FIND, IDM_REPLACE, IDM_PREFERENCES, IDM_ABOUT, IDM_GOTOLINE}) {
        DialogPlayer player({});
        player.inspect = [&](HWND box) { expectUsable(box, shell.hwnd()); };
        shell.command(command);
        EXPECT_EQ(std::tuple(player.seen().size(), ::IsWindowEnabled(shell.hwnd())), std::tuple(2u, TRUE)) << command;
    }
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
    // The About box, each way of closing; the links clicked while it is open count once each.
    for (const DialogStep::Kind close : {DialogStep::Enter, DialogStep::Esc, DialogStep::CloseBox}) {
        DialogPlayer player(DialogSteps{{close}});
        if (close == DialogStep::Enter) player.inspect = check;
        shell.command(IDM_ABOUT);
        EXPECT_EQ(player.seen(), Texts{"About Tessaline"});
    }
    EXPECT_EQ(shell.desktop.shellOpened, (std::vector<std::pair<std::string, ShowAs>>{
        {"mailto:tessaline@orvalle.example?", ShowAs::Normal}, {"https://orvalle.example/tessaline", ShowAs::Maximized}}));
}

// Each box is owned by the window active when it opens, the dialog, so the keyboard comes back to the editor.
TEST(FindDialogWindow, GivesTheKeyboardBackAfterItsBoxesAndFoldsCaseAsTheSystem) {
    auto s = makeEditorSubject();
    auto& w = windowOf(*s);
    const HWND editor = w.window.editorHwnd();
    w.desktop.real.setOwner(w.hwnd()), w.desktop.realBoxes = true;
    ::ShowWindow(w.hwnd(), SW_SHOW), ::SetForegroundWindow(w.hwnd());
    using enum DialogStep::Kind;
    const struct { int command; DialogSteps steps; Texts seen; std::string after; } rows[] = {
        {IDM_FIND, {{Type, 501, "zzzq"}, {Enter}, {Enter}}, {"Find", "Find Text"}, "xω|a cat b"},
        {IDM_FIND, {{Type, 501, ""}, {Enter}, {Enter}, {Esc}}, {"Find", "Error"}, "xω|a cat b"},
        {IDM_REPLACE, {{Type, 501, "cat"}, {Type, 502, "dog"}, {Click, 515}, {Enter}, {Enter}},
         {"Replace", "Replae all", "Replace all"}, "a dogxω| b"},
        {IDM_REPLACE, {{Click, 514}, {Enter}, {Esc}}, {"Replace", "Error"}, "a catxω| b"}};
    for (const auto& r : rows) {
        s->set("a cat| b");
        ::SetFocus(editor);
        {
            const DialogPlayer player(r.steps);
            w.command(r.command);
            EXPECT_EQ(player.seen(), r.seen) << r.command;
        }
        w.pump();
        EXPECT_EQ(::GetFocus(), editor) << r.command;
        // To the foreground window's focus; ω as an input method hands it over, whole only through wide windows.
        INPUT keys[4] = {{.type = INPUT_KEYBOARD, .ki = {.wVk = 'X'}},
                         {.type = INPUT_KEYBOARD, .ki = {.wVk = 'X', .dwFlags = KEYEVENTF_KEYUP}},
                         {.type = INPUT_KEYBOARD, .ki = {.wScan = u'ω', .dwFlags = KEYEVENTF_UNICODE}},
                         {.type = INPUT_KEYBOARD, .ki = {.wScan = u'ω', .dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP}}};
        ::SendInput(4, keys, sizeof(INPUT));
        w.pump();
        EXPECT_EQ(s->marked(), r.after) << r.command;
    }
    // The running program searches with the system's case mapping, beyond the scripts of the portable table.
    std::vector<int> missed;
    for (int c = 1; c < 0x10000; ++c) {
        if (c >= 0xD800 && c < 0xE000) continue;  // halves of pairs are no characters
        wchar_t upper = static_cast<wchar_t>(c);
        ::CharUpperBuffW(&upper, 1);
        const char16_t small = static_cast<char16_t>(c), capital = static_cast<char16_t>(upper);
        if (TextSearch({&small, 1}, {&capital, 1}, false).occurrence(0, 1) != 0) missed.push_back(c);
    }
    EXPECT_EQ(missed, std::vector<int>{});
}

}  // namespace
}  // namespace tess::test
