// The program's pictures at the size a display resolution asks for. Bitmaps are stored
// at 100, 125, 150 and 200 % under their name and the scale ("DRIVE_150"); icons and
// pointers carry their sizes in one resource.
#pragma once

#include <windows.h>

#include "platform/win32/screen_scale_win32.h"
#include "platform/win32/unique_gdi_win32.h"

namespace ostrel {

// The bitmap `name` for the resolution, `width` x `height` pixels at 100 % scaled: the
// stored scale of that size, or the next larger one drawn down to it.
UniqueBitmap loadBitmap(HINSTANCE instance, const char* name, SIZE design,
                        const ScreenScale& scale);

// The icon at its size for the resolution (`design` pixels at 100 %).
UniqueIcon loadIcon(HINSTANCE instance, int id, int design, const ScreenScale& scale);

// The pointer at its size for the resolution (32 pixels at 100 %).
UniqueCursor loadCursor(HINSTANCE instance, const char* name, const ScreenScale& scale);

} // namespace ostrel
