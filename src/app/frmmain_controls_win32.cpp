// The main window's controls: their classes, places, fonts, pictures and initial states.
#include "about/line3d_win32.h"
#include "app/frmmain.h"
#include "app/frmmain_view_win32.h"
#include "platform/win32/child_window_win32.h"
#include "platform/win32/pictures_win32.h"
#include "resource.h"

#include <string_view>
#include <utility>

namespace ostrel {
namespace {

constexpr const char* kWindowClass = "OstrelMainWindow";
constexpr const char* kPanelClass = "OstrelPanel";

// The laid-out client area, and the strip that is docked to its bottom edge.
constexpr int kClientWidth = 6750;
constexpr int kClientHeight = 4905;
constexpr int kStatusStripHeight = 285;
constexpr int kStatusLabelLeft = 120;
constexpr int kStatusLabelTop = 15;
constexpr int kStatusLabelHeight = 195;

enum class Font { standard, verdana };

struct ControlDesign {
    int id;
    const char* className;
    const char* text;
    DWORD style;
    DWORD exStyle;
    Twips place;
    Font font;
};

// A fixed single border with a minimise button; the user cannot resize it.
constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kTab = WS_TABSTOP | WS_GROUP;
constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX;
constexpr DWORD kButton = BS_PUSHBUTTON | kTab;

// In tab-index order, so that the order of the child windows is the tab order.
constexpr Font V = Font::verdana;
constexpr Font S = Font::standard;
constexpr DWORD list = LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_SHAREIMAGELISTS;
constexpr DWORD combo = CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL;
constexpr int strip = kClientHeight - kStatusStripHeight;
constexpr DWORD off = kButton | WS_DISABLED; // Create and Delete start disabled
constexpr DWORD edge = WS_EX_CLIENTEDGE;
// clang-format off
constexpr ControlDesign kControls[] = {
    {IDC_LABEL1, WC_STATICA, "Available Drives", kLabel, 0, {120, 210, 1395, 195}, V},
    {IDC_CMDCREATE, WC_BUTTONA, "&Create", off, 0, {120, 4080, 1215, 400}, S},
    {IDC_LSTDRIVES, WC_LISTVIEWA, "", list | kTab, edge, {120, 1320, 6495, 2055}, V},
    {IDC_CMDDELETE, WC_BUTTONA, "&Delete", off, 0, {1440, 4080, 1215, 400}, S},
    // The height of a drop-down combo box includes its opened list.
    {IDC_CBODRIVES, WC_COMBOBOXA, "", combo | kTab, 0, {120, 480, 1830, 315 * 8}, S},
    {IDC_LABEL2, WC_STATICA, "Current virtual drives in use.", kLabel, 0,
     {120, 1050, 2475, 195}, V},
    {IDC_CHKRESTORE, WC_BUTTONA, "Restore current virtual drives the next time windows starts.",
     BS_AUTOCHECKBOX | kTab, 0, {165, 3510, 5610, 285}, V},
    {IDC_LABEL3, WC_STATICA, "Path to your Virtual  drive", kLabel, 0,
     {2415, 210, 2280, 195}, V},
    {IDC_TXTPATHNAME, WC_EDITA, "", ES_AUTOHSCROLL | kTab, edge, {2400, 480, 3660, 345}, V},
    {IDC_CMDBROSWE, WC_BUTTONA, "....", kButton, 0, {6120, 470, 495, 350}, S},
    {IDC_LINE3D1, kLine3DClass, "", 0, 0, {0, 3960, 1905, 30}, S},
    {IDC_CMDABOUT, WC_BUTTONA, "&About", kButton, 0, {4080, 4080, 1215, 400}, S},
    {IDC_LINE3D2, kLine3DClass, "", 0, 0, {0, 15, 720, 30}, S},
    {IDC_CMDEXIT, WC_BUTTONA, "E&xit", kButton, 0, {5400, 4080, 1215, 400}, S},
    {IDC_PICTURE1, kPanelClass, "", WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
     {0, strip, kClientWidth, kStatusStripHeight}, S},
    {IDC_CMDREFRESH, WC_BUTTONA, "&Refresh", kButton, 0, {2760, 4080, 1215, 400}, S},
    {IDC_IMAGE1, WC_STATICA, "", SS_BITMAP, 0, {1635, 180, 240, 240}, S},
    {IDC_IMAGE2, WC_STATICA, "", SS_BITMAP, 0, {4695, 225, 240, 195}, S},
};
// clang-format on

// The system's message font, the window's default font, at the window's resolution.
UniqueFont messageFont(const ScreenScale& scale) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTA font{};
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        font = metrics.lfMessageFont;
    } else {
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    }
    // The system measures it for the primary screen.
    font.lfHeight = scale.pixels(font.lfHeight, ScreenScale::screen().dpi());
    return UniqueFont(CreateFontIndirectA(&font));
}

