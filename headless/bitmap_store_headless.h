// What the headless ImageBitmap store did, for tests.
#pragma once

// Bitmaps allocated and not yet released.
int HeadlessLiveBitmapCount();

// Makes the next `count` allocations fail, as a platform out of memory would.
void HeadlessFailBitmapAllocations(int count);
