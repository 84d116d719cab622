// Ostrel.exe at the display scales users run, under Wine's LogPixels: the main window and
// the About dialog place every control at its twips for the DPI, their pictures come at
// that scale, and every text fits inside its control and its container. A window told
// that it moved to a 144-DPI monitor lays itself out as one started there.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <span>
#include <string>

#include "ostrel_driver.h"
#include "resource.h"

namespace ostrel::e2e {
namespace {

enum Font { none, verdana, message, sansSerif, arial, arialBold, link };
// A control's place in twips; a width of 0 spans the client area, a height of 0 is not
// checked (a drop-down combo box's includes its list); a `fitted` label takes the size of
// its text.
struct Place {
    int id, left, top, width, height;
    Font font;
    bool fitted = false;
};

// clang-format off
constexpr Place kMain[] = {
    {IDC_LABEL1, 120, 210, 1395, 195, verdana}, {IDC_CMDCREATE, 120, 4080, 1215, 400, message},
    {IDC_LSTDRIVES, 120, 1320, 6495, 2055, none}, {IDC_CMDDELETE, 1440, 4080, 1215, 400, message},
    {IDC_CBODRIVES, 120, 480, 1830, 0, none}, {IDC_LABEL2, 120, 1050, 2475, 195, verdana},
    {IDC_CHKRESTORE, 165, 3510, 5610, 285, verdana}, {IDC_LABEL3, 2415, 210, 2280, 195, verdana},
    {IDC_TXTPATHNAME, 2400, 480, 3660, 345, none}, {IDC_CMDBROSWE, 6120, 470, 495, 350, message},
    {IDC_LINE3D1, 0, 3960, 0, 30, none}, {IDC_CMDABOUT, 4080, 4080, 1215, 400, message},
    {IDC_LINE3D2, 0, 15, 0, 30, none}, {IDC_CMDEXIT, 5400, 4080, 1215, 400, message},
    {IDC_CMDREFRESH, 2760, 4080, 1215, 400, message}, {IDC_IMAGE1, 1635, 180, 240, 240, none},
    {IDC_IMAGE2, 4695, 225, 240, 195, none},
};
constexpr int kFirstLabel4 = IDC_ABOUT_LABEL4;
constexpr Place kAbout[] = {
    {IDC_ABOUT_PICTURE3, 0, 0, 6870, 780, none}, {IDC_ABOUT_LBLTITLE, 2280, 90, 4335, 240, arialBold},
    {IDC_ABOUT_LABEL8, 4800, 360, 1845, 0, arial, true},
    {IDC_ABOUT_LABEL1, 120, 960, 2055, 0, sansSerif, true},
    {IDC_ABOUT_PICTURE1, 120, 1200, 6615, 1215, none},
    {kFirstLabel4, 90, 120, 1530, 0, verdana, true}, {kFirstLabel4 + 1, 90, 420, 1440, 0, verdana, true},
    {kFirstLabel4 + 2, 90, 720, 1290, 0, verdana, true},
    {IDC_ABOUT_LBLREGNAME, 1785, 120, 1650, 0, verdana, true},
    {IDC_ABOUT_LBLREGCOMPANY, 1785, 420, 1980, 0, verdana, true},
    {IDC_ABOUT_LBLREGSERIAL, 1785, 720, 1905, 0, verdana, true},
    {IDC_ABOUT_IMAGE2, 5520, 120, 960, 960, none}, {IDC_ABOUT_FRAME1, 0, 2640, 6855, 40, none},
    {IDC_ABOUT_IMAGE1, 0, 2730, 2115, 720, none},
    {IDC_ABOUT_LBLHOMEPAGE, 2280, 2940, 735, 0, link, true},
    {IDC_ABOUT_LBLEMAIL, 3240, 2940, 765, 0, link, true},
    {IDC_ABOUT_CMDSYSINFO, 4320, 2880, 1245, 400, sansSerif},
    {IDOK, 5640, 2880, 1155, 400, sansSerif}, {IDC_ABOUT_FRAME2, 0, 3480, 6855, 40, none},
    {IDC_ABOUT_LBLCOPYRIGHT, 3420, 3600, 3315, 0, verdana, true},
};
// clang-format on

int pixels(int twips, int dpi) {
    return MulDiv(twips, dpi, 1440);
}

HFONT makeFont(Font font, int dpi) {
    if (font == message) {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, 96);
        return CreateFontIndirectA(&metrics.lfMessageFont);
    }
    const char* const faces[] = {"",      "Verdana",      "", "MS Sans Serif", "Arial",
                                 "Arial", "MS Sans Serif"};
    const int size = font == arialBold ? 975 : 825;
    return CreateFontA(-MulDiv(size, dpi, 7200), 0, 0, 0,
                       font == arialBold || font == link ? FW_BOLD : FW_NORMAL, 0, font == link, 0,
                       DEFAULT_CHARSET, 0, 0, 0, 0, faces[font]);
}

// A control of the window, also inside its panels.
HWND descendant(HWND window, int id) {
    std::pair<int, HWND> search{id, nullptr};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM lParam) {
            auto& [wanted, found] = *reinterpret_cast<std::pair<int, HWND>*>(lParam);
            found = GetDlgCtrlID(child) == wanted ? child : found;
            return found == nullptr ? TRUE : FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

// Every control at its place for the DPI, and its text inside it and its container.
void expectLayout(HWND window, const Place* places, std::size_t count, int dpi) {
    RECT client{};
    GetClientRect(window, &client);
    const HDC dc = GetDC(nullptr);
    for (const Place& place : std::span(places, count)) {
        const HWND control = descendant(window, place.id);
        RECT at{};
        GetWindowRect(control, &at);
        MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&at), 2);
        EXPECT_EQ(at.left, pixels(place.left, dpi)) << place.id << " at " << dpi;
        EXPECT_EQ(at.top, pixels(place.top, dpi)) << place.id << " at " << dpi;
        const int width = place.width > 0 ? pixels(place.width, dpi) : client.right;
        if (!place.fitted) {
            EXPECT_EQ(at.right - at.left, width) << place.id << " at " << dpi;
        }
        if (place.height > 0 && !place.fitted) {
            EXPECT_EQ(at.bottom - at.top, pixels(place.height, dpi)) << place.id << " at " << dpi;
        }
        if (place.font == none) {
            continue;
        }
        std::string text = textOf(control);
        std::erase(text, '&'); // an access key's mark is not drawn
        const HFONT font = makeFont(place.font, dpi);
        const HGDIOBJ old = SelectObject(dc, font);
        SIZE extent{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        SelectObject(dc, old);
        DeleteObject(font);
        // Buttons keep room around their caption; a check box's text stands beside its box.
        const auto style = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
        char className[16] = {};
        GetClassNameA(control, className, sizeof className);
        const int room = lstrcmpiA(className, "Button") != 0 ? 0
                         : style == BS_AUTOCHECKBOX          ? MulDiv(18, dpi, 96)
                                                             : MulDiv(8, dpi, 96);
        EXPECT_LE(extent.cx + room, at.right - at.left) << text << " at " << dpi;
        RECT container{};
        GetClientRect(GetParent(control), &container);
        EXPECT_LE(at.right, container.right) << text << " at " << dpi;
    }
    ReleaseDC(nullptr, dc);
}

// The status strip keeps to the bottom edge at the full width.
void expectStatusStrip(HWND window, int dpi) {
    RECT client{}, strip{};
    GetClientRect(window, &client);
    GetWindowRect(GetDlgItem(window, IDC_PICTURE1), &strip);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&strip), 2);
    EXPECT_EQ(strip.top, client.bottom - pixels(285, dpi)) << dpi;
    EXPECT_EQ(strip.right - strip.left, client.right) << dpi;
}

