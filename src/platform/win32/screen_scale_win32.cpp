#include "platform/win32/screen_scale_win32.h"

namespace ostrel {
namespace {

constexpr const wchar_t* kLaidOutFor = L"OstrelDpi";

// A function of user32 that Windows has from Windows 10 1607 on, or null.
template <class Function> Function newerUser32(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

UINT monitorDpi(HWND window) {
    static const auto dpiForWindow = newerUser32<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    return dpiForWindow != nullptr && window != nullptr ? dpiForWindow(window) : 0;
}

} // namespace

ScreenScale ScreenScale::screen() {
    const HDC dc = GetDC(nullptr);
    const ScreenScale scale(dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSY) : kDesignDpi);
    if (dc != nullptr) {
        ReleaseDC(nullptr, dc);
    }
    return scale;
}

ScreenScale ScreenScale::of(HWND window) {
    const HWND root = window != nullptr ? GetAncestor(window, GA_ROOT) : nullptr;
    if (const auto kept = reinterpret_cast<INT_PTR>(GetPropW(root, kLaidOutFor)); kept > 0) {
        return ScreenScale(static_cast<int>(kept));
    }
    return given(window);
}

ScreenScale ScreenScale::given(HWND window) {
    const UINT dpi = monitorDpi(window);
    return dpi > 0 ? ScreenScale(static_cast<int>(dpi)) : screen();
}

void ScreenScale::keepFor(HWND window) const {
    SetPropW(window, kLaidOutFor, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi_)));
}

SIZE ScreenScale::windowSize(int widthTwips, int heightTwips, DWORD style, bool menu,
                             DWORD exStyle) const {
    static const auto adjustForDpi =
        newerUser32<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    RECT outer{0, 0, pixelsX(widthTwips), pixelsY(heightTwips)};
    if (adjustForDpi != nullptr) {
        adjustForDpi(&outer, style, menu, exStyle, static_cast<UINT>(dpi_));
    } else {
        AdjustWindowRectEx(&outer, style, menu, exStyle);
    }
    return {outer.right - outer.left, outer.bottom - outer.top};
}

void ScreenScale::layOutDialogItself(HWND dialog) {
    constexpr int kDisableAll = 1; // DDC_DISABLE_ALL
    static const auto setBehavior =
        newerUser32<BOOL(WINAPI*)(HWND, int, int)>("SetDialogDpiChangeBehavior");
    if (setBehavior != nullptr) {
        setBehavior(dialog, kDisableAll, kDisableAll);
    }
}

void ScreenScale::forget(HWND window) {
    RemovePropW(window, kLaidOutFor);
}

} // namespace ostrel
