// The in-place edit controls that are open: set by the in-place editors,
// consulted by the message loop of the user-interface thread.
#pragma once

#include "base/messages.h"

// The two in-place edit controls (value editor and renamer): non-null while
// one is open. The in-place editors set and clear these; while either is set
// the loop does not translate accelerators, so Ctrl+C, Ctrl+V, Ctrl+Z and
// Delete reach the edit control instead of running commands.
extern WindowHandle gEditValueWindow;
extern WindowHandle gRenamerWindow;

// 1 while an in-place edit control is open.
int InPlaceEditActive();
