#include "platform/win32/DialogTemplate.h"

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>

namespace tess::win32 {

static_assert(kDialogOk == IDOK && kDialogCancel == IDCANCEL);
static_assert(controlstyle::kTabStop == WS_TABSTOP && controlstyle::kGroup == WS_GROUP &&
              controlstyle::kBorder == WS_BORDER && controlstyle::kVScroll == WS_VSCROLL);
static_assert(controlstyle::kPushButton == BS_PUSHBUTTON && controlstyle::kDefPushButton == BS_DEFPUSHBUTTON &&
              controlstyle::kCheckBox == BS_AUTOCHECKBOX && controlstyle::kGroupBox == BS_GROUPBOX &&
              controlstyle::kRadioButton == BS_AUTORADIOBUTTON);
static_assert(controlstyle::kEditAutoHScroll == ES_AUTOHSCROLL && controlstyle::kStaticNoPrefix == SS_NOPREFIX &&
              controlstyle::kStaticNotify == SS_NOTIFY && controlstyle::kListNotify == LBS_NOTIFY &&
              controlstyle::kListNoIntegralHeight == LBS_NOINTEGRALHEIGHT &&
              controlstyle::kDropDownList == CBS_DROPDOWNLIST);
static_assert(controlstyle::kStaticOwnerDraw == SS_OWNERDRAW);
static_assert(notification::kClicked == BN_CLICKED && notification::kClicked == STN_CLICKED &&
              notification::kSelectionChanged == LBN_SELCHANGE && notification::kSelectionChanged == CBN_SELCHANGE &&
              notification::kDoubleClicked == LBN_DBLCLK && notification::kDoubleClicked == CBN_DBLCLK &&
              notification::kEditChanged == EN_CHANGE);

namespace {

void appendDword(std::vector<WORD>& out, DWORD value) {
    out.push_back(LOWORD(value));
    out.push_back(HIWORD(value));
}

// Coordinates are signed 16-bit in a template.
void appendRect(std::vector<WORD>& out, int x, int y, int width, int height) {
    for (const int value : {x, y, width, height}) out.push_back(static_cast<WORD>(static_cast<short>(value)));
}

// A template's strings are UTF-16; the program's texts are UTF-8.
void appendString(std::vector<WORD>& out, const std::string& text) {
    for (const char16_t c : utf16(text)) out.push_back(static_cast<WORD>(c));
    out.push_back(0);
}

// Lists are list boxes or drop-down lists; the same questions are different messages.
struct ListMessages {
    UINT count, textLength, text, reset, add, getSelection, setSelection;
};
constexpr ListMessages kListBoxMessages{LB_GETCOUNT,     LB_GETTEXTLEN, LB_GETTEXT,   LB_RESETCONTENT,
                                        LB_ADDSTRING,    LB_GETCURSEL,  LB_SETCURSEL};
constexpr ListMessages kComboBoxMessages{CB_GETCOUNT,     CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_RESETCONTENT,
                                         CB_ADDSTRING,    CB_GETCURSEL,    CB_SETCURSEL};

const ListMessages& listMessages(HWND list, int id) {
    wchar_t name[32] = {};
    ::GetClassNameW(list, name, static_cast<int>(std::size(name)));
    if (::lstrcmpiW(name, L"ListBox") == 0) return kListBoxMessages;
    if (::lstrcmpiW(name, L"ComboBox") == 0) return kComboBoxMessages;
    throw std::invalid_argument("Dialog control " + std::to_string(id) + " is not a list.");
}

}  // namespace

std::vector<WORD> buildTemplate(const DialogLayout& layout) {
    std::vector<WORD> out;
    // A fixed frame; the dialog is placed when it initialises, so it is created at 0, 0.
    appendDword(out, WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_MODALFRAME | DS_SETFONT |
                         (layout.closeBox ? WS_SYSMENU : 0));
    appendDword(out, layout.topmost ? WS_EX_TOPMOST : 0);
    out.push_back(static_cast<WORD>(layout.controls.size()));
    appendRect(out, 0, 0, layout.width, layout.height);
    out.push_back(0);  // no menu
    out.push_back(0);  // the system's dialog class
    appendString(out, layout.title);
    out.push_back(static_cast<WORD>(layout.fontSize));
    appendString(out, layout.fontName);
    for (const DialogControl& control : layout.controls) {
        // Each item starts on a DWORD boundary; the vector's storage itself is at least that aligned.
        if (out.size() % 2 != 0) out.push_back(0);
        appendDword(out, control.style | WS_CHILD | WS_VISIBLE);
        appendDword(out, control.exStyle);
        appendRect(out, control.x, control.y, control.width, control.height);
        out.push_back(static_cast<WORD>(control.id));
        appendString(out, control.className);
        appendString(out, control.text);
        out.push_back(0);  // no creation data
    }
    return out;
}

// The view the model talks to and the dialog procedure that calls the model, for one opening of
// a dialog. Found from the handle through DWLP_USER, set from WM_INITDIALOG's parameter.
class DialogHost final : public DialogView {
public:
    DialogHost(const DialogLayout& layout, DialogModel& model, DialogHook hook, ModelessDialog* modeless)
        : layout_(layout), model_(model), hook_(std::move(hook)), modeless_(modeless) {}

