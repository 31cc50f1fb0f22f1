// The value spinner. (Placeholder until it is built: never starts.)
#include "views/value_spinner.h"

void StartValueSpinner(PaneWindow, int, int, int, int, int, int, int) {}
void ValueSpinnerTick() {}
void ValueSpinnerButtonUp(int) {}
int ValueSpinnerActive() { return 0; }
