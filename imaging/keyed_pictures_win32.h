// Colour-keyed drawing without TransparentBlt, for the device contexts whose
// pixels cannot be written in place (a clip of several pieces, a DC that is
// not one of our sections: gdi_draw_win32.cpp copies straight into the
// window's off-screen picture). For each picture drawn with a key, a mask
// (white where the key colour is, black elsewhere) and a copy with the key
// colour made black are made once and kept; drawing is then two plain blits
// (AND the mask, OR the copy). TransparentBlt builds that mask again on every
// call, which under Wine costs most of a repaint.
//
// The pair is kept by the picture's handle until ImageBitmapRelease forgets
// it: a picture's pixels are only ever written while it is being made,
// before its first keyed draw. User-interface thread only.
#pragma once

#include <windows.h>

#include "imaging/image_bitmap.h"

// Draws the part (srcX, srcY, w, h) of bitmap at (x, y) with every pixel of
// colour key left out. The part must lie inside the bitmap.
void DrawKeyedPart(HDC dc, const ImageBitmap& bitmap, int x, int y, int w, int h, int srcX,
                   int srcY, COLORREF key);

// Drops the pair made for the picture with this handle (ImageBitmapRelease).
void ForgetKeyedPicture(void* handle);
