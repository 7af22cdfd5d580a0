// Dialogs built from tables, as real dialog windows: each control where its row puts it, showing
// its text; states passing between the user and the model; the dialog keys reaching the model
// through the program's loop; modal results; failures reported while the dialog goes on.
#include "platform/win32/DialogTemplate.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <tuple>

namespace tess::win32 {
namespace {

using namespace controlstyle;
constexpr int kWhat = 501, kWhole = 503, kUp = 511, kTags = 520, kSizes = 412;

std::vector<DialogControl> findControls() {
    return {{"STATIC", -1, "&What:", 10, 10, 25, 10, 0},
            {"EDIT", kWhat, "Caf\xE9", 40, 10, 140, 12, kTabStop | kBorder | kEditAutoHScroll},
            {"BUTTON", kWhole, "Match &whole word", 10, 35, 100, 10, kTabStop | kCheckBox},
            {"BUTTON", kUp, "&Up \xE0", 110, 45, 40, 10, kTabStop | kGroup | kRadioButton},
            {"LISTBOX", kTags, "", 10, 60, 80, 40, kVScroll | kListNotify | kListNoIntegralHeight},
            {"COMBOBOX", kSizes, "", 120, 60, 40, 60, kTabStop | kDropDownList | kVScroll},
            {"STATIC", -1, "(HTML, CSS)", 10, 110, 90, 10, 0},
            {"BUTTON", kDialogOk, "&Find next", 190, 5, 50, 20, kTabStop | kDefPushButton}};
}

struct RecordingModel : DialogModel {
    DialogView* view = nullptr;
    std::vector<std::string> clicks;  // ids clicked, and "cancel"
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
    ::GetWindowTextA(window, text, 256);
    return text;
}
auto corners(RECT r) { return std::tuple(r.left, r.top, r.right, r.bottom); }

TEST(DialogTemplate, EachControlStandsWhereItsRowSaysAndShowsItsText) {
    for (const auto& [units, position] : {std::pair(DialogUnits::Dialog, std::optional<ScreenPoint>()),
                                           std::pair(DialogUnits::Pixels, std::optional(ScreenPoint{40, 50}))}) {
        const DialogSpec spec{.title = "Caf\xE9 options", .width = 250, .height = 140, .units = units,
                              .position = position, .controls = findControls()};
        MessageRouter router;
        RecordingModel model;
        ModelessDialog dialog(router);
        ASSERT_TRUE(dialog.create(nullptr, spec, model));
        const HWND box = dialog.hwnd();
        const auto scaled = [&](RECT r) { return units == DialogUnits::Dialog && ::MapDialogRect(box, &r), r; };
        RECT client{}, outer{}, work{};
        ::GetClientRect(box, &client);
        ::GetWindowRect(box, &outer);
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        EXPECT_EQ(corners(client), corners(scaled({0, 0, 250, 140})));
        if (position) EXPECT_EQ(std::pair(outer.left, outer.top), std::pair(40L, 50L));
        else EXPECT_NEAR(outer.left + outer.right, work.left + work.right, 1);
        EXPECT_EQ(textOf(box), spec.title);
        HWND child = ::GetWindow(box, GW_CHILD);
        for (const DialogControl& c : spec.controls) {
            SCOPED_TRACE(c.text);
            ASSERT_TRUE(child);
            char name[32] = {};
            ::GetClassNameA(child, name, 32);
            EXPECT_EQ(::CharUpperA(name), c.className);
            EXPECT_EQ(::GetDlgCtrlID(child), static_cast<WORD>(c.id));
            EXPECT_EQ(textOf(child), c.text);
            RECT want = scaled({c.x, c.y, c.x + c.width, c.y + c.height}), got{};
            ::GetWindowRect(child, &got);
            ::MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&got), 2);
            if (c.className == "COMBOBOX") got.bottom = want.bottom;  // closed, it is as high as its font needs
            EXPECT_EQ(corners(got), corners(want));
            child = ::GetWindow(child, GW_HWNDNEXT);
        }
    }
}

