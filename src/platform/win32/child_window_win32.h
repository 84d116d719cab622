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

// Registers a window class with the arrow pointer and no background brush, once per
// process; later calls do nothing.
void registerWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure);

// The window procedure of an object that owns a window: the object comes as the
// creation parameter, its window member holds the window from WM_NCCREATE until
// WM_NCDESTROY, and every message in between goes to its handler.
template <class Owner>
LRESULT routeToOwner(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                     HWND Owner::*ownerWindow, LRESULT (Owner::*handler)(UINT, WPARAM, LPARAM)) {
    if (message == WM_NCCREATE) {
        auto* owner =
            static_cast<Owner*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
        owner->*ownerWindow = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (owner == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        owner->*ownerWindow = nullptr;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return (owner->*handler)(message, wParam, lParam);
}

} // namespace ostrel
