#include "print/Pagination.h"

#include "platform/Desktop.h"
#include "platform/EditControl.h"
#include "platform/PrintDevice.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace tess {

namespace {

constexpr char kFace[] = "Courier New";
constexpr int kBodyPoints = 10;

int rounded(double value) { return static_cast<int>(std::lround(value)); }

enum class PrinterError { Document, Page, NoPrinter };

void report(Desktop& desktop, PrinterError error) {
    const char* text = error == PrinterError::Document ? "Document printing error"
                       : error == PrinterError::Page   ? "Page printing error"
                                                       : "No printer available";
    desktop.messageBox({.title = "Printer Error", .text = text, .buttons = Buttons::Ok, .icon = Icon::Error});
}

// The chosen printer; none after Cancel, nor when it cannot be used (the user is told). A context
// without a resolution or a sheet counts as no printer: the layouts divide by them.
std::unique_ptr<PrintDevice> choosePrinter(Context& ctx, const PrintDialogRequest& request) {
    if (!ctx.printers) return nullptr;
    std::optional<std::unique_ptr<PrintDevice>> chosen = ctx.printers->choose(request);
    if (!chosen) return nullptr;
    const DeviceCaps c = *chosen ? (*chosen)->caps() : DeviceCaps{};
    if (c.pixelsPerInchX <= 0 || c.pixelsPerInchY <= 0 || c.physicalWidth <= 0 || c.physicalHeight <= 0) {
        report(ctx.desktop, PrinterError::NoPrinter);
        return nullptr;
    }
    return std::move(*chosen);
}

PrintFont courier(const DeviceCaps& c, int points, bool underline = false) {
    return {.face = kFace, .height = -(c.pixelsPerInchY * points / 72), .underline = underline};
}

// Where a job's text goes on every page, in device pixels from the drawing origin.
struct PageLayout {
    std::u16string name;  // at the left of the header
    PrintFont nameFont;  // the page number and the rows are in the body font
    PrintFont bodyFont;
    int left = 0;      // of the name and of every row
    int width = 1;     // no row is wider, and the page number ends inside it
    int numberAt = 0;  // from left: where the page number starts unless it would end past the width
    int nameGap = -1;  // kept between the name and the page number; -1: the name may run under it
    int headerY = 0;
    int firstRowY = 0;
    int rowPitch = 1;
    int rowsPerPage = 1;
};

// One job on one printer: rows go on the current page, a full page makes way for a new one with its
// header. The first failure is told once and ends the job; the device then abandons it.
class PrintJob {
public:
    PrintJob(PrintDevice& device, Desktop& desktop, const PageLayout& layout)
        : device_(device), desktop_(desktop), layout_(layout) {}

    bool start(std::string_view documentName) {
        if (device_.startDocument(documentName)) return true;
        report(desktop_, PrinterError::Document);
        return false;
    }

    bool row(std::u16string_view text) {
        if ((!pageOpen_ || row_ == layout_.rowsPerPage) && !newPage()) return false;
        const int y = std::max(0, layout_.firstRowY + row_ * layout_.rowPitch);
        if (!text.empty()) device_.textOut(layout_.left, y, text);
        ++row_;
        return true;
    }

    void finish() {
        if (pageOpen_) device_.endPage();
        device_.endDocument();
    }

private:
    bool newPage() {
        if (pageOpen_) device_.endPage();
        pageOpen_ = device_.startPage();
        if (!pageOpen_) {
            report(desktop_, PrinterError::Page);
            return false;
        }
        row_ = 0;
        const PageLayout& layout = layout_;
        const std::u16string number = utf16("Page " + std::to_string(++page_));
        const int numberX =
            layout.left + std::max(0, std::min(layout.numberAt, layout.width - device_.textExtent(number)));
        const int nameRoom =
            layout.nameGap < 0 ? layout.width : std::max(0, numberX - layout.left - layout.nameGap);
        device_.selectFont(layout.nameFont);
        const std::u16string_view name = layout.name;
        int nameFits = std::clamp(device_.fitCount(name, nameRoom), 0, static_cast<int>(name.size()));
        if (splitsSurrogatePair(name, static_cast<std::size_t>(nameFits))) --nameFits;
        if (nameFits > 0) device_.textOut(layout.left, layout.headerY, name.substr(0, nameFits));
        device_.selectFont(layout.bodyFont);
        device_.textOut(numberX, layout.headerY, number);
        return true;
    }

