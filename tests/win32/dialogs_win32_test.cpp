// This process's dialogs on Wine's real windows and shell. The About dialog (its opening
// over the disabled main window and its labels' widths are the end-to-end test's): the
// links, the buttons and the dialog keys reaching their handlers. The folder browser:
// its prompt, the chosen folder's path (named in another script) or nothing on cancel, and
// the folder's short form without blanks.
#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>

#include <functional>
#include <utility>
#include <vector>

#include "about/frmabout_win32.h"
#include "app/folder_chooser.h"
#include "platform/win32/shell_win32.h"
#include "resource.h"
#include "standin/dos_device_win32.h"
#include "fakes/main_window.h"

namespace ostrel::test {
namespace {

using Steps = std::vector<std::function<void(HWND)>>;

struct Dialogs : ::testing::Test {
    Rig rig;
    Win32Shell shell;
    ScratchFolder base{"C:\\ostrel-dialogs-test"};
    const std::string blanks = base.folder("Папка с пробелами");
    HWND owner = CreateWindowExA(0, "STATIC", "Ostrel", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                                 500, 400, nullptr, nullptr, nullptr, nullptr);
    // The steps of run, one per timer tick inside the dialog's own message loop, each given
    // the visible dialog that the owner owns. A dialog still there 20 ticks after the last
    // step is sent WM_CLOSE, so that a failed step cannot hold the test forever.
    Steps steps;
    std::size_t next = 0;
    int overdue = 0;
    HWND opened = nullptr;
    static inline Dialogs* current = nullptr;
    const UINT_PTR timer = (current = this, SetTimer(nullptr, 0, 50, tick));

    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        for (HWND found = nullptr; (found = FindWindowExA(nullptr, found, "#32770", nullptr));) {
            if (IsWindowVisible(found) && GetWindow(found, GW_OWNER) == current->owner) {
                current->opened = found;
                if (current->next < current->steps.size()) {
                    current->steps[current->next++](found);
                } else if (++current->overdue > 20) {
                    PostMessageA(found, WM_CLOSE, 0, 0);
                }
                return;
            }
        }
    }
    // Opens a dialog with show and runs the steps in it: each runs, the dialog then closes
    // without being sent WM_CLOSE, and its owner is enabled again.
    void run(Steps script, const std::function<void()>& show) {
        steps = std::move(script);
        next = 0;
        overdue = 0;
        show();
        EXPECT_TRUE(next == steps.size() && overdue <= 20);
        EXPECT_FALSE(IsWindow(opened));
        EXPECT_TRUE(IsWindowEnabled(owner));
    }
    ~Dialogs() override {
        KillTimer(nullptr, timer);
        DestroyWindow(owner);
    }
};

// A click on a link opens its address over the dialog; a label that is no link does not. Enter (OK
// has the focus) and Esc close the dialog; System Info, without the tool's registry entries, only
// says so.
TEST_F(Dialogs, AboutLinksButtonsAndDialogKeysReachTheirHandlers) {
    const auto look = [&](HWND dialog) {
        for (const int id : {IDC_ABOUT_LBLEMAIL, IDC_ABOUT_LBLHOMEPAGE, IDC_ABOUT_LABEL1}) {
            const HWND control = GetDlgItem(dialog, id);
            SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            SendMessageA(control, WM_LBUTTONUP, 0, 0);
        }
        ASSERT_EQ(rig.shell.executed.size(), 2u);
        for (const auto& link : rig.shell.executed) {
            EXPECT_EQ(link.owner, reinterpret_cast<std::uintptr_t>(dialog));
        }
    };
    const auto press = [](WPARAM key) {
        return [key](HWND) { PostMessageA(GetFocus(), WM_KEYDOWN, key, 0); };
    };
    const auto about = [&] { showAboutDialog(rig.platform, owner); };
    run({look, press(VK_RETURN)}, about);
    run({[](HWND dialog) { SendDlgItemMessageA(dialog, IDC_ABOUT_CMDSYSINFO, BM_CLICK, 0, 0); },
         press(VK_ESCAPE)},
        about);
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_EQ(rig.boxes.shown[0].text, "System Information Is Unavailable At This Time");
}

TEST_F(Dialogs, TheBrowserShowsThePromptAndGivesTheChosenFolderOrNothingAndItsShortForm) {
    const std::string prompt = "Please select the path you want for you Virtual Drive:";
    std::string chosen = "?";
    const auto browse = [&] {
        chosen = BrowseForFolder(shell, reinterpret_cast<std::uintptr_t>(owner), prompt);
    };
    bool prompted = false;
    // Chosen over a few ticks, as a busy machine may still be filling the browser's tree.
    const auto select = [&](HWND browser) {
        prompted = prompted || FindWindowExA(browser, nullptr, "Static", prompt.c_str()) != nullptr;
        SendMessageW(browser, BFFM_SETSELECTIONW, TRUE,
                     reinterpret_cast<LPARAM>(wide(blanks).c_str()));
    };
    const auto press = [](WPARAM id) {
        return [id](HWND browser) { PostMessageA(browser, WM_COMMAND, id, 0); };
    };
    run({select, select, select, select, press(IDOK)}, browse);
    EXPECT_EQ(chosen, blanks);
    EXPECT_TRUE(prompted);
    run({press(IDCANCEL)}, browse);
    EXPECT_EQ(chosen, "");
    // Its short form has no blanks and names the same folder; a missing one has none.
    const std::string shortPath = GetShortPath(shell, rig.boxes, blanks);
    EXPECT_EQ(shortPath.find(' '), std::string::npos) << shortPath;
    wchar_t full[MAX_PATH] = {};
    ASSERT_NE(GetLongPathNameW(wide(shortPath).c_str(), full, MAX_PATH), 0u) << shortPath;
    EXPECT_EQ(narrow(full), blanks);
    EXPECT_EQ(GetShortPath(shell, rig.boxes, base.path + "\\Missing Folder"), "");
    EXPECT_TRUE(rig.boxes.shown.empty());
}

} // namespace
} // namespace ostrel::test
