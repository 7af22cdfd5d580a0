#pragma once
// A scripted printer with fixed-pitch cells: a character is 6/10 of its font's height wide, so at
// the default 720 dpi a 10-point font is 100 pixels high with cells of 60 (90 across 7.5 inches).
// Both ways to a printer lead to it; it records the dialogs asked for and what each job printed.
#include "platform/PrintDevice.h"

#include <string>
#include <vector>

namespace tess::test {

struct PrintedText {
    int page = 0;  // from 1 within the job
    int x = 0, y = 0;
    std::string text;
    PrintFont font;
};

class FakePrinters : public Printers {
public:
    OpenedPrinter openDefault() override;
    std::optional<OpenedPrinter> choose(const PrintDialogRequest& request) override;

    bool installed = true, cancel = false, failDocument = false, failPage = false;
    DeviceCaps caps{720, 720, 6120, 7920, 180, 180, 5760, 7560};  // Letter, quarter-inch strips
    int externalLeading = 0;
    std::optional<int> duplex;  // the device mode's value; none: no device mode

    std::vector<PrintDialogRequest> dialogs;
    std::vector<std::string> events;  // "document NAME", "page", "end page", "end document", "duplex N"
    std::vector<PrintedText> printed;
    int devicesAlive = 0;
};

}  // namespace tess::test
