// The properties of the main window's controls, as the handlers read and set them.
#include "app/frmmain_view_win32.h"

#include <vector>

#include "about/frmabout_win32.h"
#include "app/frmmain.h"
#include "platform/win32/child_window_win32.h"
#include "platform/win32/wide_win32.h"
#include "resource.h"
#include "support/procedure_error.h"

namespace ostrel {

std::string Win32MainView::text(HWND control) const {
    return windowText(control);
}

void Win32MainView::setText(HWND control, const std::string& value) {
    const Quiet quiet(*this);
    SetWindowTextW(control, wide(value).c_str());
}

void Win32MainView::cbodrivesClear() {
    const Quiet quiet(*this);
    SendMessageW(cbodrives_, CB_RESETCONTENT, 0, 0);
    SetWindowTextW(cbodrives_, L"");
}

void Win32MainView::cbodrivesAddItem(const std::string& item) {
    const Quiet quiet(*this);
    const std::wstring text = wide(item);
    if (SendMessageW(cbodrives_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())) < 0) {
        raise(err::OutOfMemory);
    }
}

int Win32MainView::cbodrivesListCount() {
    return static_cast<int>(SendMessageW(cbodrives_, CB_GETCOUNT, 0, 0));
}

int Win32MainView::cbodrivesListIndex() {
    return static_cast<int>(SendMessageW(cbodrives_, CB_GETCURSEL, 0, 0));
}

