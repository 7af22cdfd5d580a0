#include "print/Pagination.h"

#include "platform/EditControl.h"
#include "print/PrintJob.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace tess {

namespace {

constexpr char kFace[] = "Courier New";
constexpr int kBodyPoints = 10;

std::string pageNumberText(int page) { return "Page " + std::to_string(page); }

// A help topic on paper. Every page has the underlined title and, ending at the right margin, its
// number; the body starts on line 5. Long lines wrap after the last break character that fits, an
// opening bracket going to the next row with what it opens.
class HelpPages {
public:
    HelpPages(cTPrint& printer, std::string_view title, std::string_view body)
        : p_(printer), title_(title), body_(body) {}

    void print() {
        p_.setMargins(0.75, 0.75, 0.25, 0.5);
        paperWidth_ = p_.pageSize().width;
        textWidth_ = paperWidth_ - 1.5;
        p_.setFont(kFace, kBodyPoints, "");
        lineHeight_ = p_.charSize().lineHeight;
        // The last row of a page lies one line below linesPerPage; with a large unprintable strip or
        // rounding it could cross the bottom margin, where printText would drop it unseen.
        linesPerPage_ = p_.linesLeft(0);
        while (linesPerPage_ > 4 && !p_.printsLineAt((linesPerPage_ + 1) * lineHeight_)) --linesPerPage_;
        // A topic that fits one page goes out single-sided even on a printer set to both sides.
        if (p_.isDuplex()) {
            layoutBody();
            p_.setDuplex(overflowSeen_ ? 2 : 1);
        }
        printing_ = true;
        p_.startDocument("appHelp");
        p_.startPage();
        header();
        layoutBody();
        p_.endPage();
        p_.endDocument();
    }

private:
    void header() {
        const std::string number = pageNumberText(page_);
        const double numberWidth = p_.textWidth(number);  // in the body's font, which is selected
        p_.setFont(kFace, 12, "u");
        p_.printText(title_, 0.75, 0.25);
        p_.setFont(kFace, kBodyPoints, "");
        p_.printText(number, paperWidth_ - 0.75 - numberWidth, 0.25);
        p_.setPosition(0.75, 4 * lineHeight_);
        lineCounter_ = 4;
    }

    void layoutBody() {
        lineCounter_ = 4;
        std::string_view rest = body_;
        while (!rest.empty()) {
            const std::size_t end = rest.find("\r\n");
            layoutLine(expandTabs(rest.substr(0, end)));
            rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 2);
        }
    }

    void layoutLine(const std::string& line) {
        static constexpr std::string_view kBreakChars = " -,;:.()[]{}<>~/|\\=";
        static constexpr std::string_view kOpenerChars = "([{<";
        std::string_view rest = line;
        // Widths in inches are quotients of pixels: a row that fills the width exactly must not wrap.
        while (p_.textWidth(rest) > textWidth_ + 1e-9) {
            const std::string head = p_.fitText(rest, textWidth_);
            const std::size_t at = head.find_last_of(kBreakChars);
            std::size_t cut =
                at == std::string::npos ? 0 : at + (kOpenerChars.find(head[at]) == std::string_view::npos);
            // Without a break character to end the row (or with only an opener at its start) the row
            // ends where the fitting head does, so that wrapping always advances.
            if (cut == 0) cut = std::max<std::size_t>(head.size(), 1);
            row(trimSpaces(rest.substr(0, cut)));
            rest.remove_prefix(cut);
            // The last row of a wrapped line starts at the left margin like the others.
            if (const std::size_t text = rest.find_first_not_of(' '); text != std::string_view::npos)
                rest.remove_prefix(text);
            else
                return;
        }
        row(rest);
    }

    static std::string_view trimSpaces(std::string_view s) {
        const std::size_t first = s.find_first_not_of(' ');
        if (first == std::string_view::npos) return {};
        return s.substr(first, s.find_last_not_of(' ') - first + 1);
    }

    // The page turns before a row that has no room left, so a body that fills its last page exactly
    // adds no empty page, and the counting pass sees a second page only when one is needed.
    void row(std::string_view text) {
        if (lineCounter_ > linesPerPage_) startNextPage();
        if (printing_) p_.printText(text, 0, 0);
        ++lineCounter_;
    }

    void startNextPage() {
        if (!printing_) {
            overflowSeen_ = true;
            return;
        }
        p_.endPage();
        p_.startPage();
        ++page_;
        header();
    }

    cTPrint& p_;
    std::string_view title_;
    std::string_view body_;
    double paperWidth_ = 0;
    double textWidth_ = 0;
    double lineHeight_ = 0;
    int linesPerPage_ = 0;
    int lineCounter_ = 4;
    int page_ = 1;
    bool printing_ = false;
    bool overflowSeen_ = false;
};

// The document on paper, in device pixels: the file name and the page number on row 1 of every
// page, the text from row 4. A line longer than a row goes on over rows of its own, each indented as
// the line is, and a page ends when the next row would not fit on it, inside a line too.
class DocumentPages {
public:
    DocumentPages(PrintDevice& device, Desktop& desktop, int points, std::string name)
        : d_(device), desktop_(desktop), name_(std::move(name)) {
        const DeviceCaps c = d_.caps();
        d_.selectFont({.face = kFace, .height = -(c.pixelsPerInchY * points / 72)});
        const PrintTextMetrics m = d_.textMetrics();
        pitch_ = std::max(1, m.height);
        gap_ = m.averageCharWidth;
        lastRow_ = std::max(4, c.printableHeight / std::max(1, m.height + m.externalLeading) - 2);
        x0_ = std::max(0, static_cast<int>(std::lround(0.75 * c.pixelsPerInchX)) - c.physicalOffsetX);
        // 7.5 inches, unless the printable area ends sooner (A4 paper, a wide unprintable strip).
        width_ = std::max(1, std::min(static_cast<int>(std::lround(7.5 * c.pixelsPerInchX)), c.printableWidth - x0_));
        numberX_ = x0_ + static_cast<int>(std::lround(6.75 * c.pixelsPerInchX));
    }

