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

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    tess::win32::Program program;
    tess::win32::ProgramOptions options;
    options.commandLine = argumentsAfterProgramName();
    if (!program.start(instance, options)) return 1;
    return program.run();
}
