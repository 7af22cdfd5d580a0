#pragma once
// A scripted desktop: records every message box and dialog, answers from queues the test fills, and keeps files in
// memory. Each file operation can be made to fail on purpose.
#include "platform/Desktop.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <utility>

namespace tess::test {

class FakeDesktop : public Desktop {
public:
    // An unscripted box is the program's or the test's fault: it fails the test and answers Cancel, giving nothing away.
    Answer messageBox(const MessageBoxRequest& request) override {
        boxes.push_back(request);
        if (auto during = std::exchange(whileBoxOpen, nullptr)) during(), whileBoxOpen = std::move(during);
        if (answers.empty()) {
            ADD_FAILURE() << "a box nobody expected: \"" << request.title << "\" / \"" << request.text << "\"";
            return Answer::Cancel;
        }
        return next(answers);
    }
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override {
        return openRequests.push_back(request), next(openResults);
    }
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override {
        return saveRequests.push_back(request), next(saveResults);
    }
    void beep() override { ++beeps; }
    void setClipboardText(std::u16string_view text) override {
        clipboard = text.substr(0, text.find(u'\0')), picture = false;
    }
    std::u16string clipboardText() override { return clipboard; }
    // Something other than text on the clipboard, as a picture another program copied.
    virtual void putPictureOnClipboard() { clipboard.clear(), picture = true; }
    virtual bool clipboardHoldsPicture() { return picture && clipboard.empty(); }
    bool startProcess(const std::string& line) override { return processes.push_back(line), !processesFail; }
    bool shellOpen(const std::string& target, ShowAs show) override { return shellOpened.emplace_back(target, show), false; }
    std::string programFilesFolder() override { return "C:\\Program Files"; }  // as a 64-bit program is told
    bool fileExists(const std::string& path) override { return files.count(path) != 0; }
    bool folderExists(const std::string& path) override { return folders.count(path) != 0; }
    bool createFolder(const std::string& path) override { return folders.insert(path).second; }
    ReadResult readFile(const std::string& path) override {
        if (auto error = readErrors.find(path); error != readErrors.end()) return {error->second, {}};
        const auto file = files.find(path);
        return file == files.end() ? ReadResult{FileError::FileNotFound, {}} : ReadResult{FileError::None, file->second};
    }
    FileError writeFileSafely(const std::string& path, std::string_view bytes) override {
        if (auto error = writeErrors.find(path); error != writeErrors.end()) return error->second;
        files[path] = std::string(bytes);
        stamps[path] = {fileStamp(path)->lastWrite + 1, bytes.size()};
        return FileError::None;
    }
    bool deleteFile(const std::string& path) override { return files.erase(path) != 0; }
    std::optional<FileStamp> fileStamp(const std::string& path) override {  // stamps, else time 0; a write sets a later time
        return !files.count(path) ? std::nullopt : std::optional(stamps.count(path) ? stamps[path] : FileStamp{0, files[path].size()});
    }
    const CodePage& ansiCodePage() override { return *codePage; }

    const CodePage* codePage = &windows1252();  // the system's ANSI code page
    std::deque<Answer> answers;          // in order, one for every box the test expects; any other box fails the test
    std::function<void()> whileBoxOpen;  // what happens while each box is up (the window activated, say)
    std::deque<std::optional<std::string>> openResults, saveResults;  // in order; none left: the user cancels

    std::vector<MessageBoxRequest> boxes;
    std::vector<FileDialogRequest> openRequests, saveRequests;
    int beeps = 0;
    std::vector<std::string> processes;  // the command lines started
    bool processesFail = false;          // every start fails, as for a file that is no program
    std::vector<std::pair<std::string, ShowAs>> shellOpened;
    std::u16string clipboard;
    bool picture = false;
    std::map<std::string, std::string> files;  // path -> bytes
    std::map<std::string, FileStamp> stamps;
    std::set<std::string> folders;
    std::map<std::string, FileError> readErrors, writeErrors;  // path -> the error a read or write reports

private:
    template <class T>
    static T next(std::deque<T>& queue) {
        T first = queue.empty() ? T{} : queue.front();
        if (!queue.empty()) queue.pop_front();
        return first;
    }
};

}  // namespace tess::test
