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
constexpr COLORREF kMarker = RGB(1, 2, 3);

struct Line3DTest : ::testing::Test {
    FakeBoxes boxes;
    ScreenScale scale = ScreenScale::screen();
    HWND host = nullptr;

    void SetUp() override {
        host = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_CLIPCHILDREN, 40, 40, 400, 100,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(host, nullptr);
    }
    void TearDown() override {
        DestroyWindow(host);
        EXPECT_TRUE(boxes.shown.empty());
    }

    static SIZE size(HWND window) {
        RECT bounds{};
        GetWindowRect(window, &bounds);
        return {bounds.right - bounds.left, bounds.bottom - bounds.top};
    }
    static void resize(HWND window, int width, int height) {
        SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    }
    // The control's pixels, row by row: as it paints on the screen, or as it prints
    // itself onto a marker-filled surface 4 pixels wider than itself.
    static std::vector<std::vector<COLORREF>> pixels(HWND window, bool onScreen) {
        const SIZE extent = size(window);
        const WindowDc screen(window);
        const UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
        const UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), extent.cx + 4, extent.cy));
        const Selected selected(memory.get(), bitmap.get());
        HDC dc = screen.get();
        if (onScreen) {
            UpdateWindow(window);
        } else {
            dc = memory.get();
            const RECT all{0, 0, extent.cx + 4, extent.cy};
            const UniqueBrush marker(CreateSolidBrush(kMarker));
            FillRect(dc, &all, marker.get());
            SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        }
        std::vector<std::vector<COLORREF>> rows(extent.cy);
        for (int y = 0; y < extent.cy; ++y) {
            for (int x = 0; x < extent.cx + (onScreen ? 0 : 4); ++x) {
                rows[y].push_back(GetPixel(dc, x, y));
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

// Whatever height it is given, it stays 30 twips high and draws the shadow line over a
// white line 15 twips below, across its width and no further.
TEST_F(Line3DTest, IsThirtyTwipsHighWithTheShadowLineAboveAWhiteLineAcrossTheWidth) {
    const HWND control = createLine3D(host, 7, 0, 10, 120, boxes);
    const int height = scale.pixelsY(30);
    EXPECT_EQ(size(control).cy, height);
    const std::pair<int, int> sizes[] = {{150, 40}, {333, 1}, {0, 300}, {120, 0}};
    for (const auto& [width, asked] : sizes) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(asked));
        resize(control, width, asked);
        EXPECT_EQ(size(control).cx, width);
        EXPECT_EQ(size(control).cy, height);
        const auto rows = pixels(control, false);
        EXPECT_TRUE(spans(rows.at(0), width, GetSysColor(COLOR_BTNSHADOW)));
        EXPECT_TRUE(spans(rows.at(scale.pixelsY(15)), width, kWhite));
    }
}

TEST_F(Line3DTest, KeepsItsDrawingUntilItIsResized) {
    const HWND control = createLine3D(host, 7, 0, 10, 200, boxes);
    const COLORREF original = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF changed = original == RGB(255, 0, 0) ? RGB(0, 0, 255) : RGB(255, 0, 0);
    const int element = COLOR_BTNSHADOW;
    ASSERT_TRUE(SetSysColors(1, &element, &changed));

    // A repaint after being covered shows the lines last drawn, in the old colour.
    ShowWindow(host, SW_SHOWNOACTIVATE);
    const HWND cover = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP, 0, 0, 600, 200,
                                       nullptr, nullptr, nullptr, nullptr);
    ShowWindow(cover, SW_SHOWNOACTIVATE);
    UpdateWindow(cover);
    DestroyWindow(cover);
    auto rows = pixels(control, true);
    EXPECT_TRUE(spans(rows[0], 200, original));
    EXPECT_TRUE(spans(rows[1], 200, kWhite));

    resize(control, 210, 2);
    rows = pixels(control, true);
    EXPECT_TRUE(spans(rows[0], 210, changed)) << "the shadow colour is read at each drawing";
    EXPECT_TRUE(spans(rows[1], 210, kWhite));
    SetSysColors(1, &element, &original);
}

} // namespace
} // namespace ostrel::test
