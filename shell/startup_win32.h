// The program's entry: start-up in its fixed order, the message loop,
// shutdown in its fixed order. WinMain (winmain_win32.cpp) only calls
// RunOstrel; the GUI tests call the three parts themselves against a
// temporary program folder.
#pragma once

#include <windows.h>

enum class StartUpResult {
    kFailed,      // stopped early (memory, window classes): nothing to run
    kNotRunning,  // resources exist but the settings step (or a window) failed
    kRunning,     // the main window is up and the hook installed: run the loop
};

// Start-up steps 1 to 27.6. `exePath` stands for the program's own file name
// (null: the real one), which decides the program folder.
StartUpResult StartUp(HINSTANCE instance, int showCommand, const char* exePath);

// Step 27.8 (when the loop ran) and step 28: releases everything StartUp
// made, in the fixed order. Safe after any StartUp result.
void ShutDown(StartUpResult started);

// All of it: steps 1 to 29. Returns the exit code of the quit message.
int RunOstrel(HINSTANCE instance, int showCommand);
