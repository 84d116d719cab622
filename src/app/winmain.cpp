// Ostrel.exe: the platform services, the main window and its message loop. Its command
// line comes in UTF-16 (wWinMain), so a folder in any script arrives whole. Form_Load
// runs before the window is shown; a restore run ends inside it without showing it,
// the installer's cleanup before any window exists.
#include <windows.h>

#include <commctrl.h>

#include "app/frmmain.h"
#include "app/frmmain_view_win32.h"
#include "app/start_switch.h"
#include "platform/win32/win32_platform.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int show) {
    using namespace ostrel;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    Win32Platform win32(commandLine);
    Platform& platform = win32.platform;
    if (RunWithoutWindow(platform.program.commandLine(), platform.registry, platform.program)) {
        return 0;
    }

    Win32MainView view(platform, instance);
    if (!view.exists()) {
        return 1;
    }
    frmmain form(platform, view);
    view.attach(form);
    win32.boxes.setOwner(view.window());
    win32.events.setDialogWindow(view.window());

    form.Form_Load();
    if (!view.exists()) {
        return 0; // a restore run, or a window closed during start-up
    }
    ShowWindow(view.window(), show);
    UpdateWindow(view.window());

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab, the arrow keys and the access keys move between the controls.
        if (view.exists() && IsDialogMessageW(view.window(), &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
