#pragma once
// The system's printers through GDI: the default printer named in the user's profile, the print
// dialog, and a printer's drawing context with its device mode as a PrintDevice.
#include "platform/PrintDevice.h"

namespace tess::win32 {

class GdiPrinters : public Printers {
public:
    OpenedPrinter openDefault() override;
    // The dialog is owned by the active window: the main window for File > Print, the help window
    // for its Print item.
    std::optional<OpenedPrinter> choose(const PrintDialogRequest& request) override;
};

// The printers the program prints on.
Printers& systemPrinters();

}  // namespace tess::win32
