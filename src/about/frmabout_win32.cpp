#include "about/frmabout_win32.h"

#include "about/frmabout.h"
#include "about/frmabout_view_win32.h"
#include "platform/platform.h"

namespace ostrel {

void showAboutDialog(Platform& platform, HWND owner) {
    // Made anew at each opening, so that loading reads the version and the registry again.
    Win32AboutView view(owner, platform.boxes);
    frmAbout form(platform, view);
    view.showModal(form);
}

} // namespace ostrel
