// The About dialog as a real window, shown with the system's modal dialog machinery:
// every control a child window of its own, built from the dialog's table, with its
// fonts, colours, pictures, link pointer and tooltips. Its notifications go to
// frmAbout's handlers.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

#include "about/frmabout_view.h"
#include "platform/win32/child_window_win32.h"
#include "platform/win32/screen_scale_win32.h"
#include "platform/win32/unique_gdi_win32.h"

namespace ostrel {

class frmAbout;
class MessageBoxes;

class Win32AboutView : public AboutView {
  public:
    // The dialog's brushes and pictures; its window comes with showModal. Message boxes
    // shown while it is open belong to it.
    Win32AboutView(HWND owner, MessageBoxes& boxes);
    Win32AboutView(const Win32AboutView&) = delete;
    Win32AboutView& operator=(const Win32AboutView&) = delete;

    // Creates the dialog over its owner, which takes no input meanwhile, runs the
    // form's load handler before it shows, and returns when it has been closed. A
    // failure of the load handler passes to the caller, with the dialog never shown.
    void showModal(frmAbout& form);

    void setCaption(const std::string& text) override;
    std::string labelCaption(AboutLabel label) override;
    void setLabelCaption(AboutLabel label, const std::string& text) override;
    void unload() override;
    std::uintptr_t hwnd() override;

  private:
    static INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK panelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
    // Builds the controls, loads the form and places the dialog; false when loading failed.
    bool initialize();
    // Places the controls with their fonts and pictures for the dialog's resolution.
    void layOut();
    void addToolTip(HWND control, const char* text);
    // Centres the dialog over its owner, within the work area of the owner's monitor.
    void placeOverOwner();
    HBRUSH controlColour(HDC dc, HWND control);

    HWND owner_;
    MessageBoxes& boxes_;
    frmAbout* form_ = nullptr;
    std::exception_ptr loadFailure_;
    ScreenScale scale_;
    HWND window_ = nullptr;
    ControlTable controls_;
    HWND tooltip_ = nullptr;
    UniqueCursor linkCursor_;
    UniqueBrush background_, white_;
    UniqueBitmap banner_, icon_, picture_;
};

} // namespace ostrel
