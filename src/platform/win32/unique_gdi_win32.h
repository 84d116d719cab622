// RAII for GDI objects (fonts, brushes, bitmaps), icons, pointers and memory device
// contexts: released when the owner goes, on every path.
#pragma once

#include <windows.h>

#include "platform/win32/unique_handle_win32.h"

namespace ostrel {

template <class T> inline BOOL WINAPI deleteTyped(T object) {
    return DeleteObject(object);
}

using UniqueFont = Unique<HFONT, deleteTyped<HFONT>>;
using UniqueBrush = Unique<HBRUSH, deleteTyped<HBRUSH>>;
using UniqueBitmap = Unique<HBITMAP, deleteTyped<HBITMAP>>;
using UniquePen = Unique<HPEN, deleteTyped<HPEN>>;
using UniqueMemoryDc = Unique<HDC, DeleteDC>;
using UniqueIcon = Unique<HICON, DestroyIcon>;
using UniqueCursor = Unique<HCURSOR, DestroyCursor>;

// Selects an object into a device context for one scope and puts the old one back.
class Selected {
  public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(dc_, old_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// A window's device context for one scope.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

} // namespace ostrel
