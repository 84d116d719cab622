// Twips (1440 to the inch) and screen pixels: the program places its windows in twips
// and converts them with the screen's resolution.
#pragma once

#include <windows.h>

namespace ostrel {

class ScreenScale {
  public:
    // The resolution of the screen the program runs on.
    static ScreenScale screen() {
        const HDC dc = GetDC(nullptr);
        ScreenScale scale(dc ? GetDeviceCaps(dc, LOGPIXELSX) : 96,
                          dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96);
        if (dc != nullptr) {
            ReleaseDC(nullptr, dc);
        }
        return scale;
    }
    ScreenScale(int dpiX, int dpiY) : dpiX_(dpiX > 0 ? dpiX : 96), dpiY_(dpiY > 0 ? dpiY : 96) {}

    int dpiY() const { return dpiY_; }
    int pixelsX(int twips) const { return MulDiv(twips, dpiX_, kTwipsPerInch); }
    int pixelsY(int twips) const { return MulDiv(twips, dpiY_, kTwipsPerInch); }
    // Whole pixels with the fraction dropped, as list columns are measured, so that
    // columns sized to add up to their list's width fit inside it.
    int wholePixelsX(int twips) const {
        return static_cast<int>(static_cast<long long>(twips) * dpiX_ / kTwipsPerInch);
    }
    int twipsX(int pixels) const { return MulDiv(pixels, kTwipsPerInch, dpiX_); }
    int twipsY(int pixels) const { return MulDiv(pixels, kTwipsPerInch, dpiY_); }

  private:
    static constexpr int kTwipsPerInch = 1440;
    int dpiX_;
    int dpiY_;
};

} // namespace ostrel
