// Resource and control ids of Ostrel.exe, shared by the resource script, the main
// window and the end-to-end tests that find its controls by id.
#pragma once

// Artwork.
#define IDI_OSTREL 101

// The menu's commands.
#define IDM_EXIT 40001
#define IDM_ABOUT 40002

// The main window's controls, in tab order. Kept clear of IDOK and IDCANCEL, which the
// dialog keys send.
#define IDC_LABEL1 1000
#define IDC_CMDCREATE 1001
#define IDC_LSTDRIVES 1002
#define IDC_CMDDELETE 1003
#define IDC_CBODRIVES 1004
#define IDC_LABEL2 1005
#define IDC_CHKRESTORE 1006
#define IDC_LABEL3 1007
#define IDC_TXTPATHNAME 1008
#define IDC_CMDBROSWE 1009
#define IDC_LINE3D1 1010
#define IDC_CMDABOUT 1011
#define IDC_LINE3D2 1012
#define IDC_CMDEXIT 1013
#define IDC_PICTURE1 1014
#define IDC_LBLSTATUS 1015
#define IDC_CMDREFRESH 1016
#define IDC_IMAGE1 1017
#define IDC_IMAGE2 1018
