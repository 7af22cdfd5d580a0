// Dialogs built from tables, as real dialog windows: each control where its row puts it, states
// passing between user and model, the dialog keys, modal results and failures reported.
#include "platform/win32/DialogTemplate.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <tuple>

namespace tess::win32 {
namespace {

using namespace controlstyle;
using Texts = std::vector<std::string>;
constexpr int kWhat = 501, kWhole = 503, kUp = 511, kTags = 520, kSizes = 412;

const std::vector<DialogControl> kFindControls = {
    {"STATIC", -1, "&What:", 10, 10, 25, 10, 0},
    {"EDIT", kWhat, "Caf\xE9", 40, 10, 140, 12, kTabStop | kBorder | kEditAutoHScroll},
    {"BUTTON", kWhole, "Match &whole word", 10, 35, 100, 10, kTabStop | kCheckBox},
    {"BUTTON", kUp, "&Up \xE0", 110, 45, 40, 10, kTabStop | kGroup | kRadioButton},
    {"LISTBOX", kTags, "", 10, 60, 80, 40, kVScroll | kListNotify | kListNoIntegralHeight},
    {"COMBOBOX", kSizes, "", 120, 60, 40, 60, kTabStop | kDropDownList | kVScroll},
    {"STATIC", -1, "(HTML, CSS)", 10, 110, 90, 10, 0},
    {"BUTTON", kDialogOk, "&Find next", 190, 5, 50, 20, kTabStop | kDefPushButton}};

struct RecordingModel : DialogModel {
    DialogView* view = nullptr;
    Texts clicks;  // ids clicked, and "cancel"
    void initialise(DialogView& v) override { view = &v; }
    void command(DialogView& v, int id, int code) override {
        if (code == notification::kClicked) clicks.push_back(std::to_string(id));
        if (id == 77) throw std::runtime_error("no such tag \xE9");
        if (id == 9) v.close(42);
    }
    bool cancel(DialogView&) override { return clicks.push_back("cancel"), true; }
};

std::string textOf(HWND window) {
    char text[256] = {};
    return {text, static_cast<std::size_t>(::GetWindowTextA(window, text, 256))};
}
auto corners(RECT r) { return std::tuple(r.left, r.top, r.right, r.bottom); }

// The dialog and its controls, in creation order, where and as the table says.
void expectAsInTable(HWND box, const DialogSpec& spec) {
    const auto scaled = [&](int x, int y, int width, int height) {  // each mapped, as the dialog manager does
        RECT r{x, y, width, height};
        if (spec.units == DialogUnits::Dialog) ::MapDialogRect(box, &r);
        return corners({r.left, r.top, r.left + r.right, r.top + r.bottom});
    };
    RECT client{}, outer{}, work{};
    ::GetClientRect(box, &client);
    ::GetWindowRect(box, &outer);
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(corners(client), scaled(0, 0, spec.width, spec.height));
    if (!spec.position) EXPECT_NEAR(outer.left + outer.right, work.left + work.right, 1);  // centred
    else EXPECT_EQ((std::pair<int, int>(outer.left, outer.top)), std::pair(spec.position->x, spec.position->y));
    HWND child = ::GetWindow(box, GW_CHILD);
    for (const DialogControl& c : spec.controls) {
        SCOPED_TRACE(c.text);
        ASSERT_TRUE(child);
        char name[32] = {};
        ::GetClassNameA(child, name, 32);
        EXPECT_EQ(std::tuple(std::string(::CharUpperA(name)), ::GetDlgCtrlID(child), textOf(child)),
                  std::tuple(c.className, static_cast<WORD>(c.id), c.text));
        RECT got{};
        ::GetWindowRect(child, &got);
        ::MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&got), 2);
        const auto want = scaled(c.x, c.y, c.width, c.height);
        if (c.className == "COMBOBOX") got.bottom = std::get<3>(want);  // closed, as high as its font needs
        EXPECT_EQ(corners(got), want);
        child = ::GetWindow(child, GW_HWNDNEXT);
    }
}

