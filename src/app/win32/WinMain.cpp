#include "app/win32/Program.h"

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

// Start-up runs outside any window's barrier: what fails there is reported the same way (the
// text already loaded is kept) before the program gives up.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    tess::win32::Program program;
    try {
        tess::win32::ProgramOptions options;
        options.commandLine = argumentsAfterProgramName();
        if (!program.start(instance, options)) return 1;
    } catch (...) {
        tess::win32::reportFailure(tess::win32::currentExceptionText());
        return 1;
    }
    return program.run();
}
