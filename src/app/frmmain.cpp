// The main window's drive handling: the listing, the free letters, create and delete.
#include "app/frmmain.h"

#include "drives/command_runner.h"
#include "drives/folder_check.h"
#include "drives/free_letters.h"
#include "drives/listing.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/process.h"
#include "report/error_report.h"
#include "support/vb.h"

namespace ostrel {
namespace {
constexpr const char* kModule = "frmmain";
constexpr const char* kNoLetterText =
    "There is no free drive letter selected for the virtual drive.\r\n"
    "Choose one under Available Drives; when every letter is in use, delete a virtual drive "
    "to free one.";
constexpr const char* kUnreadListingText =
    "The list of virtual drives could not be read: the subst command of the system folder "
    "did not run or reported a failure.";

// Why no listing file could be made in the temporary folder, and what to do.
std::string tempFolderText(const std::string& folder, PathKind kind) {
    const char* cause = kind == PathKind::none ? "does not exist"
                        : kind == PathKind::file
                            ? "is a file, not a folder"
                            : "takes no new file (it may be read-only or full)";
    return "The list of virtual drives could not be read: the folder for temporary files\r\n" +
           folder + "\r\n" + cause +
           ".\r\n\r\nSet TEMP and TMP for your account to a folder you may write to (System "
           "Properties, Environment Variables), then click Refresh.";
}
} // namespace

frmmain::frmmain(Platform& platform, MainView& view)
    : platform_(platform), view_(view), reg32_(platform.registry, platform.boxes),
      settings_(platform.registry) {}

bool frmmain::runSubst(const std::string& arguments, const std::optional<std::string>& path) {
    const Command command = substCommand(platform_.processes, platform_.files, arguments, path);
    const int processId = StartCommand(platform_.processes, command);
    return SHWait(platform_.processes, platform_.events, platform_.boxes, processId);
}

std::string frmmain::exactFolder(const DriveEntry& entry) {
    // The listing went through the console code page; the system keeps the folder exact.
    const auto exact = entry.drive.empty()
                           ? std::nullopt
                           : platform_.drives.substitutedFolder(entry.drive.front());
    return exact && listingShows(entry.folder, *exact) ? *exact : entry.folder;
}

void frmmain::GetVirtualsDriveList() {
    BusyScope busy(*this);
    FileSystem& files = platform_.files;
    std::string listing; // the file this run made, until it is deleted
    reported(platform_.boxes, __func__, kModule, [&] {
        view_.lstDrivesClear();
        // Each listing has a file of its own in the user's temporary folder (a standard
        // user cannot make files in the drive root), written by its absolute path.
        const std::string temp = files.tempFolder();
        try {
            listing = files.newTempFile(temp);
        } catch (const ProcedureError&) {
            platform_.boxes.show(tempFolderText(temp, files.pathKind(temp)), mb::Exclamation,
                                 kAppTitle);
            return;
        }
        files.setCurrentDirectory(AbsRoot);
        if (runSubst(" >", listing)) {
            platform_.boxes.show(kUnreadListingText, mb::Exclamation, kAppTitle);
        } else {
            std::int16_t counter = 0;
            parseListing(files.consoleText(files.readFile(listing)), [&](const DriveEntry& entry) {
                if (counter == INT16_MAX) {
                    raise(err::Overflow);
                }
                ++counter;
                std::string key = "A"; // appended to: GCC 12 warns wrongly on "A" + text
                key += std::to_string(counter);
                view_.lstDrivesAddRow(key, entry.drive, exactFolder(entry));
                platform_.events.doEvents();
            });
        }
        files.deleteFile(listing);
        listing.clear();
    });
    // A listing that failed leaves neither its file nor another working directory.
    try {
        if (!listing.empty()) {
            files.deleteFile(listing);
        }
    } catch (const ProcedureError&) {
        // Its failure was reported already; a file left in the temporary folder is harmless.
    }
    try {
        files.setCurrentDirectory(AbsPath);
    } catch (const ProcedureError&) {
        // A program folder gone meanwhile: every run sets its own directory first.
    }
}

void frmmain::GetAveDrivesList() {
    reported(platform_.boxes, __func__, kModule, [&] {
        view_.cbodrivesClear();
        for (const auto& letter : freeLetters(platform_.drives.logicalDrives())) {
            view_.cbodrivesAddItem(letter);
        }
        // With every letter in use the box stays empty; Create then says why it cannot.
        if (view_.cbodrivesListCount() > 0) {
            view_.setCbodrivesListIndex(0);
            cbodrives_Click();
        }
    });
}

void frmmain::DoUpdate() {
    reported(platform_.boxes, __func__, kModule, [&] {
        GetVirtualsDriveList();
        GetAveDrivesList();
    });
}

void frmmain::restoreDriveIndex(int index) {
    const int count = view_.cbodrivesListCount();
    if (index >= count) {
        index = count - 1; // the letter just used was the last one
    }
    view_.setCbodrivesListIndex(index < 0 ? -1 : index);
    if (index >= 0) {
        cbodrives_Click();
    }
}

void frmmain::cmdcreate_Click() {
    if (busy()) {
        return; // one run at a time: the listing file and the selection are shared
    }
    BusyScope busy(*this);
    reported(platform_.boxes, __func__, kModule, [&] {
        const std::string letter = view_.cbodrivesText();
        if (!isDriveLetter(letter)) {
            // An empty letter box (every letter in use) would run "subst" on the folder alone.
            platform_.boxes.show(kNoLetterText, mb::Exclamation, kAppTitle);
            return;
        }
        const std::string folder = view_.txtPathNameText();
        if (const FolderProblem problem = folderTextProblem(folder);
            problem != FolderProblem::none) {
            platform_.boxes.show(folderProblemText(folder, problem), mb::Exclamation, kAppTitle);
            return;
        }
        platform_.files.setCurrentDirectory(AbsRoot);
        if (!runSubst(" " + letter, folder)) {
            view_.setLblStatusCaption("The virtual drive " + view_.cbodrivesText() +
                                      " has now been created.");
        } else {
            view_.setLblStatusCaption("The virtual drive " + letter + " could not be created.");
            const std::string cause = folderProblemText(
                folder, folderKindProblem(platform_.files.pathKind(vb::Trim(folder))));
            platform_.boxes.show("The virtual drive " + letter + " could not be created.\r\n\r\n" +
                                     cause,
                                 mb::Exclamation, kAppTitle);
        }
        SavedDriveIndex = view_.cbodrivesListIndex();
        DoUpdate();
        restoreDriveIndex(SavedDriveIndex);
    });
}

void frmmain::cmddelete_Click() {
    if (busy()) {
        return;
    }
    BusyScope busy(*this);
    reported(platform_.boxes, __func__, kModule, [&] {
        const int row = view_.lstDrivesSelected();
        if (row < 0) {
            raise(err::ObjectNotSet); // no selected row
        }
        const std::string letter = view_.lstDrivesText(row).substr(0, 2);
        if (!isDriveLetter(letter)) {
            raise(err::InvalidCall);
        }
        if (platform_.boxes.show("Are you sure you want to delete the virtual drive " + letter,
                                 mb::YesNo | mb::Question, view_.caption()) != mb::IdYes) {
            return;
        }
        platform_.files.setCurrentDirectory(AbsRoot);
        if (!runSubst(" " + letter + " /d")) {
            view_.setLblStatusCaption("The virtual drive has now been deleted");
        } else {
            view_.setLblStatusCaption("The virtual drive could not be deleted");
        }
        SavedDriveIndex = view_.cbodrivesListIndex();
        DoUpdate();
        if (view_.lstDrivesCount() == 0) {
            view_.setEnabled(MainControl::cmddelete, false);
            view_.setEnabled(MainControl::chkrestore, false);
        }
        restoreDriveIndex(SavedDriveIndex);
    });
}

} // namespace ostrel