    static INT_PTR CALLBACK dialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

    std::string text(int id) const override {
        const HWND item = control(id);
        std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(item)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(::GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
        return narrow(text);
    }
    void setText(int id, const std::string& text) override { ::SetWindowTextW(control(id), wide(text).c_str()); }
    bool checked(int id) const override { return send(id, BM_GETCHECK) == BST_CHECKED; }
    void setChecked(int id, bool checked) override { send(id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }
    std::vector<std::string> listItems(int id) const override;
    void setListItems(int id, const std::vector<std::string>& items) override;
    int selectedIndex(int id) const override {
        return static_cast<int>(send(id, listMessages(control(id), id).getSelection));
    }
    void select(int id, int index) override {
        send(id, listMessages(control(id), id).setSelection, static_cast<WPARAM>(index));
    }
    void focus(int id) override;
    void close(int result) override;

private:
    INT_PTR handleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    std::optional<INT_PTR> drawLooks(UINT msg, WPARAM wParam, LPARAM lParam);
    void setFonts(bool dialogFontToo);
    const DialogControl* entry(int id) const;
    bool isLink(int id) const {
        const DialogControl* c = entry(id);
        return c && c->className == "STATIC" && (c->style & controlstyle::kStaticNotify);
    }
    void layOut();
    void placeControls();
    void onDpiChanged(int dpi, const RECT& suggested);
    void onCommand(int id, int code);
    void cancel() {
        if (model_.cancel(*this)) close(kDialogCancel);
    }
    HWND control(int id) const;
    LRESULT send(int id, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(control(id), msg, wParam, lParam);
    }

    const DialogLayout layout_;
    DialogModel& model_;
    const DialogHook hook_;
    ModelessDialog* const modeless_;  // null for a modal dialog
    HWND hwnd_ = nullptr;
    int dpi_ = 96;                   // a layout in pixels is scaled to it
    std::vector<UniqueFont> fonts_;  // the labels' own fonts, as long as the dialog lives
    bool focusSet_ = false;
    bool closing_ = false;
};

// The one place where the model's code meets the system's frames: nothing it throws may cross
// them, and the dialog stays open after a failure that was reported.
INT_PTR CALLBACK DialogHost::dialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        reinterpret_cast<DialogHost*>(lParam)->hwnd_ = dialog;
    }
    auto* self = reinterpret_cast<DialogHost*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    if (!self) return FALSE;  // the messages of creation, before WM_INITDIALOG
    try {
        if (msg == WM_NCDESTROY) {
            ::SetWindowLongPtrW(dialog, DWLP_USER, 0);
            self->hwnd_ = nullptr;
            if (self->modeless_) self->modeless_->closed(dialog);
            return FALSE;  // the dialog manager frees its own data at this message
        }
        return self->handleMessage(msg, wParam, lParam);
    } catch (...) {
        reportFailure(currentExceptionText());
        return FALSE;
    }
}

INT_PTR DialogHost::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        dpi_ = windowDpi(hwnd_);
        layOut();
        setFonts(false);
        if (modeless_) modeless_->opened(hwnd_);
    }
    if (const std::optional<INT_PTR> answer = drawLooks(msg, wParam, lParam)) return *answer;
    if (hook_)
        if (const std::optional<INT_PTR> answer = hook_(hwnd_, msg, wParam, lParam)) return *answer;
    switch (msg) {
    case WM_INITDIALOG:
        model_.initialise(*this);
        // TRUE lets the dialog manager focus the first tab stop; the model may have chosen another.
        return focusSet_ ? FALSE : TRUE;
    case WM_COMMAND:
        onCommand(static_cast<short>(LOWORD(wParam)), HIWORD(wParam));
        return TRUE;
    case WM_DPICHANGED:
        // A layout in dialog units is left to the system, which scales it with its font.
        if (layout_.units != DialogUnits::Pixels) return FALSE;
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return TRUE;
    case WM_CLOSE:
        // Handled here, not turned into a click of id 2 by the dialog manager, so that the close
        // box cancels even where Esc must not, and even when a Cancel button is disabled.
        cancel();
        return TRUE;
    default:
        return FALSE;
    }
}