    PrintDevice& device_;
    Desktop& desktop_;
    const PageLayout& layout_;
    int page_ = 0;
    int row_ = 0;
    bool pageOpen_ = false;
};

// A help page has margins of 0.75 inch at the sides, 0.25 at the top and 0.5 at the bottom, from the
// paper's edges. The title is underlined in 12 points, the body starts on line 5 and its lines are
// as high as the font with its leading.
PageLayout helpLayout(PrintDevice& device, std::u16string_view title) {
    const DeviceCaps c = device.caps();
    PageLayout layout{
        .name = std::u16string(title), .nameFont = courier(c, 12, true), .bodyFont = courier(c, kBodyPoints)};
    device.selectFont(layout.bodyFont);
    const PrintTextMetrics m = device.textMetrics();
    const int lineHeight = std::max(1, m.height + m.externalLeading);
    layout.left = std::max(0, rounded(0.75 * c.pixelsPerInchX - c.physicalOffsetX));
    layout.width = std::max(1, rounded(c.physicalWidth - c.physicalOffsetX - 0.75 * c.pixelsPerInchX) - layout.left);
    layout.numberAt = layout.width;
    layout.headerY = std::max(0, rounded(0.25 * c.pixelsPerInchY - c.physicalOffsetY));
    layout.rowPitch = lineHeight;
    layout.firstRowY = 5 * lineHeight - c.physicalOffsetY;
    // As many lines as fit between the top margin and the bottom one, or the unprintable strips where
    // they are wider; a top strip counts only in whole inches, so the usual fraction of an inch does not
    // cost a line. The header takes four of them and the rows the rest, from line 5 to one line past the
    // count, so a last row that would cross the bottom margin is given up.
    const double top = std::max(0.25, static_cast<double>(c.physicalOffsetY / c.pixelsPerInchY));
    const double bottom = std::max(
        0.5, static_cast<double>(c.physicalHeight - c.physicalOffsetY - c.printableHeight) / c.pixelsPerInchY);
    int lines = static_cast<int>(std::floor((static_cast<double>(c.physicalHeight) / c.pixelsPerInchY - bottom - top) /
                                            (static_cast<double>(lineHeight) / c.pixelsPerInchY)));
    const int bottomEdge = rounded(c.physicalHeight - c.physicalOffsetY - 0.5 * c.pixelsPerInchY);
    while (lines > 4 && (lines + 2) * lineHeight - c.physicalOffsetY > bottomEdge) --lines;
    layout.rowsPerPage = std::max(1, lines - 3);
    return layout;
}

// Each tab reaches the next multiple of 8 columns.
std::u16string expandTabs(std::u16string_view line) {
    std::u16string expanded;
    for (const char16_t c : line) {
        if (c == u'\t')
            expanded.append(8 - expanded.size() % 8, u' ');
        else
            expanded += c;
    }
    return expanded;
}

std::u16string_view trimSpaces(std::u16string_view s) {
    const std::size_t first = s.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(u' ') - first + 1);
}

// A help line too wide for a row wraps after the last break character that fits, an opening bracket
// going to the next row with what it opens; every row starts at the left margin.
void wrapHelpLine(const std::u16string& line, const PrintDevice& device, int width, std::vector<std::u16string>& rows) {
    static constexpr std::u16string_view kBreakChars = u" -,;:.()[]{}<>~/|\\=";
    static constexpr std::u16string_view kOpenerChars = u"([{<";
    std::u16string_view rest = line;
    while (device.textExtent(rest) > width) {
        const int fits = device.fitCount(rest, width);
        const std::u16string_view head = rest.substr(0, static_cast<std::size_t>(std::max(0, fits)));
        const std::size_t at = head.find_last_of(kBreakChars);
        std::size_t cut =
            at == std::u16string_view::npos ? 0 : at + (kOpenerChars.find(head[at]) == std::u16string_view::npos);
        // Without a break character to end the row (or with only an opener at its start) the row ends
        // where the fitting head does, so that wrapping always advances.
        if (cut == 0) cut = std::max<std::size_t>(head.size(), 1);
        rows.emplace_back(trimSpaces(rest.substr(0, cut)));
        rest.remove_prefix(cut);
        const std::size_t text = rest.find_first_not_of(u' ');
        if (text == std::u16string_view::npos) return;
        rest.remove_prefix(text);
    }
    rows.emplace_back(rest);
}

