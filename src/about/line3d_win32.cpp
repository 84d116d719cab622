#include "about/line3d_win32.h"

#include "platform/win32/child_window_win32.h"
#include "platform/win32/screen_scale_win32.h"
#include "report/error_report.h"

namespace ostrel {
namespace {

constexpr const char* kModule = "Line3d.";
constexpr int kHeightTwips = 30;
constexpr int kWhiteLineTwips = 15;

} // namespace

Line3D::~Line3D() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

void Line3D::drawHorizontal(HDC dc, int y, int width, COLORREF colour) const {
    const UniquePen pen(CreatePen(PS_SOLID, 1, colour));
    if (!pen) {
        raise(err::OutOfMemory);
    }
    const Selected selected(dc, pen.get());
    MoveToEx(dc, 0, y, nullptr);
    LineTo(dc, width, y);
}

// Both lines across the current width: the white one first, then the shadow line in the
// button-shadow colour as it is now.
void Line3D::DrawLine() {
    reported(boxes_, __func__, kModule, [&] {
        RECT client{};
        GetClientRect(window_, &client);
        const WindowDc screen(window_);
        UniqueBitmap next(CreateCompatibleBitmap(screen.get(), client.right > 0 ? client.right : 1,
                                                 client.bottom > 0 ? client.bottom : 1));
        const UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
        if (!next || !dc) {
            raise(err::OutOfMemory);
        }
        const Selected target(dc.get(), next.get());
        FillRect(dc.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
        drawHorizontal(dc.get(), ScreenScale::of(window_).pixelsY(kWhiteLineTwips), client.right,
                       RGB(255, 255, 255));
        drawHorizontal(dc.get(), 0, client.right, GetSysColor(COLOR_BTNSHADOW));
        drawing_ = std::move(next);
    });
    InvalidateRect(window_, nullptr, FALSE);
}

void Line3D::UserControl_Initialize() {
    reported(boxes_, __func__, kModule, [&] { DrawLine(); });
}

void Line3D::UserControl_Resize() {
    reported(boxes_, __func__, kModule, [&] {
        RECT bounds{};
        GetWindowRect(window_, &bounds);
        const int height = ScreenScale::of(window_).pixelsY(kHeightTwips);
        if (bounds.bottom - bounds.top != height) {
            // Raises a nested resize, which finds the height right and draws.
            SetWindowPos(window_, nullptr, 0, 0, bounds.right - bounds.left, height,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        DrawLine();
    });
}

void Line3D::show(HDC target) const {
    if (!drawing_) {
        return;
    }
    const UniqueMemoryDc dc(CreateCompatibleDC(target));
    BITMAP size{};
    GetObject(drawing_.get(), sizeof size, &size);
    const Selected source(dc.get(), drawing_.get());
    BitBlt(target, 0, 0, size.bmWidth, size.bmHeight, dc.get(), 0, 0, SRCCOPY);
}

LRESULT CALLBACK Line3D::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return routeToOwner(window, message, wParam, lParam, &Line3D::window_, &Line3D::handle);
}

LRESULT Line3D::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        UserControl_Initialize();
        return 0;
    case WM_SIZE:
        UserControl_Resize();
        return 0;
    case WM_ERASEBKGND:
        return 1; // the drawing covers the whole control
    case WM_PAINT: {
        PAINTSTRUCT paint;
        show(BeginPaint(window_, &paint));
        EndPaint(window_, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        show(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_NCHITTEST:
        return HTTRANSPARENT; // takes no input: clicks go to the window below
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

} // namespace ostrel