HMENU createMenu() {
    const HMENU bar = CreateMenu();
    const HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, IDM_EXIT, "E&xit");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    AppendMenuA(bar, MF_STRING, IDM_ABOUT, "&About");
    return bar;
}

} // namespace

Win32MainView::Win32MainView(Platform& platform, HINSTANCE instance)
    : platform_(platform), scale_(ScreenScale::screen()),
      background_(CreateSolidBrush(kMainBackground)) {
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
    CreateWindowExA(0, kWindowClass, "Ostrel", kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0,
                    nullptr, createMenu(), instance, this);
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
    // In the table's order, so that the order of the child windows is the tab order.
    for (const auto& control : kControls) {
        const HWND child = std::string_view(control.className) == kLine3DClass
                               ? createLine3D(window_, control.id, 0, 0, 0, platform_.boxes)
                               : makeChild(scale_, window_, control.className, control.text,
                                           control.style, control.exStyle, {}, control.id, nullptr);
        if (control.id == IDC_PICTURE1) {
            // The status label lives inside the strip.
            lblStatus_ = makeChild(scale_, child, WC_STATICA, "Ready", kLabel, 0, {}, IDC_LBLSTATUS,
                                   nullptr);
        }
    }
    const auto item = [&](int id) { return GetDlgItem(window_, id); };
    cbodrives_ = item(IDC_CBODRIVES);
    txtPathName_ = item(IDC_TXTPATHNAME);
    lstDrives_ = item(IDC_LSTDRIVES);
    chkrestore_ = item(IDC_CHKRESTORE);
    picture1_ = item(IDC_PICTURE1);
    label3_ = item(IDC_LABEL3);
    line3D1_ = item(IDC_LINE3D1);
    line3D2_ = item(IDC_LINE3D2);
    cmdcreate_ = item(IDC_CMDCREATE);
    cmddelete_ = item(IDC_CMDDELETE);
    cmdRefresh_ = item(IDC_CMDREFRESH);
    cmdabout_ = item(IDC_CMDABOUT);
    cmdexit_ = item(IDC_CMDEXIT);
    cmdbroswe_ = item(IDC_CMDBROSWE);
    layOut(instance);
}

void Win32MainView::layOut(HINSTANCE instance) {
    // The old fonts go only when every control has its new one.
    const UniqueFont oldVerdana = std::exchange(verdana_, makeFont(scale_, "Verdana", 825));
    const UniqueFont oldDefault = std::exchange(defaultFont_, messageFont(scale_));
    for (const auto& control : kControls) {
        const Twips& place = control.place;
        const HWND child = GetDlgItem(window_, control.id);
        SetWindowPos(child, nullptr, scale_.pixelsX(place.left), scale_.pixelsY(place.top),
                     scale_.pixelsX(place.width), scale_.pixelsY(place.height),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        const HFONT font = control.font == Font::verdana ? verdana_.get() : defaultFont_.get();
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    SetWindowPos(lblStatus_, nullptr, scale_.pixelsX(kStatusLabelLeft),
                 scale_.pixelsY(kStatusLabelTop), 0, scale_.pixelsY(kStatusLabelHeight),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(lblStatus_, WM_SETFONT, reinterpret_cast<WPARAM>(defaultFont_.get()), TRUE);
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
    layOut(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window_, GWLP_HINSTANCE)));
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32MainView::loadPictures(HINSTANCE instance) {
    // The program's icon in the task switcher and in the caption.
    bigIcon_ = loadIcon(instance, MAKEINTRESOURCEA(IDI_OSTREL), 32, scale_);
    smallIcon_ = loadIcon(instance, MAKEINTRESOURCEA(IDI_OSTREL), 16, scale_);
    SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));

    // The pictures have the window's background where nothing is drawn.
    image1_ = loadBitmap(instance, "DRIVE", {16, 16}, scale_);
    image2_ = loadBitmap(instance, "FOLDER", {16, 13}, scale_);
    SendDlgItemMessageA(window_, IDC_IMAGE1, STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(image1_.get()));
    SendDlgItemMessageA(window_, IDC_IMAGE2, STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(image2_.get()));

    // ImageList1: the one picture of every entry of the list, masked by the background.
    const int size = scale_.pixels(16);
    decltype(imageList1_) rows(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 1, 0));
    const UniqueBitmap drive = loadBitmap(instance, "DRIVE", {16, 16}, scale_);
    if (rows && drive) {
        ImageList_AddMasked(rows.get(), drive.get(), kMainBackground);
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
    const std::string caption = text(lblStatus_);
    SIZE extent{};
    {
        const WindowDc dc(lblStatus_);
        const Selected font(dc.get(), defaultFont_.get());
        GetTextExtentPoint32A(dc.get(), caption.c_str(), static_cast<int>(caption.size()), &extent);
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
