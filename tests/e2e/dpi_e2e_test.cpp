// Ostrel.exe at the display scales users run, under Wine's LogPixels: the main window and
// the About dialog place every control of their design at its twips for the DPI, their
// pictures come at that scale, and every text, measured with its control's font, fits
// inside its control and its container. Each window told that it moved to a 144-DPI
// monitor lays itself out as one started there.
#include <windows.h>

#include <gtest/gtest.h>

#include <span>
#include <string>

#include "about/frmabout_design_win32.h"
#include "about/line3d_win32.h"
#include "app/frmmain_design_win32.h"
#include "ostrel_driver.h"
#include "resource.h"

namespace ostrel::e2e {
namespace {

// Every control at its twips for the DPI, and its text inside it and its container. The
// window places a few itself: the status strip keeps to its bottom edge, the strip and
// the lines span it, the status label and labels that fit their text take its width, and
// a drop-down combo box's height in the design includes its list.
void expectLayout(HWND window, std::span<const ControlDesign> controls,
                  std::span<const FontDesign> fonts, int dpi) {
    const ScreenScale scale(dpi);
    RECT client{};
    GetClientRect(window, &client);
    const HDC dc = GetDC(nullptr);
    for (const ControlDesign& design : controls) {
        const HWND control =
            GetDlgItem(design.parent != 0 ? GetDlgItem(window, design.parent) : window, design.id);
        RECT at{}, container{};
        GetWindowRect(control, &at);
        MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&at), 2);
        GetClientRect(GetParent(control), &container);
        const std::string where = std::to_string(design.id) + " at " + std::to_string(dpi);
        const std::string_view kind = design.className;
        const bool docked = design.id == IDC_PICTURE1;
        EXPECT_EQ(at.left, scale.pixelsX(design.place.left)) << where;
        EXPECT_EQ(at.top, docked ? client.bottom - scale.pixelsY(design.place.height)
                                 : scale.pixelsY(design.place.top))
            << where;
        if (!design.fitsText && design.id != IDC_LBLSTATUS) {
            EXPECT_EQ(at.right - at.left, docked || kind == kLine3DClass
                                              ? client.right
                                              : scale.pixelsX(design.place.width))
                << where;
        }
        if (!design.fitsText && kind != WC_COMBOBOXA) {
            EXPECT_EQ(at.bottom - at.top, scale.pixelsY(design.place.height)) << where;
        }
        EXPECT_LE(at.right, container.right) << where;
        if (design.font == kNoFont) {
            continue;
        }
        std::string text = textOf(control);
        std::erase(text, '&'); // an access key's mark is not drawn
        const UniqueFont font = makeFont(scale, fonts[static_cast<std::size_t>(design.font)]);
        const Selected selected(dc, font.get());
        SIZE extent{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        // Buttons keep room around their caption; a check box's text stands beside its box.
        const auto type = design.style & BS_TYPEMASK;
        const int room = kind != WC_BUTTONA        ? 0
                         : type == BS_AUTOCHECKBOX ? scale.pixels(18)
                                                   : scale.pixels(8);
        EXPECT_LE(extent.cx + room, at.right - at.left) << text << " at " << dpi;
    }
    ReleaseDC(nullptr, dc);
}

// The banner's blue rule runs to the right edge of its panel.
void expectBannerAcross(HWND dialog, int dpi) {
    RECT banner{};
    GetWindowRect(GetDlgItem(dialog, IDC_ABOUT_PICTURE3), &banner);
    const HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetPixel(screen, banner.right - 1, banner.top + MulDiv(50, dpi, 96)), RGB(0, 0, 255))
        << dpi;
    ReleaseDC(nullptr, screen);
}

