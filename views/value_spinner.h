// ValueSpinner: steps one integer of a preset while a mouse button is held
// (left decreases, right increases, Shift in steps), or toggles a two-valued
// one. The control editor starts it on extra variables and zone fields.
#pragma once

#include "views/pane.h"

// Target selectors.
constexpr int kSpinVariable = -1;   // field = the variable's index
constexpr int kSpinZoneField = -2;  // field = the zone field's index in `zone`

void StartValueSpinner(PaneWindow window, int message, int bank, int preset, int selector,
                       int field, int zone, int format);
// Timer 102.
void ValueSpinnerTick();
// A mouse button release: ends the stepping when it is the starting button's
// (left up for a decreasing spinner, right up for an increasing one).
void ValueSpinnerButtonUp(int message);
// 1 from the start until the stepping ends.
int ValueSpinnerActive();
// Ends a spinner stepping a value of bank `bank`, whose contents were replaced
// whole from outside (a download landed): its undo step has ended, and its
// steps would go on in what the device sent.
void EndValueSpinnerOnBank(int bank);
