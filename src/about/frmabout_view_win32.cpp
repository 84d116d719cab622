#include "about/frmabout_view_win32.h"

#include <commctrl.h>

#include "about/frmabout.h"
#include "about/frmabout_ids.h"
#include "platform/win32/child_window_win32.h"
#include "platform/win32/pictures_win32.h"
#include "support/error_report.h"

namespace ostrel {
namespace {

constexpr const char* kWindowClass = "OstrelAbout";
constexpr const char* kPanelClass = "OstrelAboutPanel";
constexpr COLORREF kBackground = RGB(240, 237, 225);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kLinkColour = RGB(0, 0, 192);
constexpr COLORREF kDarkGrey = RGB(64, 64, 64);
constexpr int kClientWidth = 6870;
constexpr int kClientHeight = 3870;
// A fixed dialog border without minimise and maximise buttons.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX;
// A label that takes the size of its text never wraps it.
constexpr DWORD kSizedLabel = SS_LEFTNOWORDWRAP | SS_NOPREFIX;

// Paints a picture at the top left corner of a window's client area.
void drawPicture(HDC dc, HBITMAP picture) {
    BITMAP size{};
    GetObjectA(picture, sizeof size, &size);
    const UniqueMemoryDc memory(CreateCompatibleDC(dc));
    const Selected selected(memory.get(), picture);
    BitBlt(dc, 0, 0, size.bmWidth, size.bmHeight, memory.get(), 0, 0, SRCCOPY);
}

} // namespace

Win32AboutView::Win32AboutView(HWND owner)
    : owner_(owner), scale_(ScreenScale::of(owner)), background_(CreateSolidBrush(kBackground)),
      white_(CreateSolidBrush(kWhite)), dialogFont_(makeFont(scale_, "MS Sans Serif", 825)),
      titleFont_(makeFont(scale_, "Arial", 975, true)), noteFont_(makeFont(scale_, "Arial", 825)),
      verdana_(makeFont(scale_, "Verdana", 825)),
      linkFont_(makeFont(scale_, "MS Sans Serif", 825, true, true)) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetModuleHandleA(nullptr));
    createWindow(instance);
    if (window_ == nullptr) {
        raise(err::OutOfMemory);
    }
    createControls(instance);
}

Win32AboutView::~Win32AboutView() {
    unload();
}

void Win32AboutView::createWindow(HINSTANCE instance) {
    static const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    registerWindowClass(instance, kWindowClass, windowProc);
    registerWindowClass(instance, kPanelClass, panelProc);
    RECT outer{0, 0, scale_.pixelsX(kClientWidth), scale_.pixelsY(kClientHeight)};
    AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
    CreateWindowExA(kExStyle, kWindowClass, "", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    outer.right - outer.left, outer.bottom - outer.top, owner_, nullptr, instance,
                    this);
}

