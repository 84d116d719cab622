// The About dialog in Ostrel.exe under Wine: the About button and the About menu command
// each open it anew over the disabled main window, it shows the version and the
// registration read at that opening, and OK closes it. A screenshot is kept for a person
// to compare with the dialog's layout.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "about/frmabout_ids.h"
#include "ostrel_driver.h"
#include "resource.h"

namespace ostrel::e2e {
namespace {

const char* const kWindowsKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";
const char* const kSettings = "Software\\VB and VBA Program Settings\\Ostrel";

std::optional<std::string> registeredOwner() {
    char data[1024] = {};
    DWORD size = sizeof data - 1;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kWindowsKey, "RegisteredOwner", RRF_RT_REG_SZ, nullptr,
                     data, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(data);
}

void setRegisteredOwner(const std::optional<std::string>& owner) {
    if (owner) {
        RegSetKeyValueA(HKEY_LOCAL_MACHINE, kWindowsKey, "RegisteredOwner", REG_SZ, owner->c_str(),
                        static_cast<DWORD>(owner->size() + 1));
    } else {
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kWindowsKey, "RegisteredOwner");
    }
}

// A control of the About dialog, also inside its two panels.
HWND aboutControl(HWND dialog, int id) {
    for (const int panel : {0, aboutid::Picture3, aboutid::Picture1}) {
        const HWND parent = panel == 0 ? dialog : GetDlgItem(dialog, panel);
        if (const HWND found = GetDlgItem(parent, id)) {
            return found;
        }
    }
    return nullptr;
}

struct AboutDialog : ::testing::Test {
    std::optional<std::string> owner = registeredOwner();

    void SetUp() override {
        // Asked before: no first-run question stands in the way.
        RegDeleteTreeA(HKEY_CURRENT_USER, kSettings);
        RegSetKeyValueA(HKEY_CURRENT_USER, (std::string(kSettings) + "\\main").c_str(), "FirstTime",
                        REG_SZ, "no", 3);
    }
    void TearDown() override {
        setRegisteredOwner(owner);
        RegDeleteTreeA(HKEY_CURRENT_USER, kSettings);
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Brenmoor Software\\Ostrel");
    }

    // Opens the dialog with the action, checks it over the disabled main window, runs the
    // checks on it and closes it with OK.
    static void openAndClose(const OstrelProcess& ostrel, HWND main,
                             const std::function<void()>& open,
                             const std::function<void(HWND)>& check) {
        open();
        const HWND dialog = ostrel.waitForWindow("About ");
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), main);
        EXPECT_FALSE(IsWindowEnabled(main)) << "the main window takes no input meanwhile";
        EXPECT_EQ(textOf(aboutControl(dialog, aboutid::lblTitle)), "Ostrel v3.189");
        check(dialog);
        click(aboutControl(dialog, aboutid::cmdok));
        EXPECT_TRUE(waitFor([&] { return !IsWindow(dialog); })) << "OK closes and destroys it";
        EXPECT_TRUE(waitFor([&] { return IsWindowEnabled(main) != FALSE; }));
    }
};

TEST_F(AboutDialog, ButtonAndMenuEachOpenItAnewAndOkClosesIt) {
    setRegisteredOwner("First Owner");
    OstrelProcess ostrel("");
    const HWND main = ostrel.waitForWindow("Ostrel");
    ASSERT_NE(main, nullptr);

    openAndClose(
        ostrel, main, [&] { click(control(main, IDC_CMDABOUT)); },
        [&](HWND dialog) {
            EXPECT_EQ(textOf(aboutControl(dialog, aboutid::lblregname)), "First Owner");
            EXPECT_EQ(textOf(aboutControl(dialog, aboutid::cmdSysInfo)), "&System Info...");
            EXPECT_EQ(textOf(aboutControl(dialog, aboutid::lblHomePage)), "WebSite");
            EXPECT_EQ(textOf(aboutControl(dialog, aboutid::lblEMail)), "Email me");
            EXPECT_EQ(textOf(aboutControl(dialog, aboutid::Label8)), "This program is freeware");
            EXPECT_TRUE(screenshot(dialog, OSTREL_SCREENSHOTS "/about.png"));
        });

    // The menu command; the registry is read again at this opening.
    setRegisteredOwner("Second Owner");
    openAndClose(
        ostrel, main, [&] { PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_ABOUT, 0), 0); },
        [&](HWND dialog) {
            EXPECT_EQ(textOf(aboutControl(dialog, aboutid::lblregname)), "Second Owner");
        });

    click(control(main, IDC_CMDEXIT));
    EXPECT_TRUE(ostrel.waitForExit());
}

} // namespace
} // namespace ostrel::e2e
