// Test equipment for modal windows of this process: steps that run one per timer tick
// inside the window's own message loop, each given the window that `find` gives. A
// window still there some time after the last step is sent WM_CLOSE, so that a failed
// step cannot hold the test forever.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

namespace ostrel::test {

class ModalScript {
  public:
    ModalScript(std::function<HWND()> find, std::vector<std::function<void(HWND)>> steps)
        : find_(std::move(find)), steps_(std::move(steps)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 50, tick);
    }
    ~ModalScript() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    // How many steps have run.
    std::size_t ran() const { return next_; }

    // The visible window of this thread with the class name that `owner` owns, or null.
    static HWND ownedWindow(HWND owner, const char* className) {
        struct Search {
            HWND owner;
            const char* className;
            HWND found;
        } search{owner, className, nullptr};
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND window, LPARAM lParam) -> BOOL {
                auto& s = *reinterpret_cast<Search*>(lParam);
                char name[64] = {};
                GetClassNameA(window, name, sizeof name);
                if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == s.owner &&
                    lstrcmpiA(name, s.className) == 0) {
                    s.found = window;
                }
                return s.found == nullptr;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

  private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        ModalScript* script = current_;
        const HWND window = script != nullptr ? script->find_() : nullptr;
        if (window == nullptr) {
            return;
        }
        if (script->next_ < script->steps_.size()) {
            script->steps_[script->next_++](window);
        } else if (++script->overdue_ > 20) {
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
    }

    static inline ModalScript* current_ = nullptr;
    std::function<HWND()> find_;
    std::vector<std::function<void(HWND)>> steps_;
    std::size_t next_ = 0;
    int overdue_ = 0;
    UINT_PTR timer_ = 0;
};

} // namespace ostrel::test
