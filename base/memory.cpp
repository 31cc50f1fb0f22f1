// AllocBlock and FreeBlock: the one allocator for large blocks (memory.h).
#include "base/memory.h"

#include "base/app_state.h"
#include "base/messages.h"
#include "base/platform.h"

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
