// The program's allocator for large blocks, and the process-wide fatal flag.
#pragma once

#include <cstddef>

// Set when an allocation failed. Start-up stops when it is set after the
// working blocks; callers that run later clear it again after giving up their
// operation (settings load, bank files).
extern int gFatal;

// A zero-filled block of `size` bytes, or null. On failure sets gFatal and
// shows "Running short of memory" (message box captioned "Ostrel", stop icon,
// owned by the desktop window; suppressed while the settings file is read,
// whose reader then says it in the status display).
void* AllocBlock(size_t size);

// Releases a block from AllocBlock; null is ignored.
void FreeBlock(void* block);
