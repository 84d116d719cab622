// Test equipment for modal dialogs of this process: steps that run one per timer tick
// inside the dialog's own message loop, each given the visible dialog that the owner
// owns. A dialog still there some time after the last step is sent WM_CLOSE, so that a
// failed step cannot hold the test forever.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

namespace ostrel::test {

class ModalScript {
  public:
    ModalScript(HWND owner, std::vector<std::function<void(HWND)>> steps)
        : owner_(owner), steps_(std::move(steps)), timer_(SetTimer(nullptr, 0, 50, tick)) {
        current_ = this;
    }
    ~ModalScript() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    // Whether every step ran and the dialog then closed without being sent WM_CLOSE.
    bool finished() const { return next_ == steps_.size() && overdue_ <= 20; }
    // The dialog the steps were given, or null.
    HWND dialog() const { return dialog_; }

  private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        ModalScript* script = current_;
        HWND dialog = nullptr;
        while (script != nullptr &&
               (dialog = FindWindowExA(nullptr, dialog, "#32770", nullptr)) != nullptr) {
            if (IsWindowVisible(dialog) && GetWindow(dialog, GW_OWNER) == script->owner_) {
                script->dialog_ = dialog;
                if (script->next_ < script->steps_.size()) {
                    script->steps_[script->next_++](dialog);
                } else if (++script->overdue_ > 20) {
                    PostMessageA(dialog, WM_CLOSE, 0, 0);
                }
                return;
            }
        }
    }

    static inline ModalScript* current_ = nullptr;
    HWND owner_;
    std::vector<std::function<void(HWND)>> steps_;
    UINT_PTR timer_;
    HWND dialog_ = nullptr;
    std::size_t next_ = 0;
    int overdue_ = 0;
};

} // namespace ostrel::test
