#include "about/frmabout_view_win32.h"

#include <commctrl.h>

#include <iterator>

#include "about/frmabout.h"
#include "platform/win32/dialogs_win32.h"
#include "platform/win32/pictures_win32.h"
#include "resource.h"
#include "support/error_report.h"

namespace ostrel {
namespace {

constexpr const char* kPanelClass = "OstrelAboutPanel";
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kLinkColour = RGB(0, 0, 192);
constexpr COLORREF kDarkGrey = RGB(64, 64, 64);
constexpr int kClientWidth = 6870;
constexpr int kClientHeight = 3870;

// An empty dialog with a fixed border, without minimise and maximise buttons; its
// controls come from the table when it initialises.
struct alignas(4) EmptyDialog {
    DLGTEMPLATE header;
    WORD menu, windowClass, title;
};
constexpr EmptyDialog kTemplate{{WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                                 WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, 0, 0, 0, 0, 0},
                                0,
                                0,
                                0};

enum Font { kDialog, kTitle, kNote, kVerdana, kLink };
constexpr FontDesign kFonts[] = {{"MS Sans Serif", 825},
                                 {"Arial", 975, true},
                                 {"Arial", 825},
                                 {"Verdana", 825},
                                 {"MS Sans Serif", 825, true, true}};

constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX;
// A label that takes the size of its text never wraps it.
constexpr DWORD kSized = SS_LEFTNOWORDWRAP | SS_NOPREFIX;
constexpr DWORD kPanel = WS_CLIPCHILDREN;
constexpr DWORD kPanelEx = WS_EX_CONTROLPARENT;
constexpr int kBanner = IDC_ABOUT_PICTURE3;
constexpr int kBlock = IDC_ABOUT_PICTURE1;

// clang-format off
constexpr ControlDesign kControls[] = {
    // The banner, a white panel showing its picture, with the title and the note on it.
    {kPanelClass, kBanner, "", {0, 0, 6870, 780}, kPanel, kDialog, kPanelEx},
    {WC_STATICA, IDC_ABOUT_LBLTITLE, "", {2280, 90, 4335, 240}, kLabel, kTitle, 0, kBanner},
    {WC_STATICA, IDC_ABOUT_LABEL8, "This program is freeware", {4800, 360, 1845, 210}, kSized,
     kNote, 0, kBanner, true},
    {WC_STATICA, IDC_ABOUT_LABEL1, "This software is registered to:", {120, 960, 2055, 195},
     kSized, kDialog, 0, 0, true},
    // The registration block.
    {kPanelClass, kBlock, "", {120, 1200, 6615, 1215}, kPanel, kDialog, kPanelEx},
    {WC_STATICA, IDC_ABOUT_LABEL4, "Registered name:", {90, 120, 1530, 195}, kSized, kVerdana, 0,
     kBlock, true},
    {WC_STATICA, IDC_ABOUT_LABEL4 + 1, "Company name:", {90, 420, 1440, 195}, kSized, kVerdana, 0,
     kBlock, true},
    {WC_STATICA, IDC_ABOUT_LABEL4 + 2, "Serial number:", {90, 720, 1290, 195}, kSized, kVerdana,
     0, kBlock, true},
    {WC_STATICA, IDC_ABOUT_LBLREGNAME, "Unregistered Name", {1785, 120, 1650, 195}, kSized,
     kVerdana, 0, kBlock, true},
    {WC_STATICA, IDC_ABOUT_LBLREGCOMPANY, "Unregistered Company", {1785, 420, 1980, 195}, kSized,
     kVerdana, 0, kBlock, true},
    {WC_STATICA, IDC_ABOUT_LBLREGSERIAL, "0000-0000-0000-0000", {1785, 720, 1905, 195}, kSized,
     kVerdana, 0, kBlock, true},
    {WC_STATICA, IDC_ABOUT_IMAGE2, "", {5520, 120, 960, 960}, SS_BITMAP, kNoFont, 0, kBlock},
    // The lower part: rules, picture, links, buttons and the copyright notice.
    {WC_STATICA, IDC_ABOUT_FRAME1, "", {0, 2640, 6855, 40}, SS_ETCHEDFRAME, kNoFont},
    {WC_STATICA, IDC_ABOUT_IMAGE1, "", {0, 2730, 2115, 720}, SS_BITMAP, kNoFont},
    {WC_STATICA, IDC_ABOUT_LBLHOMEPAGE, "WebSite", {2280, 2940, 735, 195}, kSized | SS_NOTIFY,
     kLink, 0, 0, true},
    {WC_STATICA, IDC_ABOUT_LBLEMAIL, "Email me", {3240, 2940, 765, 195}, kSized | SS_NOTIFY, kLink,
     0, 0, true},
    {WC_BUTTONA, IDC_ABOUT_CMDSYSINFO, "&System Info...", {4320, 2880, 1245, 400},
     BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, kDialog},
    {WC_BUTTONA, IDOK, "&OK", {5640, 2880, 1155, 400}, BS_DEFPUSHBUTTON | WS_TABSTOP, kDialog},
    {WC_STATICA, IDC_ABOUT_FRAME2, "", {0, 3480, 6855, 40}, SS_ETCHEDFRAME, kNoFont},
    {WC_STATICA, IDC_ABOUT_LBLCOPYRIGHT, "", {3420, 3600, 3315, 195}, kSized, kVerdana, 0, 0,
     true},
};
// clang-format on

// The labels the form reads and writes, in the order of AboutLabel.
constexpr int kLabelIds[] = {IDC_ABOUT_LBLTITLE, IDC_ABOUT_LBLCOPYRIGHT, IDC_ABOUT_LBLREGNAME,
                             IDC_ABOUT_LBLREGCOMPANY, IDC_ABOUT_LBLREGSERIAL};

// Esc and the window's close button reach the dialog as IDCANCEL; both close it as OK
// does. Labels notify a click as STN_CLICKED.
constexpr CommandRoute<frmAbout> kCommands[] = {
    {IDOK, BN_CLICKED, &frmAbout::cmdok_Click},
    {IDCANCEL, BN_CLICKED, &frmAbout::cmdok_Click},
    {IDC_ABOUT_CMDSYSINFO, BN_CLICKED, &frmAbout::cmdSysInfo_Click},
    {IDC_ABOUT_LBLEMAIL, STN_CLICKED, &frmAbout::lblEMail_Click},
    {IDC_ABOUT_LBLHOMEPAGE, STN_CLICKED, &frmAbout::lblHomePage_Click},
};

bool isLink(HWND control) {
    const int id = GetDlgCtrlID(control);
    return id == IDC_ABOUT_LBLHOMEPAGE || id == IDC_ABOUT_LBLEMAIL;
}

// Paints a picture at the top left corner of a window's client area.
void drawPicture(HDC dc, HBITMAP picture) {
    BITMAP size{};
    GetObjectA(picture, sizeof size, &size);
    const UniqueMemoryDc memory(CreateCompatibleDC(dc));
    const Selected selected(memory.get(), picture);
    BitBlt(dc, 0, 0, size.bmWidth, size.bmHeight, memory.get(), 0, 0, SRCCOPY);
}

// Message boxes belong to the open dialog, and to the main window again afterwards.
void setBoxOwner(MessageBoxes& boxes, HWND owner) {
    if (auto* win32 = dynamic_cast<Win32MessageBoxes*>(&boxes)) {
        win32->setOwner(owner);
    }
}

} // namespace

Win32AboutView::Win32AboutView(HWND owner, MessageBoxes& boxes)
    : owner_(owner), boxes_(boxes), scale_(ScreenScale::of(owner)), controls_(kControls, kFonts),
      background_(CreateSolidBrush(kFormBackground)), white_(CreateSolidBrush(kWhite)) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetModuleHandleA(nullptr));
    static const INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&common);
    registerWindowClass(instance, kPanelClass, panelProc);
    banner_ = loadBitmap(instance, "ABOUT_BANNER", {464, 53}, scale_);
    icon_ = loadBitmap(instance, "ABOUT_ICON", {64, 64}, scale_);
    picture_ = loadBitmap(instance, "ABOUT_PICTURE", {141, 48}, scale_);
    linkCursor_ = loadCursor(instance, "ABOUT_LINK", scale_);
}

