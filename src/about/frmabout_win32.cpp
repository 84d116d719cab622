#include "about/frmabout_win32.h"

namespace ostrel {

void showAboutDialog(Platform&, HWND) {}

} // namespace ostrel
