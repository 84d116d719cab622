// Twips (1440 to the inch), points and pixels at a display resolution: the program lays
// its windows out in twips and draws fonts and pictures for the resolution of the
// monitor each window is on.
#pragma once

#include <windows.h>

namespace ostrel {

class ScreenScale {
  public:
    // The resolution pictures are drawn for at 100 %.
    static constexpr int kDesignDpi = 96;

    // The resolution of the primary screen (the system's resolution).
    static ScreenScale screen();
    // The resolution a window is laid out for: the one its top-level window last laid
    // itself out for, else the one of the monitor it is on, else the screen's.
    static ScreenScale of(HWND window);
    // The resolution Windows gives the window now: its monitor's, or the screen's where
    // windows have none of their own (before Windows 10 1607).
    static ScreenScale given(HWND window);

    explicit ScreenScale(int dpi) : dpi_(dpi > 0 ? dpi : kDesignDpi) {}

    // Records that the top-level window and its controls are laid out for this
    // resolution; the record goes with the window.
    void keepFor(HWND window) const;
    // The outer size of a window of the style whose client area is this many twips, with
    // its frame at this resolution.
    SIZE windowSize(int widthTwips, int heightTwips, DWORD style, bool menu, DWORD exStyle) const;
    // A dialog that lays itself out for a new resolution: the system leaves its size,
    // its controls and their fonts alone (Windows 10 1703 and later scale them otherwise).
    static void layOutDialogItself(HWND dialog);
    // Removes the record, before the window goes.
    static void forget(HWND window);

    int dpi() const { return dpi_; }
    int pixelsX(int twips) const { return MulDiv(twips, dpi_, kTwipsPerInch); }
    int pixelsY(int twips) const { return MulDiv(twips, dpi_, kTwipsPerInch); }
    // Whole pixels with the fraction dropped, as list columns are measured, so that
    // columns sized to add up to their list's width fit inside it.
    int wholePixelsX(int twips) const {
        return static_cast<int>(static_cast<long long>(twips) * dpi_ / kTwipsPerInch);
    }
    int twipsX(int pixels) const { return MulDiv(pixels, kTwipsPerInch, dpi_); }
    int twipsY(int pixels) const { return MulDiv(pixels, kTwipsPerInch, dpi_); }
    // The size of something measured in pixels at 100 % (a picture, a font of the system
    // measured at the screen's resolution) at this resolution.
    int pixels(int designPixels, int fromDpi = kDesignDpi) const {
        return MulDiv(designPixels, dpi_, fromDpi);
    }

  private:
    static constexpr int kTwipsPerInch = 1440;
    int dpi_;
};

} // namespace ostrel
