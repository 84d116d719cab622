#include "about/frmabout_win32.h"

#include "about/frmabout.h"
#include "about/frmabout_view_win32.h"
#include "platform/platform.h"
#include "platform/win32/dialogs_win32.h"

namespace ostrel {
namespace {

// Message boxes shown while the dialog is open belong to it, not to the disabled main
// window; afterwards they belong to the main window again.
class BoxOwner {
  public:
    BoxOwner(MessageBoxes& boxes, HWND dialog, HWND previous)
        : boxes_(dynamic_cast<Win32MessageBoxes*>(&boxes)), previous_(previous) {
        if (boxes_ != nullptr) {
            boxes_->setOwner(dialog);
        }
    }
    ~BoxOwner() {
        if (boxes_ != nullptr) {
            boxes_->setOwner(previous_);
        }
    }
    BoxOwner(const BoxOwner&) = delete;
    BoxOwner& operator=(const BoxOwner&) = delete;

  private:
    Win32MessageBoxes* boxes_;
    HWND previous_;
};

} // namespace

void showAboutDialog(Platform& platform, HWND owner) {
    // Made anew at each opening, so that loading reads the version and the registry again.
    Win32AboutView view(owner);
    frmAbout form(platform, view);
    view.attach(form);
    // Runs before the window shows and outside its window procedure, so that a failure
    // in its first steps passes to the caller's report.
    form.Form_Load();
    const BoxOwner boxes(platform.boxes, view.window(), owner);
    view.showModal();
}

} // namespace ostrel
