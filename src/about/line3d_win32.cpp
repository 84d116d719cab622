#include "about/line3d_win32.h"

#include "platform/win32/child_window_win32.h"
#include "platform/win32/screen_scale_win32.h"
#include "platform/win32/unique_gdi_win32.h"
#include "support/error_report.h"

namespace ostrel {
namespace {

constexpr const char* kModule = "Line3d.";
constexpr int kHeightTwips = 30;
constexpr int kWhiteLineTwips = 15;

// One control's drawing, kept so that a repaint shows the lines last drawn: the control
// draws only when it is created and when it is resized.
struct Line3D {
    HWND window;
    MessageBoxes& boxes;
    UniqueBitmap drawing;

    void drawHorizontal(HDC dc, int y, int width, COLORREF colour) const {
        const UniquePen pen(CreatePen(PS_SOLID, 1, colour));
        if (!pen) {
            raise(err::OutOfMemory);
        }
        const Selected selected(dc, pen.get());
        MoveToEx(dc, 0, y, nullptr);
        LineTo(dc, width, y);
    }

    int innerWidth() const {
        RECT client{};
        GetClientRect(window, &client);
        return client.right;
    }

    // Both lines across the current width: the white one first, then the shadow line
    // in the button-shadow colour as it is now.
    void DrawLine() {
        reported(boxes, __func__, kModule, [&] {
            RECT client{};
            GetClientRect(window, &client);
            const WindowDc screen(window);
            UniqueBitmap next(CreateCompatibleBitmap(screen.get(),
                                                     client.right > 0 ? client.right : 1,
                                                     client.bottom > 0 ? client.bottom : 1));
            const UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
            if (!next || !dc) {
                raise(err::OutOfMemory);
            }
            const Selected target(dc.get(), next.get());
            FillRect(dc.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
            drawHorizontal(dc.get(), ScreenScale::of(window).pixelsY(kWhiteLineTwips), innerWidth(),
                           RGB(255, 255, 255));
            drawHorizontal(dc.get(), 0, innerWidth(), GetSysColor(COLOR_BTNSHADOW));
            drawing = std::move(next);
        });
        InvalidateRect(window, nullptr, FALSE);
    }

    void UserControl_Initialize() {
        reported(boxes, __func__, kModule, [&] { DrawLine(); });
    }

    void UserControl_Resize() {
        reported(boxes, __func__, kModule, [&] {
            RECT bounds{};
            GetWindowRect(window, &bounds);
            const int height = ScreenScale::of(window).pixelsY(kHeightTwips);
            if (bounds.bottom - bounds.top != height) {
                // Raises a nested resize, which finds the height right and draws.
                SetWindowPos(window, nullptr, 0, 0, bounds.right - bounds.left, height,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            DrawLine();
        });
    }

    void show(HDC target) const {
        if (!drawing) {
            return;
        }
        const UniqueMemoryDc dc(CreateCompatibleDC(target));
        BITMAP size{};
        GetObject(drawing.get(), sizeof size, &size);
        const Selected source(dc.get(), drawing.get());
        BitBlt(target, 0, 0, size.bmWidth, size.bmHeight, dc.get(), 0, 0, SRCCOPY);
    }
};

LRESULT CALLBACK line3DProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* line = reinterpret_cast<Line3D*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_NCCREATE: {
        const auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* boxes = static_cast<MessageBoxes*>(create->lpCreateParams);
        if (boxes == nullptr) {
            return FALSE;
        }
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(new Line3D{window, *boxes, {}}));
        break;
    }
    case WM_CREATE:
        line->UserControl_Initialize();
        return 0;
    case WM_SIZE:
        line->UserControl_Resize();
        return 0;
    case WM_ERASEBKGND:
        return 1; // the drawing covers the whole control
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        line->show(dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        line->show(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_NCHITTEST:
        return HTTRANSPARENT; // takes no input: clicks go to the window below
    case WM_NCDESTROY:
        delete line;
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

HWND createLine3D(HWND parent, int id, int x, int y, int width, MessageBoxes& boxes) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    registerWindowClass(instance, kLine3DClass, line3DProc);
    const int height = ScreenScale::of(parent).pixelsY(kHeightTwips);
    return CreateWindowExA(0, kLine3DClass, "", WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, &boxes);
}

} // namespace ostrel
