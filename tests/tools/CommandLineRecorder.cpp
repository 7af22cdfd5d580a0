// Stands in for a browser: records the command line it got in its own path + ".txt", whole or not at all.
#include <windows.h>

#include <cstdio>
#include <string>

int main() {
    char self[MAX_PATH] = {};
    const std::string record = std::string(self, ::GetModuleFileNameA(nullptr, self, MAX_PATH)) + ".txt";
    if (FILE* f = std::fopen((record + ".part").c_str(), "wb")) std::fputs(::GetCommandLineA(), f), std::fclose(f);
    return std::rename((record + ".part").c_str(), record.c_str());
}
