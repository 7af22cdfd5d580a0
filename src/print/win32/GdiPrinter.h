#pragma once
// The system's printers through GDI: the print dialog, and the printer's drawing context with its
// device mode as a PrintDevice.
#include "platform/PrintDevice.h"

namespace tess::win32 {

class GdiPrinters : public Printers {
public:
    // The dialog is owned by the active window: the main window for File > Print, the help window
    // for its Print item.
    std::optional<std::unique_ptr<PrintDevice>> choose(const PrintDialogRequest& request) override;
};

// The printers the program prints on.
Printers& systemPrinters();

}  // namespace tess::win32
