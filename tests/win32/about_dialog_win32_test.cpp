// The About dialog's real window (its opening over the disabled main window is the
// end-to-end test's): a label as wide as its text, the links, the buttons and the
// dialog keys reaching their handlers, and a failed load passing to the caller.
#include <windows.h>

#include <gtest/gtest.h>

#include "about/frmabout_win32.h"
#include "platform/win32/unique_gdi_win32.h"
#include "resource.h"
#include "support/error_report.h"
#include "support/fakes.h"
#include "support/modal_script_win32.h"

namespace ostrel::test {
namespace {

struct AboutDialog : ::testing::Test {
    Rig rig;
    HWND owner = CreateWindowExA(0, "STATIC", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                                 500, 400, nullptr, nullptr, nullptr, nullptr);

    // Opens the dialog and runs the steps in it, one per timer tick; the dialog is gone
    // when it returns, and its owner enabled again.
    void run(std::vector<std::function<void(HWND)>> steps, Platform& platform) {
        ModalScript script(owner, std::move(steps));
        showAboutDialog(platform, owner);
        EXPECT_TRUE(script.finished());
        EXPECT_FALSE(IsWindow(script.dialog()));
    }
    ~AboutDialog() override {
        EXPECT_TRUE(IsWindowEnabled(owner));
        DestroyWindow(owner);
    }
};

// The registration label widens to a long name. Over a link the pointer changes and a
// click opens its address over the dialog; a label that is no link does neither. Enter
// (OK has the focus) and Esc close the dialog; System Info, without the tool's registry
// entries, only says so.
TEST_F(AboutDialog, LabelsLinksButtonsAndDialogKeysReachTheirHandlers) {
    const std::string name = "A registered owner with a rather long name";
    rig.registry.putString(hkey::LocalMachine, "Software\\Microsoft\\Windows NT\\CurrentVersion",
                           "RegisteredOwner", name);
    const auto look = [&](HWND dialog) {
        const HWND label = GetDlgItem(GetDlgItem(dialog, IDC_ABOUT_PICTURE1), IDC_ABOUT_LBLREGNAME);
        const WindowDc dc(label);
        const Selected font(dc.get(),
                            reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
        SIZE text{};
        GetTextExtentPoint32A(dc.get(), name.c_str(), static_cast<int>(name.size()), &text);
        RECT client{};
        GetClientRect(label, &client);
        EXPECT_GT(client.right, text.cx);
        for (const int id : {IDC_ABOUT_LBLEMAIL, IDC_ABOUT_LBLHOMEPAGE, IDC_ABOUT_LABEL1}) {
            const HWND control = GetDlgItem(dialog, id);
            SetCursor(LoadCursor(nullptr, IDC_ARROW));
            SendMessageA(dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(control),
                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            EXPECT_EQ(GetCursor() != LoadCursor(nullptr, IDC_ARROW), id != IDC_ABOUT_LABEL1) << id;
            SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            SendMessageA(control, WM_LBUTTONUP, 0, 0);
        }
        ASSERT_EQ(rig.shell.executed.size(), 2u);
        for (const auto& opened : rig.shell.executed) {
            EXPECT_EQ(opened.owner, reinterpret_cast<std::uintptr_t>(dialog));
        }
    };
    const auto press = [](WPARAM key) {
        return [key](HWND) { PostMessageA(GetFocus(), WM_KEYDOWN, key, 0); };
    };
    run({look, press(VK_RETURN)}, rig.platform);
    run({[](HWND dialog) { SendDlgItemMessageA(dialog, IDC_ABOUT_CMDSYSINFO, BM_CLICK, 0, 0); },
         press(VK_ESCAPE)},
        rig.platform);
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_EQ(rig.boxes.shown[0].text, "System Information Is Unavailable At This Time");
}

TEST_F(AboutDialog, AFailedLoadPassesToTheCaller) {
    struct NoVersion : FakeProgram {
        VersionInfo version() override { raise(err::FileNotFound); }
    } program;
    Platform platform{rig.processes, rig.events, rig.files,    rig.drives,
                      rig.boxes,     program,    rig.registry, rig.shell};
    EXPECT_THROW(run({}, platform), ProcedureError);
}

} // namespace
} // namespace ostrel::test
