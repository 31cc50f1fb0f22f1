// The pointer, the left button, the views' timers and the millisecond clock,
// as a script sets them instead of the hand and the system.
//
// The GUI tests run the real window code with synthetic mouse messages. Left
// to the system, three things would race them: the real pointer (read by the
// drag tick, the rubber band and the tooltip), the real left button (never
// held while messages are sent by hand), and the real timers 101 and 102
// (whose ticks would fall between the steps a test sends itself). While a
// script is active, each of those reads the script and the view timers are
// not started, so every tick is one the script sends. The program never sets
// it.
#pragma once

#include <windows.h>

struct InputScript {
    int active;          // 1 while a script drives the fields below
    POINT pointer;       // where the pointer stands, in screen coordinates
    int leftHeld;        // 1 while the left button is held
    int clockSet;        // 1: MilliClock answers `clock` instead of the system
    unsigned clock;      // the scripted time in milliseconds (wraps as the real one)
};

// Process-wide, touched by the user-interface thread only. All zero: no script.
extern InputScript gInputScript;

// The pointer in screen coordinates: the script's, or the system's.
POINT ScriptedCursorPos();
