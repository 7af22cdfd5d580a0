#include "help/win32/HelpWindow.h"

#include "platform/DialogModel.h"
#include "platform/win32/DialogTemplate.h"

#include <windowsx.h>

#include <algorithm>

namespace tess::win32 {

namespace {

constexpr char kClassName[] = "TessalineHelp";
constexpr char kDefaultCaption[] = "Application Help";
constexpr char kStatusHint[] = "  Right click mouse (or F1) for menu options";
constexpr char kTitleIndent[] = "     ";
constexpr int kClientWidth = 640, kClientHeight = 370;
constexpr int kPaneMargin = 12;
constexpr int kTitleHeight = 23;
constexpr int kMinPaneWidth = 20;  // a drag never folds a pane away entirely
constexpr COLORREF kTitleColour = RGB(211, 211, 211);
constexpr COLORREF kPaneColour = RGB(255, 250, 205);
constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;

struct Placement {
    int id;
    int x, y, width, height;
};
constexpr Placement kTree{helpid::kTree, 10, 5, 235, 325};
constexpr Placement kTitle{helpid::kTitle, 250, 5, 355, 23};
constexpr Placement kText{helpid::kText, 250, 30, 370, 300};
constexpr Placement kSplitter{helpid::kSplitter, 245, 5, 5, 325};

RECT childRect(HWND parent, HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int width(const RECT& r) { return r.right - r.left; }
int height(const RECT& r) { return r.bottom - r.top; }

// A control's rectangle at dpi, with the splitter dragged shift 96-dpi pixels from where it starts:
// the tree grows by it, the bar moves with it and the title and the text give it up.
RECT placed(const Placement& p, int dpi, int shift = 0) {
    const bool tree = p.id == helpid::kTree, splitter = p.id == helpid::kSplitter;
    const int x = scaled(p.x + (tree ? 0 : shift), dpi), y = scaled(p.y, dpi);
    const int w = scaled(p.width + (tree ? shift : splitter ? 0 : -shift), dpi);
    return {x, y, x + w, y + scaled(p.height, dpi)};
}

UniqueFont makeFont(int dpi, int points) {
    const int pixels = -::MulDiv(points, dpi, 72);
    return UniqueFont(::CreateFontA(pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                    "MS Sans Serif"));
}

// The text pane's menu stands in for the pane's own, so it offers Copy: help examples are there to
// be copied.
UniqueMenu makeMenu(bool withTreeItems) {
    UniqueMenu menu(::CreatePopupMenu());
    const auto add = [&](int id, const char* text) {
        ::AppendMenuA(menu.get(), id ? MF_STRING : MF_SEPARATOR, static_cast<UINT_PTR>(id), text);
    };
    add(helpid::kFind, "Find text\tCTRL+F");
    add(helpid::kNext, "Next\tF3");
    add(helpid::kPrev, "Prev\tSHFT+F3");
    add(0, nullptr);
    if (withTreeItems) {
        add(helpid::kExpand, "Expand topic");
        add(helpid::kCollapse, "Collapse topic");
        add(helpid::kExpandAll, "Expand all\tCTRL+X");
        add(helpid::kCollapseAll, "Collapse all");
        add(0, nullptr);
    } else {
        add(helpid::kCopy, "Copy\tCTRL+C");
    }
    add(helpid::kPrint, "Print item\tCTRL+P");
    return menu;
}

// The table sees every key typed anywhere in the window, so it holds no key a control there needs
// for itself: Ctrl+C is the text pane's copy, wherever the focus is (the tree has nothing to copy).
// Ctrl+X can stay with Expand all, as the pane is read-only and has nothing to cut.
UniqueAccel makeAccelerators() {
    ACCEL keys[] = {
        {FVIRTKEY | FCONTROL, 'F', helpid::kFind},       {FVIRTKEY, VK_F3, helpid::kNext},
        {FVIRTKEY | FSHIFT, VK_F3, helpid::kPrev},       {FVIRTKEY | FCONTROL, 'P', helpid::kPrint},
        {FVIRTKEY | FCONTROL, 'X', helpid::kExpandAll},  {FVIRTKEY | FCONTROL, 'C', helpid::kCopy},
        {FVIRTKEY, VK_F1, helpid::kMenuKey},             {FVIRTKEY, VK_ESCAPE, helpid::kClose},
    };
    return UniqueAccel(::CreateAcceleratorTableA(keys, static_cast<int>(std::size(keys))));
}

// The Find text prompt.
class AskModel : public DialogModel {
public:
    void initialise(DialogView& view) override {
        view.setChecked(helpid::kAskFromTop, true);
        view.focus(helpid::kAskEdit);
    }
    void command(DialogView& view, int id, int code) override {
        if (id != kDialogOk || code != notification::kClicked) return;
        answer = {view.text(helpid::kAskEdit), view.checked(helpid::kAskFromTop)};
        view.close(kDialogOk);
    }
    bool cancel(DialogView& view) override {
        answer = {view.text(helpid::kAskEdit), false};
        return true;
    }
    HelpFindAnswer answer;
};

// Sized in pixels of the dialog font from the prompt and the caption, placed over the text pane.
// The font is measured at the pane's DPI and the layout given at 96 dpi, as every layout in pixels.
HelpFindAnswer promptForText(HWND pane, Desktop& desktop, const std::string& prompt, const std::string& caption) {
    const int dpi = windowDpi(pane);
    const HDC dc = ::GetDC(pane);
    const UniqueFont font(
        ::CreateFontA(-::MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif"));
    const HGDIOBJ old = ::SelectObject(dc, font.get());
    const auto textWidth = [&](const std::string& text) {
        SIZE size{};
        ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return unscaled(static_cast<int>(size.cx), dpi);
    };
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    const int pw = textWidth(prompt);
    const int tw = std::max(textWidth("  "), 130);
    const int cw = std::max(textWidth(caption + "  "), 150);
    ::SelectObject(dc, old);
    ::ReleaseDC(pane, dc);
    const int w = std::max({tw + pw, cw, 150});
    const int boxHeight = unscaled(metrics.tmHeight, dpi) + 10;

    RECT client{};
    ::GetClientRect(pane, &client);
    POINT at{client.right / 2 - w / 2, client.bottom / 4};
    ::ClientToScreen(pane, &at);
    using namespace controlstyle;
    const DialogLayout dialogLayout{
        .title = caption,
        .width = w + 40,
        .height = boxHeight + 120,
        .units = DialogUnits::Pixels,
        .position = ScreenPoint{at.x, at.y},
        .controls = {
            {"STATIC", -1, prompt, 5, 15, pw + 5, 20},
            {"EDIT", helpid::kAskEdit, "", 10 + pw, 15, tw + 5, boxHeight, kTabStop | kEditAutoHScroll,
             WS_EX_CLIENTEDGE},
            {"BUTTON", helpid::kAskFromTop, "Search from top", 10, 45, 210, 15, kTabStop | kCheckBox},
            {"BUTTON", kDialogOk, "Ok", w - 60, 50 + boxHeight, 80, 30, kTabStop | kDefPushButton},
        }};
    AskModel model;
    if (runModal(pane, dialogLayout, model) == -1)
        desktop.messageBox({.title = "Tessaline", .text = cannotOpenText(caption), .icon = Icon::Error});
    // The box gives UTF-8 and the help text is 8-bit: a text the code page cannot hold is in no topic,
    // and stays as it is, found nowhere.
    if (const auto ansi = desktop.ansiCodePage().encode(utf16(model.answer.text))) model.answer.text = *ansi;
    return model.answer;
}

}  // namespace

// The text pane shows the window's own menu on a right click instead of the control's.
class HelpWindow::PaneHandler : public Subclass {
public:
    explicit PaneHandler(HelpWindow& window) : window_(window) {}

protected:
    LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg != WM_CONTEXTMENU) return passOn(msg, wParam, lParam);
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (lParam == -1) {  // from the keyboard: at the pane's corner
            at = {0, 0};
            ::ClientToScreen(control(), &at);
        }
        window_.openMenu(window_.textMenu_.get(), at);
        return 0;
    }

private:
    HelpWindow& window_;
};

// The bar between the tree and the text: the sizing cursor over it, and the drag.
class HelpWindow::SplitterHandler : public Subclass {
public:
    explicit SplitterHandler(HelpWindow& window) : window_(window) {}

protected:
    LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
        case WM_SETCURSOR: ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEWE)); return TRUE;
        case WM_LBUTTONDOWN:
            ::SetCapture(control());
            window_.beginDrag(parentX(lParam));
            return 0;
        case WM_MOUSEMOVE:
            if (window_.drag_.active) window_.dragTo(parentX(lParam));
            return 0;
        case WM_LBUTTONUP:
            if (::GetCapture() == control()) ::ReleaseCapture();
            window_.drag_.active = false;
            return 0;
        case WM_CAPTURECHANGED: window_.drag_.active = false; return 0;
        default: return passOn(msg, wParam, lParam);
        }
    }

