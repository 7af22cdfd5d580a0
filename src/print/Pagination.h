#pragma once
// The two print commands. Both lay rows of "Courier New" on pages that each start with a header: a
// name at the left, "Page n" at the right.
#include "state/App.h"

#include <string_view>

namespace tess {

// The help window's Print item: the title in the header, tabs expanded, long lines wrapped at break
// characters; a topic with an empty body is not printed.
void printHelpTopic(Context& ctx, std::string_view title, std::string_view body);
// File > Print: the whole document, or the lines that hold the selection, under the file's name;
// long lines go on over rows of their own.
void printCurrentFile(Context& ctx);

}  // namespace tess
