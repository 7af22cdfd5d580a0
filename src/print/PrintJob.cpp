#include "print/PrintJob.h"

#include "platform/Desktop.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tess {

namespace {

int rounded(double value) { return static_cast<int>(std::lround(value)); }

}  // namespace

bool isUsable(const PrintDevice& device) {
    const DeviceCaps c = device.caps();
    return c.pixelsPerInchX > 0 && c.pixelsPerInchY > 0 && c.physicalWidth > 0 && c.physicalHeight > 0;
}

void reportPrinterError(Desktop& desktop, PrinterError error) {
    const char* text = error == PrinterError::Document ? "Document printing error"
                       : error == PrinterError::Page   ? "Page printing error"
                                                       : "No printer available";
    desktop.messageBox({.title = "Printer Error", .text = text, .buttons = Buttons::Ok, .icon = Icon::Error});
}

cTPrint::cTPrint(Printers& printers, Desktop& desktop) : printers_(printers), desktop_(desktop) {}

// The device gives back its context, fonts, device mode and printer handle, and abandons a job that
// was started and never ended.
cTPrint::~cTPrint() = default;

PrintDevice* cTPrint::device() {
    if (!printerDC_ && mayOpenDefault_) openDefaultPrinter();
    return printerDC_.get();
}

void cTPrint::takePrinter(OpenedPrinter printer) {
    printerName_ = std::move(printer.name);
    printerDC_ = std::move(printer.device);
    measureLineHeight();
}

// Every operation that needs a context opens the default printer when none was chosen; when there
// is none, the user is told once and the job prints nothing.
std::string cTPrint::openDefaultPrinter() {
    OpenedPrinter printer = printers_.openDefault();
    if (!printer.device || !isUsable(*printer.device)) {
        mayOpenDefault_ = false;
        reportPrinterError(PrinterError::NoPrinter);
        return {};
    }
    takePrinter(std::move(printer));
    return printerName_;
}

std::string cTPrint::choosePrinter() {
    std::optional<OpenedPrinter> chosen = printers_.choose({});
    if (!chosen) return printerName_;
    if (!chosen->device || !isUsable(*chosen->device)) {
        mayOpenDefault_ = false;
        reportPrinterError(PrinterError::NoPrinter);
        return {};
    }
    takePrinter(std::move(*chosen));
    return printerName_;
}

void cTPrint::setFont(const std::string& faceName, std::int32_t pointSize, std::string_view style) {
    PrintDevice* d = device();
    if (!d) return;
    const auto has = [style](char letter) { return style.find(letter) != std::string_view::npos; };
    const int pixels = d->caps().pixelsPerInchY * pointSize / 72;
    d->selectFont({.face = faceName, .height = -pixels, .bold = has('b'), .italic = has('i'), .underline = has('u')});
    measureLineHeight();
}

void cTPrint::measureLineHeight() {
    if (!printerDC_) return;
    const PrintTextMetrics m = printerDC_->textMetrics();
    lineHeightInches_ = static_cast<double>(m.height + m.externalLeading) / printerDC_->caps().pixelsPerInchY;
}

double cTPrint::textWidth(std::string_view text) {
    PrintDevice* d = device();
    return d ? static_cast<double>(d->textExtent(text)) / d->caps().pixelsPerInchX : 0;
}

std::string cTPrint::fitText(std::string_view text, double width) {
    PrintDevice* d = device();
    if (!d || width == 0) return {};
    const int extent = rounded(std::abs(width) * d->caps().pixelsPerInchX);
    const auto count = [&](std::string_view s) {
        return static_cast<std::size_t>(std::clamp(d->fitCount(s, extent), 0, static_cast<int>(s.size())));
    };
    if (width > 0) return std::string(text.substr(0, count(text)));
    const std::string reversed(text.rbegin(), text.rend());
    return std::string(text.substr(text.size() - count(reversed)));
}

void cTPrint::setMargins(double left, double right, double top, double bottom) {
    leftMargin_ = left;
    rightMargin_ = right;
    topMargin_ = top;
    bottomMargin_ = bottom;
}

PaperSize cTPrint::pageSize() {
    PrintDevice* d = device();
    if (!d) return {};
    const DeviceCaps c = d->caps();
    return {static_cast<double>(c.physicalWidth) / c.pixelsPerInchX,
            static_cast<double>(c.physicalHeight) / c.pixelsPerInchY};
}