private:
    int parentX(LPARAM lParam) const {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ::MapWindowPoints(control(), window_.hwnd(), &at, 1);
        return at.x;
    }
    HelpWindow& window_;
};

HelpWindow::HelpWindow(Desktop& desktop, MessageRouter& router, HelpSearchState& state, PrintHelpTopic print)
    : desktop_(desktop), router_(router), state_(state), print_(std::move(print)),
      find_(topics_, state, *this) {}

HelpWindow::~HelpWindow() {
    close();
    router_.remove(*this);
}

void HelpWindow::close() {
    if (const HWND window = hwnd()) ::DestroyWindow(window);
}

bool HelpWindow::showHelp(const std::string& file, const std::string& caption, HWND owner, int dx, int dy) {
    if (const HWND open = hwnd()) {
        // A second window would load the model again beside the first; the open one comes forward.
        if (::IsIconic(open)) ::ShowWindow(open, SW_RESTORE);
        ::SetForegroundWindow(open);
        return true;
    }
    const auto info = [&](const char* text) {
        desktop_.messageBox({.title = "Help File", .text = text, .icon = Icon::Information});
        return false;
    };
    if (!desktop_.fileExists(file)) return info("No help available");
    const ReadResult read = desktop_.readFile(file);
    auto topics = read.error == FileError::None ? loadHelpFile(read.bytes) : std::nullopt;
    if (!topics) return info("No help content");
    topics_ = std::move(*topics);
    tree_ = buildTopicTree(topics_);

    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    if (!registerClass(instance, {.name = kClassName,
                                  .cursor = ::LoadCursorW(nullptr, IDC_ARROW),
                                  .background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)}))
        return false;
    // Opened beside its owner, on that monitor: at its DPI.
    dpi_ = windowDpi(owner);
    RECT frame{0, 0, px(kClientWidth), px(kClientHeight)};
    ::AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
    RECT ownerRect{};
    if (owner) ::GetWindowRect(owner, &ownerRect);
    if (!create(0, kClassName, caption.empty() ? kDefaultCaption : caption.c_str(), kWindowStyle,
                ownerRect.left + dx, ownerRect.top + dy, width(frame), height(frame), nullptr, nullptr, instance))
        return false;
    dpi_ = windowDpi(hwnd());
    if (!createControls()) {
        close();
        return false;
    }
    router_.add(*this);
    // Laid out by the resize rules from the start, so that growing and shrinking the window keeps
    // the margins it opened with.
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    layout(client.right, client.bottom);
    fillTree();
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetFocus(control(helpid::kTree));
    return true;
}

