// The main window's design: its size, fonts and table of controls in twips, read by
// the window and by the end-to-end tests that check the real window against it.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "about/line3d_win32.h"
#include "platform/win32/child_window_win32.h"
#include "resource.h"

namespace ostrel::frmmainDesign {

constexpr const char* kWindowClass = "OstrelMainWindow";
constexpr const char* kPanelClass = "OstrelPanel";

// The laid-out client area, and the strip that is docked to its bottom edge.
constexpr int kClientWidth = 6750;
constexpr int kClientHeight = 4905;
constexpr int kStatusStripHeight = 285;
constexpr int kStatusLabelLeft = 120;
constexpr int kStatusLabelTop = 15;
constexpr int kStatusLabelHeight = 195;

enum Font { kStandard, kVerdana };
// The standard font is the system's message font.
constexpr FontDesign kFonts[] = {{nullptr, 0}, {"Verdana", 825}};

// A fixed single border with a minimise button; the user cannot resize it.
constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kTab = WS_TABSTOP | WS_GROUP;
constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX;
constexpr DWORD kButton = BS_PUSHBUTTON | kTab;
constexpr DWORD kOff = kButton | WS_DISABLED; // Create and Delete start disabled
constexpr DWORD kList = LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_SHAREIMAGELISTS;
constexpr DWORD kCombo = CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL;
constexpr DWORD kEdge = WS_EX_CLIENTEDGE;
constexpr int kStrip = kClientHeight - kStatusStripHeight;
constexpr auto V = kVerdana;
constexpr auto S = kStandard;

// In tab-index order, so that the order of the child windows is the tab order.
// clang-format off
constexpr ControlDesign kControls[] = {
    {WC_STATICA, IDC_LABEL1, "Available Drives", {120, 210, 1395, 195}, kLabel, V},
    {WC_BUTTONA, IDC_CMDCREATE, "&Create", {120, 4080, 1215, 400}, kOff, S},
    {WC_LISTVIEWA, IDC_LSTDRIVES, "", {120, 1320, 6495, 2055}, kList | kTab, V, kEdge},
    {WC_BUTTONA, IDC_CMDDELETE, "&Delete", {1440, 4080, 1215, 400}, kOff, S},
    // The height of a drop-down combo box includes its opened list.
    {WC_COMBOBOXA, IDC_CBODRIVES, "", {120, 480, 1830, 315 * 8}, kCombo | kTab, S},
    {WC_STATICA, IDC_LABEL2, "Current virtual drives in use.", {120, 1050, 2475, 195}, kLabel, V},
    {WC_BUTTONA, IDC_CHKRESTORE, "Restore current virtual drives the next time windows starts.",
     {165, 3510, 5610, 285}, BS_AUTOCHECKBOX | kTab, V},
    {WC_STATICA, IDC_LABEL3, "Path to your Virtual  drive", {2415, 210, 2280, 195}, kLabel, V},
    {WC_EDITA, IDC_TXTPATHNAME, "", {2400, 480, 3660, 345}, ES_AUTOHSCROLL | kTab, V, kEdge},
    {WC_BUTTONA, IDC_CMDBROSWE, "....", {6120, 470, 495, 350}, kButton, S},
    {kLine3DClass, IDC_LINE3D1, "", {0, 3960, 1905, 30}, 0, kNoFont},
    {WC_BUTTONA, IDC_CMDABOUT, "&About", {4080, 4080, 1215, 400}, kButton, S},
    {kLine3DClass, IDC_LINE3D2, "", {0, 15, 720, 30}, 0, kNoFont},
    {WC_BUTTONA, IDC_CMDEXIT, "E&xit", {5400, 4080, 1215, 400}, kButton, S},
    {kPanelClass, IDC_PICTURE1, "", {0, kStrip, kClientWidth, kStatusStripHeight}, WS_CLIPCHILDREN,
     S, WS_EX_CONTROLPARENT},
    // The status label lives inside the strip.
    {WC_STATICA, IDC_LBLSTATUS, "Ready", {kStatusLabelLeft, kStatusLabelTop, 465,
     kStatusLabelHeight}, kLabel, S, 0, IDC_PICTURE1},
    {WC_BUTTONA, IDC_CMDREFRESH, "&Refresh", {2760, 4080, 1215, 400}, kButton, S},
    {WC_STATICA, IDC_IMAGE1, "", {1635, 180, 240, 240}, SS_BITMAP, kNoFont},
    {WC_STATICA, IDC_IMAGE2, "", {4695, 225, 240, 195}, SS_BITMAP, kNoFont},
};
// clang-format on

} // namespace ostrel::frmmainDesign
