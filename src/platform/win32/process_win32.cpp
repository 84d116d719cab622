#include "platform/win32/process_win32.h"

#include <optional>
#include <vector>

#include "platform/win32/system_error_win32.h"
#include "platform/win32/wide_win32.h"

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

// An environment variable's value; nothing when it is not set.
std::optional<std::wstring> variable(const std::wstring& name) {
    std::vector<wchar_t> value(256);
    while (true) {
        SetLastError(ERROR_SUCCESS);
        const DWORD length =
            GetEnvironmentVariableW(name.c_str(), value.data(), static_cast<DWORD>(value.size()));
        if (length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
            return std::nullopt;
        }
        if (length < value.size()) {
            return std::wstring(value.data(), length);
        }
        value.resize(length);
    }
}

// Sets variables in this process's environment, which a started program inherits, and
// puts the old values back when it goes.
class ScopedEnvironment {
  public:
    explicit ScopedEnvironment(const Environment& environment) {
        for (const auto& [name, value] : environment) {
            const std::wstring wideName = wide(name);
            old_.emplace_back(wideName, variable(wideName));
            SetEnvironmentVariableW(wideName.c_str(), wide(value).c_str());
        }
    }
    ~ScopedEnvironment() {
        const DWORD error = GetLastError(); // a failed start's cause, read after this
        for (auto entry = old_.rbegin(); entry != old_.rend(); ++entry) {
            SetEnvironmentVariableW(entry->first.c_str(),
                                    entry->second ? entry->second->c_str() : nullptr);
        }
        SetLastError(error);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  private:
    std::vector<std::pair<std::wstring, std::optional<std::wstring>>> old_;
};

} // namespace

UniqueHandle startProcess(const std::string& program, const std::string& commandLine,
                          int showWindow, int& processId, const Environment& environment) {
    std::wstring line = wide(commandLine);
    const std::wstring path = wide(program);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showWindow);
    PROCESS_INFORMATION info{};
    const DWORD flags = showWindow == SW_HIDE ? CREATE_NO_WINDOW : 0;
    const ScopedEnvironment variables(environment);
    if (!CreateProcessW(program.empty() ? nullptr : path.c_str(), line.data(), nullptr, nullptr,
                        FALSE, flags, nullptr, nullptr, &startup, &info)) {
        return UniqueHandle();
    }
    UniqueHandle thread(info.hThread);
    processId = static_cast<int>(info.dwProcessId);
    return UniqueHandle(info.hProcess);
}

int Win32Processes::start(const std::string& program, const std::string& commandLine,
                          int showWindow, const Environment& environment) {
    int processId = 0;
    UniqueHandle process = startProcess(program, commandLine, showWindow, processId, environment);
    if (!process) {
        // The report names the command, cut where a line too long to start would flood it.
        constexpr std::size_t kShown = 300;
        raiseSystemError(GetLastError(), commandLine.size() > kShown
                                             ? firstChars(commandLine, kShown) + "..."
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
    return narrow(variable(wide(name)).value_or(L""));
}

void Win32EventPump::doEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam)); // for the main loop
            return;
        }
        if (dialogWindow_ && IsWindow(dialogWindow_) && IsDialogMessageW(dialogWindow_, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace ostrel
