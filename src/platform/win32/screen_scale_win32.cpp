#include "platform/win32/screen_scale_win32.h"

namespace ostrel {
namespace {

constexpr const char* kLaidOutFor = "OstrelDpi";

// GetDpiForWindow where Windows has it (Windows 10 1607 and later).
UINT monitorDpi(HWND window) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpiForWindow = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
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
    if (const auto kept = reinterpret_cast<INT_PTR>(GetPropA(root, kLaidOutFor)); kept > 0) {
        return ScreenScale(static_cast<int>(kept));
    }
    const UINT dpi = monitorDpi(window);
    return dpi > 0 ? ScreenScale(static_cast<int>(dpi)) : screen();
}

void ScreenScale::keepFor(HWND window) const {
    SetPropA(window, kLaidOutFor, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi_)));
}

void ScreenScale::forget(HWND window) {
    RemovePropA(window, kLaidOutFor);
}

} // namespace ostrel
