// The separator line control on a real window: its height, and its two lines as it
// paints them.
#include <windows.h>

#include <gtest/gtest.h>

#include "about/line3d_win32.h"
#include "platform/win32/child_window_win32.h"
#include "platform/win32/unique_gdi_win32.h"
#include "support/fakes.h"

namespace ostrel::test {
namespace {

struct Line3DTest : ::testing::Test {
    FakeBoxes boxes;
    ScreenScale scale = ScreenScale::screen();
    HWND host = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_CLIPCHILDREN, 40, 40, 400, 100,
                                nullptr, nullptr, nullptr, nullptr);
    Line3D line{boxes};

    void SetUp() override {
        registerWindowClass(GetModuleHandleA(nullptr), kLine3DClass, Line3D::windowProc);
        CreateWindowExA(0, kLine3DClass, "", WS_CHILD | WS_VISIBLE, 0, 10, 200, 5, host, nullptr,
                        nullptr, &line);
    }
    void TearDown() override {
        DestroyWindow(host);
        EXPECT_TRUE(boxes.shown.empty());
    }
};

// Whatever height it is given, it stays 30 twips high and shows the shadow line over a
// white line 15 twips below, across its width and no further, when it is repainted
// from the drawing it keeps.
TEST_F(Line3DTest, IsThirtyTwipsHighWithTheShadowLineAboveAWhiteLineAcrossTheWidth) {
    ShowWindow(host, SW_SHOWNOACTIVATE);
    const std::pair<int, int> sizes[] = {{150, 40}, {333, 1}, {0, 300}, {120, 0}};
    for (const auto& [width, asked] : sizes) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(asked));
        SetWindowPos(line.window(), nullptr, 0, 0, width, asked, SWP_NOMOVE | SWP_NOZORDER);
        RECT client{};
        GetClientRect(line.window(), &client);
        EXPECT_EQ(client.right, width);
        EXPECT_EQ(client.bottom, scale.pixelsY(30));
        RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        POINT origin{0, 0};
        ClientToScreen(line.window(), &origin);
        const WindowDc screen(nullptr);
        for (int x = 0; x < width + 4; ++x) {
            const int left = origin.x + x;
            EXPECT_EQ(GetPixel(screen.get(), left, origin.y) == GetSysColor(COLOR_BTNSHADOW),
                      x < width)
                << x;
            EXPECT_EQ(GetPixel(screen.get(), left, origin.y + scale.pixelsY(15)) ==
                          RGB(255, 255, 255),
                      x < width)
                << x;
        }
    }
}

} // namespace
} // namespace ostrel::test
