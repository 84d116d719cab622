#include "ostrel_driver.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <thread>
#include <utility>

#include "resource.h"

namespace ostrel::e2e {
namespace {

// The Unix path of Ostrel.exe, from the build, as Wine's drive Z: shows it.
std::string programPath() {
    std::string path = "Z:" + std::string(OSTREL_EXE);
    for (char& c : path) {
        c = c == '/' ? '\\' : c;
    }
    return path;
}

// Sends a message that carries no pointer, giving up on a program that hangs.
LRESULT sendTo(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 10000, &result);
    return static_cast<LRESULT>(result);
}

} // namespace

bool waitFor(const std::function<bool()>& condition, Duration timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

OstrelProcess::OstrelProcess(const std::string& arguments, const std::string& program) {
    const std::string path = program.empty() ? programPath() : program;
    const std::string folder = path.substr(0, path.find_last_of('\\'));
    std::string line = "\"" + path + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info_)) {
        throw std::runtime_error("Ostrel.exe could not be started: " + path);
    }
}

OstrelProcess::~OstrelProcess() {
    if (running()) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 10000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool OstrelProcess::running() const {
    return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool OstrelProcess::waitForExit(Duration timeout) const {
    return WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout.count())) ==
           WAIT_OBJECT_0;
}

std::vector<HWND> OstrelProcess::visibleWindows() const {
    std::pair<DWORD, std::vector<HWND>> search{info_.dwProcessId, {}};
    EnumWindows(
        [](HWND window, LPARAM lParam) -> BOOL {
            auto& [processId, found] = *reinterpret_cast<decltype(search)*>(lParam);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == processId && IsWindowVisible(window)) {
                found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

HWND OstrelProcess::waitForWindow(const std::string& title, Duration timeout) const {
    HWND window = nullptr;
    waitFor(
        [&] {
            for (const HWND shown : visibleWindows()) {
                window = textOf(shown) == title ? shown : window;
            }
            return window != nullptr || !running();
        },
        timeout);
    return window;
}

std::string programFolder() {
    const std::string path = programPath();
    return path.substr(0, path.find_last_of('\\'));
}

std::string textOf(HWND window) {
    const auto length = sendTo(window, WM_GETTEXTLENGTH);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 10000, &copied);
    text.resize(copied);
    return text;
}

HWND control(HWND mainWindow, int id) {
    if (id == IDC_LBLSTATUS) {
        return GetDlgItem(GetDlgItem(mainWindow, IDC_PICTURE1), id);
    }
    return GetDlgItem(mainWindow, id);
}

void click(HWND button) {
    PostMessageA(button, BM_CLICK, 0, 0);
}

std::string messageText(HWND box) {
    std::string longest;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = {};
        GetClassNameA(child, className, sizeof className);
        const std::string text = textOf(child);
        if (lstrcmpiA(className, "Static") == 0 && text.size() > longest.size()) {
            longest = text;
        }
    }
    return longest;
}

bool screenshot(HWND window, const std::string& pngPath) {
    // Let the window finish painting first.
    sendTo(window, WM_NULL);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    sendTo(window, WM_NULL);
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
