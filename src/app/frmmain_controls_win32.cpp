// The main window's controls: their classes, places, fonts, pictures and initial states.
#include "about/line3d_win32.h"
#include "app/frmmain.h"
#include "app/frmmain_design_win32.h"
#include "app/frmmain_view_win32.h"
#include "platform/win32/child_window_win32.h"
#include "platform/win32/pictures_win32.h"
#include "platform/win32/wide_win32.h"
#include "resource.h"

#include <utility>

namespace ostrel {
using namespace frmmainDesign;
namespace {

HMENU createMenu() {
    const HMENU bar = CreateMenu();
    const HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, IDM_EXIT, L"E&xit");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    AppendMenuW(bar, MF_STRING, IDM_ABOUT, L"&About");
    return bar;
}

} // namespace

Win32MainView::Win32MainView(Platform& platform, HINSTANCE instance)
    : platform_(platform), scale_(ScreenScale::screen()), controls_(kControls, kFonts),
      line3D1_(platform.boxes), line3D2_(platform.boxes),
      background_(CreateSolidBrush(kFormBackground)) {
    createWindow(instance);
    if (window_ != nullptr) {
        createControls(instance);
    }
}

Win32MainView::~Win32MainView() {
    form_ = nullptr;
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

void Win32MainView::createWindow(HINSTANCE instance) {
    registerWindowClass(instance, kWindowClass, windowProc);
    registerWindowClass(instance, kPanelClass, panelProc);
    registerWindowClass(instance, kLine3DClass, Line3D::windowProc);
    CreateWindowExW(0, wide(kWindowClass).c_str(), L"Ostrel", kWindowStyle, CW_USEDEFAULT,
                    CW_USEDEFAULT, 0, 0, nullptr, createMenu(), instance, this);
    if (window_ == nullptr) {
        return;
    }
    // Laid out for the monitor it opens on.
    scale_ = ScreenScale::of(window_);
    scale_.keepFor(window_);
    const SIZE outer = scale_.windowSize(kClientWidth, kClientHeight, kWindowStyle, true, 0);
    SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32MainView::createControls(HINSTANCE instance) {
    const Quiet quiet(*this);
    controls_.create(window_, {{IDC_LINE3D1, &line3D1_}, {IDC_LINE3D2, &line3D2_}});
    cbodrives_ = controls_[IDC_CBODRIVES];
    txtPathName_ = controls_[IDC_TXTPATHNAME];
    lstDrives_ = controls_[IDC_LSTDRIVES];
    chkrestore_ = controls_[IDC_CHKRESTORE];
    picture1_ = controls_[IDC_PICTURE1];
    lblStatus_ = controls_[IDC_LBLSTATUS];
    layOut(instance);
}

void Win32MainView::layOut(HINSTANCE instance) {
    controls_.layOut(scale_);
    for (std::size_t column = 0; column < columnTwips_.size(); ++column) {
        ListView_SetColumnWidth(lstDrives_, static_cast<int>(column),
                                scale_.wholePixelsX(columnTwips_[column]));
    }
    loadPictures(instance);
    dockStatusStrip();
    fitStatusLabel();
}

void Win32MainView::changeScale(int dpi, const RECT& suggested) {
    scale_ = ScreenScale(dpi);
    scale_.keepFor(window_);
    layOut(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE)));
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32MainView::loadPictures(HINSTANCE instance) {
    // The program's icon in the task switcher and in the caption.
    bigIcon_ = loadIcon(instance, IDI_OSTREL, 32, scale_);
    smallIcon_ = loadIcon(instance, IDI_OSTREL, 16, scale_);
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));

    // The pictures have the window's background where nothing is drawn.
    image1_ = loadBitmap(instance, "DRIVE", {16, 16}, scale_);
    image2_ = loadBitmap(instance, "FOLDER", {16, 13}, scale_);
    SendDlgItemMessageW(window_, IDC_IMAGE1, STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(image1_.get()));
    SendDlgItemMessageW(window_, IDC_IMAGE2, STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(image2_.get()));

    // ImageList1: the one picture of every entry of the list, masked by the background.
    const int size = scale_.pixels(16);
    decltype(imageList1_) rows(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 1, 0));
    const UniqueBitmap drive = loadBitmap(instance, "DRIVE", {16, 16}, scale_);
    if (rows && drive) {
        ImageList_AddMasked(rows.get(), drive.get(), kFormBackground);
    }
    ListView_SetImageList(lstDrives_, rows.get(), LVSIL_SMALL);
    imageList1_ = std::move(rows);
}

void Win32MainView::dockStatusStrip() {
    if (picture1_ == nullptr || IsIconic(window_)) {
        return;
    }
    RECT client{};
    GetClientRect(window_, &client);
    const int height = scale_.pixelsY(kStatusStripHeight);
    SetWindowPos(picture1_, nullptr, 0, client.bottom - height, client.right, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32MainView::fitStatusLabel() {
    const std::wstring caption = wide(text(lblStatus_));
    SIZE extent{};
    {
        const WindowDc dc(lblStatus_);
        const Selected font(dc.get(), controls_.font(kStandard));
        GetTextExtentPoint32W(dc.get(), caption.c_str(), static_cast<int>(caption.size()), &extent);
    }
    RECT strip{};
    GetClientRect(picture1_, &strip);
    const int left = scale_.pixelsX(kStatusLabelLeft);
    const int room = strip.right - left;
    SetWindowPos(lblStatus_, nullptr, 0, 0, extent.cx < room ? extent.cx : room,
                 scale_.pixelsY(kStatusLabelHeight), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(lblStatus_, nullptr, TRUE);
}

} // namespace ostrel
