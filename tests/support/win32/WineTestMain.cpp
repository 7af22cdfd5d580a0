// A crashing Wine process sometimes exits 0, so any unhandled exception ends the process with 99 at once.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

static LONG WINAPI failFast(EXCEPTION_POINTERS* info) {
    std::fprintf(stderr, "FATAL: unhandled exception 0x%08lx\n", info->ExceptionRecord->ExceptionCode);
    ::TerminateProcess(::GetCurrentProcess(), 99);
    return EXCEPTION_EXECUTE_HANDLER;
}

int main(int argc, char** argv) {
    ::SetUnhandledExceptionFilter(&failFast);
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
