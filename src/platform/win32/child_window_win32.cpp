#include "platform/win32/child_window_win32.h"

#include <cwchar>

#include "platform/win32/wide_win32.h"

namespace ostrel {
// A font of the design for the resolution.
UniqueFont makeFont(const ScreenScale& scale, const FontDesign& design) {
    LOGFONTW font{};
    if (design.face == nullptr) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
            font = metrics.lfMessageFont;
        } else {
            GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
        }
        // The system measures it for the primary screen.
        font.lfHeight = scale.pixels(font.lfHeight, ScreenScale::screen().dpi());
        return UniqueFont(CreateFontIndirectW(&font));
    }
    font.lfHeight = -MulDiv(design.hundredthsOfPoint, scale.dpi(), 7200);
    font.lfWeight = design.bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = design.underline ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(font.lfFaceName, wide(design.face).c_str(), LF_FACESIZE - 1);
    return UniqueFont(CreateFontIndirectW(&font));
}

void ControlTable::create(HWND window, std::initializer_list<std::pair<int, void*>> parameters) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    for (std::size_t row = 0; row < controls_.size(); ++row) {
        const ControlDesign& control = controls_[row];
        void* parameter = nullptr;
        for (const auto& [id, value] : parameters) {
            parameter = id == control.id ? value : parameter;
        }
        const HWND parent = control.parent == 0 ? window : (*this)[control.parent];
        windows_[row] = CreateWindowExW(
            control.exStyle, wide(control.className).c_str(), wide(control.text).c_str(),
            WS_CHILD | WS_VISIBLE | control.style, 0, 0, 0, 0, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, parameter);
    }
}

void ControlTable::layOut(const ScreenScale& scale) {
    std::vector<UniqueFont> made;
    for (const FontDesign& font : fonts_) {
        made.push_back(makeFont(scale, font));
    }
    for (std::size_t row = 0; row < controls_.size(); ++row) {
        const ControlDesign& control = controls_[row];
        const Twips& place = control.place;
        SetWindowPos(windows_[row], nullptr, scale.pixelsX(place.left), scale.pixelsY(place.top),
                     scale.pixelsX(place.width), scale.pixelsY(place.height),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (control.font != kNoFont) {
            SendMessageW(
                windows_[row], WM_SETFONT,
                reinterpret_cast<WPARAM>(made.at(static_cast<std::size_t>(control.font)).get()),
                TRUE);
        }
        if (control.fitsText) {
            fitToText(windows_[row]);
        }
    }
    // The controls have let go of the fonts made before.
    made_ = std::move(made);
}

const ControlDesign* ControlTable::design(int id) const {
    for (const ControlDesign& control : controls_) {
        if (control.id == id) {
            return &control;
        }
    }
    return nullptr;
}

HWND ControlTable::operator[](int id) const {
    const ControlDesign* control = design(id);
    return control == nullptr ? nullptr
                              : windows_[static_cast<std::size_t>(control - controls_.data())];
}

void ControlTable::setText(int id, const std::string& text) {
    const HWND control = (*this)[id];
    SetWindowTextW(control, wide(text).c_str());
    if (design(id)->fitsText) {
        fitToText(control);
    }
}

void fitToText(HWND label) {
    const std::wstring text = wide(windowText(label));
    RECT extent{0, 0, 0, 0};
    SIZE blank{};
    {
        const WindowDc dc(label);
        const Selected font(dc.get(),
                            reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
        DrawTextW(dc.get(), text.empty() ? L" " : text.c_str(), -1, &extent,
                  DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
        GetTextExtentPoint32W(dc.get(), L" ", 1, &blank);
    }
    // The room of one blank more: a label draws its text a little wider than it measures
    // on some systems, which would cut off the last character.
    const int width = text.empty() ? 0 : extent.right + blank.cx;
    SetWindowPos(label, nullptr, 0, 0, width, extent.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(label, nullptr, TRUE);
}

std::string windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return narrow(text);
}

void registerWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure) {
    const std::wstring className = wide(name);
    WNDCLASSEXW windowClass{};
    if (GetClassInfoExW(instance, className.c_str(), &windowClass)) {
        return;
    }
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className.c_str();
    RegisterClassExW(&windowClass);
}

} // namespace ostrel
