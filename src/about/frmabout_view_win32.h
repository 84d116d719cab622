// The About dialog as a real window: every control a child window of its own, placed in
// twips converted with the screen's resolution, with its fonts, colours, pictures, link
// pointer and tooltips. Its notifications go to frmAbout's handlers.
#pragma once

#include <windows.h>

#include <string>

#include "about/frmabout_view.h"
#include "platform/win32/screen_scale_win32.h"
#include "platform/win32/unique_gdi_win32.h"

namespace ostrel {

class frmAbout;

class Win32AboutView : public AboutView {
  public:
    // Creates the dialog, hidden, owned by owner. Throws ProcedureError when the window
    // cannot be made.
    explicit Win32AboutView(HWND owner);
    ~Win32AboutView() override;
    Win32AboutView(const Win32AboutView&) = delete;
    Win32AboutView& operator=(const Win32AboutView&) = delete;

    // From now on the dialog's events run the form's handlers.
    void attach(frmAbout& form) { form_ = &form; }
    // Shows the dialog over its owner, which takes no input meanwhile; returns when the
    // dialog has been closed.
    void showModal();
    HWND window() const { return window_; }

    void setCaption(const std::string& text) override;
    std::string labelCaption(AboutLabel label) override;
    void setLabelCaption(AboutLabel label, const std::string& text) override;
    void setLblTitleFontName(const std::string& face) override;
    std::string lblHomePageToolTipText() override;
    void unload() override;
    std::uintptr_t hwnd() override;

  private:
    void createWindow(HINSTANCE instance);
    void createControls(HINSTANCE instance);
    void addToolTip(HWND control, const char* text);
    // Fits a label to its text; the label keeps its top left corner.
    void sizeToText(HWND label);
    void placeOverOwner();
    HWND label(AboutLabel which) const;

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK panelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void command(int id);
    LRESULT controlColour(HDC dc, HWND control);

    HWND owner_;
    bool ownerDisabled_ = false;
    frmAbout* form_ = nullptr;
    ScreenScale scale_;
    HWND window_ = nullptr;
    HWND picture3_ = nullptr, lblTitle_ = nullptr, label8_ = nullptr, lblCopyright_ = nullptr;
    HWND lblregname_ = nullptr, lblregcompany_ = nullptr, lblregserial_ = nullptr;
    HWND lblHomePage_ = nullptr, lblEMail_ = nullptr, cmdok_ = nullptr, tooltip_ = nullptr;
    UniqueCursor linkCursor_;
    UniqueBrush background_, white_;
    UniqueFont dialogFont_, titleFont_, noteFont_, verdana_, linkFont_;
    UniqueBitmap banner_, icon_, picture_;
};

} // namespace ostrel
