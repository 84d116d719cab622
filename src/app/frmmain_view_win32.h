// The main window "Ostrel" as a real top-level window: every control is a child window
// of its own, built from the window's table of controls. The window
// forwards its notifications to frmmain's handlers; setting a property from the program
// never raises a handler.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "about/line3d_win32.h"
#include "app/frmmain_view.h"
#include "platform/win32/child_window_win32.h"
#include "platform/win32/screen_scale_win32.h"
#include "platform/win32/unique_gdi_win32.h"

namespace ostrel {

class frmmain;
struct Platform;

class Win32MainView : public MainView {
  public:
    // Creates the window, hidden, with all its controls in their initial state.
    Win32MainView(Platform& platform, HINSTANCE instance);
    ~Win32MainView() override;
    Win32MainView(const Win32MainView&) = delete;
    Win32MainView& operator=(const Win32MainView&) = delete;

    // From now on the window's events run the form's handlers.
    void attach(frmmain& form) { form_ = &form; }
    HWND window() const { return window_; }
    // False once the window has been unloaded.
    bool exists() const { return window_ != nullptr; }

    void cbodrivesClear() override;
    void cbodrivesAddItem(const std::string& text) override;
    int cbodrivesListCount() override;
    int cbodrivesListIndex() override;
    void setCbodrivesListIndex(int index) override;
    std::string cbodrivesText() override;
    void setCbodrivesText(const std::string& text) override;
    std::string txtPathNameText() override;
    void setTxtPathNameText(const std::string& text) override;
    void lstDrivesAddColumn(const std::string& caption, int widthTwips) override;
    int lstDrivesWidth() override;
    void lstDrivesClear() override;
    void lstDrivesAddRow(const std::string& key, const std::string& text,
                         const std::string& subItem) override;
    int lstDrivesCount() override;
    std::string lstDrivesText(int row) override;
    std::string lstDrivesSubItem(int row) override;
    int lstDrivesSelected() override;
    void setLblStatusCaption(const std::string& text) override;
    int chkrestoreValue() override;
    void setChkrestoreValue(int value) override;
    void setEnabled(MainControl control, bool on) override;
    void setBusy(bool busy) override;
    std::string caption() override;
    int clientWidth() override;
    void setSize(int widthTwips, int heightTwips) override;
    ScreenRect bounds() override;
    void moveTo(int left, int top) override;
    ScreenRect primaryScreen() override;
    bool onAMonitor(const ScreenRect& place) override;
    bool minimized() override;
    void hide() override;
    void unload() override;
    void setLineWidths(int widthTwips) override;
    void showAbout() override;
    std::uintptr_t hwnd() override;

  private:
    // Marks the program setting a control for one scope.
    class Quiet {
      public:
        explicit Quiet(Win32MainView& view) : view_(view) { ++view_.quiet_; }
        ~Quiet() { --view_.quiet_; }
        Quiet(const Quiet&) = delete;
        Quiet& operator=(const Quiet&) = delete;

      private:
        Win32MainView& view_;
    };
    struct ImageListDeleter {
        void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
    };

    // Window and controls (frmmain_controls_win32.cpp).
    void createWindow(HINSTANCE instance);
    void createControls(HINSTANCE instance);
    // Places the controls from their twips and gives them their fonts and pictures, all
    // for the window's resolution.
    void layOut(HINSTANCE instance);
    void loadPictures(HINSTANCE instance);
    // The window has moved to a monitor of another resolution: lays out again for it and
    // takes the rectangle Windows suggests.
    void changeScale(int dpi, const RECT& suggested);
    // The status strip keeps to the bottom edge at the full client width.
    void dockStatusStrip();
    // The status label takes the width of its text, as far as the strip allows.
    void fitStatusLabel();

    // Notifications (frmmain_events_win32.cpp).
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK panelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void command(WPARAM wParam);
    // Sets the working pointer where the mouse is over the window during a run; false when
    // the system's own pointer applies.
    bool showBusyPointer(unsigned hitTest);
    // The Windows session ends (true) or goes on after all (false).
    void endSession(bool ending);
    // The edit field still shows the old entry when the list's choice changes; the
    // handler reads the new one.
    void showChosenEntry();
    void notify(const NMHDR& header);
    LRESULT controlColour(HDC dc, HWND control);
    void activate(bool active);

    std::string text(HWND control) const;
    void setText(HWND control, const std::string& value);
    // Gives the focus to the first control in tab order that can take it.
    void focusFirst();
    // Enables or disables the control as the program set it and the busy state allows.
    void applyEnabled(MainControl control);

    Platform& platform_;
    frmmain* form_ = nullptr;
    ScreenScale scale_;
    HWND window_ = nullptr;
    ControlTable controls_;
    Line3D line3D1_, line3D2_;
    HWND cbodrives_ = nullptr, txtPathName_ = nullptr, lstDrives_ = nullptr;
    HWND chkrestore_ = nullptr, picture1_ = nullptr, lblStatus_ = nullptr;
    // The control that had the focus when the window was last deactivated.
    HWND lastFocus_ = nullptr;
    UniqueBrush background_;
    UniqueBitmap image1_, image2_;
    UniqueIcon bigIcon_, smallIcon_;
    // The list's column widths as the form set them.
    std::vector<int> columnTwips_;
    std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDeleter> imageList1_;
    // Above zero while the program itself sets a control: notifications are not handlers.
    int quiet_ = 0;
    // The enabled state the program set for each control, by MainControl.
    bool enabled_[7] = {false, false, true, true, true, true, true};
    bool busy_ = false;
    // The control that had the focus when a run disabled it, which gets it back after.
    HWND busyFocus_ = nullptr;
};

} // namespace ostrel