// The help file is 8-bit text in the system's code page, and its controls are the ANSI ones, which
// take it in that code page as it is.
bool HelpWindow::createControls() {
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    const auto make = [&](const char* cls, const Placement& p, DWORD style, const char* text = "") {
        const RECT r = placed(p, dpi_);
        return ::CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, width(r), height(r),
                                 hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(p.id)), instance, nullptr);
    };
    titleBrush_.reset(::CreateSolidBrush(kTitleColour));
    paneBrush_.reset(::CreateSolidBrush(kPaneColour));
    const HWND tree = make(WC_TREEVIEWA, kTree, WS_TABSTOP | TVS_SHOWSELALWAYS | TVS_EDITLABELS);
    const HWND title = make("STATIC", kTitle, SS_LEFT | SS_NOPREFIX);
    const HWND splitter = make("STATIC", kSplitter, SS_ETCHEDFRAME | SS_NOTIFY);
    const HWND status = ::CreateWindowExA(0, STATUSCLASSNAMEA, kStatusHint, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd(),
                                          reinterpret_cast<HMENU>(helpid::kStatus), instance, nullptr);
    if (!tree || !title || !splitter || !status || !createPane(kWrapLines, {}) || !setFonts()) return false;
    splitterHandler_ = std::make_unique<SplitterHandler>(*this);
    splitterHandler_->attach(splitter);
    treeMenu_ = makeMenu(true);
    textMenu_ = makeMenu(false);
    accelerators_ = makeAccelerators();
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    const int parts[] = {static_cast<int>(client.right * 0.65), -1};
    ::SendMessageA(status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
    ::SendMessageA(status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(kStatusHint));
    return true;
}

