// The shell's platform seams on Windows: message boxes, the multimedia
// clock and movable global memory blocks.
#include <windows.h>
// The multimedia header needs the types of windows.h before it.
#include <mmsystem.h>

#include "base/platform.h"
#include "shell/platform_win32.h"
#include "views/input_script_win32.h"

int (*gMessageBoxOverride)(WindowHandle, const char*, const char*, unsigned) = nullptr;

unsigned MilliClock() {
    if (gInputScript.clockSet) return gInputScript.clock;
    return timeGetTime();
}

int PlatformMessageBox(WindowHandle owner, const char* text, const char* caption, unsigned type) {
    if (gMessageBoxOverride != nullptr) return gMessageBoxOverride(owner, text, caption, type);
    return MessageBoxA(static_cast<HWND>(owner), text, caption, type);
}

void* PlatformAllocBlock(size_t size) {
    HGLOBAL handle = GlobalAlloc(GHND, size ? size : 1);
    if (handle == nullptr) return nullptr;
    void* block = GlobalLock(handle);
    if (block == nullptr) GlobalFree(handle);
    return block;
}

void PlatformFreeBlock(void* block) {
    HGLOBAL handle = GlobalHandle(block);
    if (handle == nullptr) return;
    GlobalUnlock(handle);
    GlobalFree(handle);
}
