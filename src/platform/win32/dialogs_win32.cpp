#include "platform/win32/dialogs_win32.h"

#include "platform/win32/wide_win32.h"

namespace ostrel {

int Win32MessageBoxes::show(const std::string& text, unsigned flags, const std::string& title) {
    if (unseen_) {
        return (flags & MB_YESNO) != 0 ? IDNO : IDOK;
    }
    // A hidden or destroyed owner would hide the box with it.
    HWND owner = owner_ && IsWindow(owner_) && IsWindowVisible(owner_) ? owner_ : nullptr;
    const UINT extra = owner ? 0 : MB_SETFOREGROUND | MB_TASKMODAL;
    return MessageBoxW(owner, wide(text).c_str(), wide(title).c_str(), flags | extra);
}

} // namespace ostrel
