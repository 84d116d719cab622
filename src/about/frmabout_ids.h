// Control ids of the About dialog, for its window and for tests that find its controls.
// OK carries the dialog key's id, so that Enter presses it.
#pragma once

namespace ostrel::aboutid {

inline constexpr int cmdok = 1; // IDOK
inline constexpr int Picture3 = 2001;
inline constexpr int lblTitle = 2002;
inline constexpr int Label8 = 2003;
inline constexpr int Label1 = 2004;
inline constexpr int Picture1 = 2005;
inline constexpr int Label4First = 2006; // Label4(0) to Label4(2)
inline constexpr int lblregname = 2009;
inline constexpr int lblregcompany = 2010;
inline constexpr int lblregserial = 2011;
inline constexpr int Image2 = 2012;
inline constexpr int Frame1 = 2013;
inline constexpr int Image1 = 2014;
inline constexpr int lblHomePage = 2015;
inline constexpr int lblEMail = 2016;
inline constexpr int cmdSysInfo = 2017;
inline constexpr int Frame2 = 2018;
inline constexpr int lblCopyright = 2019;

} // namespace ostrel::aboutid