void Win32AboutView::createControls(HINSTANCE instance) {
    const auto child = [&](HWND parent, int id, const char* className, const char* text,
                           DWORD style, Twips place, HFONT font) {
        return makeChild(scale_, parent, className, text, style, 0, place, id, font);
    };
    const auto panel = [&](int id, Twips place) {
        return makeChild(scale_, window_, kPanelClass, "", WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
                         place, id, dialogFont_.get());
    };
    banner_ = loadBitmap(instance, "ABOUT_BANNER", {464, 53}, scale_);
    icon_ = loadBitmap(instance, "ABOUT_ICON", {64, 64}, scale_);
    picture_ = loadBitmap(instance, "ABOUT_PICTURE", {141, 48}, scale_);
    linkCursor_ = loadCursor(instance, "ABOUT_LINK", scale_);

    // The banner, a white panel showing its picture, with the title and the note on it.
    picture3_ = panel(aboutid::Picture3, {0, 0, 6870, 780});
    SetWindowLongPtrA(picture3_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(banner_.get()));
    lblTitle_ = child(picture3_, aboutid::lblTitle, WC_STATICA, "", kLabel, {2280, 90, 4335, 240},
                      titleFont_.get());
    label8_ = child(picture3_, aboutid::Label8, WC_STATICA, "This program is freeware", kSizedLabel,
                    {4800, 360, 1845, 210}, noteFont_.get());
    const HWND label1 =
        child(window_, aboutid::Label1, WC_STATICA, "This software is registered to:", kSizedLabel,
              {120, 960, 2055, 195}, dialogFont_.get());

    // The registration block.
    const HWND picture1 = panel(aboutid::Picture1, {120, 1200, 6615, 1215});
    const char* const captions[] = {"Registered name:", "Company name:", "Serial number:"};
    const Twips places[] = {{90, 120, 1530, 195}, {90, 420, 1440, 195}, {90, 720, 1290, 195}};
    HWND label4[3] = {};
    for (int i = 0; i < 3; ++i) {
        label4[i] = child(picture1, aboutid::Label4First + i, WC_STATICA, captions[i], kSizedLabel,
                          places[i], verdana_.get());
    }
    lblregname_ = child(picture1, aboutid::lblregname, WC_STATICA, "Unregistered Name", kSizedLabel,
                        {1785, 120, 1650, 195}, verdana_.get());
    lblregcompany_ = child(picture1, aboutid::lblregcompany, WC_STATICA, "Unregistered Company",
                           kSizedLabel, {1785, 420, 1980, 195}, verdana_.get());
    lblregserial_ = child(picture1, aboutid::lblregserial, WC_STATICA, "0000-0000-0000-0000",
                          kSizedLabel, {1785, 720, 1905, 195}, verdana_.get());
    const HWND image2 =
        child(picture1, aboutid::Image2, WC_STATICA, "", SS_BITMAP, {5520, 120, 960, 960}, nullptr);

    // The lower part: rules, picture, links, buttons and the copyright notice.
    child(window_, aboutid::Frame1, WC_STATICA, "", SS_ETCHEDFRAME, {0, 2640, 6855, 40}, nullptr);
    const HWND image1 =
        child(window_, aboutid::Image1, WC_STATICA, "", SS_BITMAP, {0, 2730, 2115, 720}, nullptr);
    lblHomePage_ = child(window_, aboutid::lblHomePage, WC_STATICA, "WebSite",
                         kSizedLabel | SS_NOTIFY, {2280, 2940, 735, 195}, linkFont_.get());
    lblEMail_ = child(window_, aboutid::lblEMail, WC_STATICA, "Email me", kSizedLabel | SS_NOTIFY,
                      {3240, 2940, 765, 195}, linkFont_.get());
    child(window_, aboutid::cmdSysInfo, WC_BUTTONA, "&System Info...",
          BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, {4320, 2880, 1245, 400}, dialogFont_.get());
    cmdok_ = child(window_, aboutid::cmdok, WC_BUTTONA, "&OK", BS_DEFPUSHBUTTON | WS_TABSTOP,
                   {5640, 2880, 1155, 400}, dialogFont_.get());
    child(window_, aboutid::Frame2, WC_STATICA, "", SS_ETCHEDFRAME, {0, 3480, 6855, 40}, nullptr);
    lblCopyright_ = child(window_, aboutid::lblCopyright, WC_STATICA, "", kSizedLabel,
                          {3420, 3600, 3315, 195}, verdana_.get());

    SendMessageA(image2, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(icon_.get()));
    SendMessageA(image1, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_.get()));
    addToolTip(lblHomePage_, kHomePage);
    addToolTip(lblEMail_, kSupportEMail);
    // Every label but the title sizes itself to its text.
    for (const HWND sized :
         {label8_, label1, label4[0], label4[1], label4[2], lblregname_, lblregcompany_,
          lblregserial_, lblHomePage_, lblEMail_, lblCopyright_}) {
        sizeToText(sized);
    }
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

