#pragma once
#include <string>

namespace tess::test {

// "line 1" CR LF "line 2" ... "line count": a document whose every line says where it stood.
inline std::string numberedLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += (i > 1 ? "\r\n" : "") + std::string("line ") + std::to_string(i);
    return text;
}

}  // namespace tess::test
