#include "app/win32/MainWindow.h"

#include <windows.h>

namespace {

// The command-line text after the program name, whatever quoting the name itself used.
std::string argumentsAfterProgramName() {
    const char* line = ::GetCommandLineA();
    if (*line == '"') {
        ++line;
        while (*line && *line != '"') ++line;
        if (*line == '"') ++line;
    } else {
        while (*line && *line != ' ' && *line != '\t') ++line;
    }
    while (*line == ' ' || *line == '\t') ++line;
    return line;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    tess::win32::MainWindow window;
    tess::win32::MainWindowOptions options;
    options.commandLine = argumentsAfterProgramName();
    if (!window.create(instance, options)) return 1;
    return tess::win32::runMessageLoop(window);
}
