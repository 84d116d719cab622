// How the program's windows are built: each window describes its controls in a table
// (class, id, caption, place in twips, style, font), and one builder makes them, every
// control a child window of its own, converted with the screen's resolution.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/screen_scale_win32.h"
#include "platform/win32/unique_gdi_win32.h"

namespace ostrel {

// The colour of the program's windows, their labels and panels.
inline constexpr COLORREF kFormBackground = RGB(240, 237, 225);

struct Twips {
    int left, top, width, height;
};

// Texts in the tables are UTF-8, as every text inside the program.
// A font of a window's design: a face at a size in hundredths of a point (825 for
// 8.25 pt). Without a face it is the system's message font.
struct FontDesign {
    const char* face;
    int hundredthsOfPoint;
    bool bold = false;
    bool underline = false;
};

inline constexpr int kNoFont = -1;

// One control of a window's table. A window lists its controls in tab order; a control
// inside another one (a panel) names that one's id as its parent, and comes after it.
struct ControlDesign {
    const char* className;
    int id;
    const char* text;
    Twips place;
    DWORD style;
    int font; // an index into the window's fonts, or kNoFont
    DWORD exStyle = 0;
    int parent = 0; // 0: the window itself
    // A label that takes the size of its text, keeping its top left corner.
    bool fitsText = false;
};

// A window's controls made from its table, with the fonts they show.
class ControlTable {
  public:
    ControlTable(std::span<const ControlDesign> controls, std::span<const FontDesign> fonts)
        : controls_(controls), fonts_(fonts), windows_(controls.size()) {}

    // Creates the controls inside window, to be laid out. Controls of the program's own
    // classes get their creation parameter by id.
    void create(HWND window, std::initializer_list<std::pair<int, void*>> parameters = {});
    // Places every control at its twips converted for scale, with its font made for
    // scale; labels that fit their text are fitted again. Also when the window has moved
    // to a monitor of another resolution.
    void layOut(const ScreenScale& scale);
    // The control with the id, or null.
    HWND operator[](int id) const;
    HFONT font(int index) const { return made_.at(static_cast<std::size_t>(index)).get(); }
    // Sets a control's text; a label that fits its text is fitted to it.
    void setText(int id, const std::string& text);

  private:
    const ControlDesign* design(int id) const;

    std::span<const ControlDesign> controls_;
    std::span<const FontDesign> fonts_;
    std::vector<HWND> windows_;
    std::vector<UniqueFont> made_;
};

// A font of the design for the resolution.
UniqueFont makeFont(const ScreenScale& scale, const FontDesign& design);

// Fits a label to its text, one blank wider; the label keeps its top left corner.
void fitToText(HWND label);

// The window's text (a control's caption).
std::string windowText(HWND window);

// Registers a window class with the arrow pointer and no background brush, once per
// process; later calls do nothing.
void registerWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure);

// The window procedure of an object that owns a window: the object comes as the
// creation parameter, its window member holds the window from WM_NCCREATE until
// WM_NCDESTROY, and every message in between goes to its handler. Without an object
// the window is not created.
template <class Owner>
LRESULT routeToOwner(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                     HWND Owner::*ownerWindow, LRESULT (Owner::*handler)(UINT, WPARAM, LPARAM)) {
    if (message == WM_NCCREATE) {
        auto* owner =
            static_cast<Owner*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (owner == nullptr) {
            return FALSE;
        }
        owner->*ownerWindow = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (owner == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        owner->*ownerWindow = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return (owner->*handler)(message, wParam, lParam);
}

// Runs the handler of a WM_COMMAND from the window's table of (control id, notification
// code, handler); false when no entry matches.
template <class Form> struct CommandRoute {
    int id;
    int code;
    void (Form::*handler)();
};

template <class Form>
bool runCommand(std::span<const CommandRoute<Form>> routes, Form& form, WPARAM wParam) {
    for (const auto& route : routes) {
        if (route.id == LOWORD(wParam) && route.code == HIWORD(wParam)) {
            (form.*route.handler)();
            return true;
        }
    }
    return false;
}

} // namespace ostrel