// The pane is made anew to change its wrapping: an EDIT control cannot switch after creation.
bool HelpWindow::createPane(int wrapMode, const std::string& text) {
    RECT place = placed(kText, dpi_);
    if (pane_) {
        place = childRect(hwnd(), pane_);
        if (paneHandler_) paneHandler_->detach();
        ::DestroyWindow(pane_);
        pane_ = nullptr;
    }
    DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY |
                  ES_NOHIDESEL;
    if (wrapMode != kWrapLines) style |= WS_HSCROLL | ES_AUTOHSCROLL;
    pane_ = ::CreateWindowExA(0, "EDIT", text.c_str(), style, place.left, place.top, width(place), height(place),
                              hwnd(), reinterpret_cast<HMENU>(helpid::kText), ::GetModuleHandleA(nullptr), nullptr);
    if (!pane_) return false;
    state_.paneWrapMode = wrapMode == kWrapLines ? kWrapLines : kNoWrap;
    dressPane();
    if (!paneHandler_) paneHandler_ = std::make_unique<PaneHandler>(*this);
    paneHandler_->attach(pane_);
    return true;
}

// A font resets an edit control's margins, so the two go together.
void HelpWindow::dressPane() {
    ::SendMessageA(pane_, WM_SETFONT, reinterpret_cast<WPARAM>(textFont_.get()), TRUE);
    ::SendMessageA(pane_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(px(kPaneMargin), px(kPaneMargin)));
}

// The fonts made at the window's DPI and given to the controls; the old ones go once nothing uses them.
bool HelpWindow::setFonts() {
    UniqueFont text = makeFont(dpi_, 10), title = makeFont(dpi_, 12);
    if (!text || !title) return false;
    ::SendMessageA(control(helpid::kTree), WM_SETFONT, reinterpret_cast<WPARAM>(text.get()), TRUE);
    ::SendMessageA(control(helpid::kTitle), WM_SETFONT, reinterpret_cast<WPARAM>(title.get()), TRUE);
    textFont_ = std::move(text);
    titleFont_ = std::move(title);
    dressPane();
    return true;
}