const DialogControl* DialogHost::entry(int id) const {
    for (const DialogControl& c : layout_.controls)
        if (c.id == id && id != -1) return &c;
    return nullptr;
}

// The labels with a look of their own get its font. On a change of DPI every other control gets the
// dialog's font made anew, as the dialog manager made it at creation for the DPI of then.
void DialogHost::setFonts(bool dialogFontToo) {
    const auto font = [&](int points, bool italic, bool underline) {
        return UniqueFont(::CreateFontW(-::MulDiv(points, dpi_, 72), 0, 0, 0, FW_NORMAL, italic, underline, FALSE,
                                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                        DEFAULT_PITCH | FF_SWISS, wide(layout_.fontName).c_str()));
    };
    std::vector<UniqueFont> fonts;
    if (dialogFontToo) fonts.push_back(font(layout_.fontSize, false, false));
    // Creation order is child order; labels may share an id, so the children are walked.
    HWND child = ::GetWindow(hwnd_, GW_CHILD);
    for (const DialogControl& c : layout_.controls) {
        if (!child) break;
        const bool own = c.look.points != 0 && c.id != -1;
        if (own) fonts.push_back(font(c.look.points, c.look.italic, c.look.underline));
        if (own || dialogFontToo)
            ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>((own ? fonts.back() : fonts.front()).get()),
                           dialogFontToo);
        child = ::GetWindow(child, GW_HWNDNEXT);
    }
    fonts_ = std::move(fonts);
}

