#include "about/frmabout_view_win32.h"

#include <commctrl.h>

#include <iterator>

#include "about/frmabout.h"
#include "about/frmabout_design_win32.h"
#include "platform/win32/dialogs_win32.h"
#include "platform/win32/pictures_win32.h"
#include "platform/win32/wide_win32.h"
#include "resource.h"
#include "support/procedure_error.h"

namespace ostrel {
using namespace frmAboutDesign;
namespace {

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
    GetObjectW(picture, sizeof size, &size);
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
    const auto instance = reinterpret_cast<HINSTANCE>(GetModuleHandleW(nullptr));
    static const INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&common);
    registerWindowClass(instance, kPanelClass, panelProc);
}

void Win32AboutView::showModal(frmAbout& form) {
    form_ = &form;
    const INT_PTR result =
        DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &kTemplate.header, owner_, dialogProc,
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
    // Laid out for the resolution of its owner's monitor, and by itself when it moves to
    // a monitor of another one.
    scale_.keepFor(window_);
    ScreenScale::layOutDialogItself(window_);
    const SIZE outer = scale_.windowSize(
        kClientWidth, kClientHeight, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)),
        false, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)));
    SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    controls_.create(window_);
    layOut();
    addToolTip(controls_[IDC_ABOUT_LBLHOMEPAGE], kHomePage);
    addToolTip(controls_[IDC_ABOUT_LBLEMAIL], kSupportEMail);
    // Loading runs before the dialog shows; its failure ends the dialog unshown and is
    // passed on from showModal, as an exception cannot pass through the system's code.
    try {
        form_->Form_Load();
    } catch (...) { // every failure, whatever it is, reaches the caller of showModal
        loadFailure_ = std::current_exception();
        EndDialog(window_, 0);
        return false;
    }
    placeOverOwner();
    setBoxOwner(boxes_, window_);
    SetFocus(controls_[IDOK]);
    return true;
}

void Win32AboutView::layOut() {
    controls_.layOut(scale_);
    // The pictures for the resolution, each given to its control before the one it
    // replaces goes.
    const auto instance = reinterpret_cast<HINSTANCE>(GetModuleHandleW(nullptr));
    UniqueBitmap banner = loadBitmap(instance, "ABOUT_BANNER", {464, 53}, scale_);
    UniqueBitmap icon = loadBitmap(instance, "ABOUT_ICON", {64, 64}, scale_);
    UniqueBitmap picture = loadBitmap(instance, "ABOUT_PICTURE", {141, 48}, scale_);
    SetWindowLongPtrW(controls_[kBanner], GWLP_USERDATA, reinterpret_cast<LONG_PTR>(banner.get()));
    InvalidateRect(controls_[kBanner], nullptr, TRUE);
    SendMessageW(controls_[IDC_ABOUT_IMAGE2], STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(icon.get()));
    SendMessageW(controls_[IDC_ABOUT_IMAGE1], STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(picture.get()));
    banner_ = std::move(banner);
    icon_ = std::move(icon);
    picture_ = std::move(picture);
    linkCursor_ = loadCursor(instance, "ABOUT_LINK", scale_);
}

void Win32AboutView::addToolTip(HWND control, const char* text) {
    if (tooltip_ == nullptr) {
        tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    }
    std::wstring tip = wide(text);
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = tip.data();
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32AboutView::setCaption(const std::string& text) {
    SetWindowTextW(window_, wide(text).c_str());
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
    // The work area of the owner's monitor: the one that holds most of it (or held, when
    // it is minimised); the primary monitor's when there is no owner.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT area = monitor.rcWork;
    RECT over = area;
    if (owner_ != nullptr && IsWindowVisible(owner_) && !IsIconic(owner_)) {
        GetWindowRect(owner_, &over);
    }
    const int width = dialog.right - dialog.left;
    const int height = dialog.bottom - dialog.top;
    int left = over.left + (over.right - over.left - width) / 2;
    int top = over.top + (over.bottom - over.top - height) / 2;
    // Kept on that work area.
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
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    }
    auto* view = reinterpret_cast<Win32AboutView*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (view == nullptr) {
        return FALSE;
    }
    if (message == WM_NCDESTROY) {
        ScreenScale::forget(dialog);
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
        return SendMessageW(GetParent(window), message, wParam, lParam);
    case WM_ERASEBKGND: {
        const auto dc = reinterpret_cast<HDC>(wParam);
        const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
            GetParent(window), WM_CTLCOLORSTATIC, wParam, reinterpret_cast<LPARAM>(window)));
        RECT client{};
        GetClientRect(window, &client);
        FillRect(dc, &client, brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE));
        if (const auto picture =
                reinterpret_cast<HBITMAP>(GetWindowLongPtrW(window, GWLP_USERDATA));
            picture != nullptr) {
            drawPicture(dc, picture);
        }
        return 1;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

INT_PTR Win32AboutView::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        initialize();
        return FALSE; // the focus is set
    case WM_DPICHANGED: {
        scale_ = ScreenScale(LOWORD(wParam));
        scale_.keepFor(window_);
        layOut();
        const auto& suggested = *reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                     suggested.right - suggested.left, suggested.bottom - suggested.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return TRUE;
    }
    case WM_CTLCOLORDLG:
        return reinterpret_cast<INT_PTR>(background_.get());
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return reinterpret_cast<INT_PTR>(
            controlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_SETCURSOR:
        if (isLink(reinterpret_cast<HWND>(wParam))) {
            SetCursor(linkCursor_ ? linkCursor_.get() : LoadCursor(nullptr, IDC_HAND));
            SetWindowLongPtrW(window_, DWLP_MSGRESULT, TRUE);
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
