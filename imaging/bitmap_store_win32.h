// What the Windows pixel store tells the GDI drawing code: whether a bitmap
// is one of its DIB sections, whose rows are always stored top-down (GDI
// does not say which way a section's rows go).
#pragma once

#include <windows.h>

bool IsImageBitmapSection(HGDIOBJ bitmap);
