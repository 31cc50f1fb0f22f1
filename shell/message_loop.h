// The message loop of the user-interface thread, and the state it consults.
#pragma once

#include "shell/messages.h"

// The two in-place edit controls (value editor and renamer): non-null while
// one is open. The in-place editors set and clear these; while either is set
// the loop does not translate accelerators, so Ctrl+C, Ctrl+V, Ctrl+Z and
// Delete reach the edit control instead of running commands.
extern WindowHandle gEditValueWindow;
extern WindowHandle gRenamerWindow;

// 1 while an in-place edit control is open.
int InPlaceEditActive();
