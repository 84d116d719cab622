// What the main window's handlers see of its controls. The Win32 window implements it
// with real controls; unit tests with a fake. Setting a property never raises an
// event: the handlers call each other where the program wants that.
#pragma once

#include <cstdint>
#include <string>

namespace ostrel {

// The controls whose enabled state the program changes.
enum class MainControl {
    cmdcreate,
    cmddelete,
    chkrestore,
    cmdRefresh,
    cmdexit,
    cmdabout,
    cmdbroswe
};

// A rectangle of the virtual screen, in pixels.
struct ScreenRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const ScreenRect&) const = default;
};

// Failures: what a control cannot do throws ProcedureError, so the handler's report shows
// it: 380 for a position outside the letter box or a box state beyond 2, 7 when an entry
// cannot be added, 9 for a row that is not there.
class MainView {
  public:
    virtual ~MainView() = default;

    // cbodrives: combo box with an edit field; index -1 means nothing selected.
    virtual void cbodrivesClear() = 0;
    virtual void cbodrivesAddItem(const std::string& text) = 0;
    virtual int cbodrivesListCount() = 0;
    virtual int cbodrivesListIndex() = 0;
    // Selects an entry (its text shows in the edit field); -1 selects nothing.
    virtual void setCbodrivesListIndex(int index) = 0;
    virtual std::string cbodrivesText() = 0;
    virtual void setCbodrivesText(const std::string& text) = 0;

    // txtPathName
    virtual std::string txtPathNameText() = 0;
    virtual void setTxtPathNameText(const std::string& text) = 0;

    // lstDrives: report-style list; rows are 0-based here.
    virtual void lstDrivesAddColumn(const std::string& caption, int widthTwips) = 0;
    virtual int lstDrivesWidth() = 0; // twips
    virtual void lstDrivesClear() = 0;
    // Appends a row with its key, its text (first column), sub-item 1 and image 1.
    virtual void lstDrivesAddRow(const std::string& key, const std::string& text,
                                 const std::string& subItem) = 0;
    virtual int lstDrivesCount() = 0;
    virtual std::string lstDrivesText(int row) = 0;
    virtual std::string lstDrivesSubItem(int row) = 0;
    // The selected row, or -1.
    virtual int lstDrivesSelected() = 0;

    // lblStatus
    virtual void setLblStatusCaption(const std::string& text) = 0;

    // chkrestore: 0 unchecked, 1 checked, 2 grayed.
    virtual int chkrestoreValue() = 0;
    virtual void setChkrestoreValue(int value) = 0;

    virtual void setEnabled(MainControl control, bool on) = 0;
    // While a run is in progress: the working pointer over the window, and Create, Delete
    // and Refresh take no clicks (they show disabled). Afterwards each is again as the
    // program last set it.
    virtual void setBusy(bool busy) = 0;

    // The window. Sizes are in twips, at the scale of the monitor the window is on;
    // places are pixels of the virtual screen, where monitors of every scale lie side by
    // side.
    virtual std::string caption() = 0;
    virtual int clientWidth() = 0;
    // Sets the outer size.
    virtual void setSize(int widthTwips, int heightTwips) = 0;
    virtual ScreenRect bounds() = 0;
    // Puts the top left corner there; the window lays itself out for the scale of the
    // monitor it lands on.
    virtual void moveTo(int left, int top) = 0;
    virtual ScreenRect primaryScreen() = 0;
    // Whether the rectangle touches the work area of some monitor.
    virtual bool onAMonitor(const ScreenRect& place) = 0;
    virtual bool minimized() = 0;
    virtual void hide() = 0;
    // Destroys the window; the program ends when its message loop sees it gone.
    virtual void unload() = 0;
    // Sets the width (twips) of the two separator lines.
    virtual void setLineWidths(int widthTwips) = 0;
    // Creates the About dialog anew and shows it modally, owned by this window; returns
    // when it has been closed. A failure while it loads passes to the caller.
    virtual void showAbout() = 0;
    // The window's handle, as the owner of dialogs.
    virtual std::uintptr_t hwnd() = 0;
};

} // namespace ostrel
