// AllocBlock and FreeBlock: the one allocator for large blocks (memory.h).
#include "shell/memory.h"

#include "shell/app_state.h"
#include "shell/messages.h"
#include "shell/platform.h"

int gFatal = 0;

void* AllocBlock(size_t size) {
    void* block = PlatformAllocBlock(size);
    if (block == nullptr) {
        gFatal = 1;
        MessageBoxById(gDesktopWindow, kAppName, kMbIconHand, kStrShortOfMemory);
    }
    return block;
}

void FreeBlock(void* block) {
    if (block != nullptr) PlatformFreeBlock(block);
}
