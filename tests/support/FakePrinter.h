#pragma once
// A scripted printer with fixed-pitch cells: a character is 6/10 of its font's height wide, so at the default 720 dpi a
// 10-point font is 100 pixels high with cells of 60 (90 across 7.5 inches).
#include "platform/PrintDevice.h"
#include "platform/TextEncoding.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace tess::test {

struct PrintedText {
    int page = 0, x = 0, y = 0;  // page from 1 within the job
    std::string text;
    PrintFont font;
};

class FakePrinters : public Printers {
public:
    std::optional<std::unique_ptr<PrintDevice>> choose(const PrintDialogRequest& request) override;

    bool installed = true, cancel = false, failDocument = false, failPage = false;
    DeviceCaps caps{720, 720, 6120, 7920, 180, 180, 5760, 7560};  // Letter, quarter-inch strips
    int externalLeading = 0;
    std::optional<int> duplex;  // the device mode's value; none: no device mode

    std::vector<PrintDialogRequest> dialogs;
    std::vector<std::string> events;  // "document NAME", "page", "end page", "end document", "duplex N"
    std::vector<PrintedText> printed;
    int devicesAlive = 0;

    // What the jobs printed, page by page, as "row text": rows counted from the printable area's top in the height of
    // the text's font, "row@x text" where x is not 0.75 inch from the paper's edge.
    std::vector<std::vector<std::string>> pages() const {
        std::vector<std::vector<std::string>> pages;
        for (const PrintedText& t : printed) {
            pages.resize(static_cast<std::size_t>(t.page));
            const std::string x = t.x == 360 ? "" : "@" + std::to_string(t.x);
            pages.back().push_back(std::to_string(t.y / -t.font.height) + x + " " + t.text);
        }
        return pages;
    }
};

class FakeDevice final : public PrintDevice {
public:
    explicit FakeDevice(FakePrinters& printers) : printers_(printers) { ++printers_.devicesAlive; }
    ~FakeDevice() override { --printers_.devicesAlive; }
    DeviceCaps caps() const override { return printers_.caps; }
    void selectFont(const PrintFont& font) override { font_ = font; }
    PrintTextMetrics textMetrics() const override { return {height(), printers_.externalLeading, cell()}; }
    int textExtent(std::u16string_view text) const override { return cell() * static_cast<int>(text.size()); }
    int fitCount(std::u16string_view text, int extent) const override {
        return std::min(extent / cell(), int(text.size()));
    }
    void textOut(int x, int y, std::u16string_view text) override {
        printers_.printed.push_back({page_, x, y, utf8(text), font_});
    }
    bool startDocument(std::string_view name) override {
        return log("document " + std::string(name), !printers_.failDocument);
    }
    bool startPage() override { return log("page", !printers_.failPage && ++page_); }
    void endPage() override { log("end page"); }
    void endDocument() override { log("end document"); }
    std::optional<int> duplex() const override { return printers_.duplex; }
    void setDuplex(int mode) override { printers_.duplex = mode, log("duplex " + std::to_string(mode)); }

private:
    int height() const { return std::abs(font_.height); }
    int cell() const { return std::max(1, height() * 6 / 10); }
    bool log(std::string event, bool result = true) { return printers_.events.push_back(std::move(event)), result; }

    FakePrinters& printers_;
    PrintFont font_;
    int page_ = 0;
};

inline std::optional<std::unique_ptr<PrintDevice>> FakePrinters::choose(const PrintDialogRequest& request) {
    dialogs.push_back(request);
    if (cancel) return std::nullopt;
    return installed ? std::make_unique<FakeDevice>(*this) : nullptr;
}

}  // namespace tess::test
