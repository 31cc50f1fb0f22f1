// The tables of interface pictures that start-up loads from the resources
// named in the string table (steps 13 and 14), and the views draw from.
#pragma once

#include "base/string_ids.h"
#include "imaging/image_bitmap.h"
#include "imaging/rgba_image.h"

// Bitmaps, in string-table order 401..408.
constexpr int kBitmapBackground = 0;  // "TEX_BACKGROUND"
constexpr int kBitmapAlLight = 1;     // "TEX_ALLIGHT"
constexpr int kBitmapAlDark = 2;      // "TEX_ALDARK"
constexpr int kBitmapMidiPlug = 3;    // "A_MIDIPLUG", the activity indicator strip
constexpr int kBitmapButOff = 4;      // check boxes
constexpr int kBitmapButOn = 5;
constexpr int kBitmapButOffSel = 6;
constexpr int kBitmapButOnSel = 7;
extern ImageBitmap gBitmaps[kBitmapNameCount];

// PNG images, three runs. Indexes follow the string table's order (missing
// names are skipped without using a slot, so with the shipped table these
// constants hold).
constexpr int kMaxButtonImages = 32;
constexpr int kMaxLogoImages = 8;
constexpr int kMaxFileIcons = 8;
extern RgbaImage gButtonImages[kMaxButtonImages];  // normal, pressed, normal, pressed...
extern int gButtonImageCount;
extern RgbaImage gLogoImages[kMaxLogoImages];
extern int gLogoImageCount;
extern RgbaImage gFileIcons[kMaxFileIcons];
extern int gFileIconCount;

constexpr int kLogoTop = 0;
constexpr int kLogoName = 1;
constexpr int kLogoBottom = 2;
constexpr int kLogoDisplayPanel = 3;

// Reads one run of resource names from the string table: upward from
// `firstId` until an entry that begins with "!", skipping missing ids without
// using a slot, at most `capacity` names. A run without its "!" ends after
// kMaxRunSpan ids. Returns the number of names stored.
constexpr int kMaxRunSpan = 64;
int ReadResourceNameRun(int firstId, const char** names, int capacity);

// Releases every loaded picture (shutdown).
void FreeInterfaceImages();
void FreeInterfaceBitmaps();
