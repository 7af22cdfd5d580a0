#include "print/win32/GdiPrinter.h"

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

#include <windows.h>
#include <commdlg.h>

#include <utility>

namespace tess::win32 {

namespace {

int length(std::u16string_view text) { return static_cast<int>(text.size()); }
const wchar_t* chars(std::u16string_view text) { return reinterpret_cast<const wchar_t*>(text.data()); }

class GdiPrintDevice final : public PrintDevice {
public:
    GdiPrintDevice(UniqueDc dc, UniqueGlobal deviceMode) : deviceMode_(std::move(deviceMode)), dc_(std::move(dc)) {}

    // A job that was started and never ended is abandoned rather than printed half. The context's
    // own font goes back in before ours is deleted (a selected font cannot be).
    ~GdiPrintDevice() override {
        if (jobOpen_) ::AbortDoc(dc_.get());
        if (font_) ::SelectObject(dc_.get(), original_);
    }
    GdiPrintDevice(const GdiPrintDevice&) = delete;
    GdiPrintDevice& operator=(const GdiPrintDevice&) = delete;

    DeviceCaps caps() const override {
        const auto cap = [this](int index) { return ::GetDeviceCaps(dc_.get(), index); };
        return {cap(LOGPIXELSX),      cap(LOGPIXELSY),      cap(PHYSICALWIDTH), cap(PHYSICALHEIGHT),
                cap(PHYSICALOFFSETX), cap(PHYSICALOFFSETY), cap(HORZRES),       cap(VERTRES)};
    }

    void selectFont(const PrintFont& f) override {
        // Any character set: the text may be in any script.
        LOGFONTW look{};
        look.lfHeight = f.height;
        look.lfWeight = FW_NORMAL;
        look.lfUnderline = f.underline;
        look.lfCharSet = DEFAULT_CHARSET;
        look.lfOutPrecision = OUT_TT_PRECIS;
        look.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        look.lfQuality = DEFAULT_QUALITY;
        look.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
        const std::wstring face = wide(f.face).substr(0, LF_FACESIZE - 1);
        face.copy(look.lfFaceName, face.size());
        UniqueFont font(::CreateFontIndirectW(&look));
        if (!font) return;
        const HGDIOBJ replaced = ::SelectObject(dc_.get(), font.get());
        if (!original_) original_ = replaced;
        font_ = std::move(font);  // the font it replaces is no longer selected, so it can go
    }

    PrintTextMetrics textMetrics() const override {
        TEXTMETRICW m{};
        ::GetTextMetricsW(dc_.get(), &m);
        return {m.tmHeight, m.tmExternalLeading, m.tmAveCharWidth};
    }

    int textExtent(std::u16string_view text) const override {
        SIZE size{};
        ::GetTextExtentPoint32W(dc_.get(), chars(text), length(text), &size);
        return size.cx;
    }

    int fitCount(std::u16string_view text, int maxExtent) const override {
        INT fit = 0;
        SIZE size{};
        if (text.empty() ||
            !::GetTextExtentExPointW(dc_.get(), chars(text), length(text), maxExtent, &fit, nullptr, &size))
            return 0;
        return fit;
    }

    void textOut(int x, int y, std::u16string_view text) override {
        ::TextOutW(dc_.get(), x, y, chars(text), length(text));
    }

    bool startDocument(std::string_view name) override {
        const std::wstring documentName = wide(name);
        DOCINFOW info{};
        info.cbSize = sizeof info;
        info.lpszDocName = documentName.c_str();
        jobOpen_ = ::StartDocW(dc_.get(), &info) > 0;
        return jobOpen_;
    }
    bool startPage() override { return ::StartPage(dc_.get()) > 0; }
    void endPage() override { ::EndPage(dc_.get()); }
    void endDocument() override {
        ::EndDoc(dc_.get());
        jobOpen_ = false;
    }

    // Without a device mode (the dialog gave none) the lock gives nothing.
    std::optional<int> duplex() const override {
        const GlobalLockGuard lock(deviceMode_.get());
        const auto* mode = static_cast<const DEVMODEW*>(lock.get());
        if (!mode) return std::nullopt;
        return mode->dmDuplex;
    }

    void setDuplex(int value) override {
        const GlobalLockGuard lock(deviceMode_.get());
        auto* mode = static_cast<DEVMODEW*>(lock.get());
        if (!mode || mode->dmFields == 0) return;
        mode->dmDuplex = static_cast<short>(value);
        mode->dmFields |= DM_DUPLEX;
        ::ResetDCW(dc_.get(), mode);
        if (font_) ::SelectObject(dc_.get(), font_.get());
    }

private:
    UniqueGlobal deviceMode_;
    UniqueDc dc_;
    UniqueFont font_;
    HGDIOBJ original_ = nullptr;
    bool jobOpen_ = false;
};

}  // namespace

// The dialog warns about a missing printer in words of its own unless told not to; the caller
// tells the user in the program's words instead.
std::optional<std::unique_ptr<PrintDevice>> GdiPrinters::choose(const PrintDialogRequest& request) {
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = ::GetActiveWindow();
    dialog.Flags = PD_RETURNDC | PD_HIDEPRINTTOFILE | PD_NOWARNING;
    if (!request.offerSelection)
        dialog.Flags |= PD_NOSELECTION;
    else if (request.selectionChosen)
        dialog.Flags |= PD_SELECTION;
    if (!request.offerPageRange) dialog.Flags |= PD_NOPAGENUMS;
    dialog.nFromPage = dialog.nMinPage = 1;
    dialog.nToPage = dialog.nMaxPage = 999;
    const BOOL confirmed = ::PrintDlgW(&dialog);
    // The dialog may hand back new device-mode and device-name blocks, even when it fails.
    UniqueGlobal deviceMode(dialog.hDevMode), names(dialog.hDevNames);
    UniqueDc dc(dialog.hDC);
    if (!confirmed && ::CommDlgExtendedError() == 0) return std::nullopt;  // cancelled
    if (!confirmed || !dc) return nullptr;
    return std::make_unique<GdiPrintDevice>(std::move(dc), std::move(deviceMode));
}

Printers& systemPrinters() {
    static GdiPrinters printers;
    return printers;
}

}  // namespace tess::win32
