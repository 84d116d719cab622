// Test equipment for install_test.sh: drives an installed or unpacked Ostrel.exe as a
// user would. Given a folder, it starts the program in add mode with it, answers the
// first-run question Yes, creates a drive for the folder and checks the restore box;
// without one it only waits for the main window. Then it leaves through Exit.
// Exits with 0 when every step happened.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "ostrel_driver.h"
#include "resource.h"

namespace {

using namespace ostrel::e2e;

bool done(bool happened, const char* what) {
    if (!happened) {
        std::fprintf(stderr, "install_driver: %s\n", what);
    }
    return happened;
}

bool drive(const std::string& program, const std::string& folder) {
    const OstrelProcess ostrel(folder.empty() ? "" : "-ADD " + folder, program);
    if (!folder.empty()) {
        const HWND question = ostrel.waitForWindow("First Time");
        if (!done(question != nullptr, "no first-run question")) {
            return false;
        }
        click(GetDlgItem(question, IDYES));
    }
    const HWND window = ostrel.waitForWindow("Ostrel");
    if (!done(window != nullptr, "no main window")) {
        return false;
    }
    if (!folder.empty()) {
        const HWND list = control(window, IDC_LSTDRIVES);
        const HWND restore = control(window, IDC_CHKRESTORE);
        SendMessageA(control(window, IDC_CBODRIVES), CB_SETCURSEL, 0, 0);
        click(control(window, IDC_CMDCREATE));
        if (!done(waitFor([&] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) > 0; }),
                  "no drive was created")) {
            return false;
        }
        click(restore);
        if (!done(waitFor([&] { return SendMessageA(restore, BM_GETCHECK, 0, 0) == BST_CHECKED; }),
                  "the restore box did not get checked")) {
            return false;
        }
    }
    click(control(window, IDC_CMDEXIT));
    return done(ostrel.waitForExit(), "the program did not end through Exit");
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: install_driver <Ostrel.exe as a Windows path> [folder]\n");
        return 2;
    }
    return drive(argv[1], argc > 2 ? argv[2] : "") ? 0 : 1;
}
