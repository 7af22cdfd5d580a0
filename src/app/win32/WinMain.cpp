#include "app/win32/Program.h"
#include "platform/win32/WideText.h"

#include <windows.h>

namespace {

// The command-line text after the program name, whatever quoting the name itself used; read in
// UTF-16, so that a document name comes as the user gave it.
std::wstring argumentsAfterProgramName() {
    const wchar_t* line = ::GetCommandLineW();
    if (*line == L'"') {
        ++line;
        while (*line && *line != L'"') ++line;
        if (*line == L'"') ++line;
    } else {
        while (*line && *line != L' ' && *line != L'\t') ++line;
    }
    while (*line == L' ' || *line == L'\t') ++line;
    return line;
}

}  // namespace

// Start-up runs outside any window's barrier: what fails there is reported the same way (the
// text already loaded is kept) before the program gives up.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    tess::win32::Program program;
    try {
        tess::win32::ProgramOptions options;
        options.commandLine = tess::win32::narrow(argumentsAfterProgramName());
        if (!program.start(instance, options)) return 1;
    } catch (...) {
        tess::win32::reportFailure(tess::win32::currentExceptionText());
        return 1;
    }
    return program.run();
}
