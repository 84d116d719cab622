// The main window's own handlers: start-up with its three modes, shutdown, the letter
// box, the list, Refresh and Exit.
#include "app/frmmain.h"

#include <climits>
#include <cmath>

#include "app/start_switch.h"
#include "drives/restore.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/program_info.h"
#include "report/error_report.h"
#include "settings/integration.h"
#include "settings/layout.h"
#include "support/paths.h"

namespace ostrel {
namespace {
constexpr const char* kModule = "frmmain";

// The window's outer size at every start, in twips; it is never stored.
constexpr int kStartHeight = 5595;
constexpr int kStartWidth = 6870;
constexpr int kDriveColumnWidth = 850;
// The "Physical Path" column takes the list's width less this.
constexpr int kPathColumnMargin = 900;

std::string firstRunQuestion(const std::string& caption) {
    return "This is your first time useing " + caption + "\r\n\r\n" +
           "Would you like to add the option " + "To allow you to add folder paths from explorer" +
           "\r\n" +
           "This will be done by adding in menu item to the windows right menu for folders?";
}

// A stored window position in whole twips (absent counts as 0), kept within what a
// window position can hold.
int positionTwips(const std::optional<float>& stored) {
    const double value = std::nearbyint(stored.value_or(0.0F));
    constexpr double limit = INT_MAX / 2;
    return static_cast<int>(value > limit ? limit : value < -limit ? -limit : value);
}

} // namespace

void frmmain::Form_Load() {
    // A close asked for during start-up's runs waits until start-up has finished, so the
    // state stored is the one it set up (the stored letter position applied).
    BusyScope busy(*this);
    reported(platform_.boxes, __func__, kModule, [&] {
        showStoredPath();
        const bool firstRun = layout::isFirstRun(
            settings_.GetSetting(layout::kApp, layout::kSectionMain, layout::kFirstTime, "yes"));
        const auto left = storedValue(layout::kLeft);
        placeWindow(left, storedValue(layout::kTop));
        if (firstRun) {
            askFirstRunQuestion();
        }
        view_.lstDrivesAddColumn("Drive", kDriveColumnWidth);
        view_.lstDrivesAddColumn("Physical Path", view_.lstDrivesWidth() - kPathColumnMargin);
        view_.setChkrestoreValue(storedRestoreFlag());
        const StartSwitch start = readSwitch(platform_.program.commandLine());
        const std::string folder = platform_.program.folder();
        AbsRoot = FixPath(platform_.files.currentDirectoryOfDrive(folder.at(0))).substr(0, 3);
        AbsPath = FixPath(folder);
        if (startIn(start)) {
            selectStoredLetter();
        }
    });
}

std::optional<std::string> frmmain::storedValue(const char* name) {
    // The vendor key is built from the program's file name at every access.
    return reg32_.GetString(hkey::CurrentUser, layout::vendorKey(platform_.program.exeName()),
                            name);
}

void frmmain::showStoredPath() {
    view_.setTxtPathNameText(storedValue(layout::kPathName).value_or(""));
    if (!view_.txtPathNameText().empty()) {
        view_.setEnabled(MainControl::cmdcreate, true);
    }
}

void frmmain::askFirstRunQuestion() {
    if (platform_.boxes.show(firstRunQuestion(view_.caption()), mb::YesNo | mb::Question,
                             "First Time") == mb::IdYes) {
        RegisterFolderVerb(reg32_, platform_.program);
    }
    try {
        settings_.SaveSetting(layout::kApp, layout::kSectionMain, layout::kFirstTime,
                              layout::kFirstTimeAsked);
    } catch (const ProcedureError&) {
        // A store that refuses the answer asks again next time; this start goes on, as it
        // does after the registry's other refused writes.
    }
}

int frmmain::storedRestoreFlag() {
    try {
        return layout::storedWholeNumber(settings_.GetSetting(layout::kApp, layout::kSectionConfig,
                                                              layout::kRestore, "")) == 1
                   ? 1
                   : 0;
    } catch (const ProcedureError&) {
        return 0; // only a stored 1 checks the box: a hand-edited value must not stop the start
    }
}

bool frmmain::startIn(const StartSwitch& start) {
    switch (start.mode) {
    case StartMode::restore:
        view_.hide();
        restoreRun_ = true;
        SetUpVDrives(platform_, settings_, AbsRoot, [this] { return sessionEnding_; });
        unload(); // the program ends with it; the window is never shown
        return false;
    case StartMode::add:
        view_.setEnabled(MainControl::cmdcreate, true);
        // In upper case by the file system's rules, which keep it naming the same folder.
        view_.setTxtPathNameText(platform_.files.upperCase(start.folder));
        DoUpdate();
        return false;
    case StartMode::uninstall: // ended in WinMain, before there is a window
    case StartMode::interactive:
        break;
    }
    DoUpdate();
    return true;
}

void frmmain::selectStoredLetter() {
    // A position that names no entry (the free letters changed since, the value is not a
    // number, or -1 as older versions stored when no letter was selected) selects the
    // first free letter.
    int index = layout::storedDriveIndex(storedValue(layout::kDriveIndex)).value_or(0);
    const int count = view_.cbodrivesListCount();
    if (index < 0 || index >= count) {
        index = count > 0 ? 0 : -1;
    }
    view_.setCbodrivesListIndex(index);
    if (index >= 0) {
        cbodrives_Click();
    }
}

void frmmain::placeWindow(const std::optional<std::string>& storedLeft,
                          const std::optional<std::string>& storedTop) {
    view_.setSize(kStartWidth, kStartHeight);
    // A position that is not a number counts as absent, as a missing one does.
    const int left = positionTwips(layout::storedWindowPosition(storedLeft));
    const int top = positionTwips(layout::storedWindowPosition(storedTop));
    ScreenRect place = view_.bounds();
    place.left = layout::windowPositionPixels(left);
    place.top = layout::windowPositionPixels(top);
    // Centred on the primary monitor at a first start (0 for either), and when the place
    // is off every monitor (one unplugged since, or a hand edit), where the window could
    // not be seen.
    if (left == 0 || top == 0 || !view_.onAMonitor(place)) {
        const ScreenRect screen = view_.primaryScreen();
        place.left = screen.left + (screen.width - place.width) / 2;
        place.top = screen.top + (screen.height - place.height) / 2;
    }
    view_.moveTo(place.left, place.top);
}

void frmmain::Form_Unload() {
    reported(platform_.boxes, __func__, kModule, [&] {
        const auto save = [&](const char* name, const std::string& text) {
            reg32_.SaveString(hkey::CurrentUser, layout::vendorKey(platform_.program.exeName()),
                              name, text);
        };
        SelectedDrive.clear();
        if (restoreRun_) {
            return; // it showed no window: the path, the letter and the place stay as stored
        }
        save(layout::kPathName, view_.txtPathNameText());
        save(layout::kDriveIndex, std::to_string(view_.cbodrivesListIndex()));
        if (!view_.minimized()) {
            const ScreenRect place = view_.bounds();
            save(layout::kLeft, layout::windowPositionText(place.left));
            save(layout::kTop, layout::windowPositionText(place.top));
        }
    });
}

void frmmain::Form_QueryUnload() {
    if (busy()) {
        closePending_ = true; // the window closes when the run has ended
        return;
    }
    unload();
}

void frmmain::Form_EndSession() {
    sessionEnding_ = true;
    unload();
}

void frmmain::carryOutHeld() {
    if (restoreClickPending_) {
        restoreClickPending_ = false;
        chkrestore_Click();
    }
    if (closePending_) {
        closePending_ = false;
        unload();
    }
}

void frmmain::unload() {
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    Form_Unload();
    view_.unload();
}

void frmmain::Form_Resize() {
    reported(platform_.boxes, __func__, kModule, [&] { view_.setLineWidths(view_.clientWidth()); });
}

void frmmain::cbodrives_Click() {
    reported(platform_.boxes, __func__, kModule, [&] {
        SelectedDrive = view_.cbodrivesText();
        selectedIndex_ = view_.cbodrivesListIndex();
    });
}

void frmmain::cbodrives_Change() {
    // Typing drops the box's selection: selecting the entry again undoes the typing.
    reported(platform_.boxes, __func__, kModule, [&] {
        if (selectedIndex_ >= 0 && selectedIndex_ < view_.cbodrivesListCount()) {
            view_.setCbodrivesListIndex(selectedIndex_);
        } else {
            view_.setCbodrivesText(SelectedDrive);
        }
    });
}

void frmmain::lstDrives_ItemClick() {
    reported(platform_.boxes, __func__, kModule, [&] {
        if (view_.lstDrivesCount() > 0) {
            view_.setEnabled(MainControl::cmddelete, true);
        }
    });
}

void frmmain::cmdRefresh_Click() {
    if (busy()) {
        return;
    }
    // A close asked for during the refresh waits until the letter box is set again.
    BusyScope busy(*this);
    SavedDriveIndex = view_.cbodrivesListIndex();
    DoUpdate();
    restoreDriveIndex(SavedDriveIndex);
}

void frmmain::mnuexit_Click() {
    if (busy()) {
        closePending_ = true;
        return;
    }
    reported(platform_.boxes, __func__, kModule, [&] {
        AbsPath.clear();
        AbsRoot.clear();
        unload();
    });
}

void frmmain::cmdexit_Click() {
    mnuexit_Click();
}

} // namespace ostrel
