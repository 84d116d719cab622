// The About dialog's design: its size, fonts and table of controls in twips, read by
// the dialog and by the end-to-end tests that check the real dialog against it.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "platform/win32/child_window_win32.h"
#include "resource.h"

namespace ostrel::frmAboutDesign {

constexpr const char* kPanelClass = "OstrelAboutPanel";
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kLinkColour = RGB(0, 0, 192);
constexpr COLORREF kDarkGrey = RGB(64, 64, 64);
constexpr int kClientWidth = 6870;
constexpr int kClientHeight = 3870;

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

} // namespace ostrel::frmAboutDesign
