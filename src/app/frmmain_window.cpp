// The main window's own handlers: start-up, shutdown, the letter box, the list, Refresh
// and Exit.
#include "app/frmmain.h"

#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/program_info.h"
#include "support/error_report.h"

namespace ostrel {

void frmmain::Form_Load() {
    reported(platform_.boxes, "Form_Load", "frmmain", [&] {
        const std::string folder = platform_.program.folder();
        AbsRoot = FixPath(platform_.files.currentDirectoryOfDrive(folder.at(0))).substr(0, 3);
        AbsPath = FixPath(folder);
        DoUpdate();
    });
}

void frmmain::Form_Unload() {}

void frmmain::Form_QueryUnload() {
    if (busy()) {
        closePending_ = true;
        return;
    }
    unload();
}

void frmmain::unload() {
    Form_Unload();
    view_.unload();
}

void frmmain::Form_Resize() {}

void frmmain::cbodrives_Click() {
    reported(platform_.boxes, "cbodrives_Click", "frmmain",
             [&] { SelectedDrive = view_.cbodrivesText(); });
}

void frmmain::cbodrives_Change() {
    reported(platform_.boxes, "cbodrives_Change", "frmmain",
             [&] { view_.setCbodrivesText(SelectedDrive); });
}

void frmmain::lstDrives_ItemClick() {
    reported(platform_.boxes, "lstDrives_ItemClick", "frmmain", [&] {
        if (view_.lstDrivesCount() > 0) {
            view_.setEnabled(MainControl::cmddelete, true);
        }
    });
}

void frmmain::cmdRefresh_Click() {
    if (busy()) {
        return;
    }
    SavedDriveIndex = view_.cbodrivesListIndex();
    DoUpdate();
    restoreDriveIndex(SavedDriveIndex);
}

void frmmain::mnuexit_Click() { Form_QueryUnload(); }

void frmmain::cmdexit_Click() { mnuexit_Click(); }

} // namespace ostrel
