// The main window's logic: every handler and procedure of the window, working on the
// view of its controls and the platform seams. The Win32 window forwards its
// notifications here; unit tests call the same handlers through a fake view.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/frmmain_view.h"
#include "app/start_switch.h"
#include "drives/listing.h"
#include "platform/platform.h"
#include "settings/reg32mod.h"
#include "settings/settings_store.h"

namespace ostrel {

class frmmain {
  public:
    frmmain(Platform& platform, MainView& view);

    // Start-up and shutdown.
    void Form_Load();
    void Form_Unload();
    // The close box: unloads, or while busy() closes as soon as the run has ended.
    void Form_QueryUnload();
    // The Windows session ends (logoff, shutdown): stores what closing stores, at once,
    // even in the middle of a run, and unloads; a restore in progress stops before its next
    // entry.
    void Form_EndSession();

    // Handlers of the window's controls.
    void Form_Resize();
    void cbodrives_Click();
    void cbodrives_Change();
    void lstDrives_ItemClick();
    void cmdRefresh_Click();
    void cmdcreate_Click();
    void cmddelete_Click();
    void chkrestore_Click();
    void cmdbroswe_Click();
    void cmdabout_Click();
    void mnuabout_Click();
    void cmdexit_Click();
    void mnuexit_Click();

    // Procedures.
    void GetVirtualsDriveList();
    void GetAveDrivesList();
    void DoUpdate();

    // True during start-up and while a listing or a subst run is in progress (its wait lets window
    // events run): Create, Delete and Refresh are then disabled in the view and ignored here;
    // a click on the restore box and a close are held until the run has ended and then
    // carried out.
    bool busy() const { return busyDepth_ > 0; }

    // Form-level values (see Form_Load).
    std::string AbsRoot;
    std::string AbsPath;
    std::string SelectedDrive;
    int SavedDriveIndex = -1;

  private:
    // Marks a listing or a subst run in progress; a close asked for meanwhile happens when
    // the outermost one has ended.
    class BusyScope {
      public:
        explicit BusyScope(frmmain& form) : form_(form) {
            if (form_.busyDepth_++ == 0) {
                form_.view_.setBusy(true);
            }
        }
        ~BusyScope() {
            if (--form_.busyDepth_ == 0) {
                form_.view_.setBusy(false);
                form_.carryOutHeld();
            }
        }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

      private:
        frmmain& form_;
    };
    // Starts one subst run with the arguments (" X:", " X: /d") and the path hidden and
    // waits for it; true when it ended with a nonzero exit code.
    bool runSubst(const std::string& arguments, const std::optional<std::string>& path = {});
    // The folder of a listed drive, exactly as the system keeps it.
    std::string exactFolder(const DriveEntry& entry);
    // Sets the letter box's selection, keeping it within the list, and raises its click.
    void restoreDriveIndex(int index);
    // Sets the window's size and puts it at its stored place, or centres it.
    void placeWindow(const std::optional<std::string>& storedLeft,
                     const std::optional<std::string>& storedTop);
    // Start-up's steps (Form_Load). A value of the vendor key, or nothing.
    std::optional<std::string> storedValue(const char* name);
    // The stored path in the path box; Create takes it.
    void showStoredPath();
    // Asks whether to add Explorer's verb, once.
    void askFirstRunQuestion();
    // The restore box's stored state: 1 only for a stored 1.
    int storedRestoreFlag();
    // Acts on the start mode; true when the stored letter position applies (interactive).
    bool startIn(const StartSwitch& start);
    // Selects the stored letter position, or the first free letter.
    void selectStoredLetter();
    // Unloads the window: Form_Unload, then the view goes.
    void unload();
    // What was asked for during a run: the restore box's click, then a close.
    void carryOutHeld();

    Platform& platform_;
    MainView& view_;
    Reg32Mod reg32_;
    SettingsStore settings_;
    // The letter box's entry at its last click, which typing cannot change.
    int selectedIndex_ = -1;
    int busyDepth_ = 0;
    // A close and a click on the restore box asked for while busy, carried out when the
    // run has ended (the box's click with the refreshed list).
    bool closePending_ = false;
    bool restoreClickPending_ = false;
    // A restore run shows no window and fills no list: its unload stores nothing.
    bool restoreRun_ = false;
    bool sessionEnding_ = false;
    // Form_Unload has run and the window is gone; a second unload does nothing.
    bool unloaded_ = false;
};

} // namespace ostrel
