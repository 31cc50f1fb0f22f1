// The folder a Windows benchmark program was started from: the build leaves
// the programs and the demo data ("Devices" and the rest) side by side there.
#pragma once

#include <windows.h>

#include <string>

// With its closing backslash; empty when the program's own path is unknown.
inline std::string BenchProgramFolder() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string full(path, length < MAX_PATH ? length : 0);
    size_t slash = full.find_last_of('\\');
    return slash == std::string::npos ? std::string() : full.substr(0, slash + 1);
}