// The labels' colours and the links' pointers; nothing here is the model's business.
std::optional<INT_PTR> DialogHost::drawLooks(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CTLCOLORSTATIC: {
        const DialogControl* c = entry(::GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
        if (!c || !c->look.color) return std::nullopt;
        const auto dc = reinterpret_cast<HDC>(wParam);
        ::SetTextColor(dc, *c->look.color);
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_SETCURSOR:
        // Only the links take the mouse (they notify), so only over them is the dialog asked with a
        // control as the window under the pointer.
        if (!isLink(::GetDlgCtrlID(reinterpret_cast<HWND>(wParam)))) return std::nullopt;
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        ::SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_COMMAND:
        // Starting a mail program or a browser can take a moment.
        if (isLink(LOWORD(wParam))) ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        return std::nullopt;
    default: return std::nullopt;
    }
}

// The dialog manager sized and placed the dialog from the template in dialog units. A dialog
// given in pixels gets its exact pixel rectangles now, scaled to the dialog's DPI, before it is
// shown, and a centred one is centred only after that, on the work area of the monitor of its
// owner, as DS_CENTER would.
void DialogHost::layOut() {
    if (layout_.units == DialogUnits::Pixels) placeControls();
    POINT at{};
    if (layout_.position) {
        at = {layout_.position->x, layout_.position->y};
    } else {
        RECT outer{};
        ::GetWindowRect(hwnd_, &outer);
        const HWND owner = ::GetWindow(hwnd_, GW_OWNER);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        ::GetMonitorInfoW(::MonitorFromWindow(owner ? owner : hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
        const RECT& work = monitor.rcWork;
        at = {work.left + (work.right - work.left - (outer.right - outer.left)) / 2,
              work.top + (work.bottom - work.top - (outer.bottom - outer.top)) / 2};
    }
    ::SetWindowPos(hwnd_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogHost::placeControls() {
    const DialogLayout layout = scaledLayout(layout_, dpi_);
    // Creation order is child order; labels may share an id, so the children are walked.
    HWND child = ::GetWindow(hwnd_, GW_CHILD);
    for (const DialogControl& c : layout.controls) {
        if (!child) break;
        ::MoveWindow(child, c.x, c.y, c.width, c.height, FALSE);
        child = ::GetWindow(child, GW_HWNDNEXT);
    }
    RECT outer{}, client{};
    ::GetWindowRect(hwnd_, &outer);
    ::GetClientRect(hwnd_, &client);
    ::SetWindowPos(hwnd_, nullptr, 0, 0, layout.width + (outer.right - outer.left) - client.right,
                   layout.height + (outer.bottom - outer.top) - client.bottom,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Laid out again at the new DPI, then in the frame the system suggests; the controls themselves
// stay, and with them what the user selected in them.
void DialogHost::onDpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    placeControls();
    ::SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    setFonts(true);
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void DialogHost::onCommand(int id, int code) {
    if (id == IDCANCEL && code == BN_CLICKED) {
        // Esc arrives as a click of id 2 whether or not the dialog has such a control.
        if (!layout_.escapeCancels && !::GetDlgItem(hwnd_, IDCANCEL)) return;
        return cancel();
    }
    model_.command(*this, id, code);
}

HWND DialogHost::control(int id) const {
    const HWND item = hwnd_ ? ::GetDlgItem(hwnd_, id) : nullptr;
    if (!item) throw std::out_of_range("The dialog has no control " + std::to_string(id) + ".");
    return item;
}

std::vector<std::string> DialogHost::listItems(int id) const {
    const HWND list = control(id);
    const ListMessages& m = listMessages(list, id);
    std::vector<std::string> items;
    const auto count = ::SendMessageW(list, m.count, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto length = ::SendMessageW(list, m.textLength, static_cast<WPARAM>(i), 0);
        std::wstring item(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
        const auto copied = ::SendMessageW(list, m.text, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()));
        item.resize(static_cast<std::size_t>(copied > 0 && copied <= length ? copied : 0));
        items.push_back(narrow(item));
    }
    return items;
}

void DialogHost::setListItems(int id, const std::vector<std::string>& items) {
    const HWND list = control(id);
    const ListMessages& m = listMessages(list, id);
    ::SendMessageW(list, m.reset, 0, 0);
    for (const std::string& item : items)
        ::SendMessageW(list, m.add, 0, reinterpret_cast<LPARAM>(wide(item).c_str()));
}

// WM_NEXTDLGCTL rather than SetFocus, so that the dialog manager moves the default button along
// and selects an edit box's text as a Tab would.
void DialogHost::focus(int id) {
    ::SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control(id)), TRUE);
    focusSet_ = true;
}

void DialogHost::close(int result) {
    if (closing_ || !hwnd_) return;
    closing_ = true;
    if (modeless_)
        ::DestroyWindow(hwnd_);
    else
        ::EndDialog(hwnd_, result);
}

int runModal(HWND owner, const DialogLayout& layout, DialogModel& model, const DialogHook& hook) {
    const std::vector<WORD> words = buildTemplate(layout);
    DialogHost host(layout, model, hook, nullptr);
    // A control that cannot be created fails the whole dialog (no DS_NOFAILCREATE): -1.
    return static_cast<int>(::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr),
                                                      reinterpret_cast<LPCDLGTEMPLATEW>(words.data()), owner,
                                                      &DialogHost::dialogProc, reinterpret_cast<LPARAM>(&host)));
}

ModelessDialog::ModelessDialog(MessageRouter& router) : router_(router) {}

ModelessDialog::~ModelessDialog() {
    // While the object is whole: the dialog's last messages still reach it.
    if (const HWND dialog = hwnd()) ::DestroyWindow(dialog);
    router_.remove(*this);
}

bool ModelessDialog::create(HWND owner, const DialogLayout& layout, DialogModel& model, DialogHook hook) {
    if (const HWND open = hwnd()) ::DestroyWindow(open);
    const std::vector<WORD> words = buildTemplate(layout);
    host_ = std::make_unique<DialogHost>(layout, model, std::move(hook), this);
    const HWND dialog =
        ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(words.data()),
                                     owner, &DialogHost::dialogProc, reinterpret_cast<LPARAM>(host_.get()));
    return dialog != nullptr;
}

void ModelessDialog::opened(HWND dialog) {
    adoptHandle(dialog);
    router_.add(*this);
}

void ModelessDialog::closed(HWND) {
    router_.remove(*this);
    adoptHandle(nullptr);
}

}  // namespace tess::win32
