// RAII for GDI objects (fonts, brushes, bitmaps) and memory device contexts: released
// when the owner goes, on every path.
#pragma once

#include <windows.h>

#include <utility>

namespace ostrel {

template <class Handle, BOOL(WINAPI* Release)(Handle)> class UniqueGdi {
  public:
    UniqueGdi() = default;
    explicit UniqueGdi(Handle handle) : handle_(handle) {}
    ~UniqueGdi() { reset(); }
    UniqueGdi(UniqueGdi&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueGdi& operator=(UniqueGdi&& other) noexcept {
        if (this != &other) {
            reset(std::exchange(other.handle_, nullptr));
        }
        return *this;
    }
    UniqueGdi(const UniqueGdi&) = delete;
    UniqueGdi& operator=(const UniqueGdi&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset(Handle handle = nullptr) {
        if (handle_ != nullptr) {
            Release(handle_);
        }
        handle_ = handle;
    }

  private:
    Handle handle_ = nullptr;
};

inline BOOL WINAPI deleteGdiObject(HGDIOBJ object) {
    return DeleteObject(object);
}
template <class T> inline BOOL WINAPI deleteTyped(T object) {
    return deleteGdiObject(object);
}

using UniqueFont = UniqueGdi<HFONT, deleteTyped<HFONT>>;
using UniqueBrush = UniqueGdi<HBRUSH, deleteTyped<HBRUSH>>;
using UniqueBitmap = UniqueGdi<HBITMAP, deleteTyped<HBITMAP>>;
using UniquePen = UniqueGdi<HPEN, deleteTyped<HPEN>>;
using UniqueMemoryDc = UniqueGdi<HDC, DeleteDC>;

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
