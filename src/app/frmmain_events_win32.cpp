// The main window's messages: each notification of a control runs its handler in
// frmmain; the window paints its background colour and keeps the keyboard focus.
#include "app/frmmain.h"
#include "app/frmmain_view_win32.h"
#include "platform/platform.h"
#include "platform/win32/child_window_win32.h"
#include "platform/win32/dialogs_win32.h"
#include "platform/win32/wide_win32.h"
#include "resource.h"

namespace ostrel {
namespace {

// The handler of each notification; the menu's commands come as BN_CLICKED (0) too.
constexpr CommandRoute<frmmain> kCommands[] = {
    {IDM_EXIT, BN_CLICKED, &frmmain::mnuexit_Click},
    {IDM_ABOUT, BN_CLICKED, &frmmain::mnuabout_Click},
    {IDC_CMDCREATE, BN_CLICKED, &frmmain::cmdcreate_Click},
    {IDC_CMDDELETE, BN_CLICKED, &frmmain::cmddelete_Click},
    {IDC_CMDREFRESH, BN_CLICKED, &frmmain::cmdRefresh_Click},
    {IDC_CMDABOUT, BN_CLICKED, &frmmain::cmdabout_Click},
    {IDC_CMDEXIT, BN_CLICKED, &frmmain::cmdexit_Click},
    {IDC_CMDBROSWE, BN_CLICKED, &frmmain::cmdbroswe_Click},
    {IDC_CHKRESTORE, BN_CLICKED, &frmmain::chkrestore_Click},
    {IDC_CBODRIVES, CBN_SELCHANGE, &frmmain::cbodrives_Click},
    {IDC_CBODRIVES, CBN_EDITCHANGE, &frmmain::cbodrives_Change},
};

} // namespace

LRESULT CALLBACK Win32MainView::windowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    return routeToOwner(window, message, wParam, lParam, &Win32MainView::window_,
                        &Win32MainView::handle);
}

// The status strip: a plain panel in the window's colour around the status label.
LRESULT CALLBACK Win32MainView::panelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_ERASEBKGND:
        // The main window knows the colours.
        return SendMessageW(GetParent(window), message, wParam, lParam);
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT Win32MainView::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        command(wParam);
        return 0;
    case WM_NOTIFY:
        notify(*reinterpret_cast<const NMHDR*>(lParam));
        return 0;
    case WM_SIZE:
        dockStatusStrip();
        if (form_ != nullptr) {
            form_->Form_Resize();
        }
        return 0;
    case WM_CLOSE:
        if (form_ != nullptr) {
            form_->Form_QueryUnload();
        } else {
            DestroyWindow(window_);
        }
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE; // the state is stored when the session really ends
    case WM_ENDSESSION:
        endSession(wParam != FALSE);
        return 0;
    case WM_DPICHANGED:
        changeScale(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DESTROY:
        ScreenScale::forget(window_);
        // With the main window gone the program ends.
        PostQuitMessage(0);
        return 0;
    case WM_ACTIVATE:
        activate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_SETFOCUS:
        activate(true);
        return 0;
    case WM_ERASEBKGND: {
        RECT client{};
        const auto dc = reinterpret_cast<HDC>(wParam);
        GetClientRect(WindowFromDC(dc), &client);
        FillRect(dc, &client, background_.get());
        return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return controlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
        if (showBusyPointer(LOWORD(lParam))) {
            return TRUE;
        }
        [[fallthrough]];
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

bool Win32MainView::showBusyPointer(unsigned hitTest) {
    // While a run is in progress the window works on: the pointer says so over all of it,
    // its controls included (they ask the window first).
    if (!busy_ || hitTest != HTCLIENT) {
        return false;
    }
    SetCursor(LoadCursor(nullptr, IDC_APPSTARTING));
    return true;
}

void Win32MainView::endSession(bool ending) {
    // Windows gives a few seconds: what closing stores is stored now, asking nothing.
    if (!ending || form_ == nullptr) {
        return;
    }
    if (auto* boxes = dynamic_cast<Win32MessageBoxes*>(&platform_.boxes)) {
        boxes->answerUnseen();
    }
    form_->Form_EndSession();
}

void Win32MainView::command(WPARAM wParam) {
    // While the program sets a control itself, its notifications are not the user's.
    if (form_ == nullptr || quiet_ > 0) {
        return;
    }
    if (LOWORD(wParam) == IDC_CBODRIVES && HIWORD(wParam) == CBN_SELCHANGE) {
        showChosenEntry();
    }
    runCommand<frmmain>(kCommands, *form_, wParam);
}

void Win32MainView::showChosenEntry() {
    const int index = cbodrivesListIndex();
    if (index >= 0) {
        const auto length = SendMessageW(cbodrives_, CB_GETLBTEXTLEN, index, 0);
        std::wstring entry(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
        SendMessageW(cbodrives_, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(entry.data()));
        entry.resize(entry.size() - 1);
        setText(cbodrives_, narrow(entry));
    }
}

void Win32MainView::notify(const NMHDR& header) {
    if (form_ == nullptr || quiet_ > 0 || header.hwndFrom != lstDrives_) {
        return;
    }
    if (header.code == NM_CLICK) {
        if (reinterpret_cast<const NMITEMACTIVATE&>(header).iItem >= 0) {
            form_->lstDrives_ItemClick();
        }
    } else if (header.code == LVN_ITEMCHANGED) {
        // An entry chosen with the keyboard counts as clicked, as one chosen with the mouse.
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if (change.iItem >= 0 && (change.uChanged & LVIF_STATE) &&
            (change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED)) {
            form_->lstDrives_ItemClick();
        }
    }
}

LRESULT Win32MainView::controlColour(HDC dc, HWND control) {
    // Labels show through to the window's colour, as do the check box and the strip.
    SetBkColor(dc, kFormBackground);
    SetTextColor(dc,
                 GetDlgCtrlID(control) == IDC_LABEL3 ? RGB(0, 0, 0) : GetSysColor(COLOR_BTNTEXT));
    return reinterpret_cast<LRESULT>(background_.get());
}

void Win32MainView::activate(bool active) {
    if (!active) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window_, focus)) {
            lastFocus_ = focus;
        }
        return;
    }
    if (lastFocus_ != nullptr && IsWindow(lastFocus_) && IsWindowEnabled(lastFocus_)) {
        SetFocus(lastFocus_);
    } else {
        focusFirst();
    }
}

void Win32MainView::focusFirst() {
    for (HWND child = GetWindow(window_, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
        if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED)) {
            SetFocus(child);
            return;
        }
    }
}

} // namespace ostrel