void Win32AboutView::showModal(frmAbout& form) {
    form_ = &form;
    const INT_PTR result =
        DialogBoxIndirectParamA(GetModuleHandleA(nullptr), &kTemplate.header, owner_, dialogProc,
                                reinterpret_cast<LPARAM>(this));
    setBoxOwner(boxes_, owner_);
    form_ = nullptr;
    if (loadFailure_) {
        std::rethrow_exception(loadFailure_);
    }
    if (result == -1) {
        raise(err::OutOfMemory);
    }
}

bool Win32AboutView::initialize() {
    RECT outer{0, 0, scale_.pixelsX(kClientWidth), scale_.pixelsY(kClientHeight)};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrA(window_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(window_, GWL_EXSTYLE)));
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    controls_.create(window_);
    controls_.layOut(scale_);
    SetWindowLongPtrA(controls_[kBanner], GWLP_USERDATA, reinterpret_cast<LONG_PTR>(banner_.get()));
    SendMessageA(controls_[IDC_ABOUT_IMAGE2], STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(icon_.get()));
    SendMessageA(controls_[IDC_ABOUT_IMAGE1], STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(picture_.get()));
    addToolTip(controls_[IDC_ABOUT_LBLHOMEPAGE], kHomePage);
    addToolTip(controls_[IDC_ABOUT_LBLEMAIL], kSupportEMail);
    // Loading runs before the dialog shows; its failure ends the dialog unshown and is
    // passed on from showModal, as an exception cannot pass through the system's code.
    try {
        form_->Form_Load();
    } catch (...) {
        loadFailure_ = std::current_exception();
        EndDialog(window_, 0);
        return false;
    }
    placeOverOwner();
    setBoxOwner(boxes_, window_);
    SetFocus(controls_[IDOK]);
    return true;
}

