// The shared GDI objects and resource handles that start-up creates and
// shutdown releases, for every window's painting. Windows build only.
#pragma once

#include <windows.h>

#include "base/string_ids.h"
#include "views/fonts.h"

// Pens (solid, width 1), step 6.
constexpr int kPenShadow = 0;     // RGB(96, 96, 100)
constexpr int kPenIndicator = 1;  // RGB(48, 48, 52)
constexpr int kPenHeader = 2;     // RGB(232, 240, 248)
constexpr int kPenNavy = 3;       // RGB(0, 0, 128)
constexpr int kPenCount = 4;
extern HPEN gPens[kPenCount];

// Solid brushes, step 7.
constexpr int kBrushWhite = 0;      // RGB(255, 255, 255)
constexpr int kBrushValueBox = 1;   // RGB(224, 232, 240)
constexpr int kBrushSelection = 2;  // RGB(0, 0, 128)
constexpr int kBrushHeader = 3;     // RGB(208, 208, 208)
constexpr int kBrushCount = 4;
extern HBRUSH gBrushes[kBrushCount];

// The dialogs' pattern brushes, step 13: of "TEX_ALDARK" and "TEX_ALLIGHT".
constexpr int kPatternDark = 0;
constexpr int kPatternLight = 1;
extern HBRUSH gPatternBrushes[2];

// Cursors, step 8: the arrow for every class, then the named ones (a missing
// one stays null).
extern HCURSOR gArrowCursor;
extern HCURSOR gCursors[kCursorNameCount];

// The shared fonts, step 15 (metrics in gFontMetrics).
extern HFONT gFonts[kFontCount];

// The main menu and the accelerator table, step 5.
extern HMENU gMainMenu;
extern HACCEL gAccelerators;

// The steps that make them, in start-up order, and their releases.
void AddFontResources();         // step 4
void LoadMenuAndAccelerators();  // step 5
void CreatePensAndBrushes();     // steps 6 and 7
void LoadCursors();              // step 8
void LoadInterfaceBitmaps();     // step 13, with the pattern brushes
void LoadInterfaceImages();      // step 14
void CreateSharedFonts();        // step 15

void DeleteSharedFonts();
void DestroyCursors();
void DeletePensAndBrushes();
void DeletePatternBrushes();