struct Scale : ::testing::TestWithParam<int> {
    void SetUp() override {
        // No position stored at another DPI: each start opens centred.
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Brenmoor Software\\Ostrel");
        RegDeleteTreeA(HKEY_CURRENT_USER, kSettings);
        RegSetKeyValueA(HKEY_CURRENT_USER, kSettings, "FirstTime", REG_SZ, "no", 3);
        const DWORD dpi = GetParam();
        RegSetKeyValueA(HKEY_CURRENT_USER, kDesktop, "LogPixels", REG_DWORD, &dpi, sizeof dpi);
    }
    void TearDown() override {
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktop, "LogPixels");
        RegDeleteTreeA(HKEY_CURRENT_USER, kSettings);
    }
    static constexpr const char* kSettings = "Software\\VB and VBA Program Settings\\Ostrel\\main";
    static constexpr const char* kDesktop = "Control Panel\\Desktop";
};

// Measured in the program's pixels, whatever resolution this test program runs at.
const bool kPerMonitor = [] {
    using SetContext = HANDLE(WINAPI*)(HANDLE);
    const auto set = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext")));
    return set != nullptr && set(reinterpret_cast<HANDLE>(-4)) != nullptr; // per monitor v2
}();

TEST_P(Scale, EveryControlAtItsPlaceWithItsTextInside) {
    const int dpi = GetParam();
    OstrelProcess ostrel("");
    const HWND main = ostrel.waitForWindow("Ostrel");
    ASSERT_NE(main, nullptr);
    expectLayout(main, frmmainDesign::kControls, frmmainDesign::kFonts, dpi);
    const std::string percent = std::to_string(dpi * 100 / 96);
    EXPECT_TRUE(screenshot(main, OSTREL_SCREENSHOTS "/main-window-" + percent + ".png"));
    click(control(main, IDC_CMDABOUT));
    const HWND about = ostrel.waitForWindow("About ");
    ASSERT_NE(about, nullptr);
    expectLayout(about, frmAboutDesign::kControls, frmAboutDesign::kFonts, dpi);
    EXPECT_TRUE(screenshot(about, OSTREL_SCREENSHOTS "/about-" + percent + ".png"));
    expectBannerAcross(about, dpi);
    click(GetDlgItem(about, IDOK));
    click(control(main, IDC_CMDEXIT));
    EXPECT_TRUE(ostrel.waitForExit());
}
INSTANTIATE_TEST_SUITE_P(Dpi, Scale, ::testing::Values(96, 120, 144, 192));

// Tells the window that it moved to a 144-DPI monitor, with the rectangle Windows would
// suggest (its own, scaled) in the program's memory, where Windows puts it.
void moveTo144(HWND window) {
    RECT suggested{};
    GetWindowRect(window, &suggested);
    suggested.right = suggested.left + MulDiv(suggested.right - suggested.left, 144, 96);
    suggested.bottom = suggested.top + MulDiv(suggested.bottom - suggested.top, 144, 96);
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, id);
    void* remote = VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT, PAGE_READWRITE);
    WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr);
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(remote));
    CloseHandle(process);
}

struct Moving : Scale {};
TEST_P(Moving, ToA144DpiMonitorEachWindowLaysOutAsOneStartedThere) {
    OstrelProcess ostrel("");
    const HWND main = ostrel.waitForWindow("Ostrel");
    ASSERT_NE(main, nullptr);
    click(control(main, IDC_CMDABOUT));
    const HWND about = ostrel.waitForWindow("About ");
    ASSERT_NE(about, nullptr);
    moveTo144(about);
    expectLayout(about, frmAboutDesign::kControls, frmAboutDesign::kFonts, 144);
    expectBannerAcross(about, 144);
    click(GetDlgItem(about, IDOK));
    ASSERT_TRUE(waitFor([&] { return IsWindowEnabled(main) != FALSE; }));
    moveTo144(main);
    expectLayout(main, frmmainDesign::kControls, frmmainDesign::kFonts, 144);
    click(control(main, IDC_CMDEXIT));
    EXPECT_TRUE(ostrel.waitForExit());
}
INSTANTIATE_TEST_SUITE_P(From96, Moving, ::testing::Values(96));

} // namespace
} // namespace ostrel::e2e