// The document's page: the file name and the page number on row 1, the text from row 4, 0.75 inch
// from the paper's left edge across 7.5 inches (less where the printable area ends sooner). Rows are
// as high as the font without its leading.
PageLayout documentLayout(PrintDevice& device, int points, std::u16string name) {
    const DeviceCaps c = device.caps();
    PageLayout layout{.name = std::move(name), .nameFont = courier(c, points), .bodyFont = courier(c, points)};
    device.selectFont(layout.bodyFont);
    const PrintTextMetrics m = device.textMetrics();
    layout.left = std::max(0, rounded(0.75 * c.pixelsPerInchX) - c.physicalOffsetX);
    layout.width = std::max(1, std::min(rounded(7.5 * c.pixelsPerInchX), c.printableWidth - layout.left));
    layout.numberAt = rounded(6.75 * c.pixelsPerInchX);
    layout.nameGap = m.averageCharWidth;
    layout.rowPitch = std::max(1, m.height);
    layout.headerY = layout.rowPitch;
    layout.firstRowY = 4 * layout.rowPitch;
    layout.rowsPerPage = std::max(1, c.printableHeight / std::max(1, m.height + m.externalLeading) - 5);
    return layout;
}

// A document line longer than a row goes on over rows of its own, each indented as the line is
// while that leaves room for text beside it.
std::vector<std::u16string> documentRows(std::u16string_view text, const PrintDevice& device, int width) {
    // At least one character of a text that has any, so that a row always takes something; and as a
    // character is at least a pixel wide, no row holds more characters than the width's pixels. A
    // row never ends between the halves of a surrogate pair, and one that would hold only the first
    // half holds the pair.
    const auto fitting = [&](std::u16string_view s) {
        const std::u16string_view whole = s;
        s = s.substr(0, static_cast<std::size_t>(width));
        std::size_t n = std::clamp<std::size_t>(static_cast<std::size_t>(std::max(0, device.fitCount(s, width))),
                                                std::min<std::size_t>(s.size(), 1), s.size());
        if (splitsSurrogatePair(whole, n)) n = n == 1 ? 2 : n - 1;
        return n;
    };
    std::u16string indent(std::min(text.size(), text.find_first_not_of(u' ')), u' ');
    std::size_t n = fitting(text);
    std::vector<std::u16string> rows{std::u16string(text.substr(0, n))};
    for (std::u16string_view rest = text.substr(n); !rest.empty(); rest.remove_prefix(n)) {
        const std::size_t fit = fitting(indent + std::u16string(rest.substr(0, static_cast<std::size_t>(width) + 1)));
        if (fit <= indent.size())
            indent.clear(), n = fitting(rest);
        else
            n = fit - indent.size();
        rows.push_back(indent + std::u16string(rest.substr(0, n)));
    }
    return rows;
}

// The header shows the file's name without its folder.
std::string fileNamePart(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

// The rows are laid out before the job starts: on a printer set to print both sides, a topic that
// fits one page goes out single-sided.
void printHelpTopic(Context& ctx, std::string_view title, std::string_view body) {
    const std::unique_ptr<PrintDevice> device = choosePrinter(ctx, {});
    if (!device) return;
    // The help file is in the system's code page.
    const CodePage& ansi = ctx.desktop.ansiCodePage();
    const PageLayout layout = helpLayout(*device, ansi.decode(title));
    const std::u16string text = ansi.decode(body);
    std::vector<std::u16string> rows;
    for (std::u16string_view rest = text; !rest.empty();) {
        const std::size_t end = rest.find(u"\r\n");
        wrapHelpLine(expandTabs(rest.substr(0, end)), *device, layout.width, rows);
        rest = end == std::u16string_view::npos ? std::u16string_view() : rest.substr(end + 2);
    }
    if (device->duplex().value_or(0) > 1) device->setDuplex(static_cast<int>(rows.size()) > layout.rowsPerPage ? 2 : 1);
    PrintJob job(*device, ctx.desktop, layout);
    if (!job.start("appHelp")) return;
    for (const std::u16string& row : rows)
        if (!job.row(row)) return;
    job.finish();
}

// The lines holding the selection are printed (the dialog's own choice of range is not read back):
// a selection that ends at the start of a line leaves that line out.
void printCurrentFile(Context& ctx) {
    const EditControl& editor = ctx.editor;
    const Selection selection = editor.selection();
    const bool selected = selection.start != selection.end;
    const std::unique_ptr<PrintDevice> device =
        choosePrinter(ctx, {.offerSelection = true, .selectionChosen = selected, .offerPageRange = true});
    if (!device) return;
    const PageLayout layout = documentLayout(*device, ctx.app.printFontSize > 0 ? ctx.app.printFontSize : kBodyPoints,
                                             utf16(fileNamePart(ctx.app.currentFile)));
    PrintJob job(*device, ctx.desktop, layout);
    if (!job.start("Print Job")) return;
    const int last = selected ? editor.lineFromChar(selection.end - 1) : editor.lineCount() - 1;
    for (int line = selected ? editor.lineFromChar(selection.start) : 0; line <= last; ++line)
        for (const std::u16string& row : documentRows(editor.lineText(line), *device, layout.width))
            if (!job.row(row)) return;
    job.finish();
}

}  // namespace tess
