#include "FakePrinter.h"

#include <algorithm>
#include <memory>

namespace tess::test {
namespace {

class FakeDevice final : public PrintDevice {
public:
    explicit FakeDevice(FakePrinters& p) : p_(p) { ++p_.devicesAlive; }
    ~FakeDevice() override { --p_.devicesAlive; }
    DeviceCaps caps() const override { return p_.caps; }
    void selectFont(const PrintFont& font) override { font_ = font; }
    PrintTextMetrics textMetrics() const override { return {height(), p_.externalLeading, cell()}; }
    int textExtent(std::string_view text) const override { return cell() * static_cast<int>(text.size()); }
    int fitCount(std::string_view text, int extent) const override { return std::min(extent / cell(), int(text.size())); }
    void textOut(int x, int y, std::string_view text) override { p_.printed.push_back({page_, x, y, std::string(text), font_}); }
    bool startDocument(std::string_view name) override { return log("document " + std::string(name), !p_.failDocument); }
    bool startPage() override { return log("page", !p_.failPage && ++page_); }
    void endPage() override { log("end page"); }
    void endDocument() override { log("end document"); }
    std::optional<int> duplex() const override { return p_.duplex; }
    void setDuplex(int mode) override { p_.duplex = mode, log("duplex " + std::to_string(mode)); }

private:
    int height() const { return font_.height ? std::abs(font_.height) : p_.caps.pixelsPerInchY / 6; }  // 12 points
    int cell() const { return std::max(1, height() * 6 / 10); }
    bool log(std::string event, bool result = true) { return p_.events.push_back(std::move(event)), result; }

    FakePrinters& p_;
    PrintFont font_;
    int page_ = 0;
};

}  // namespace

OpenedPrinter FakePrinters::openDefault() { return {"Fake Printer", installed ? std::make_unique<FakeDevice>(*this) : nullptr}; }

std::optional<OpenedPrinter> FakePrinters::choose(const PrintDialogRequest& request) {
    dialogs.push_back(request);
    if (cancel) return std::nullopt;
    return openDefault();
}

}  // namespace tess::test
