// Message boxes on the Win32 API.
#pragma once

#include <windows.h>

#include "platform/dialogs.h"

namespace ostrel {

class Win32MessageBoxes : public MessageBoxes {
  public:
    // The window that owns the boxes (none while the program has no window).
    void setOwner(HWND owner) { owner_ = owner; }
    // From now on no box shows; each answers as its safe button (No, or OK): the Windows
    // session is ending and no one may be there to answer.
    void answerUnseen() { unseen_ = true; }
    int show(const std::string& text, unsigned flags, const std::string& title) override;

  private:
    HWND owner_ = nullptr;
    bool unseen_ = false;
};

} // namespace ostrel
