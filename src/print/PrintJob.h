#pragma once
// The printing class: one instance wraps one print job on one printer. Every length that crosses
// its boundary is in inches from the paper's edges; device pixels stay inside.
#include "platform/PrintDevice.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tess {

class Desktop;

enum class PrinterError { Document = 1, Page = 2, NoPrinter = 3 };

// The "Printer Error" box for a failure; the job goes on unless its caller stops it.
void reportPrinterError(Desktop& desktop, PrinterError error);

// A context without a resolution or a sheet counts as no printer: every conversion divides by them.
bool isUsable(const PrintDevice& device);

struct PaperSize {
    double width = 0;
    double height = 0;
};

struct CharSize {
    double averageWidth = 0;
    double lineHeight = 0;
};

class cTPrint {
public:
    // Failures are told to the user through the desktop's message boxes.
    cTPrint(Printers& printers, Desktop& desktop);
    ~cTPrint();
    cTPrint(const cTPrint&) = delete;
    cTPrint& operator=(const cTPrint&) = delete;

    std::string openDefaultPrinter();
    // "" when the user cancels or no printer can be opened.
    std::string choosePrinter();
    // style: "b" bold, "u" underlined, "i" italic, in any order; other characters are ignored.
    void setFont(const std::string& faceName, std::int32_t pointSize, std::string_view style);
    double textWidth(std::string_view text);
    // The longest head (width > 0) or tail (width < 0) of text that fits in |width|.
    std::string fitText(std::string_view text, double width);
    void setMargins(double left, double right, double top, double bottom);
    PaperSize pageSize();
    CharSize charSize();
    std::int32_t linesLeft(double y);
    bool isDuplex() const;
    // 1 one side, 2 both sides on the long edge, 3 on the short edge; 0 changes nothing.
    void setDuplex(std::int32_t mode);
    void setPosition(double x, double y);
    // x = 0 keeps the current x; y = 0 is the line below the last one printed.
    void printText(std::string_view text, double x, double y);
    void startDocument(std::string_view name);
    void startPage();
    void endPage();
    void endDocument();

    // Whether printText would print a line whose top is y inches from the paper's top edge.
    bool printsLineAt(double y);

private:
    PrintDevice* device();
    void takePrinter(OpenedPrinter printer);
    void measureLineHeight();
    void reportPrinterError(PrinterError error) { tess::reportPrinterError(desktop_, error); }

    Printers& printers_;
    Desktop& desktop_;
    std::unique_ptr<PrintDevice> printerDC_;  // the context with its device mode and fonts
    double lineHeightInches_ = 0;
    double leftMargin_ = 0;
    double rightMargin_ = 0;
    double topMargin_ = 0;
    double bottomMargin_ = 0;
    std::string printerName_;
    double currentX_ = 0;
    double currentY_ = 0;
    bool mayOpenDefault_ = true;  // until the default printer failed or the job ended
};

}  // namespace tess
