#include "platform/win32/process_win32.h"

#include <vector>

#include "platform/win32/system_error_win32.h"

namespace ostrel {
namespace {

class Win32OpenedProcess : public OpenedProcess {
  public:
    explicit Win32OpenedProcess(UniqueHandle handle) : handle_(std::move(handle)) {}
    bool exitCode(std::uint32_t& code) override {
        DWORD value = 0;
        if (!handle_ || !GetExitCodeProcess(handle_.get(), &value)) {
            return false;
        }
        code = value;
        return true;
    }
    void sleepUntilExitOrInput() override {
        if (!handle_) {
            return;
        }
        HANDLE handle = handle_.get();
        // Wakes for the process's end or for any message, also one already queued.
        MsgWaitForMultipleObjectsEx(1, &handle, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }

  private:
    UniqueHandle handle_;
};

} // namespace

UniqueHandle startProcess(const std::string& program, const std::string& commandLine,
                          int showWindow, int& processId) {
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showWindow);
    PROCESS_INFORMATION info{};
    const DWORD flags = showWindow == SW_HIDE ? CREATE_NO_WINDOW : 0;
    if (!CreateProcessA(program.empty() ? nullptr : program.c_str(), line.data(), nullptr, nullptr,
                        FALSE, flags, nullptr, nullptr, &startup, &info)) {
        return UniqueHandle();
    }
    UniqueHandle thread(info.hThread);
    processId = static_cast<int>(info.dwProcessId);
    return UniqueHandle(info.hProcess);
}

int Win32Processes::start(const std::string& program, const std::string& commandLine,
                          int showWindow) {
    int processId = 0;
    UniqueHandle process = startProcess(program, commandLine, showWindow, processId);
    if (!process) {
        // The report names the command, cut where a line too long to start would flood it.
        constexpr std::size_t kShown = 300;
        raiseSystemError(GetLastError(), commandLine.size() > kShown
                                             ? commandLine.substr(0, kShown) + "..."
                                             : commandLine);
    }
    started_[processId] = std::move(process);
    return processId;
}

std::unique_ptr<OpenedProcess> Win32Processes::open(int processId) {
    const auto kept = started_.find(processId);
    if (kept != started_.end()) {
        auto handle = std::move(kept->second);
        started_.erase(kept);
        return std::make_unique<Win32OpenedProcess>(std::move(handle));
    }
    return std::make_unique<Win32OpenedProcess>(
        UniqueHandle(OpenProcess(PROCESS_ALL_ACCESS, FALSE, static_cast<DWORD>(processId))));
}

std::string Win32Processes::environment(const std::string& name) {
    const DWORD size = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
    if (size == 0) {
        return {};
    }
    std::string value(size, '\0');
    const DWORD length = GetEnvironmentVariableA(name.c_str(), value.data(), size);
    value.resize(length < size ? length : 0);
    return value;
}

void Win32EventPump::doEvents() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam)); // for the main loop
            return;
        }
        if (dialogWindow_ && IsWindow(dialogWindow_) && IsDialogMessageA(dialogWindow_, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

} // namespace ostrel
