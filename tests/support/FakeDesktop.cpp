#include "FakeDesktop.h"

#include <gtest/gtest.h>

#include <utility>

namespace tess::test {

// A box the test did not script is a fault of the program (or of the test): it fails the test
// and answers Cancel, the answer that gives nothing away.
Answer FakeDesktop::messageBox(const MessageBoxRequest& request) {
    boxes.push_back(request);
    if (auto during = std::exchange(whileBoxOpen, nullptr)) during(), whileBoxOpen = std::move(during);
    if (answers.empty()) {
        ADD_FAILURE() << "a box nobody expected: \"" << request.title << "\" / \"" << request.text << "\"";
        return Answer::Cancel;
    }
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::string> FakeDesktop::dialog(std::vector<FileDialogRequest>& requests,
                                               std::deque<std::optional<std::string>>& results,
                                               const FileDialogRequest& request) {
    requests.push_back(request);
    if (results.empty()) return std::nullopt;
    auto result = results.front();
    results.pop_front();
    return result;
}

ReadResult FakeDesktop::readFile(const std::string& path) {
    if (auto error = readErrors.find(path); error != readErrors.end()) return {error->second, {}};
    auto file = files.find(path);
    if (file == files.end()) return {FileError::FileNotFound, {}};
    return {FileError::None, file->second};
}

FileError FakeDesktop::writeFileSafely(const std::string& path, std::string_view bytes) {
    if (auto error = writeErrors.find(path); error != writeErrors.end()) return error->second;
    files[path] = std::string(bytes);
    stamps[path] = {fileStamp(path)->lastWrite + 1, bytes.size()};
    return FileError::None;
}

}  // namespace tess::test
