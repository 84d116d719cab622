// Line3D: the sunken separator line, a dark line with a white line below it across the
// control's whole width, always 30 twips high. The main window hosts two of them and
// gives them their position and width; the control takes no input.
#pragma once

#include <windows.h>

namespace ostrel {

class MessageBoxes;

inline constexpr const char* kLine3DClass = "Line3D";

// Creates a separator line as a child of parent, in pixels of the parent's client area
// (the window class is registered with the first one).
// Failures while drawing are shown through boxes, which must outlive the control.
HWND createLine3D(HWND parent, int id, int x, int y, int width, MessageBoxes& boxes);

} // namespace ostrel
