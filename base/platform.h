// The platform seams of the shell: what the portable message and memory code
// needs from the system. Implemented twice: by shell/*_win32.cpp in the
// program, and by headless/*_headless.cpp for the native tests, the
// command-line tool, benchmarks and fuzzers (which record what happened; see
// headless/messages_headless.h and headless/clock_headless.h).
#pragma once

#include <cstddef>

#include "base/messages.h"

// The millisecond clock behind every time-out and wait (timeGetTime). Wraps
// around after about 49 days: compare times by unsigned difference
// (now - start >= span), never by "<".
unsigned MilliClock();

// Shows a modal message box and returns the button pressed.
int PlatformMessageBox(WindowHandle owner, const char* text, const char* caption, unsigned type);

// Draws the status display on the main window: its background, then `text`
// word-wrapped and centred, or the background alone when text is null.
void PlatformDrawStatus(const char* text);

// Creates and paints the status popup showing `text`; destroys it.
void PlatformShowPopup(const char* text);
void PlatformClosePopup();

// A zero-filled block of `size` bytes from the system (a locked movable
// global memory block on Windows), or null; and its release (null ignored).
void* PlatformAllocBlock(size_t size);
void PlatformFreeBlock(void* block);
