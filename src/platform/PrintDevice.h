#pragma once
// A printer's drawing context seen as numbers and text, and the print dialog that gives one. The GDI
// implementation is src/print/win32/GdiPrinter; tests use a fake with fixed-pitch cells
// (tests/support/FakePrinter.h).
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tess {

// The context's GetDeviceCaps values: dots per inch, the whole sheet, and the printable area whose
// top-left corner is the drawing origin, all in device pixels.
struct DeviceCaps {
    int pixelsPerInchX = 0;
    int pixelsPerInchY = 0;
    int physicalWidth = 0;
    int physicalHeight = 0;
    int physicalOffsetX = 0;
    int physicalOffsetY = 0;
    int printableWidth = 0;   // HORZRES
    int printableHeight = 0;  // VERTRES
};

struct PrintFont {
    std::string face;
    int height = 0;  // pixels; negative: the character height, without internal leading
    bool underline = false;
};

// Of the selected font, in device pixels.
struct PrintTextMetrics {
    int height = 0;
    int externalLeading = 0;
    int averageCharWidth = 0;
};

class PrintDevice {
public:
    virtual ~PrintDevice() = default;

    virtual DeviceCaps caps() const = 0;
    // Selects a new font; the one it replaces, if the device made it, is released.
    virtual void selectFont(const PrintFont& font) = 0;
    virtual PrintTextMetrics textMetrics() const = 0;
    virtual int textExtent(std::u16string_view text) const = 0;
    // How many leading characters of text fit in maxExtent pixels.
    virtual int fitCount(std::u16string_view text, int maxExtent) const = 0;
    // (x, y): the text's top-left corner from the drawing origin.
    virtual void textOut(int x, int y, std::u16string_view text) = 0;

    // False when the job or the page could not be started.
    virtual bool startDocument(std::string_view name) = 0;
    virtual bool startPage() = 0;
    virtual void endPage() = 0;
    virtual void endDocument() = 0;

    // The device mode's duplex value (1 one side, 2 long edge, 3 short edge); nullopt without a
    // device mode.
    virtual std::optional<int> duplex() const = 0;
    // Applies a duplex value to the context; a device mode that names no fields is left alone.
    virtual void setDuplex(int mode) = 0;
};

struct PrintDialogRequest {
    bool offerSelection = false;   // the "Selection" choice enabled ...
    bool selectionChosen = false;  // ... and preset
    bool offerPageRange = false;   // pages 1 to 999
    friend bool operator==(const PrintDialogRequest&, const PrintDialogRequest&) = default;
};

class Printers {
public:
    virtual ~Printers() = default;
    // The chosen printer's context: nullopt when the user cancels, null when it could not be opened.
    virtual std::optional<std::unique_ptr<PrintDevice>> choose(const PrintDialogRequest& request) = 0;
};

}  // namespace tess
