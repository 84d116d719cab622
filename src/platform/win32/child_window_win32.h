// How the program's windows lay out their controls: child windows placed in twips,
// fonts sized in points, both converted with the screen's resolution.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/screen_scale_win32.h"
#include "platform/win32/unique_gdi_win32.h"

namespace ostrel {

struct Twips {
    int left, top, width, height;
};

// A visible child window at its place, with its font.
HWND makeChild(const ScreenScale& scale, HWND parent, const char* className, const char* text,
               DWORD style, DWORD exStyle, Twips place, int id, HFONT font);

// A font of the face at a size in hundredths of a point (825 for 8.25 pt).
UniqueFont makeFont(const ScreenScale& scale, const char* face, int hundredthsOfPoint,
                    bool bold = false, bool underline = false);

// The window's text (a control's caption).
std::string windowText(HWND window);

} // namespace ostrel
