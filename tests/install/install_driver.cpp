// Test equipment for install_test.sh: drives an installed or unpacked Ostrel.exe as a
// user would. Given a folder, it starts the program in add mode with it, answers the
// first-run question Yes, creates a drive for the folder and checks the restore box;
// without one it only waits for the main window. Then it leaves through Exit.
// Exits with 0 when every step happened.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "ostrel_driver.h"
#include "resource.h"

using namespace ostrel::e2e;

static void check(bool happened, const char* what) {
    if (!happened) {
        throw std::runtime_error(what);
    }
}

int main(int argc, char** argv) try {
    check(argc >= 2, "usage: install_driver <Ostrel.exe as a Windows path> [folder]");
    const std::string folder = argc > 2 ? argv[2] : "";
    const OstrelProcess ostrel(folder.empty() ? "" : "-ADD " + folder, argv[1]);
    if (!folder.empty()) {
        const HWND question = ostrel.waitForWindow("First Time");
        check(question != nullptr, "no first-run question");
        click(GetDlgItem(question, IDYES));
    }
    const HWND window = ostrel.waitForWindow("Ostrel");
    check(window != nullptr, "no main window");
    if (!folder.empty()) {
        const HWND list = control(window, IDC_LSTDRIVES);
        SendMessageA(control(window, IDC_CBODRIVES), CB_SETCURSEL, 0, 0);
        click(control(window, IDC_CMDCREATE));
        check(waitFor([&] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) > 0; }),
              "no drive was created");
        click(control(window, IDC_CHKRESTORE)); // install_test.sh checks what it saved
    }
    click(control(window, IDC_CMDEXIT));
    check(ostrel.waitForExit(), "the program did not end through Exit");
    return 0;
} catch (const std::exception& error) {
    std::fprintf(stderr, "install_driver: %s\n", error.what());
    return 1;
}
