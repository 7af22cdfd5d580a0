#include "FakeDesktop.h"

namespace tess::test {

ReadResult FakeDesktop::readFile(const std::string& path) {
    if (auto error = readErrors.find(path); error != readErrors.end()) return {error->second, {}};
    const auto file = files.find(path);
    return file == files.end() ? ReadResult{FileError::FileNotFound, {}} : ReadResult{FileError::None, file->second};
}

}  // namespace tess::test
