// Creating and releasing the shared GDI objects (gdi_resources_win32.h).
#include "views/gdi_resources_win32.h"

#include "base/app_state.h"
#include "base/string_table.h"
#include "imaging/gdi_draw_win32.h"
#include "imaging/interface_images.h"

HPEN gPens[kPenCount];
HBRUSH gBrushes[kBrushCount];
HBRUSH gPatternBrushes[2];
HCURSOR gArrowCursor;
HCURSOR gCursors[kCursorNameCount];
HFONT gFonts[kFontCount];
HMENU gMainMenu;
HACCEL gAccelerators;

namespace {

HINSTANCE Instance() {
    return static_cast<HINSTANCE>(gInstance);
}

const COLORREF kPenColours[kPenCount] = {RGB(96, 96, 100), RGB(48, 48, 52), RGB(232, 240, 248),
                                         RGB(0, 0, 128)};
const COLORREF kBrushColours[kBrushCount] = {RGB(255, 255, 255), RGB(224, 232, 240), RGB(0, 0, 128),
                                             RGB(208, 208, 208)};

// The old bitmap fonts some systems lack. Missing files are skipped quietly:
// the fonts then come from the system's substitutes.
const char* const kFontFiles[] = {"sseriff.fon", "sserife.fon"};

// A pattern brush from one of the loaded bitmaps, or none.
HBRUSH PatternBrush(const ImageBitmap& bitmap) {
    if (ImageBitmapIsEmpty(bitmap)) return nullptr;
    return CreatePatternBrush(static_cast<HBITMAP>(bitmap.handle));
}

}  // namespace

void AddFontResources() {
    int added = 0;
    for (const char* file : kFontFiles) {
        if (GetFileAttributesA(file) == INVALID_FILE_ATTRIBUTES) continue;
        added += AddFontResourceA(file) > 0 ? 1 : 0;
    }
    // Tell the other programs about the new fonts, but never wait for ever
    // on one that has stopped answering.
    if (added > 0) {
        DWORD_PTR result;
        SendMessageTimeoutA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, 1000, &result);
    }
}

void LoadMenuAndAccelerators() {
    gMainMenu = LoadMenuA(Instance(), "MAIN_MENU");
    gAccelerators = LoadAcceleratorsA(Instance(), "ACCELERATOR");
}

void CreatePensAndBrushes() {
    for (int i = 0; i < kPenCount; ++i) gPens[i] = CreatePen(PS_SOLID, 1, kPenColours[i]);
    for (int i = 0; i < kBrushCount; ++i) gBrushes[i] = CreateSolidBrush(kBrushColours[i]);
}

void LoadCursors() {
    gArrowCursor = LoadCursorA(nullptr, IDC_ARROW);
    for (int i = 0; i < kCursorNameCount; ++i) {
        const char* name = FindString(kStrFirstCursor + i);
        gCursors[i] = name ? LoadCursorA(Instance(), name) : nullptr;
    }
}

void LoadInterfaceBitmaps() {
    for (int i = 0; i < kBitmapNameCount; ++i) {
        const char* name = FindString(kStrFirstBitmap + i);
        if (name != nullptr) ImageBitmapFromBitmapResource(Instance(), name, &gBitmaps[i]);
    }
    gPatternBrushes[kPatternDark] = PatternBrush(gBitmaps[kBitmapAlDark]);
    gPatternBrushes[kPatternLight] = PatternBrush(gBitmaps[kBitmapAlLight]);
}

namespace {
int LoadPngRun(int firstId, RgbaImage* table, int capacity) {
    const char* names[kMaxRunSpan];
    int count =
        ReadResourceNameRun(firstId, names, capacity < kMaxRunSpan ? capacity : kMaxRunSpan);
    for (int i = 0; i < count; ++i) RgbaImageFromPngResource(Instance(), names[i], &table[i]);
    return count;
}
}  // namespace

void LoadInterfaceImages() {
    gButtonImageCount = LoadPngRun(kStrFirstButtonImage, gButtonImages, kMaxButtonImages);
    gLogoImageCount = LoadPngRun(kStrFirstLogoImage, gLogoImages, kMaxLogoImages);
    gFileIconCount = LoadPngRun(kStrFirstFileIcon, gFileIcons, kMaxFileIcons);
}

void CreateSharedFonts() {
    HDC dc = GetDC(nullptr);
    for (int i = 0; i < kFontCount; ++i) {
        const FontSpec& spec = kFontSpecs[i];
        BYTE pitch = static_cast<BYTE>((spec.fixedPitch ? FIXED_PITCH : VARIABLE_PITCH) | FF_SWISS);
        gFonts[i] =
            CreateFontA(-spec.height, 0, 0, 0, spec.weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_STRING_PRECIS, CLIP_STROKE_PRECIS, PROOF_QUALITY, pitch, spec.face);
        TEXTMETRICA metrics = {};
        if (gFonts[i] != nullptr && dc != nullptr) {
            ScopedSelectObject select(dc, gFonts[i]);
            GetTextMetricsA(dc, &metrics);
        }
        gFontMetrics[i].averageWidth = metrics.tmAveCharWidth;
        gFontMetrics[i].height = metrics.tmHeight;
    }
    if (dc != nullptr) ReleaseDC(nullptr, dc);
}

void DeleteSharedFonts() {
    for (HFONT& font : gFonts) {
        if (font) DeleteObject(font);
        font = nullptr;
    }
}

void DestroyCursors() {
    // Cursors from LoadCursor are shared resources: nothing to destroy, but
    // the table is emptied so nothing uses them after shutdown.
    for (HCURSOR& cursor : gCursors) cursor = nullptr;
    gArrowCursor = nullptr;
}

void DeletePensAndBrushes() {
    for (HPEN& pen : gPens) {
        if (pen) DeleteObject(pen);
        pen = nullptr;
    }
    for (HBRUSH& brush : gBrushes) {
        if (brush) DeleteObject(brush);
        brush = nullptr;
    }
}

void DeletePatternBrushes() {
    for (HBRUSH& brush : gPatternBrushes) {
        if (brush) DeleteObject(brush);
        brush = nullptr;
    }
}