TEST(DialogTemplate, TheModelSeesWhatTheUserDidAndHearsEnterEscAndItsOwnFailures) {
    std::vector<std::string> failures;
    setFailureHandler([&](std::string_view what) { failures.emplace_back(what); });
    MessageRouter router;
    RecordingModel model;
    ModelessDialog dialog(router);
    ASSERT_TRUE(dialog.create(nullptr, {.title = "Find", .width = 250, .height = 140, .controls = findControls()}, model));
    ASSERT_TRUE(model.view);
    DialogView& view = *model.view;
    const HWND box = dialog.hwnd();
    const auto item = [&](int id) { return ::GetDlgItem(box, id); };

    ::SendMessageA(item(kWhole), BM_CLICK, 0, 0);
    EXPECT_TRUE(view.checked(kWhole));
    view.setChecked(kUp, true);
    EXPECT_EQ(::SendMessageA(item(kUp), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(view.text(kWhat), "Caf\xE9");
    view.setText(kWhat, "na\xEFve");
    EXPECT_EQ(textOf(item(kWhat)), "na\xEFve");
    for (const int list : {kTags, kSizes}) {
        view.setListItems(list, {"<p>", "<em>\xE9</em>"});
        view.select(list, 1);
        EXPECT_EQ(view.listItems(list), (std::vector<std::string>{"<p>", "<em>\xE9</em>"}));
        EXPECT_EQ(view.selectedIndex(list), 1);
    }
    EXPECT_EQ(textOf(item(kSizes)), "<em>\xE9</em>");  // what the closed drop-down list shows

    ::SendMessageA(box, WM_COMMAND, 77, 0);
    EXPECT_EQ(failures, std::vector<std::string>{"no such tag \xE9"});
    for (const WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        ::PostMessageA(item(kWhat), WM_KEYDOWN, key, 0);
        router.pumpPending();
    }
    EXPECT_EQ(model.clicks, (std::vector<std::string>{"503", "77", "1", "cancel"}));
    EXPECT_FALSE(::IsWindow(box));
    EXPECT_FALSE(dialog.isOpen());
    setFailureHandler(nullptr);
}

TEST(DialogTemplate, AModalDialogReturnsTheResultItClosedWithOrMinusOneWhenItCannotBeMade) {
    const struct {
        const char* name;
        bool escapeCancels;
        std::vector<std::pair<UINT, WPARAM>> posted;  // to the dialog as it opens
        int result;
    } cases[] = {{"the model closes", true, {{WM_COMMAND, 9}}, 42},
                 {"Esc cancels", true, {{WM_KEYDOWN, VK_ESCAPE}}, IDCANCEL},
                 {"Esc turned off does nothing", false, {{WM_KEYDOWN, VK_ESCAPE}, {WM_COMMAND, 9}}, 42},
                 {"the close box cancels even so", false, {{WM_CLOSE, 0}}, IDCANCEL}};
    for (const auto& c : cases) {
        RecordingModel model;
        const DialogSpec spec{.title = "About", .width = 220, .height = 160, .escapeCancels = c.escapeCancels,
                              .controls = findControls()};
        const auto post = [&](HWND dialog, UINT msg, WPARAM, LPARAM) -> std::optional<INT_PTR> {
            if (msg == WM_INITDIALOG)
                for (const auto& [message, wParam] : c.posted) ::PostMessageA(dialog, message, wParam, 0);
            return std::nullopt;
        };
        EXPECT_EQ(runModal(nullptr, spec, model, post), c.result) << c.name;
    }
    RecordingModel model;
    DialogSpec broken{.title = "Broken", .width = 100, .height = 50, .controls = findControls()};
    broken.controls.push_back({"NoSuchClass", 8, "", 0, 0, 10, 10, 0});
    EXPECT_EQ(runModal(nullptr, broken, model), -1);
    MessageRouter router;
    EXPECT_FALSE(ModelessDialog(router).create(nullptr, broken, model));
}

}  // namespace
}  // namespace tess::win32
