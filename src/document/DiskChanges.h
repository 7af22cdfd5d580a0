#pragma once
// Another program's changes to the document's file: noticed when the main window becomes active
// again and before a save, from the file's last write time and size alone.
#include "editor/EditorState.h"

#include <string>

namespace tess {

inline std::string changedOnDiskText(const std::string& path, bool modified) {
    return path + "\r\nhas been changed by another program...\r\n" +
           (modified ? "reload it and lose your changes?" : "reload it?");
}
inline std::string overwriteChangedText(const std::string& path) {
    return path + "\r\nhas been changed by another program...\r\noverwrite it with your text?";
}
inline std::string goneFromDiskText(const std::string& path) {
    return path + "\r\nhas been deleted or renamed...\r\nyour text is kept: save it to write the file again.";
}

// While one lives, the window becoming active asks nothing: a command or a question is under way,
// and each box it shows activates the window again as it closes.
class DiskQuestionsWait {
public:
    explicit DiskQuestionsWait(App& app) : quiet_(app.disk.quiet) { ++quiet_; }
    ~DiskQuestionsWait() { --quiet_; }
    DiskQuestionsWait(const DiskQuestionsWait&) = delete;
    DiskQuestionsWait& operator=(const DiskQuestionsWait&) = delete;

private:
    int& quiet_;
};

// Takes the stamp of the document's file as it is now, after the program read or wrote it.
void rememberFileStamp(Context& ctx, std::optional<FileStamp> stamp);

// The main window is active again: a change of the file since it was last read or written is
// asked about, once, and a file that has gone is reported and the text marked as unsaved.
void checkFileOnDisk(EditorContext& ctx);

// Before a save to the document's own file: true when it may be written, asking first when it
// changed on disk or the user kept edits over a change.
bool mayOverwriteFile(Context& ctx);

}  // namespace tess