CharSize cTPrint::charSize() {
    PrintDevice* d = device();
    if (!d) return {};
    return {static_cast<double>(d->textMetrics().averageCharWidth) / d->caps().pixelsPerInchX, lineHeightInches_};
}

// An unprintable top strip counts only in whole inches, so the usual fraction of an inch does not
// cost the page a line.
std::int32_t cTPrint::linesLeft(double y) {
    PrintDevice* d = device();
    if (!d || lineHeightInches_ <= 0) return 0;
    const DeviceCaps c = d->caps();
    const double top = std::max({y, topMargin_, static_cast<double>(c.physicalOffsetY / c.pixelsPerInchY)});
    const double bottom =
        std::max(bottomMargin_,
                 static_cast<double>(c.physicalHeight - c.physicalOffsetY - c.printableHeight) / c.pixelsPerInchY);
    const double lines =
        std::floor((static_cast<double>(c.physicalHeight) / c.pixelsPerInchY - bottom - top) / lineHeightInches_);
    return std::max(0, static_cast<int>(lines));
}

bool cTPrint::isDuplex() const {
    if (!printerDC_) return false;
    const std::optional<int> duplex = printerDC_->duplex();
    return duplex && *duplex > 1;
}

void cTPrint::setDuplex(std::int32_t mode) {
    if (printerDC_ && mode != 0 && printerDC_->duplex()) printerDC_->setDuplex(mode);
}

void cTPrint::setPosition(double x, double y) {
    currentX_ = x;
    currentY_ = y;
}

bool cTPrint::printsLineAt(double y) {
    PrintDevice* d = device();
    if (!d) return false;
    const DeviceCaps c = d->caps();
    const int deviceY = std::max(0, rounded(y * c.pixelsPerInchY - c.physicalOffsetY));
    const int bottomEdge = rounded(c.physicalHeight - c.physicalOffsetY - bottomMargin_ * c.pixelsPerInchY);
    return topMargin_ <= y && rounded(lineHeightInches_ * c.pixelsPerInchY) + deviceY <= bottomEdge;
}

// Text left of the left margin or right of the right one is cut off; a line above the top margin or
// crossing the bottom one is not printed at all.
void cTPrint::printText(std::string_view text, double x, double y) {
    PrintDevice* d = device();
    if (!d) return;
    if (x != 0)
        currentX_ = x;
    else
        x = currentX_;
    if (y != 0)
        currentY_ = y;
    else
        currentY_ = y = currentY_ + lineHeightInches_;

    const DeviceCaps c = d->caps();
    const int leftEdge = std::max(0, rounded(leftMargin_ * c.pixelsPerInchX - c.physicalOffsetX));
    const int rightEdge = rounded(c.physicalWidth - c.physicalOffsetX - rightMargin_ * c.pixelsPerInchX);
    int deviceX = std::max(0, rounded(x * c.pixelsPerInchX - c.physicalOffsetX));
    const int deviceY = std::max(0, rounded(y * c.pixelsPerInchY - c.physicalOffsetY));
    const int width = d->textExtent(text);

    std::string shown(text);
    if (leftMargin_ > x) {
        shown = fitText(shown, -(x + textWidth(shown) - leftMargin_));
        deviceX = leftEdge;
    }
    // A start at or past the right edge leaves no room: a negative width would ask for a tail.
    if (width + deviceX > rightEdge)
        shown = deviceX < rightEdge ? fitText(shown, static_cast<double>(rightEdge - deviceX) / c.pixelsPerInchX) : "";
    if (shown.empty() || !printsLineAt(y)) return;
    d->textOut(deviceX, deviceY, shown);
}

void cTPrint::startDocument(std::string_view name) {
    PrintDevice* d = device();
    if (d && !d->startDocument(name.substr(0, 63))) reportPrinterError(PrinterError::Document);
}

void cTPrint::startPage() {
    if (printerDC_ && !printerDC_->startPage()) reportPrinterError(PrinterError::Page);
}

void cTPrint::endPage() {
    if (printerDC_) printerDC_->endPage();
}

void cTPrint::endDocument() {
    if (printerDC_) printerDC_->endDocument();
    printerDC_.reset();
    mayOpenDefault_ = false;
}

}  // namespace tess
