// Dialogs built from tables, as real dialog windows, modeless in dialog units and modal in pixels: each control
// where its row puts it, states passing between user and model, the dialog keys, results and failures reported.
#include "WinTestSupport.h"
#include "platform/win32/DialogTemplate.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <tuple>

namespace tess::win32 {
namespace {

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

// The dialog and its controls, in creation order, where and as the table says.
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
        EXPECT_EQ(std::tuple(::GetDlgCtrlID(child), test::windowText(child), corners(got)),
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

}  // namespace
}  // namespace tess::win32
