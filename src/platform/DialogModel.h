#pragma once
// The program's dialogs as data and logic that never see a window: a DialogLayout says what the
// dialog holds and where, a DialogModel decides what it does, and it acts only through the
// DialogView it is handed. The Win32 side builds the real dialog from the DialogLayout
// (platform/win32/DialogTemplate.h); tests drive a model through a view of their own.
#include "platform/Dpi.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tess {

// Ids the dialog manager gives meaning to: Enter presses 1, Esc presses 2.
inline constexpr int kDialogOk = 1;
inline constexpr int kDialogCancel = 2;

// What the user is told when a window or dialog cannot be shown, the same for every one of them.
inline std::string cannotOpenText(const std::string& title) { return "The " + title + " window could not be opened."; }

// Window styles as the system numbers them, so that a portable table can name them. The Win32
// side checks each one against <windows.h>.
namespace controlstyle {
inline constexpr std::uint32_t kTabStop = 0x00010000;       // WS_TABSTOP
inline constexpr std::uint32_t kGroup = 0x00020000;         // WS_GROUP: starts a run of radio buttons
inline constexpr std::uint32_t kBorder = 0x00800000;        // WS_BORDER
inline constexpr std::uint32_t kVScroll = 0x00200000;       // WS_VSCROLL
inline constexpr std::uint32_t kPushButton = 0x0;           // BS_PUSHBUTTON
inline constexpr std::uint32_t kDefPushButton = 0x1;        // BS_DEFPUSHBUTTON
inline constexpr std::uint32_t kCheckBox = 0x3;             // BS_AUTOCHECKBOX
inline constexpr std::uint32_t kGroupBox = 0x7;             // BS_GROUPBOX
inline constexpr std::uint32_t kRadioButton = 0x9;          // BS_AUTORADIOBUTTON
inline constexpr std::uint32_t kEditAutoHScroll = 0x80;     // ES_AUTOHSCROLL
inline constexpr std::uint32_t kStaticNoPrefix = 0x80;      // SS_NOPREFIX: "&" shown as it is
inline constexpr std::uint32_t kStaticNotify = 0x100;       // SS_NOTIFY: clicks reach the model
inline constexpr std::uint32_t kStaticOwnerDraw = 0xD;      // SS_OWNERDRAW: the dialog draws it (WM_DRAWITEM)
inline constexpr std::uint32_t kListNotify = 0x1;           // LBS_NOTIFY
inline constexpr std::uint32_t kListNoIntegralHeight = 0x100;  // LBS_NOINTEGRALHEIGHT
inline constexpr std::uint32_t kDropDownList = 0x3;         // CBS_DROPDOWNLIST: pick only, no typing
}  // namespace controlstyle

// What a control tells the model, as the second argument of DialogModel::command.
namespace notification {
inline constexpr int kClicked = 0;           // BN_CLICKED, STN_CLICKED; also Enter and Esc
inline constexpr int kSelectionChanged = 1;  // LBN_SELCHANGE, CBN_SELCHANGE
inline constexpr int kDoubleClicked = 2;     // LBN_DBLCLK, CBN_DBLCLK
inline constexpr int kEditChanged = 0x300;   // EN_CHANGE
}  // namespace notification

// A label drawn otherwise than in the dialog's own font and colour.
struct TextLook {
    int points = 0;  // 0: the dialog's font
    bool italic = false;
    bool underline = false;
    std::optional<std::uint32_t> color;  // 0x00BBGGRR, on the dialog's background
};

// A static control that notifies is a link: the pointer over it is a hand, and a click shows the
// wait cursor while the model follows it.
struct DialogControl {
    std::string className;  // "BUTTON", "EDIT", "STATIC", "LISTBOX", "COMBOBOX"
    int id = -1;            // -1 for labels nobody asks about
    std::string text;
    int x = 0, y = 0, width = 0, height = 0;  // in the dialog's units
    std::uint32_t style = 0;                  // the class's bits; every control is a visible child
    std::uint32_t exStyle = 0;
    TextLook look{};
};

enum class DialogUnits { Dialog, Pixels };

struct ScreenPoint {
    int x = 0, y = 0;
};

struct DialogLayout {
    std::string title;
    int width = 0, height = 0;  // the client area
    DialogUnits units = DialogUnits::Dialog;  // of the size and of every control's rectangle
    std::string fontName = "MS Sans Serif";
    int fontSize = 8;  // points; dialog units are measured in this font
    std::optional<ScreenPoint> position;  // the outer top-left corner in screen pixels; none: centred
    bool closeBox = true;
    bool topmost = false;
    bool escapeCancels = true;  // false: Esc does nothing unless a control has id 2
    std::vector<DialogControl> controls;  // in creation order, which is the tab order
};

// A layout in pixels is given at 96 dpi: at another DPI its sizes and places are scaled, while its
// position (already the screen's pixels) and its font (points) stay. A layout in dialog units
// follows its font, which the system makes at the dialog's DPI, and stays as it is.
inline DialogLayout scaledLayout(DialogLayout layout, int dpi) {
    if (layout.units != DialogUnits::Pixels) return layout;
    layout.width = scaled(layout.width, dpi);
    layout.height = scaled(layout.height, dpi);
    for (DialogControl& c : layout.controls)
        for (int* value : {&c.x, &c.y, &c.width, &c.height}) *value = scaled(*value, dpi);
    return layout;
}

// A running dialog as its model sees it. Asking for an id the dialog lacks throws.
class DialogView {
public:
    virtual ~DialogView() = default;
    virtual std::string text(int id) const = 0;
    virtual void setText(int id, const std::string& text) = 0;
    virtual bool checked(int id) const = 0;
    virtual void setChecked(int id, bool checked) = 0;
    // List boxes and drop-down lists; index -1 is no selection.
    virtual std::vector<std::string> listItems(int id) const = 0;
    virtual void setListItems(int id, const std::vector<std::string>& items) = 0;
    virtual int selectedIndex(int id) const = 0;
    virtual void select(int id, int index) = 0;
    virtual void focus(int id) = 0;
    // Ends the dialog; the first result given is the one that counts.
    virtual void close(int result) = 0;
};

class DialogModel {
public:
    virtual ~DialogModel() = default;
    // Once, before the dialog is shown.
    virtual void initialise(DialogView&) {}
    // A control's notification; Enter arrives as a click of the default button (kDialogOk). A
    // click of id 2 goes to cancel instead.
    virtual void command(DialogView&, int /*id*/, int /*notification*/) {}
    // Esc, a button with id 2, or the close box: true closes the dialog with kDialogCancel.
    virtual bool cancel(DialogView&) { return true; }
};

}  // namespace tess
