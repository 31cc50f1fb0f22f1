// The program's entry point. Everything else is in startup_win32.cpp, so
// the GUI tests can run the same start-up in their own process.
#include <windows.h>

#include "shell/startup_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // The previous-instance argument is always null on this platform; the
    // command line (a file to open) is read in RunOstrel.
    return RunOstrel(instance, showCommand);
}
