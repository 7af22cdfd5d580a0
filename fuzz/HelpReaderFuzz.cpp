// Feeds arbitrary bytes to the help file reader: it must never read past the end or size anything
// by a count the bytes cannot hold, and what it read must be written back as the bytes it used.
#include "FuzzCheck.h"
#include "help/HelpFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto topics = tess::loadHelpFile(bytes);
    if (!topics) return 0;
    check(!topics->empty() && topics->size() <= size / 16);
    const std::string written = tess::writeHelpFile(*topics);
    check(written.size() <= size && bytes.substr(0, written.size()) == written);
    check(tess::loadHelpFile(written) == topics);
    return 0;
}
