// The About dialog's real window: created at each opening over a disabled owner, its
// controls at their places with their texts, its notifications reaching the handlers,
// and OK, Enter, Esc and the close box closing it.
#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

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

struct AboutDialog : ::testing::Test {
    Rig rig;
    HWND owner = nullptr;
    ScreenScale scale = ScreenScale::screen();

    void SetUp() override {
        owner = CreateWindowExA(0, "STATIC", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 500,
                                400, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(owner, nullptr);
    }
    void TearDown() override { DestroyWindow(owner); }

    // The place of a control in its parent's client area, in pixels.
    static RECT placeOf(HWND control) {
        RECT place{};
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
        return place;
    }
    HWND item(HWND dialog, int id) {
        // Controls inside the panels are found through them.
        for (const int panel : {0, aboutid::Picture3, aboutid::Picture1}) {
            const HWND parent = panel == 0 ? dialog : GetDlgItem(dialog, panel);
            if (const HWND found = GetDlgItem(parent, id)) {
                return found;
            }
        }
        return nullptr;
    }
    void expectPlace(HWND dialog, int id, Twips twips, bool sized = true) {
        const RECT place = placeOf(item(dialog, id));
        EXPECT_EQ(place.left, scale.pixelsX(twips.left)) << id;
        EXPECT_EQ(place.top, scale.pixelsY(twips.top)) << id;
        if (sized) {
            EXPECT_EQ(place.right - place.left, scale.pixelsX(twips.width)) << id;
            EXPECT_EQ(place.bottom - place.top, scale.pixelsY(twips.height)) << id;
        }
    }
};

TEST_F(AboutDialog, ShowsItsControlsOverADisabledOwnerAndOkClosesIt) {
    rig.registry.putString(hkey::LocalMachine, kWindowsKey, "RegisteredOwner",
                           std::string("A registered owner with a long name\0", 36));
    rig.registry.putString(hkey::LocalMachine, kWindowsKey, "ProductId", "12345-OEM");
    ModalScript script(
        aboutWindow, {[&](HWND dialog) {
            EXPECT_FALSE(IsWindowEnabled(owner));
            EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner);
            EXPECT_EQ(windowText(dialog), "About ");
            EXPECT_EQ(GetWindowLongA(dialog, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
            RECT client{};
            GetClientRect(dialog, &client);
            EXPECT_EQ(client.right, scale.pixelsX(6870));
            EXPECT_EQ(client.bottom, scale.pixelsY(3870));

            EXPECT_EQ(windowText(item(dialog, aboutid::lblTitle)), "Ostrel v3.189");
            EXPECT_EQ(windowText(item(dialog, aboutid::lblregname)),
                      "A registered owner with a long name");
            EXPECT_EQ(windowText(item(dialog, aboutid::lblregcompany)), "Unregistered Company");
            EXPECT_EQ(windowText(item(dialog, aboutid::lblregserial)), "12345-OEM");
            EXPECT_EQ(windowText(item(dialog, aboutid::lblCopyright)), "");
            EXPECT_EQ(windowText(item(dialog, aboutid::cmdok)), "&OK");
            EXPECT_EQ(windowText(item(dialog, aboutid::cmdSysInfo)), "&System Info...");

            expectPlace(dialog, aboutid::Picture3, {0, 0, 6870, 780});
            expectPlace(dialog, aboutid::lblTitle, {2280, 90, 4335, 240});
            expectPlace(dialog, aboutid::Picture1, {120, 1200, 6615, 1215});
            expectPlace(dialog, aboutid::Frame1, {0, 2640, 6855, 40});
            expectPlace(dialog, aboutid::Frame2, {0, 3480, 6855, 40});
            expectPlace(dialog, aboutid::cmdSysInfo, {4320, 2880, 1245, 400});
            expectPlace(dialog, aboutid::cmdok, {5640, 2880, 1155, 400});
            // Labels size themselves to their text from their top left corner.
            expectPlace(dialog, aboutid::lblregname, {1785, 120, 0, 0}, false);
            expectPlace(dialog, aboutid::lblHomePage, {2280, 2940, 0, 0}, false);
            const RECT name = placeOf(item(dialog, aboutid::lblregname));
            EXPECT_GT(name.right - name.left, scale.pixelsX(1650));
            for (const int link : {aboutid::lblHomePage, aboutid::lblEMail}) {
                EXPECT_TRUE(GetWindowLongA(item(dialog, link), GWL_STYLE) & SS_NOTIFY);
            }
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
                {aboutid::lblregname, "Verdana", 825, false, false, RGB(0, 0, 0)},
                {aboutid::lblHomePage, "MS Sans Serif", 825, true, true, RGB(0, 0, 192)},
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
                EXPECT_EQ(font.lfHeight, -MulDiv(look.hundredths, scale.dpiY(), 7200)) << look.id;
                EXPECT_EQ(font.lfWeight >= FW_BOLD, look.bold) << look.id;
                EXPECT_EQ(font.lfUnderline != 0, look.underline) << look.id;
                SendMessageA(GetParent(control), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                             reinterpret_cast<LPARAM>(control));
                EXPECT_EQ(GetTextColor(dc), look.colour) << look.id;
            }
            ReleaseDC(dialog, dc);

            // The links' tooltips name the addresses they open.
            const HWND tips = ModalScript::ownedWindow(dialog, TOOLTIPS_CLASSA, false);
            const auto tipOf = [&](int id) {
                char text[256] = {};
                TOOLINFOA tool{};
                tool.cbSize = TTTOOLINFOA_V2_SIZE;
                tool.hwnd = dialog;
                tool.uId = reinterpret_cast<UINT_PTR>(item(dialog, id));
                tool.lpszText = text;
                SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
                return std::string(text);
            };
            EXPECT_EQ(tipOf(aboutid::lblHomePage), kHomePage);
            EXPECT_EQ(tipOf(aboutid::lblEMail), kSupportEMail);

            // Over a link the pointer changes; elsewhere the dialog leaves it alone.
            const auto pointerOver = [&](int id) {
                return SendMessageA(dialog, WM_SETCURSOR,
                                    reinterpret_cast<WPARAM>(item(dialog, id)),
                                    MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            };
            SetCursor(LoadCursor(nullptr, IDC_ARROW));
            EXPECT_TRUE(pointerOver(aboutid::lblEMail));
            EXPECT_NE(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
            EXPECT_TRUE(pointerOver(aboutid::lblHomePage));
            SetCursor(LoadCursor(nullptr, IDC_ARROW));
            pointerOver(aboutid::lblregname);
            EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
            SendMessageA(item(dialog, aboutid::cmdok), BM_CLICK, 0, 0);
        }});
    showAboutDialog(rig.platform, owner);
    EXPECT_EQ(script.ran(), 1u);
    EXPECT_EQ(FindWindowA("OstrelAbout", nullptr), nullptr) << "closed and destroyed";
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_TRUE(rig.boxes.shown.empty());
}

TEST(AboutArtwork, TheLinkPointerIsAHandPointingFromItsHotSpot) {
    // The file that the program's resources carry, beside this test's sources.
    std::string path = __FILE__;
    path = "Z:" + path.substr(0, path.rfind("/tests/")) + "/res/about_link.cur";
    const auto pointer = static_cast<HCURSOR>(
        LoadImageA(nullptr, path.c_str(), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE));
    ASSERT_NE(pointer, nullptr) << path;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(pointer, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 5u);
    EXPECT_EQ(info.yHotspot, 0u);
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 32);
    EXPECT_EQ(mask.bmHeight, 64) << "monochrome: the AND and XOR masks in one bitmap";
    EXPECT_EQ(info.hbmColor, nullptr);
    DeleteObject(info.hbmMask);
    DestroyCursor(pointer);
}

TEST_F(AboutDialog, LinksAndSystemInfoReachTheirHandlers) {
    HWND shown = nullptr;
    ModalScript script(aboutWindow, {[&](HWND dialog) {
                           shown = dialog;
                           const auto click = [&](int id) {
                               const HWND control = item(dialog, id);
                               SendMessageA(GetParent(control), WM_COMMAND,
                                            MAKEWPARAM(id, STN_CLICKED),
                                            reinterpret_cast<LPARAM>(control));
                           };
                           click(aboutid::lblEMail);
                           click(aboutid::lblHomePage);
                           // Without the tool's registry entries it is unavailable; the box is
                           // answered.
                           SendMessageA(item(dialog, aboutid::cmdSysInfo), BM_CLICK, 0, 0);
                           EXPECT_TRUE(IsWindow(dialog)) << "the dialog stays open";
                           PostMessageA(dialog, WM_CLOSE, 0, 0);
                       }});
    showAboutDialog(rig.platform, owner);
    ASSERT_EQ(rig.shell.executed.size(), 2u);
    EXPECT_EQ(rig.shell.executed[0].owner, reinterpret_cast<std::uintptr_t>(shown));
    EXPECT_EQ(rig.shell.executed[0].file,
              "mailto:support@ostrel.example?subject=I have question on Ostrel v3.189");
    EXPECT_EQ(rig.shell.executed[1].file, kHomePage);
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_EQ(rig.boxes.shown[0].text, "System Information Is Unavailable At This Time");
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(AboutDialog, EnterAndEscCloseItAndEachOpeningReadsTheRegistryAgain) {
    for (const WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        const std::string owner_name = key == VK_RETURN ? "First" : "Second";
        rig.registry.putString(hkey::LocalMachine, kWindowsKey, "RegisteredOwner", owner_name);
        std::string seen;
        ModalScript script(aboutWindow, {[&](HWND dialog) {
                               seen = windowText(item(dialog, aboutid::lblregname));
                               PostMessageA(GetFocus(), WM_KEYDOWN, key, 0);
                           }});
        showAboutDialog(rig.platform, owner);
        EXPECT_EQ(seen, owner_name);
        EXPECT_EQ(FindWindowA("OstrelAbout", nullptr), nullptr) << key;
        EXPECT_TRUE(IsWindowEnabled(owner));
    }
}

} // namespace
} // namespace ostrel::test
