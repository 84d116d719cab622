// The About dialog in Ostrel.exe under Wine: the About button and the About menu command
// each open it anew over the disabled main window, it shows the registration read at
// that opening, and OK closes it. A screenshot is kept for a person to compare with the
// dialog's layout.
#include <windows.h>

#include <gtest/gtest.h>

#include "ostrel_driver.h"
#include "resource.h"

namespace ostrel::e2e {
namespace {

const char* const kWindowsKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";

TEST(AboutDialog, ButtonAndMenuEachOpenItAnewAndOkClosesIt) {
    const std::string settings = "Software\\VB and VBA Program Settings\\Ostrel";
    // Asked before: no first-run question stands in the way.
    RegSetKeyValueA(HKEY_CURRENT_USER, (settings + "\\main").c_str(), "FirstTime", REG_SZ, "no", 3);
    OstrelProcess ostrel("");
    const HWND main = ostrel.waitForWindow("Ostrel");
    ASSERT_NE(main, nullptr);
    const std::pair<std::string, std::function<void()>> openings[] = {
        {"First Owner", [&] { click(control(main, IDC_CMDABOUT)); }},
        {"Second Owner", [&] { PostMessageA(main, WM_COMMAND, IDM_ABOUT, 0); }},
    };
    for (const auto& [name, open] : openings) {
        // The test prefix's own registration, read again at each opening.
        RegSetKeyValueA(HKEY_LOCAL_MACHINE, kWindowsKey, "RegisteredOwner", REG_SZ, name.c_str(),
                        static_cast<DWORD>(name.size() + 1));
        open();
        const HWND dialog = ostrel.waitForWindow("About ");
        ASSERT_NE(dialog, nullptr) << name;
        EXPECT_FALSE(IsWindowEnabled(main)) << "the main window takes no input meanwhile";
        EXPECT_EQ(textOf(GetDlgItem(GetDlgItem(dialog, IDC_ABOUT_PICTURE1), IDC_ABOUT_LBLREGNAME)),
                  name);
        if (name == openings[0].first) {
            EXPECT_TRUE(screenshot(dialog, OSTREL_SCREENSHOTS "/about.png"));
        }
        click(GetDlgItem(dialog, IDOK));
        EXPECT_TRUE(waitFor([&] { return !IsWindow(dialog) && IsWindowEnabled(main); }));
    }
    click(control(main, IDC_CMDEXIT));
    EXPECT_TRUE(ostrel.waitForExit());
    RegDeleteTreeA(HKEY_CURRENT_USER, settings.c_str());
    // Unregistered again, as the prefix came and as the other tests' pictures show it.
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kWindowsKey, "RegisteredOwner");
}

} // namespace
} // namespace ostrel::e2e
