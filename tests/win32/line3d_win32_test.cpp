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

// Whatever height it is given, it stays 30 twips high and shows the shadow line over a
// white line 15 twips below, across its width and no further, when it is repainted
// from the drawing it keeps.
TEST(Line3D, IsThirtyTwipsHighWithTheShadowLineAboveAWhiteLineAcrossTheWidth) {
    FakeBoxes boxes;
    Line3D line{boxes};
    const ScreenScale scale = ScreenScale::screen();
    const HWND host = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_CLIPCHILDREN, 40, 40, 400, 100,
                                      nullptr, nullptr, nullptr, nullptr);
    registerWindowClass(GetModuleHandleA(nullptr), kLine3DClass, Line3D::windowProc);
    CreateWindowExA(0, kLine3DClass, "", WS_CHILD | WS_VISIBLE, 0, 10, 200, 5, host, nullptr,
                    nullptr, &line);
    ShowWindow(host, SW_SHOWNOACTIVATE);
    for (const auto& [width, asked] : {std::pair{150, 40}, {333, 1}, {0, 300}, {120, 0}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(asked));
        SetWindowPos(line.window(), nullptr, 0, 0, width, asked, SWP_NOMOVE | SWP_NOZORDER);
        RECT client{};
        GetClientRect(line.window(), &client);
        EXPECT_EQ(std::pair(client.right, client.bottom),
                  std::pair(LONG{width}, LONG{scale.pixelsY(30)}));
        RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        POINT origin{0, 0};
        ClientToScreen(line.window(), &origin);
        const WindowDc screen(nullptr);
        for (int x = 0; x < width + 4; ++x) {
            const COLORREF top = GetPixel(screen.get(), origin.x + x, origin.y);
            const COLORREF below =
                GetPixel(screen.get(), origin.x + x, origin.y + scale.pixelsY(15));
            EXPECT_EQ(std::pair(top == GetSysColor(COLOR_BTNSHADOW), below == RGB(255, 255, 255)),
                      std::pair(x < width, x < width))
                << x;
        }
    }
    DestroyWindow(host);
    EXPECT_TRUE(boxes.shown.empty());
}

} // namespace
} // namespace ostrel::test
