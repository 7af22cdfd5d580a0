#pragma once
// The two print commands: a help topic (title and page number on every page, tabs expanded, long
// lines wrapped at break characters) and the editor's document or its selected lines (file name and
// page number on every page, long lines continued on rows of their own).
#include "state/App.h"

#include <string>
#include <string_view>

namespace tess {

class Desktop;
class Printers;

// Asks for a printer, then prints; nothing when the user cancels.
void printHelpItem(Printers& printers, Desktop& desktop, std::string_view title, std::string_view body);
// The help window's Print item: a topic with an empty body is not printed.
void printHelpTopic(Context& ctx, std::string_view title, std::string_view body);
// File > Print: the whole document, or the lines that hold the selection.
void printCurrentFile(Context& ctx);

// Each tab reaches the next multiple of 8 columns.
std::string expandTabs(std::string_view line);

}  // namespace tess
