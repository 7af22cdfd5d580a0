#include "FakeDesktop.h"

#include <gtest/gtest.h>

namespace tess::test {

// A box the test did not script is a fault of the program (or of the test): it fails the test
// and answers Cancel, the answer that gives nothing away.
Answer FakeDesktop::messageBox(const MessageBoxRequest& request) {
    boxes.push_back(request);
    if (answers.empty()) {
        ADD_FAILURE() << "a box nobody expected: \"" << request.title << "\" / \"" << request.text << "\"";
        return Answer::Cancel;
    }
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::string> FakeDesktop::openFileDialog(const FileDialogRequest& request) {
    openRequests.push_back(request);
    if (openResults.empty()) return std::nullopt;
    auto result = openResults.front();
    openResults.pop_front();
    return result;
}

std::optional<std::string> FakeDesktop::saveFileDialog(const FileDialogRequest& request) {
    saveRequests.push_back(request);
    if (saveResults.empty()) return std::nullopt;
    auto result = saveResults.front();
    saveResults.pop_front();
    return result;
}

void FakeDesktop::setClipboardText(std::string_view text) {
    clipboard = std::string(text.substr(0, text.find('\0')));
}

std::string FakeDesktop::clipboardText() { return clipboard.substr(0, clipboard.find('\0')); }

bool FakeDesktop::startProcess(const std::string& commandLine) {
    processes.push_back(commandLine);
    return processesStart;
}

bool FakeDesktop::shellOpen(const std::string& target) {
    shellOpens.push_back(target);
    return true;
}

bool FakeDesktop::fileExists(const std::string& path) { return files.count(path) != 0; }
bool FakeDesktop::folderExists(const std::string& path) { return folders.count(path) != 0; }

bool FakeDesktop::createFolder(const std::string& path) {
    folders.insert(path);
    return true;
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
    written.push_back(path);
    return FileError::None;
}

bool FakeDesktop::deleteFile(const std::string& path) {
    deleted.push_back(path);
    return files.erase(path) != 0;
}

}  // namespace tess::test