void Win32AboutView::addToolTip(HWND control, const char* text) {
    if (tooltip_ == nullptr) {
        tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    }
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<char*>(text);
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32AboutView::setCaption(const std::string& text) {
    SetWindowTextA(window_, text.c_str());
}

std::string Win32AboutView::labelCaption(AboutLabel which) {
    return windowText(controls_[kLabelIds[static_cast<int>(which)]]);
}

void Win32AboutView::setLabelCaption(AboutLabel which, const std::string& text) {
    controls_.setText(kLabelIds[static_cast<int>(which)], text);
}

std::uintptr_t Win32AboutView::hwnd() {
    return reinterpret_cast<std::uintptr_t>(window_);
}

void Win32AboutView::placeOverOwner() {
    RECT dialog{};
    GetWindowRect(window_, &dialog);
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RECT over = area;
    if (owner_ != nullptr && IsWindowVisible(owner_) && !IsIconic(owner_)) {
        GetWindowRect(owner_, &over);
    }
    const int width = dialog.right - dialog.left;
    const int height = dialog.bottom - dialog.top;
    int left = over.left + (over.right - over.left - width) / 2;
    int top = over.top + (over.bottom - over.top - height) / 2;
    // Kept on the screen's work area.
    left = left + width > area.right ? area.right - width : left;
    top = top + height > area.bottom ? area.bottom - height : top;
    left = left < area.left ? area.left : left;
    top = top < area.top ? area.top : top;
    SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32AboutView::unload() {
    // The system enables the owner again before the dialog goes, so that it becomes the
    // active window.
    if (window_ != nullptr) {
        EndDialog(window_, IDOK);
    }
}

INT_PTR CALLBACK Win32AboutView::dialogProc(HWND dialog, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* view = reinterpret_cast<Win32AboutView*>(lParam);
        view->window_ = dialog;
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    }
    auto* view = reinterpret_cast<Win32AboutView*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (view == nullptr) {
        return FALSE;
    }
    if (message == WM_NCDESTROY) {
        view->window_ = nullptr;
        return FALSE;
    }
    return view->handle(message, wParam, lParam);
}

// Panels hand their controls' notifications and colour questions to the dialog, and
// ask it for their own background, on which they show their picture.
LRESULT CALLBACK Win32AboutView::panelProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return SendMessageA(GetParent(window), message, wParam, lParam);
    case WM_ERASEBKGND: {
        const auto dc = reinterpret_cast<HDC>(wParam);
        const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
            GetParent(window), WM_CTLCOLORSTATIC, wParam, reinterpret_cast<LPARAM>(window)));
        RECT client{};
        GetClientRect(window, &client);
        FillRect(dc, &client, brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE));
        if (const auto picture =
                reinterpret_cast<HBITMAP>(GetWindowLongPtrA(window, GWLP_USERDATA));
            picture != nullptr) {
            drawPicture(dc, picture);
        }
        return 1;
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

INT_PTR Win32AboutView::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        initialize();
        return FALSE; // the focus is set
    case WM_CTLCOLORDLG:
        return reinterpret_cast<INT_PTR>(background_.get());
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return reinterpret_cast<INT_PTR>(
            controlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_SETCURSOR:
        if (isLink(reinterpret_cast<HWND>(wParam))) {
            SetCursor(linkCursor_ ? linkCursor_.get() : LoadCursor(nullptr, IDC_HAND));
            SetWindowLongPtrA(window_, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        return FALSE;
    case WM_COMMAND:
        return form_ != nullptr && runCommand<frmAbout>(kCommands, *form_, wParam);
    default:
        return FALSE;
    }
}

HBRUSH Win32AboutView::controlColour(HDC dc, HWND control) {
    const HWND banner = controls_[kBanner];
    const bool onBanner = control == banner || GetParent(control) == banner;
    COLORREF text = RGB(0, 0, 0);
    switch (GetDlgCtrlID(control)) {
    case IDC_ABOUT_LABEL8:
        text = kBlue;
        break;
    case IDC_ABOUT_LBLHOMEPAGE:
    case IDC_ABOUT_LBLEMAIL:
        text = kLinkColour;
        break;
    case IDC_ABOUT_LBLCOPYRIGHT:
        text = kDarkGrey;
        break;
    default:
        break;
    }
    SetTextColor(dc, text);
    SetBkColor(dc, onBanner ? kWhite : kFormBackground);
    return onBanner ? white_.get() : background_.get();
}

} // namespace ostrel
