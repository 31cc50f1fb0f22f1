// Test hooks of the Windows platform layer: the GUI tests drive the real
// program, but a modal message box would wait for a click nobody makes.
#pragma once

#include "base/messages.h"

// When set, PlatformMessageBox calls this instead of showing a box, and
// returns its answer.
extern int (*gMessageBoxOverride)(WindowHandle owner, const char* text, const char* caption,
                                  unsigned type);
