// Line3D: the sunken separator line, a dark line with a white line below it across the
// control's whole width, always 30 twips high. The main window hosts two of them and
// gives them their position and width; the control takes no input.
#pragma once

#include <windows.h>

#include "platform/win32/unique_gdi_win32.h"

namespace ostrel {

class MessageBoxes;

inline constexpr const char* kLine3DClass = "Line3D";

// One control: its owner keeps it while the window exists and creates the window of
// class kLine3DClass with the object as its creation parameter. Failures while drawing
// are shown through boxes.
class Line3D {
  public:
    explicit Line3D(MessageBoxes& boxes) : boxes_(boxes) {}
    ~Line3D();
    Line3D(const Line3D&) = delete;
    Line3D& operator=(const Line3D&) = delete;

    HWND window() const { return window_; }
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void UserControl_Initialize();
    void UserControl_Resize();
    void DrawLine();
    void drawHorizontal(HDC dc, int y, int width, COLORREF colour) const;
    void show(HDC target) const;

    HWND window_ = nullptr;
    MessageBoxes& boxes_;
    // Kept so that a repaint shows the lines last drawn: the control draws only when it
    // is created and when it is resized.
    UniqueBitmap drawing_;
};

} // namespace ostrel
