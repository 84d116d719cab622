#include "platform/win32/pictures_win32.h"

#include <string>

#include "platform/win32/wide_win32.h"

namespace ostrel {

UniqueBitmap loadBitmap(HINSTANCE instance, const char* name, SIZE design,
                        const ScreenScale& scale) {
    int stored = 100;
    for (const int percent : {100, 125, 150, 200}) {
        stored = percent;
        if (percent * ScreenScale::kDesignDpi >= scale.dpi() * 100) {
            break;
        }
    }
    const std::string variant = std::string(name) + "_" + std::to_string(stored);
    return UniqueBitmap(static_cast<HBITMAP>(LoadImageW(instance, wide(variant).c_str(),
                                                        IMAGE_BITMAP, scale.pixels(design.cx),
                                                        scale.pixels(design.cy), LR_DEFAULTCOLOR)));
}

UniqueIcon loadIcon(HINSTANCE instance, int id, int design, const ScreenScale& scale) {
    const int size = scale.pixels(design);
    return UniqueIcon(static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

UniqueCursor loadCursor(HINSTANCE instance, const char* name, const ScreenScale& scale) {
    const int size = scale.pixels(32);
    return UniqueCursor(static_cast<HCURSOR>(
        LoadImageW(instance, wide(name).c_str(), IMAGE_CURSOR, size, size, LR_DEFAULTCOLOR)));
}

} // namespace ostrel
