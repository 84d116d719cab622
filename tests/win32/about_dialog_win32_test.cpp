// The About dialog's real window (its opening and closing by OK over the disabled main
// window are the end-to-end test's): representative controls at their places with their
// texts, fonts and colours, the links' pointer, notifications reaching the handlers,
// Enter and Esc closing it.
#include <windows.h>

#include <gtest/gtest.h>

#include "about/frmabout.h"
#include "about/frmabout_ids.h"
#include "about/frmabout_win32.h"
#include "platform/win32/child_window_win32.h"
#include "support/fakes.h"
#include "support/modal_script_win32.h"

namespace ostrel::test {
namespace {

const char* const kWindowsKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";

HWND aboutWindow() {
    return FindWindowA("OstrelAbout", nullptr);
}

// A control of the dialog, also inside its two panels.
HWND item(HWND dialog, int id) {
    for (const int panel : {0, aboutid::Picture3, aboutid::Picture1}) {
        if (const HWND found = GetDlgItem(panel == 0 ? dialog : GetDlgItem(dialog, panel), id)) {
            return found;
        }
    }
    return nullptr;
}

struct AboutDialog : ::testing::Test {
    Rig rig;
    HWND owner = nullptr;
    ScreenScale scale = ScreenScale::screen();

    void SetUp() override {
        owner = CreateWindowExA(0, "STATIC", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 500,
                                400, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(owner, nullptr);
    }
    void TearDown() override {
        EXPECT_EQ(aboutWindow(), nullptr) << "closed and destroyed";
        EXPECT_TRUE(IsWindowEnabled(owner));
        DestroyWindow(owner);
    }
    // Checks a control's place in its parent's client area; a width of 0 for a label
    // that sizes itself to its text.
    void expectPlace(HWND dialog, int id, Twips twips) {
        RECT place{};
        GetWindowRect(item(dialog, id), &place);
        MapWindowPoints(nullptr, GetParent(item(dialog, id)), reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(place.left, scale.pixelsX(twips.left)) << id;
        EXPECT_EQ(place.top, scale.pixelsY(twips.top)) << id;
        if (twips.width != 0) {
            EXPECT_EQ(place.right - place.left, scale.pixelsX(twips.width)) << id;
            EXPECT_EQ(place.bottom - place.top, scale.pixelsY(twips.height)) << id;
        }
    }
};

TEST_F(AboutDialog, ShowsItsControlsAndPassesClicksOnToTheHandlers) {
    rig.registry.putString(hkey::LocalMachine, kWindowsKey, "RegisteredOwner",
                           std::string("A registered owner with a long name\0", 36));
    HWND shown = nullptr;
    ModalScript script(
        aboutWindow, {[&](HWND dialog) {
            shown = dialog;
            EXPECT_EQ(GetWindowLongA(dialog, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
            RECT client{};
            GetClientRect(dialog, &client);
            EXPECT_EQ(client.right, scale.pixelsX(6870));
            EXPECT_EQ(client.bottom, scale.pixelsY(3870));
            const std::pair<int, const char*> texts[] = {
                {aboutid::cmdok, "&OK"},
                {aboutid::cmdSysInfo, "&System Info..."},
                {aboutid::lblHomePage, "WebSite"},
                {aboutid::lblEMail, "Email me"},
                {aboutid::Label8, "This program is freeware"}};
            for (const auto& [id, text] : texts) {
                EXPECT_EQ(windowText(item(dialog, id)), text);
            }
            expectPlace(dialog, aboutid::lblTitle, {2280, 90, 4335, 240});
            expectPlace(dialog, aboutid::Picture1, {120, 1200, 6615, 1215});
            expectPlace(dialog, aboutid::Frame1, {0, 2640, 6855, 40});
            expectPlace(dialog, aboutid::cmdok, {5640, 2880, 1155, 400});
            expectPlace(dialog, aboutid::lblregname, {1785, 120, 0, 0});
            expectPlace(dialog, aboutid::lblHomePage, {2280, 2940, 0, 0});
            RECT name{};
            GetClientRect(item(dialog, aboutid::lblregname), &name);
            EXPECT_GT(name.right, scale.pixelsX(1650)) << "grown to its text";

            // Fonts and text colours, as the labels draw with them.
            const struct {
                int id;
                const char* face;
                int hundredths;
                bool bold, underline;
                COLORREF colour;
            } looks[] = {
                {aboutid::lblTitle, "Arial", 975, true, false, RGB(0, 0, 0)},
                {aboutid::Label8, "Arial", 825, false, false, RGB(0, 0, 255)},
                {aboutid::lblEMail, "MS Sans Serif", 825, true, true, RGB(0, 0, 192)},
                {aboutid::lblCopyright, "Verdana", 825, false, false, RGB(64, 64, 64)},
            };
            const HDC dc = GetDC(dialog);
            for (const auto& look : looks) {
                const HWND control = item(dialog, look.id);
                LOGFONTA font{};
                GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)),
                           sizeof font, &font);
                EXPECT_STREQ(font.lfFaceName, look.face) << look.id;
                EXPECT_EQ(font.lfHeight, -MulDiv(look.hundredths, scale.dpi(), 7200)) << look.id;
                EXPECT_EQ(font.lfWeight >= FW_BOLD, look.bold) << look.id;
                EXPECT_EQ(font.lfUnderline != 0, look.underline) << look.id;
                SendMessageA(GetParent(control), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                             reinterpret_cast<LPARAM>(control));
                EXPECT_EQ(GetTextColor(dc), look.colour) << look.id;
            }
            ReleaseDC(dialog, dc);

            // Over a link the pointer changes and a click reaches its handler; elsewhere the
            // dialog leaves the pointer alone.
            for (const int id : {aboutid::lblEMail, aboutid::lblHomePage, aboutid::lblregname}) {
                SetCursor(LoadCursor(nullptr, IDC_ARROW));
                SendMessageA(dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(item(dialog, id)),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
                const bool link = id != aboutid::lblregname;
                EXPECT_EQ(GetCursor() != LoadCursor(nullptr, IDC_ARROW), link) << id;
                if (link) {
                    EXPECT_TRUE(GetWindowLongA(item(dialog, id), GWL_STYLE) & SS_NOTIFY) << id;
                    SendMessageA(GetParent(item(dialog, id)), WM_COMMAND,
                                 MAKEWPARAM(id, STN_CLICKED),
                                 reinterpret_cast<LPARAM>(item(dialog, id)));
                }
            }
            // Without the tool's registry entries System Info is unavailable; the box is answered.
            SendMessageA(item(dialog, aboutid::cmdSysInfo), BM_CLICK, 0, 0);
            EXPECT_TRUE(IsWindow(dialog)) << "the dialog stays open";
            SendMessageA(item(dialog, aboutid::cmdok), BM_CLICK, 0, 0);
        }});
    showAboutDialog(rig.platform, owner);
    EXPECT_EQ(script.ran(), 1u);
    ASSERT_EQ(rig.shell.executed.size(), 2u); // the mail and the web link, over the dialog
    EXPECT_EQ(rig.shell.executed[0].owner, reinterpret_cast<std::uintptr_t>(shown));
    EXPECT_EQ(rig.shell.executed[1].owner, reinterpret_cast<std::uintptr_t>(shown));
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_EQ(rig.boxes.shown[0].text, "System Information Is Unavailable At This Time");
}

TEST_F(AboutDialog, EnterAndEscCloseIt) {
    for (const WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        ModalScript script(aboutWindow,
                           {[&](HWND) { PostMessageA(GetFocus(), WM_KEYDOWN, key, 0); }});
        showAboutDialog(rig.platform, owner);
        EXPECT_EQ(script.ran(), 1u);
        EXPECT_EQ(aboutWindow(), nullptr) << key;
    }
}

} // namespace
} // namespace ostrel::test
