#include "FakeDesktop.h"

#include <gtest/gtest.h>

#include <utility>

namespace tess::test {

// An unscripted box is the program's fault or the test's: it fails the test and answers Cancel, giving nothing away.
Answer FakeDesktop::messageBox(const MessageBoxRequest& request) {
    boxes.push_back(request);
    if (auto during = std::exchange(whileBoxOpen, nullptr)) during(), whileBoxOpen = std::move(during);
    if (answers.empty()) {
        ADD_FAILURE() << "a box nobody expected: \"" << request.title << "\" / \"" << request.text << "\"";
        return Answer::Cancel;
    }
    return next(answers);
}

ReadResult FakeDesktop::readFile(const std::string& path) {
    if (auto error = readErrors.find(path); error != readErrors.end()) return {error->second, {}};
    const auto file = files.find(path);
    return file == files.end() ? ReadResult{FileError::FileNotFound, {}} : ReadResult{FileError::None, file->second};
}

}  // namespace tess::test