void Win32MainView::setCbodrivesListIndex(int index) {
    if (index < -1 || index >= cbodrivesListCount()) {
        raise(err::InvalidPropertyValue);
    }
    const Quiet quiet(*this);
    SendMessageW(cbodrives_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string Win32MainView::cbodrivesText() {
    return text(cbodrives_);
}

void Win32MainView::setCbodrivesText(const std::string& value) {
    setText(cbodrives_, value);
}

std::string Win32MainView::txtPathNameText() {
    return text(txtPathName_);
}

void Win32MainView::setTxtPathNameText(const std::string& value) {
    setText(txtPathName_, value);
}

void Win32MainView::lstDrivesAddColumn(const std::string& caption, int widthTwips) {
    const Quiet quiet(*this);
    std::wstring text = wide(caption);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = text.data();
    column.cx = scale_.wholePixelsX(widthTwips);
    const int position = Header_GetItemCount(ListView_GetHeader(lstDrives_));
    column.iSubItem = position;
    if (SendMessageW(lstDrives_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(position),
                     reinterpret_cast<LPARAM>(&column)) < 0) {
        raise(err::OutOfMemory);
    }
    columnTwips_.push_back(widthTwips);
}

int Win32MainView::lstDrivesWidth() {
    RECT bounds{};
    GetWindowRect(lstDrives_, &bounds);
    return scale_.twipsX(bounds.right - bounds.left);
}

void Win32MainView::lstDrivesClear() {
    const Quiet quiet(*this);
    ListView_DeleteAllItems(lstDrives_);
}

void Win32MainView::lstDrivesAddRow(const std::string&, const std::string& rowText,
                                    const std::string& subItem) {
    // The row's key only names it; nothing shows or reads it.
    const Quiet quiet(*this);
    std::wstring first = wide(rowText), second = wide(subItem);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = lstDrivesCount();
    item.pszText = first.data();
    item.iImage = 0;
    const auto row = SendMessageW(lstDrives_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    if (row < 0) {
        raise(err::OutOfMemory);
    }
    LVITEMW sub{};
    sub.iSubItem = 1;
    sub.pszText = second.data();
    SendMessageW(lstDrives_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&sub));
}

int Win32MainView::lstDrivesCount() {
    return ListView_GetItemCount(lstDrives_);
}

namespace {
std::string listText(HWND list, int row, int column) {
    if (row < 0 || row >= ListView_GetItemCount(list)) {
        raise(err::SubscriptOutOfRange);
    }
    // A folder may be as long as the system's longest path.
    std::vector<wchar_t> buffer(32768);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    const auto length = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                     reinterpret_cast<LPARAM>(&item));
    return narrow(std::wstring_view(buffer.data(), static_cast<std::size_t>(length)));
}
} // namespace

std::string Win32MainView::lstDrivesText(int row) {
    return listText(lstDrives_, row, 0);
}

std::string Win32MainView::lstDrivesSubItem(int row) {
    return listText(lstDrives_, row, 1);
}

int Win32MainView::lstDrivesSelected() {
    return ListView_GetNextItem(lstDrives_, -1, LVNI_SELECTED);
}

void Win32MainView::setLblStatusCaption(const std::string& value) {
    setText(lblStatus_, value);
    fitStatusLabel();
}

int Win32MainView::chkrestoreValue() {
    return static_cast<int>(SendMessageW(chkrestore_, BM_GETCHECK, 0, 0));
}

void Win32MainView::setChkrestoreValue(int value) {
    if (value < 0 || value > 2) {
        raise(err::InvalidPropertyValue);
    }
    const Quiet quiet(*this);
    SendMessageW(chkrestore_, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

namespace {
// The controls the form enables and disables, in the order of MainControl.
constexpr int kEnabledIds[] = {IDC_CMDCREATE, IDC_CMDDELETE, IDC_CHKRESTORE, IDC_CMDREFRESH,
                               IDC_CMDEXIT,   IDC_CMDABOUT,  IDC_CMDBROSWE};

// The buttons that start a run take no clicks while one is in progress.
bool heldWhileBusy(MainControl control) {
    return control == MainControl::cmdcreate || control == MainControl::cmddelete ||
           control == MainControl::cmdRefresh;
}
} // namespace

void Win32MainView::setEnabled(MainControl which, bool on) {
    enabled_[static_cast<int>(which)] = on;
    applyEnabled(which);
}

void Win32MainView::applyEnabled(MainControl which) {
    const Quiet quiet(*this);
    const HWND target = controls_[kEnabledIds[static_cast<int>(which)]];
    const bool on = enabled_[static_cast<int>(which)] && !(busy_ && heldWhileBusy(which));
    const bool hadFocus = GetFocus() == target;
    EnableWindow(target, on ? TRUE : FALSE);
    if (!on && hadFocus) {
        // A disabled control cannot keep the keyboard: the next one in tab order gets it.
        busyFocus_ = busy_ ? target : nullptr;
        SetFocus(GetNextDlgTabItem(window_, target, FALSE));
    }
}

void Win32MainView::setBusy(bool busy) {
    busy_ = busy;
    for (const MainControl control :
         {MainControl::cmdcreate, MainControl::cmddelete, MainControl::cmdRefresh}) {
        applyEnabled(control);
    }
    if (!busy && busyFocus_ != nullptr && IsWindowEnabled(busyFocus_) &&
        GetActiveWindow() == window_) {
        SetFocus(busyFocus_);
    }
    if (!busy) {
        busyFocus_ = nullptr;
    }
    // The pointer changes now where it is over the window, not at the mouse's next move.
    POINT at{};
    GetCursorPos(&at);
    if (IsWindowVisible(window_) &&
        (WindowFromPoint(at) == window_ || IsChild(window_, WindowFromPoint(at)))) {
        SetCursor(LoadCursor(nullptr, busy ? IDC_APPSTARTING : IDC_ARROW));
    }
}

std::string Win32MainView::caption() {
    return text(window_);
}

namespace {
RECT windowBounds(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    return bounds;
}
} // namespace

int Win32MainView::clientWidth() {
    RECT client{};
    GetClientRect(window_, &client);
    return scale_.twipsX(client.right);
}

void Win32MainView::setSize(int widthTwips, int heightTwips) {
    SetWindowPos(window_, nullptr, 0, 0, scale_.pixelsX(widthTwips), scale_.pixelsY(heightTwips),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

ScreenRect Win32MainView::bounds() {
    const RECT bounds = windowBounds(window_);
    return {bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top};
}

void Win32MainView::moveTo(int left, int top) {
    SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Windows tells a window that lands on a monitor of another scale with WM_DPICHANGED;
    // one that has not been told by now (it is hidden) lays out for its new scale here,
    // as that message would have it.
    const int dpi = ScreenScale::given(window_).dpi();
    if (dpi != scale_.dpi()) {
        const RECT bounds = windowBounds(window_);
        changeScale(dpi, {left, top, left + MulDiv(bounds.right - bounds.left, dpi, scale_.dpi()),
                          top + MulDiv(bounds.bottom - bounds.top, dpi, scale_.dpi())});
    }
}

ScreenRect Win32MainView::primaryScreen() {
    // The primary monitor has the virtual screen's origin at its top left corner.
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

bool Win32MainView::onAMonitor(const ScreenRect& place) {
    struct Search {
        RECT window;
        bool touched;
    } search{{place.left, place.top, place.left + place.width, place.top + place.height}, false};
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM data) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(data);
            MONITORINFO info{};
            info.cbSize = sizeof info;
            RECT common;
            search.touched =
                search.touched || (GetMonitorInfoW(monitor, &info) &&
                                   IntersectRect(&common, &info.rcWork, &search.window));
            return !search.touched;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.touched;
}

bool Win32MainView::minimized() {
    return IsIconic(window_) != 0;
}

void Win32MainView::hide() {
    ShowWindow(window_, SW_HIDE);
}

void Win32MainView::unload() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

void Win32MainView::setLineWidths(int widthTwips) {
    const int pixels = scale_.pixelsX(widthTwips);
    for (const HWND line : {line3D1_.window(), line3D2_.window()}) {
        RECT bounds = windowBounds(line);
        SetWindowPos(line, nullptr, 0, 0, pixels, bounds.bottom - bounds.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Win32MainView::showAbout() {
    showAboutDialog(platform_, window_);
}

std::uintptr_t Win32MainView::hwnd() {
    return reinterpret_cast<std::uintptr_t>(window_);
}

} // namespace ostrel