    // False when a page could not be started (the user has been told).
    bool printLine(std::string_view text) {
        std::string indent(std::min(text.size(), text.find_first_not_of(' ')), ' ');
        std::size_t n = fitting(text);
        if (!printRow(text.substr(0, n))) return false;
        for (std::string_view rest = text.substr(n); !rest.empty(); rest.remove_prefix(n)) {
            const std::size_t fit = fitting(indent + std::string(rest.substr(0, static_cast<std::size_t>(width_))));
            // The indentation is kept while it leaves room for text beside it.
            if (fit <= indent.size())
                indent.clear(), n = fitting(rest);
            else
                n = fit - indent.size();
            if (!printRow(indent + std::string(rest.substr(0, n)))) return false;
        }
        return true;
    }

    void finish() {
        if (pageOpen_) d_.endPage();
        d_.endDocument();
    }

private:
    // At least one character of a text that has any, so that a row always takes something.
    std::size_t fitting(std::string_view text) const {
        // A character is at least a pixel wide: no row holds more characters than the width's pixels.
        text = text.substr(0, static_cast<std::size_t>(width_));
        return std::clamp<std::size_t>(static_cast<std::size_t>(std::max(0, d_.fitCount(text, width_))),
                                       std::min<std::size_t>(text.size(), 1), text.size());
    }

    bool printRow(std::string_view text) {
        if ((!pageOpen_ || row_ > lastRow_) && !newPage()) return false;
        if (!text.empty()) d_.textOut(x0_, row_ * pitch_, text);
        ++row_;
        return true;
    }

    bool newPage() {
        if (pageOpen_) d_.endPage();
        pageOpen_ = false;
        if (!d_.startPage()) {
            reportPrinterError(desktop_, PrinterError::Page);
            return false;
        }
        pageOpen_ = true;
        const std::string number = pageNumberText(++page_);
        // The number ends inside the text width, and the name ends before the number.
        const int numberX = std::min(numberX_, x0_ + width_ - d_.textExtent(number));
        const int nameRoom = std::max(0, numberX - x0_ - gap_);
        const int nameFits = std::clamp(d_.fitCount(name_, nameRoom), 0, static_cast<int>(name_.size()));
        if (nameFits > 0)
            d_.textOut(x0_, pitch_, std::string_view(name_).substr(0, static_cast<std::size_t>(nameFits)));
        d_.textOut(std::max(x0_, numberX), pitch_, number);
        row_ = 4;
        return true;
    }

    PrintDevice& d_;
    Desktop& desktop_;
    std::string name_;
    int pitch_ = 1;
    int gap_ = 0;
    int lastRow_ = 4;
    int x0_ = 0;
    int width_ = 1;
    int numberX_ = 0;
    int page_ = 0;
    int row_ = 4;
    bool pageOpen_ = false;
};

// The header shows the file's name without its folder.
std::string fileNamePart(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string expandTabs(std::string_view line) {
    std::string expanded;
    std::size_t column = 0;
    for (const char c : line) {
        if (c != '\t') {
            expanded += c, ++column;
            continue;
        }
        const std::size_t spaces = 8 - column % 8;
        expanded.append(spaces, ' ');
        column += spaces;
    }
    return expanded;
}

void printHelpItem(Printers& printers, Desktop& desktop, std::string_view title, std::string_view body) {
    cTPrint printer(printers, desktop);
    if (printer.choosePrinter().empty()) return;
    HelpPages(printer, title, body).print();
}

void printHelpTopic(Context& ctx, std::string_view title, std::string_view body) {
    if (ctx.printers && !body.empty()) printHelpItem(*ctx.printers, ctx.desktop, title, body);
}

// The lines holding the selection are printed (the dialog's own choice of range is not read back):
// a selection that ends at the start of a line leaves that line out.
void printCurrentFile(Context& ctx) {
    if (!ctx.printers) return;
    const EditControl& editor = ctx.editor;
    const Selection selection = editor.selection();
    const bool selected = selection.start != selection.end;
    const int first = selected ? editor.lineFromChar(selection.start) : 0;
    const int last = selected ? editor.lineFromChar(selection.end - 1) : editor.lineCount() - 1;

    std::optional<OpenedPrinter> chosen =
        ctx.printers->choose({.offerSelection = true, .selectionChosen = selected, .offerPageRange = true});
    if (!chosen) return;
    if (!chosen->device || !isUsable(*chosen->device)) {
        reportPrinterError(ctx.desktop, PrinterError::NoPrinter);
        return;
    }
    PrintDevice& device = *chosen->device;
    if (!device.startDocument("Print Job")) {
        reportPrinterError(ctx.desktop, PrinterError::Document);
        return;
    }

    DocumentPages pages(device, ctx.desktop, ctx.app.printFontSize > 0 ? ctx.app.printFontSize : kBodyPoints,
                        fileNamePart(ctx.app.currentFile));
    for (int line = first; line <= last; ++line)
        if (!pages.printLine(editor.lineText(line))) return;  // the device abandons the job
    pages.finish();
}

}  // namespace tess
