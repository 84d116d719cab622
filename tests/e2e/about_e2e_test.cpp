// The About dialog in Ostrel.exe under Wine: the About button and the About menu command
// each open it anew over the disabled main window, it shows the version and the
// registration read at that opening, and OK closes it. A screenshot is kept for a person
// to compare with the dialog's layout.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "about/frmabout_ids.h"
#include "ostrel_driver.h"
#include "resource.h"

namespace ostrel::e2e {
namespace {

const char* const kWindowsKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";
const char* const kSettings = "Software\\VB and VBA Program Settings\\Ostrel";

void setRegisteredOwner(const char* owner) {
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, kWindowsKey, "RegisteredOwner", REG_SZ, owner,
                    static_cast<DWORD>(strlen(owner) + 1));
}

struct AboutDialog : ::testing::Test {
    char owner[1024] = {}; // the prefix's own, put back afterwards
    DWORD ownerSize = sizeof owner;
    bool hadOwner = RegGetValueA(HKEY_LOCAL_MACHINE, kWindowsKey, "RegisteredOwner", RRF_RT_REG_SZ,
                                 nullptr, owner, &ownerSize) == ERROR_SUCCESS;

    void SetUp() override {
        // Asked before: no first-run question stands in the way.
        RegDeleteTreeA(HKEY_CURRENT_USER, kSettings);
        RegSetKeyValueA(HKEY_CURRENT_USER, (std::string(kSettings) + "\\main").c_str(), "FirstTime",
                        REG_SZ, "no", 3);
    }
    void TearDown() override {
        if (hadOwner) {
            setRegisteredOwner(owner);
        } else {
            RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kWindowsKey, "RegisteredOwner");
        }
        RegDeleteTreeA(HKEY_CURRENT_USER, kSettings);
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Brenmoor Software\\Ostrel");
    }
};

TEST_F(AboutDialog, ButtonAndMenuEachOpenItAnewAndOkClosesIt) {
    OstrelProcess ostrel("");
    const HWND main = ostrel.waitForWindow("Ostrel");
    ASSERT_NE(main, nullptr);
    const std::pair<const char*, std::function<void()>> openings[] = {
        {"First Owner", [&] { click(control(main, IDC_CMDABOUT)); }},
        {"Second Owner", [&] { PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_ABOUT, 0), 0); }},
    };
    for (const auto& [name, open] : openings) {
        setRegisteredOwner(name);
        open();
        const HWND dialog = ostrel.waitForWindow("About ");
        ASSERT_NE(dialog, nullptr) << name;
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), main);
        EXPECT_FALSE(IsWindowEnabled(main)) << "the main window takes no input meanwhile";
        const auto label = [&](int panel, int id) {
            return textOf(GetDlgItem(GetDlgItem(dialog, panel), id));
        };
        EXPECT_EQ(label(aboutid::Picture3, aboutid::lblTitle), "Ostrel v3.189");
        // The registry is read again at each opening.
        EXPECT_EQ(label(aboutid::Picture1, aboutid::lblregname), name);
        if (name == openings[0].first) {
            EXPECT_TRUE(screenshot(dialog, OSTREL_SCREENSHOTS "/about.png"));
        }
        click(GetDlgItem(dialog, aboutid::cmdok));
        EXPECT_TRUE(waitFor([&] { return !IsWindow(dialog); })) << "OK closes and destroys it";
        EXPECT_TRUE(waitFor([&] { return IsWindowEnabled(main) != FALSE; }));
    }
    click(control(main, IDC_CMDEXIT));
    EXPECT_TRUE(ostrel.waitForExit());
}

} // namespace
} // namespace ostrel::e2e
