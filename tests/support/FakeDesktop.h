#pragma once
// A scripted desktop: records every message box and dialog, answers from queues the test fills,
// and keeps files in memory. Each file operation can be made to fail on purpose.
#include "platform/Desktop.h"

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tess::test {

class FakeDesktop : public Desktop {
public:
    Answer messageBox(const MessageBoxRequest& request) override;
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override;
    void beep() override { ++beeps; }
    void setClipboardText(std::string_view text) override;
    std::string clipboardText() override;
    bool startProcess(const std::string& commandLine) override;
    bool shellOpen(const std::string& target) override;
    bool fileExists(const std::string& path) override;
    bool folderExists(const std::string& path) override;
    bool createFolder(const std::string& path) override;
    ReadResult readFile(const std::string& path) override;
    FileError writeFileSafely(const std::string& path, std::string_view bytes) override;
    bool deleteFile(const std::string& path) override;

    // Answers, taken in order, one for every box the test expects; any other box fails the test.
    std::deque<Answer> answers;
    // Dialog results, taken in order; an empty queue means the user cancels.
    std::deque<std::optional<std::string>> openResults;
    std::deque<std::optional<std::string>> saveResults;

    std::vector<MessageBoxRequest> boxes;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    std::vector<std::string> processes;
    std::vector<std::string> shellOpens;
    std::vector<std::string> deleted;
    std::vector<std::string> written;  // paths, in the order they were written
    int beeps = 0;

    std::string clipboard;
    std::map<std::string, std::string> files;  // path -> bytes
    std::set<std::string> folders;
    std::map<std::string, FileError> readErrors;   // path -> error a read reports
    std::map<std::string, FileError> writeErrors;  // path -> error a write reports
    bool processesStart = true;
};

}  // namespace tess::test