// On a monitor of another DPI the controls go back to their places at creation, scaled anew, with
// the splitter where the user dragged it, and the resize rules size them for the suggested frame.
// The tree and the pane stay (only their fonts change), so the topic and the pane's selection stay;
// the first line shown is scrolled back to.
void HelpWindow::onDpiChanged(int dpi, const RECT& suggested) {
    const int shift = unscaled(childRect(hwnd(), control(helpid::kSplitter)).left, dpi_) - kSplitter.x;
    const auto firstLine = [&] { return static_cast<int>(::SendMessageA(pane_, EM_GETFIRSTVISIBLELINE, 0, 0)); };
    const int first = firstLine();
    dpi_ = dpi;
    setFonts();
    for (const Placement& p : {kTree, kTitle, kText, kSplitter}) {
        const RECT r = placed(p, dpi_, shift);
        ::SetWindowPos(control(p.id), nullptr, r.left, r.top, width(r), height(r), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, width(suggested), height(suggested),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    layout(client.right, client.bottom);
    ::SendMessageA(pane_, EM_LINESCROLL, 0, first - firstLine());
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void HelpWindow::fillTree() {
    const HWND tree = control(helpid::kTree);
    ::SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    items_.assign(topics_.size(), nullptr);
    for (std::size_t i = 0; i < topics_.size(); ++i) {
        TVINSERTSTRUCTA insert{};
        const int parent = tree_.parent[i];
        insert.hParent = parent < 0 ? TVI_ROOT : items_[static_cast<std::size_t>(parent)];
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
        insert.item.pszText = const_cast<char*>(topics_[i].title.c_str());
        insert.item.lParam = static_cast<LPARAM>(i + 1);  // the topic's number, counted from 1
        insert.item.cChildren = tree_.hasChildren[i] ? 1 : 0;
        items_[i] = reinterpret_cast<HTREEITEM>(
            ::SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    }
    expandAll(TVE_EXPAND);
    current_ = -1;
    selectTopic(tree_.selected);
}

// The tree reports the change and the topic is shown from there; selecting the item that is already
// selected reports nothing, so it is shown here then.
void HelpWindow::selectTopic(int topic) {
    ::SendMessageA(control(helpid::kTree), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(itemOf(topic)));
    if (current_ != topic) showTopic(topic);
}

void HelpWindow::setBold(int topic, bool bold) {
    if (topic < 0 || topic >= static_cast<int>(items_.size())) return;
    TVITEMA item{};
    item.mask = TVIF_STATE;
    item.hItem = itemOf(topic);
    item.stateMask = TVIS_BOLD;
    item.state = bold ? TVIS_BOLD : 0;
    ::SendMessageA(control(helpid::kTree), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void HelpWindow::showTopic(int topic) {
    setBold(current_, false);
    current_ = topic;
    const HelpTopic& shown = topics_[static_cast<std::size_t>(topic)];
    ::SetWindowTextA(control(helpid::kTitle), (kTitleIndent + shown.title).c_str());
    const int wrapMode = shown.wrapMode == kWrapLines ? kWrapLines : kNoWrap;
    if (wrapMode != state_.paneWrapMode) createPane(wrapMode, {});
    // A tab stop every tabWidth average characters: four dialog template units each.
    const int stops = std::clamp(shown.tabWidth, 1, 64) * 4;
    ::SendMessageA(pane_, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&stops));
    ::SetWindowTextA(pane_, shown.body.c_str());
    const std::string path = topicPath(topics_, tree_, topic);
    ::SendMessageA(control(helpid::kStatus), SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(path.c_str()));
}

void HelpWindow::layout(int w, int h) {
    const HWND splitter = control(helpid::kSplitter);
    if (!splitter) return;  // sized during creation, before the controls exist
    const RECT s = childRect(hwnd(), splitter);
    const RECT tree = childRect(hwnd(), control(helpid::kTree));
    const auto size = [](HWND control, int cx, int cy) {
        ::SetWindowPos(control, nullptr, 0, 0, std::max(cx, 0), std::max(cy, 0), SWP_NOMOVE | SWP_NOZORDER);
    };
    size(control(helpid::kTitle), w - s.left - px(35), s.top + px(18));
    size(pane_, w - s.left - px(20), h - px(65));
    size(control(helpid::kTree), width(tree), h - px(40));
    size(splitter, px(5), h - px(40));
    const HWND status = control(helpid::kStatus);
    ::SendMessageA(status, WM_SIZE, 0, 0);
    const int parts[] = {static_cast<int>(w * 0.65), -1};
    ::SendMessageA(status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
}

void HelpWindow::beginDrag(int x) {
    drag_ = {.active = true,
             .pressX = x,
             .tree = childRect(hwnd(), control(helpid::kTree)),
             .title = childRect(hwnd(), control(helpid::kTitle)),
             .text = childRect(hwnd(), pane_),
             .splitter = childRect(hwnd(), control(helpid::kSplitter))};
}

void HelpWindow::dragTo(int x) {
    const int d =
        std::clamp(x - drag_.pressX, px(kMinPaneWidth) - width(drag_.tree), width(drag_.text) - px(kMinPaneWidth));
    const auto place = [](HWND control, const RECT& r, int dx, int dw) {
        ::SetWindowPos(control, nullptr, r.left + dx, r.top, width(r) + dw, height(r), SWP_NOZORDER);
    };
    place(control(helpid::kTree), drag_.tree, 0, d);
    place(control(helpid::kTitle), drag_.title, d, -d);
    place(pane_, drag_.text, d, -d);
    place(control(helpid::kSplitter), drag_.splitter, d, 0);
}

void HelpWindow::openMenu(HMENU menu, POINT screen) {
    ::TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_TOPALIGN, screen.x, screen.y, hwnd(), nullptr);
}

void HelpWindow::onTreeRightClick() {
    const HWND tree = control(helpid::kTree);
    TVHITTESTINFO hit{};
    ::GetCursorPos(&hit.pt);
    const POINT screen = hit.pt;
    ::ScreenToClient(tree, &hit.pt);
    const auto item = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (!item || !(hit.flags & TVHT_ONITEM)) return;
    ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    openMenu(treeMenu_.get(), screen);
}

HelpFindAnswer HelpWindow::askText() { return promptForText(pane_, desktop_, "Enter text:", "Text to Find"); }

void HelpWindow::embolden(int topic) { setBold(topic, true); }

std::pair<std::size_t, std::size_t> HelpWindow::textSelection() const {
    DWORD start = 0, end = 0;
    ::SendMessageA(pane_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

void HelpWindow::selectText(std::size_t start, std::size_t end, bool scrollIntoView) {
    ::SendMessageA(pane_, EM_SETSEL, start, end);
    if (scrollIntoView) ::SendMessageA(pane_, EM_SCROLLCARET, 0, 0);
}

void HelpWindow::focusTree() { ::SetFocus(control(helpid::kTree)); }

void HelpWindow::expandAll(UINT action) {
    for (const HTREEITEM item : items_)
        ::SendMessageA(control(helpid::kTree), TVM_EXPAND, action, reinterpret_cast<LPARAM>(item));
}

void HelpWindow::onCommand(int id) {
    const auto selected = [this] { return reinterpret_cast<LPARAM>(itemOf(current_)); };
    switch (id) {
    case helpid::kFind: return find_.findText();
    case helpid::kNext: return find_.findAgain(true);
    case helpid::kPrev: return find_.findAgain(false);
    case helpid::kPrint: {
        const HelpTopic& topic = topics_[static_cast<std::size_t>(current_)];
        if (!topic.body.empty() && print_) print_(topic.title, topic.body);
        return;
    }
    case helpid::kExpand: ::SendMessageA(control(helpid::kTree), TVM_EXPAND, TVE_EXPAND, selected()); return;
    case helpid::kCollapse: ::SendMessageA(control(helpid::kTree), TVM_EXPAND, TVE_COLLAPSE, selected()); return;
    case helpid::kExpandAll: return expandAll(TVE_EXPAND);
    case helpid::kCollapseAll: return expandAll(TVE_COLLAPSE);
    case helpid::kCopy: ::SendMessageA(pane_, WM_COPY, 0, 0); return;
    case helpid::kMenuKey: {
        RECT r{};
        ::GetWindowRect(hwnd(), &r);
        return openMenu(treeMenu_.get(), {r.left + 40, r.top + 50});
    }
    case helpid::kClose: return close();
    default: return;
    }
}

LRESULT HelpWindow::onNotify(const NMHDR& header) {
    if (header.idFrom != helpid::kTree) return 0;
    switch (header.code) {
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW: {
        const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
        if (change.itemNew.hItem) showTopic(static_cast<int>(change.itemNew.lParam) - 1);
        return 0;
    }
    // Titles come from the help file, so an edit could never be kept; and in the edit box the
    // window's keys would take Esc and Ctrl+C from it. No edit box opens at all.
    case TVN_BEGINLABELEDITA:
    case TVN_BEGINLABELEDITW: return TRUE;
    case TVN_ENDLABELEDITA:
    case TVN_ENDLABELEDITW: return FALSE;
    case NM_RCLICK: onTreeRightClick(); return TRUE;
    default: return 0;
    }
}

LRESULT HelpWindow::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND: onCommand(LOWORD(wParam)); return 0;
    case WM_NOTIFY: return onNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_SIZE: layout(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_DPICHANGED: onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    // The window itself has no use for the keyboard: when it is activated again (after the Find
    // text prompt or a message box), the keys go back to the control that had them.
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = ::GetFocus();
            if (focus && ::IsChild(hwnd(), focus)) lastFocus_ = focus;
        }
        break;
    case WM_SETFOCUS:
        ::SetFocus(lastFocus_ && ::IsChild(hwnd(), lastFocus_) ? lastFocus_ : control(helpid::kTree));
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: {
        const auto dc = reinterpret_cast<HDC>(wParam);
        const auto child = reinterpret_cast<HWND>(lParam);
        if (child != pane_ && child != control(helpid::kTitle)) break;
        ::SetTextColor(dc, RGB(0, 0, 0));
        ::SetBkColor(dc, child == pane_ ? kPaneColour : kTitleColour);
        return reinterpret_cast<LRESULT>(child == pane_ ? paneBrush_.get() : titleBrush_.get());
    }
    default: break;
    }
    return Window::handleMessage(msg, wParam, lParam);
}

void HelpWindow::destroyed() {
    router_.remove(*this);
    pane_ = nullptr;
    lastFocus_ = nullptr;
    current_ = -1;
    items_.clear();
    topics_.clear();
    drag_ = {};
}

}  // namespace tess::win32
