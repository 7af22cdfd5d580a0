#include "dialogs/win32/AboutBox.h"

#include "dialogs/About.h"
#include "platform/win32/DialogTemplate.h"
#include "platform/win32/UniqueHandle.h"

#include <array>
#include <stdexcept>

namespace tess::win32 {

namespace {

constexpr char kLabelFont[] = "MS Sans Serif";

bool isLink(int id) { return id == kAboutMailLink || id == kAboutWebLink; }

// The picture: a "T" laid in tiles, in two teals, on a ground of sand-coloured tiles with white
// grout between them. Drawn to whatever size the dialog units give the control.
void drawMosaic(HDC dc, const RECT& area) {
    constexpr int kTiles = 5;
    constexpr std::array<COLORREF, 2> kStroke{RGB(0, 104, 118), RGB(0, 132, 140)};
    constexpr std::array<COLORREF, 3> kGround{RGB(238, 226, 198), RGB(224, 208, 174), RGB(246, 238, 220)};
    const UniqueBrush grout(::CreateSolidBrush(RGB(252, 250, 244)));
    ::FillRect(dc, &area, grout.get());
    const int width = area.right - area.left, height = area.bottom - area.top;
    for (int row = 0; row < kTiles; ++row) {
        for (int column = 0; column < kTiles; ++column) {
            const bool inT = row == 0 || column == kTiles / 2;
            const COLORREF color = inT ? kStroke[static_cast<std::size_t>(row + column) % kStroke.size()]
                                       : kGround[static_cast<std::size_t>(row * 2 + column) % kGround.size()];
            const RECT tile{area.left + column * width / kTiles + 1, area.top + row * height / kTiles + 1,
                            area.left + (column + 1) * width / kTiles, area.top + (row + 1) * height / kTiles};
            const UniqueBrush brush(::CreateSolidBrush(color));
            ::FillRect(dc, &tile, brush.get());
        }
    }
}

// The fonts, colours, pointer and picture of the box; the fonts live as long as the box.
class AboutLook {
public:
    std::optional<INT_PTR> handle(HWND box, UINT msg, WPARAM wParam, LPARAM lParam) {
        switch (msg) {
        case WM_INITDIALOG: setFonts(box); return std::nullopt;
        case WM_CTLCOLORSTATIC: return colour(reinterpret_cast<HDC>(wParam), ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
        case WM_SETCURSOR:
            // Only the links take the mouse (they notify), so only over them does the box get
            // asked with a link as the window under the pointer.
            if (!isLink(::GetDlgCtrlID(reinterpret_cast<HWND>(wParam)))) return std::nullopt;
            ::SetCursor(::LoadCursorA(nullptr, IDC_HAND));
            ::SetWindowLongPtrA(box, DWLP_MSGRESULT, TRUE);
            return TRUE;
        case WM_COMMAND:
            // Starting a mail program or a browser can take a moment; the model follows the link.
            if (isLink(LOWORD(wParam))) ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
            return std::nullopt;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.CtlType != ODT_STATIC) return std::nullopt;
            drawMosaic(item.hDC, item.rcItem);
            return TRUE;
        }
        default: return std::nullopt;
        }
    }

private:
    void setFonts(HWND box) {
        int dpi = 96;
        if (const WindowDc dc(box); dc.get()) dpi = ::GetDeviceCaps(dc.get(), LOGPIXELSY);
        const auto font = [dpi](int points, bool italic, bool underline) {
            return UniqueFont(::CreateFontA(-::MulDiv(points, dpi, 72), 0, 0, 0, FW_NORMAL, italic, underline, FALSE,
                                            ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                            DEFAULT_PITCH | FF_SWISS, kLabelFont));
        };
        name_ = font(14, false, false);
        italic_ = font(10, true, false);
        plain_ = font(10, false, false);
        link_ = font(10, false, true);
        const std::pair<int, HFONT> fonts[] = {{kAboutName, name_.get()},
                                               {kAboutForWindows, italic_.get()},
                                               {kAboutVersionBlock, plain_.get()},
                                               {kAboutMailLink, link_.get()},
                                               {kAboutWebLink, link_.get()}};
        for (const auto& [id, handle] : fonts)
            ::SendDlgItemMessageA(box, id, WM_SETFONT, reinterpret_cast<WPARAM>(handle), FALSE);
    }

    // Red for the name, blue for the links, on the dialog's own background.
    static std::optional<INT_PTR> colour(HDC dc, int id) {
        if (id != kAboutName && !isLink(id)) return std::nullopt;
        ::SetTextColor(dc, id == kAboutName ? RGB(255, 0, 0) : RGB(0, 0, 255));
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_BTNFACE));
    }

    UniqueFont name_, italic_, plain_, link_;
};

}  // namespace

void runAboutBox(HWND owner, Desktop& desktop) {
    AboutModel model(desktop);
    AboutLook look;
    const auto hook = [&look](HWND box, UINT msg, WPARAM wParam, LPARAM lParam) {
        return look.handle(box, msg, wParam, lParam);
    };
    if (runModal(owner, aboutDialog(), model, hook) == -1)
        throw std::runtime_error("The About box could not be opened.");
}

}  // namespace tess::win32