// The banner's blue rule runs to the right edge of its panel.
void expectBannerAcross(HWND dialog, int dpi) {
    RECT banner{};
    GetWindowRect(descendant(dialog, IDC_ABOUT_PICTURE3), &banner);
    const HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetPixel(screen, banner.right - 1, banner.top + MulDiv(50, dpi, 96)), RGB(0, 0, 255))
        << dpi;
    ReleaseDC(nullptr, screen);
}

struct Scale : ::testing::TestWithParam<int> {
    void SetUp() override {
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
    expectLayout(main, kMain, std::size(kMain), dpi);
    expectStatusStrip(main, dpi);
    const std::string percent = std::to_string(dpi * 100 / 96);
    EXPECT_TRUE(screenshot(main, OSTREL_SCREENSHOTS "/main-window-" + percent + ".png"));
    click(control(main, IDC_CMDABOUT));
    const HWND about = ostrel.waitForWindow("About ");
    ASSERT_NE(about, nullptr);
    expectLayout(about, kAbout, std::size(kAbout), dpi);
    EXPECT_TRUE(screenshot(about, OSTREL_SCREENSHOTS "/about-" + percent + ".png"));
    expectBannerAcross(about, dpi);
    click(GetDlgItem(about, IDOK));
    click(control(main, IDC_CMDEXIT));
    EXPECT_TRUE(ostrel.waitForExit());
}
INSTANTIATE_TEST_SUITE_P(Dpi, Scale, ::testing::Values(96, 120, 144, 192));

struct Moving : Scale {};
TEST_P(Moving, ToA144DpiMonitorTheWindowLaysOutAsOneStartedThere) {
    OstrelProcess ostrel("");
    const HWND main = ostrel.waitForWindow("Ostrel");
    ASSERT_NE(main, nullptr);
    // The rectangle Windows suggests: the frame as it is around the client area at 144 DPI.
    RECT outer{}, client{};
    GetWindowRect(main, &outer);
    GetClientRect(main, &client);
    RECT suggested{outer.left, outer.top, outer.right - client.right + pixels(6750, 144),
                   outer.bottom - client.bottom + pixels(4905, 144)};
    // It travels in the program's memory, as from Windows.
    DWORD id = 0;
    GetWindowThreadProcessId(main, &id);
    const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, id);
    void* remote = VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT, PAGE_READWRITE);
    WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr);
    SendMessageA(main, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(remote));
    CloseHandle(process);
    expectLayout(main, kMain, std::size(kMain), 144);
    expectStatusStrip(main, 144);
    click(control(main, IDC_CMDEXIT));
    EXPECT_TRUE(ostrel.waitForExit());
}
INSTANTIATE_TEST_SUITE_P(From96, Moving, ::testing::Values(96));

} // namespace
} // namespace ostrel::e2e
