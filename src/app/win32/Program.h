#pragma once
// The running program: its state, the desktop it works on, the main window and the one message
// loop. Start-up happens here, step by step, in the order each step relies on the ones before.
#include "app/win32/MainWindow.h"
#include "dialogs/win32/TagListWindow.h"
#include "help/win32/HelpWindow.h"
#include "platform/win32/MessageLoop.h"
#include "state/App.h"

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

namespace tess::win32 {

// What the program entry passes in; tests fill it to run the program against a fake desktop or a
// data folder of their own.
struct ProgramOptions {
    Desktop* desktop = nullptr;  // the real desktop when null
    std::string commandLine;     // the text after the program name, UTF-8
    bool show = true;
    bool quitOnEnd = true;       // post WM_QUIT when the main window has ended
    std::string dataFolder;      // overrides the folder rule when not empty
    Printers* printers = nullptr;  // the system's printers when null
};

class Program {
public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Creates the main window and runs the start-up sequence. On failure the user has been told
    // why and false is returned.
    bool start(HINSTANCE instance, const ProgramOptions& options);
    // The loop, until the main window has ended.
    int run() { return router_.run(); }

    App& app() { return app_; }
    Desktop& desktop() { return *desktop_; }
    MainWindow& window() { return *window_; }
    const MessageRouter& router() const { return router_; }
    CommandContext context() { return window_->context(); }
    HelpWindow& helpWindow() { return *help_; }

    // What an exception caught at a window's barrier leads to: the unsaved text is written to a
    // file of its own, and the user is told what failed and where the text is.
    void reportFailure(std::string_view what);

private:
    std::string dataFolder() const;
    void showTagList();

    App app_;
    std::unique_ptr<Desktop> ownDesktop_;
    Desktop* desktop_ = nullptr;
    MessageRouter router_;
    std::unique_ptr<MainWindow> window_;
    HelpSearchState helpState_;
    std::unique_ptr<HelpWindow> help_;
    ProgramOptions options_;
    TagListWindows tagLists_{router_};
};

}  // namespace tess::win32