TEST(DialogTemplate, ControlsStandAsTabledAndTheModelHearsTheUserTheKeysAndItsOwnFailures) {
    Texts failures;
    setFailureHandler([&](std::string_view what) { failures.emplace_back(what); });
    MessageRouter router;
    RecordingModel model;
    ModelessDialog dialog(router);
    const DialogSpec spec{.title = "Find", .width = 250, .height = 140, .controls = kFindControls};
    ASSERT_TRUE(dialog.create(nullptr, spec, model));
    expectAsInTable(dialog.hwnd(), spec);
    DialogView& view = *model.view;
    const auto item = [box = dialog.hwnd()](int id) { return ::GetDlgItem(box, id); };
    ::SendMessageA(item(kWhole), BM_CLICK, 0, 0);
    EXPECT_TRUE(view.checked(kWhole));
    view.setChecked(kUp, true);
    EXPECT_EQ(::SendMessageA(item(kUp), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(view.text(kWhat), "Caf\xE9");
    for (const int list : {kTags, kSizes}) {
        view.setListItems(list, {"<p>", "<em>\xE9</em>"});
        view.select(list, 1);
        EXPECT_EQ(view.listItems(list), (Texts{"<p>", "<em>\xE9</em>"}));
        EXPECT_EQ(view.selectedIndex(list), 1);
    }
    EXPECT_EQ(textOf(item(kSizes)), "<em>\xE9</em>");  // what the closed drop-down list shows
    ::SendMessageA(dialog.hwnd(), WM_COMMAND, 77, 0);
    EXPECT_EQ(failures, Texts{"no such tag \xE9"});
    for (const WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        ::PostMessageA(item(kWhat), WM_KEYDOWN, key, 0);
        router.pumpPending();
    }
    EXPECT_EQ(model.clicks, (Texts{"503", "77", "1", "cancel"}));
    EXPECT_FALSE(dialog.isOpen());
    setFailureHandler(nullptr);
}

TEST(DialogTemplate, AModalDialogInPixelsReturnsTheResultItClosedWithOrMinusOneWhenItCannotBeMade) {
    // Esc on or off, what is posted to the dialog as it opens, and the result.
    const std::tuple<bool, std::vector<std::pair<UINT, WPARAM>>, int> cases[] = {
        {true, {{WM_KEYDOWN, VK_ESCAPE}}, IDCANCEL},
        {false, {{WM_KEYDOWN, VK_ESCAPE}, {WM_COMMAND, 9}}, 42},  // the model closes it
        {false, {{WM_CLOSE, 0}}, IDCANCEL}};                      // the close box
    RecordingModel model;
    for (const auto& [escapeCancels, posted, result] : cases) {
        const DialogSpec spec{.title = "Options", .width = 250, .height = 320, .units = DialogUnits::Pixels,
                              .position = ScreenPoint{40, 50}, .escapeCancels = escapeCancels,
                              .controls = kFindControls};
        // The hook sees the dialog laid out as it will be shown, and posts what a user would do.
        const auto post = [&](HWND dialog, UINT msg, WPARAM, LPARAM) -> std::optional<INT_PTR> {
            if (msg != WM_INITDIALOG) return std::nullopt;
            expectAsInTable(dialog, spec);
            for (const auto& [message, wParam] : posted) ::PostMessageA(dialog, message, wParam, 0);
            return std::nullopt;
        };
        EXPECT_EQ(runModal(nullptr, spec, model, post), result) << posted.size() << " posted";
    }
    const DialogSpec broken{.title = "Broken", .width = 99, .controls = {{"NoSuchClass", 8, "", 0, 0, 9, 9, 0}}};
    EXPECT_EQ(runModal(nullptr, broken, model), -1);
}

}  // namespace
}  // namespace tess::win32
