// The separator line control on a real window: its height, its two lines, and the
// drawing it keeps between paints.
#include <windows.h>

#include <gtest/gtest.h>

#include "about/line3d_win32.h"
#include "platform/win32/screen_scale_win32.h"
#include "platform/win32/unique_gdi_win32.h"
#include "support/fakes.h"

namespace ostrel::test {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

struct Line3DTest : ::testing::Test {
    FakeBoxes boxes;
    ScreenScale scale = ScreenScale::screen();
    HWND host = nullptr;

    void SetUp() override {
        WNDCLASSA hostClass{};
        hostClass.lpfnWndProc = DefWindowProcA;
        hostClass.hInstance = GetModuleHandleA(nullptr);
        hostClass.lpszClassName = "Line3DTestHost";
        RegisterClassA(&hostClass);
        host = CreateWindowExA(0, "Line3DTestHost", "host", WS_POPUP | WS_CLIPCHILDREN, 40, 40, 400,
                               100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(host, nullptr);
    }
    void TearDown() override {
        DestroyWindow(host);
        EXPECT_TRUE(boxes.shown.empty());
    }

    HWND line(int width) { return createLine3D(host, 7, 0, 10, width, boxes); }
    static SIZE size(HWND window) {
        RECT bounds{};
        GetWindowRect(window, &bounds);
        return {bounds.right - bounds.left, bounds.bottom - bounds.top};
    }
    static void resize(HWND window, int width, int height) {
        SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    }
    // The control's surface as it paints it, one colour per pixel, row by row.
    static std::vector<std::vector<COLORREF>> surface(HWND window) {
        const SIZE extent = size(window);
        const WindowDc screen(window);
        const UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
        const UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), extent.cx + 4, extent.cy));
        const Selected selected(dc.get(), bitmap.get());
        const RECT all{0, 0, extent.cx + 4, extent.cy};
        const UniqueBrush marker(CreateSolidBrush(RGB(1, 2, 3)));
        FillRect(dc.get(), &all, marker.get());
        SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
        std::vector<std::vector<COLORREF>> rows(extent.cy);
        for (int y = 0; y < extent.cy; ++y) {
            for (int x = 0; x < extent.cx + 4; ++x) {
                rows[y].push_back(GetPixel(dc.get(), x, y));
            }
        }
        return rows;
    }
    // What the control shows on the screen after painting, row by row.
    static std::vector<std::vector<COLORREF>> painted(HWND window) {
        UpdateWindow(window);
        const SIZE extent = size(window);
        const WindowDc dc(window);
        std::vector<std::vector<COLORREF>> rows(extent.cy);
        for (int y = 0; y < extent.cy; ++y) {
            for (int x = 0; x < extent.cx; ++x) {
                rows[y].push_back(GetPixel(dc.get(), x, y));
            }
        }
        return rows;
    }
    // Whether a row has the colour from x = 0 to the width, and nothing of it beyond.
    static bool spans(const std::vector<COLORREF>& row, int width, COLORREF colour) {
        for (int x = 0; x < static_cast<int>(row.size()); ++x) {
            if ((row[x] == colour) != (x < width)) {
                return false;
            }
        }
        return true;
    }
};

TEST_F(Line3DTest, IsAlwaysThirtyTwipsHigh) {
    const int height = scale.pixelsY(30);
    const HWND control = line(120);
    EXPECT_EQ(size(control).cy, height);
    for (const int asked : {40, 1, 0, 300}) {
        resize(control, 150, asked);
        EXPECT_EQ(size(control).cy, height) << asked;
        EXPECT_EQ(size(control).cx, 150) << "the width is the host's";
    }
}

TEST_F(Line3DTest, DrawsTheShadowLineAboveAWhiteLineAcrossTheWidth) {
    const HWND control = line(120);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    auto rows = surface(control);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_TRUE(spans(rows[0], 120, shadow));
    EXPECT_TRUE(spans(rows[scale.pixelsY(15)], 120, kWhite));

    resize(control, 333, 2);
    rows = surface(control);
    EXPECT_TRUE(spans(rows[0], 333, shadow)) << "widening draws across the new width";
    EXPECT_TRUE(spans(rows[1], 333, kWhite));

    resize(control, 0, 2);
    rows = surface(control);
    EXPECT_TRUE(spans(rows[0], 0, shadow)) << "a width of 0 shows nothing";
}

TEST_F(Line3DTest, KeepsItsDrawingUntilItIsResized) {
    const HWND control = line(200);
    const COLORREF original = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF changed = original == RGB(255, 0, 0) ? RGB(0, 0, 255) : RGB(255, 0, 0);
    const int element = COLOR_BTNSHADOW;
    ASSERT_TRUE(SetSysColors(1, &element, &changed));

    // A repaint after being covered shows the lines last drawn, in the old colour.
    ShowWindow(host, SW_SHOWNOACTIVATE);
    const HWND cover = CreateWindowExA(WS_EX_TOPMOST, "Line3DTestHost", "cover", WS_POPUP, 0, 0,
                                       600, 200, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(cover, SW_SHOWNOACTIVATE);
    UpdateWindow(cover);
    DestroyWindow(cover);
    auto rows = painted(control);
    EXPECT_TRUE(spans(rows[0], 200, original));
    EXPECT_TRUE(spans(rows[1], 200, kWhite));

    resize(control, 210, 2);
    rows = painted(control);
    EXPECT_TRUE(spans(rows[0], 210, changed)) << "the shadow colour is read at each drawing";
    EXPECT_TRUE(spans(rows[1], 210, kWhite));
    SetSysColors(1, &element, &original);
}

} // namespace
} // namespace ostrel::test
