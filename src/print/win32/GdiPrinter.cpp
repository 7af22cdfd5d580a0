#include "print/win32/GdiPrinter.h"

#include "platform/win32/UniqueHandle.h"

#include <windows.h>
#include <commdlg.h>

#include <utility>

namespace tess::win32 {

namespace {

int length(std::string_view text) { return static_cast<int>(text.size()); }

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
        UniqueFont font(::CreateFontA(f.height, 0, 0, 0, FW_NORMAL, FALSE, f.underline, FALSE, ANSI_CHARSET,
                                      OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                      f.face.c_str()));
        if (!font) return;
        const HGDIOBJ replaced = ::SelectObject(dc_.get(), font.get());
        if (!original_) original_ = replaced;
        font_ = std::move(font);  // the font it replaces is no longer selected, so it can go
    }

    PrintTextMetrics textMetrics() const override {
        TEXTMETRICA m{};
        ::GetTextMetricsA(dc_.get(), &m);
        return {m.tmHeight, m.tmExternalLeading, m.tmAveCharWidth};
    }

    int textExtent(std::string_view text) const override {
        SIZE size{};
        ::GetTextExtentPoint32A(dc_.get(), text.data(), length(text), &size);
        return size.cx;
    }

    int fitCount(std::string_view text, int maxExtent) const override {
        INT fit = 0;
        SIZE size{};
        if (text.empty() ||
            !::GetTextExtentExPointA(dc_.get(), text.data(), length(text), maxExtent, &fit, nullptr, &size))
            return 0;
        return fit;
    }

    void textOut(int x, int y, std::string_view text) override {
        ::TextOutA(dc_.get(), x, y, text.data(), length(text));
    }

    bool startDocument(std::string_view name) override {
        const std::string documentName(name);
        DOCINFOA info{};
        info.cbSize = sizeof info;
        info.lpszDocName = documentName.c_str();
        jobOpen_ = ::StartDocA(dc_.get(), &info) > 0;
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
        const auto* mode = static_cast<const DEVMODEA*>(lock.get());
        if (!mode) return std::nullopt;
        return mode->dmDuplex;
    }

    void setDuplex(int value) override {
        const GlobalLockGuard lock(deviceMode_.get());
        auto* mode = static_cast<DEVMODEA*>(lock.get());
        if (!mode || mode->dmFields == 0) return;
        mode->dmDuplex = static_cast<short>(value);
        mode->dmFields |= DM_DUPLEX;
        ::ResetDCA(dc_.get(), mode);
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
    PRINTDLGA dialog{};
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
    const BOOL confirmed = ::PrintDlgA(&dialog);
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
