#include "platform/win32/child_window_win32.h"

#include <cstring>

namespace ostrel {

HWND makeChild(const ScreenScale& scale, HWND parent, const char* className, const char* text,
               DWORD style, DWORD exStyle, Twips place, int id, HFONT font) {
    const HWND child = CreateWindowExA(
        exStyle, className, text, WS_CHILD | WS_VISIBLE | style, scale.pixelsX(place.left),
        scale.pixelsY(place.top), scale.pixelsX(place.width), scale.pixelsY(place.height), parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

UniqueFont makeFont(const ScreenScale& scale, const char* face, int hundredthsOfPoint, bool bold,
                    bool underline) {
    LOGFONTA font{};
    font.lfHeight = -MulDiv(hundredthsOfPoint, scale.dpi(), 7200);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return UniqueFont(CreateFontIndirectA(&font));
}

std::string windowText(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void registerWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure) {
    WNDCLASSEXA windowClass{};
    if (GetClassInfoExA(instance, name, &windowClass)) {
        return;
    }
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    RegisterClassExA(&windowClass);
}

} // namespace ostrel
