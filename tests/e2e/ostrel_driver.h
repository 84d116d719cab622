// Test equipment: starts Ostrel.exe and drives it from outside through window messages,
// as a user's tools or a screen reader would: windows found by title, controls by id.
// Texts are UTF-8, and cross to the program in UTF-16.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>

#include "platform/win32/wide_win32.h"
#include "resource.h"

namespace ostrel::e2e {

using namespace std::chrono_literals;
using Duration = std::chrono::milliseconds;

// Polls the condition until it holds or the time is up; true when it held.
inline bool waitFor(const std::function<bool()>& condition, Duration timeout = 30s) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

// A running Ostrel.exe, ended when the object goes if it has not ended by itself.
class OstrelProcess {
  public:
    // Starts the program (the build's Ostrel.exe unless a Windows path is given) with the
    // argument text after its name, in the program's folder.
    explicit OstrelProcess(const std::string& arguments, const std::string& program = {})
        : OstrelProcess(nullptr, '"' + path(program) + "\" " + arguments,
                        path(program).substr(0, path(program).find_last_of('\\'))) {}
    // Starts a whole command line as Windows starts a stored command (a Run value, a verb).
    OstrelProcess(std::nullptr_t, const std::string& commandLine,
                  const std::string& folder = "C:\\") {
        std::wstring line = ostrel::wide(commandLine);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            ostrel::wide(folder).c_str(), &startup, &info_)) {
            throw std::runtime_error("Ostrel.exe could not be started: " + commandLine);
        }
    }
    ~OstrelProcess() {
        if (running()) {
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, 10000);
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    OstrelProcess(const OstrelProcess&) = delete;
    OstrelProcess& operator=(const OstrelProcess&) = delete;

    // The build's Ostrel.exe as Wine's drive Z: shows it, unless a Windows path is given.
    static std::string path(const std::string& program) {
        std::string path = program.empty() ? "Z:" + std::string(OSTREL_EXE) : program;
        std::replace(path.begin(), path.end(), '/', '\\');
        return path;
    }
    bool running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
    // True when the program has ended within the time.
    bool waitForExit() const { return WaitForSingleObject(info_.hProcess, 30000) == WAIT_OBJECT_0; }
    // Waits for a visible window with this title, other than the one given.
    HWND waitForWindow(const std::string& title, HWND besides = nullptr) const {
        HWND found = nullptr;
        const std::wstring text = ostrel::wide(title);
        waitFor([&] {
            while ((found = FindWindowExW(nullptr, found, nullptr, text.c_str())) != nullptr) {
                DWORD owner = 0;
                GetWindowThreadProcessId(found, &owner);
                if (owner == info_.dwProcessId && IsWindowVisible(found) && found != besides) {
                    return true;
                }
            }
            return !running();
        });
        return found;
    }

  private:
    PROCESS_INFORMATION info_{};
};

// A window's text, read with WM_GETTEXT; messages to the program give up on it when it
// hangs.
inline std::string textOf(HWND window) {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 10000, &length);
    std::wstring text(length + 1, L'\0');
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 10000, &length);
    text.resize(length);
    return ostrel::narrow(text);
}

// Types a text into a control, as pasting it would.
inline void setTextOf(HWND control, const std::string& text) {
    DWORD_PTR done = 0;
    SendMessageTimeoutW(control, WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(ostrel::wide(text).c_str()), SMTO_ABORTIFHUNG,
                        10000, &done);
}

// A child control by id; the status label is found inside its strip.
inline HWND control(HWND mainWindow, int id) {
    return GetDlgItem(id == IDC_LBLSTATUS ? GetDlgItem(mainWindow, IDC_PICTURE1) : mainWindow, id);
}

// Clicks a button as the user would, without waiting for what the click starts.
inline void click(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

// Saves the window as it shows on the screen to a PNG file (a Unix path).
inline bool screenshot(HWND window, const std::string& pngPath) {
    // Each read waits for the program to handle what came before it: then the repaint.
    textOf(window);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    textOf(window);
    std::this_thread::sleep_for(500ms);
    RECT bounds{};
    GetWindowRect(window, &bounds);
    // ImageMagick's import reads the X screen; Wine starts it as the Unix program it is.
    std::remove(("Z:" + pngPath).c_str());
    char command[1024];
    std::snprintf(command, sizeof command,
                  "start /unix /usr/bin/import -window root -crop %ldx%ld+%ld+%ld +repage %s",
                  bounds.right - bounds.left, bounds.bottom - bounds.top, bounds.left, bounds.top,
                  pngPath.c_str());
    std::system(command);
    // start does not wait for a Unix program: wait until the file is complete.
    std::uintmax_t lastSize = 0;
    return waitFor(
        [&] {
            std::error_code error;
            const auto size = std::filesystem::file_size("Z:" + pngPath, error);
            return !error && size > 0 && std::exchange(lastSize, size) == size;
        },
        20s);
}

} // namespace ostrel::e2e
