// The About dialog's real window.
#pragma once

#include <windows.h>

namespace ostrel {

struct Platform;

// Creates the About dialog, runs its load handler and shows it modally over owner;
// returns when it has been closed and destroyed.
void showAboutDialog(Platform& platform, HWND owner);

} // namespace ostrel
