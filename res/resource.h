// Resource and control ids of Ostrel.exe, shared by the resource script, the windows
// and the tests that find their controls by id.
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

// The About dialog's controls, in tab order. Its OK button is IDOK, so that Enter
// presses it.
#define IDC_ABOUT_PICTURE3 2001
#define IDC_ABOUT_LBLTITLE 2002
#define IDC_ABOUT_LABEL8 2003
#define IDC_ABOUT_LABEL1 2004
#define IDC_ABOUT_PICTURE1 2005
#define IDC_ABOUT_LABEL4 2006 // Label4(0) to Label4(2)
#define IDC_ABOUT_LBLREGNAME 2009
#define IDC_ABOUT_LBLREGCOMPANY 2010
#define IDC_ABOUT_LBLREGSERIAL 2011
#define IDC_ABOUT_IMAGE2 2012
#define IDC_ABOUT_FRAME1 2013
#define IDC_ABOUT_IMAGE1 2014
#define IDC_ABOUT_LBLHOMEPAGE 2015
#define IDC_ABOUT_LBLEMAIL 2016
#define IDC_ABOUT_CMDSYSINFO 2017
#define IDC_ABOUT_FRAME2 2018
#define IDC_ABOUT_LBLCOPYRIGHT 2019