void Win32AboutView::sizeToText(HWND label) {
    const std::string text = windowText(label);
    RECT extent{0, 0, 0, 0};
    SIZE blank{};
    {
        const WindowDc dc(label);
        const Selected font(dc.get(),
                            reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
        DrawTextA(dc.get(), text.empty() ? " " : text.c_str(), -1, &extent,
                  DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
        GetTextExtentPoint32A(dc.get(), " ", 1, &blank);
    }
    // The room of one blank more: a label draws its text a little wider than it measures
    // on some systems, which would cut off the last character.
    const int width = text.empty() ? 0 : extent.right + blank.cx;
    SetWindowPos(label, nullptr, 0, 0, width, extent.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(label, nullptr, TRUE);
}

HWND Win32AboutView::label(AboutLabel which) const {
    switch (which) {
    case AboutLabel::lblTitle:
        return lblTitle_;
    case AboutLabel::lblCopyright:
        return lblCopyright_;
    case AboutLabel::lblregname:
        return lblregname_;
    case AboutLabel::lblregcompany:
        return lblregcompany_;
    case AboutLabel::lblregserial:
        return lblregserial_;
    }
    return nullptr;
}

void Win32AboutView::setCaption(const std::string& text) {
    SetWindowTextA(window_, text.c_str());
}

std::string Win32AboutView::labelCaption(AboutLabel which) {
    return windowText(label(which));
}

void Win32AboutView::setLabelCaption(AboutLabel which, const std::string& text) {
    const HWND control = label(which);
    SetWindowTextA(control, text.c_str());
    if (which != AboutLabel::lblTitle) {
        sizeToText(control);
    }
}

void Win32AboutView::setLblTitleFontName(const std::string& face) {
    LOGFONTA font{};
    GetObjectA(titleFont_.get(), sizeof font, &font);
    lstrcpynA(font.lfFaceName, face.c_str(), LF_FACESIZE);
    UniqueFont changed(CreateFontIndirectA(&font));
    if (!changed) {
        raise(err::InvalidPropertyValue);
    }
    SendMessageA(lblTitle_, WM_SETFONT, reinterpret_cast<WPARAM>(changed.get()), TRUE);
    titleFont_ = std::move(changed);
}

std::string Win32AboutView::lblHomePageToolTipText() {
    return kHomePage;
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

void Win32AboutView::showModal() {
    placeOverOwner();
    // The owner takes no input while the dialog is open; EnableWindow says whether it
    // already was disabled, and only what was disabled here is enabled again.
    ownerDisabled_ = owner_ != nullptr && !EnableWindow(owner_, FALSE);
    ShowWindow(window_, SW_SHOW);
    SetFocus(cmdok_);
    MSG message;
    while (window_ != nullptr) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam)); // for the main loop
            break;
        }
        if (got == -1) {
            break;
        }
        if (window_ == nullptr || !IsDialogMessageA(window_, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

void Win32AboutView::unload() {
    // The owner is enabled before the dialog goes, so that it becomes the active window.
    if (ownerDisabled_) {
        EnableWindow(owner_, TRUE);
        ownerDisabled_ = false;
    }
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

LRESULT CALLBACK Win32AboutView::windowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    return routeToOwner(window, message, wParam, lParam, &Win32AboutView::window_,
                        &Win32AboutView::handle);
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

LRESULT Win32AboutView::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(window_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, background_.get());
        return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return controlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR: {
        const auto over = reinterpret_cast<HWND>(wParam);
        if (over == lblHomePage_ || over == lblEMail_) {
            SetCursor(linkCursor_ ? linkCursor_.get() : LoadCursor(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    }
    case DM_GETDEFID:
        return MAKELRESULT(aboutid::cmdok, DC_HASDEFID);
    case WM_COMMAND:
        // BN_CLICKED and STN_CLICKED are both 0; the dialog keys send it too.
        if (HIWORD(wParam) == BN_CLICKED) {
            command(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_CLOSE:
        unload();
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

void Win32AboutView::command(int id) {
    if (form_ == nullptr) {
        return;
    }
    switch (id) {
    case aboutid::cmdok: // Enter
    case IDCANCEL:       // Esc
        form_->cmdok_Click();
        break;
    case aboutid::cmdSysInfo:
        form_->cmdSysInfo_Click();
        break;
    case aboutid::lblEMail:
        form_->lblEMail_Click();
        break;
    case aboutid::lblHomePage:
        form_->lblHomePage_Click();
        break;
    default:
        break;
    }
}

LRESULT Win32AboutView::controlColour(HDC dc, HWND control) {
    const bool onBanner = control == picture3_ || GetParent(control) == picture3_;
    COLORREF text = RGB(0, 0, 0);
    if (control == label8_) {
        text = kBlue;
    } else if (control == lblHomePage_ || control == lblEMail_) {
        text = kLinkColour;
    } else if (control == lblCopyright_) {
        text = kDarkGrey;
    }
    SetTextColor(dc, text);
    SetBkColor(dc, onBanner ? kWhite : kBackground);
    return reinterpret_cast<LRESULT>(onBanner ? white_.get() : background_.get());
}

} // namespace ostrel
