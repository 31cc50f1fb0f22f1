// Running the real program inside a GUI test: its start-up against a
// temporary program folder, its windows driven with real messages through
// the program's own loop step, and pictures of its windows written to PNG.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "shell/startup_win32.h"

// Copies a folder and everything in it (the demo data beside the test
// program into a temporary program folder, say).
void CopyFolder(const std::string& from, const std::string& to);

// A fresh, empty program folder in the temporary directory ("Devices",
// "Library" and "User Preset Banks" inside, no Settings.cfg), removed again
// with everything in it when the object goes.
class TempProgramFolder {
  public:
    TempProgramFolder();
    ~TempProgramFolder();
    TempProgramFolder(const TempProgramFolder&) = delete;
    TempProgramFolder& operator=(const TempProgramFolder&) = delete;

    const std::string& dir() const { return dir_; }  // with its trailing backslash
    std::string exePath() const { return dir_ + "Ostrel.exe"; }
    std::string path(const char* name) const { return dir_ + name; }

  private:
    std::string dir_;
};

// A message box the program would have shown.
struct ShownBox {
    std::string text;
    std::string caption;
    unsigned type;
};

// The program started in this process (steps 1 to 27.6) and shut down when
// the object goes. Message boxes are recorded instead of shown, and answered
// from `answers`; then a Yes/No or Yes/No/Cancel box answers No (so Quit's
// questions let a test's program end, as before Cancel was offered) and any
// other box OK.
class RunningProgram {
  public:
    explicit RunningProgram(const TempProgramFolder& folder, int showCommand = SW_SHOWNORMAL);
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    StartUpResult result() const { return result_; }
    HWND main() const;
    HWND library() const;
    HWND editor() const;

    static std::vector<ShownBox> boxes;
    static std::vector<int> answers;

  private:
    StartUpResult result_;
};

// Handles the thread's waiting messages with the program's loop step (so the
// accelerator rule applies). Keeps going for at least `milliseconds`. Mouse
// input from the real pointer is dropped: the test's script is the hand. Returns
// 1 when the quit message came (the loop would have ended).
int PumpMessages(int milliseconds = 0);

// Pumps until `done` answers true or `milliseconds` pass; returns done().
template <typename Done>
bool PumpUntil(Done done, int milliseconds) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > static_cast<DWORD>(milliseconds)) return false;
        PumpMessages();
        Sleep(5);
    }
    return true;
}

// Marks a key as held (or released) in the thread's key state, as the
// accelerator translation and GetKeyState see it.
void SetKeyHeld(int virtualKey, bool held);

// A key press as the keyboard would post it (WM_KEYDOWN then WM_KEYUP).
void PostKey(HWND window, int virtualKey);

// Writes the client area of a visible window to a PNG file. Returns 1.
int WriteWindowPng(HWND window, const std::string& path);

// Writes a rectangle of the screen (screen coordinates) to a PNG file, with
// the pointer drawn in it as the current cursor where it stands. Returns 1.
int WriteScreenPng(const RECT& area, const std::string& path);

// The colour of one client pixel of a window, as drawn on the screen.
COLORREF ClientPixel(HWND window, int x, int y);

// Where the GUI tests leave their pictures for people to look at.
std::string ScreenshotPath(const char* name);
