#include "ostrel_driver.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <thread>

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

// Memory inside the other process, for the list view's messages, which carry pointers
// that the system does not carry across processes.
class RemoteMemory {
  public:
    RemoteMemory(DWORD processId, std::size_t size)
        : process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               processId)),
          address_(process_ ? VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE,
                                             PAGE_READWRITE)
                            : nullptr) {
        if (address_ == nullptr) {
            throw std::runtime_error("no memory in the program's process");
        }
    }
    ~RemoteMemory() {
        VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        CloseHandle(process_);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    char* at(std::size_t offset) const { return static_cast<char*>(address_) + offset; }
    void write(std::size_t offset, const void* data, std::size_t size) const {
        WriteProcessMemory(process_, at(offset), data, size, nullptr);
    }
    void read(std::size_t offset, void* data, std::size_t size) const {
        ReadProcessMemory(process_, at(offset), data, size, nullptr);
    }

  private:
    HANDLE process_;
    void* address_;
};

struct Search {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK collectVisible(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId && IsWindowVisible(window)) {
        search.found.push_back(window);
    }
    return TRUE;
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

OstrelProcess::OstrelProcess(const std::string& arguments) {
    const std::string path = programPath();
    std::string line = "\"" + path + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        programFolder().c_str(), &startup, &info_)) {
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
    Search search{info_.dwProcessId, {}};
    EnumWindows(collectVisible, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND OstrelProcess::visibleWindow(const std::string& title) const {
    for (const HWND window : visibleWindows()) {
        if (textOf(window) == title) {
            return window;
        }
    }
    return nullptr;
}

HWND OstrelProcess::waitForWindow(const std::string& title, Duration timeout) const {
    HWND window = nullptr;
    waitFor([&] { return (window = visibleWindow(title)) != nullptr || !running(); }, timeout);
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

void answer(HWND box, int buttonId) {
    click(GetDlgItem(box, buttonId));
}

std::vector<std::string> comboItems(HWND combo) {
    // Asked in UTF-16: the system carries that form of the entry text across processes
    // whole.
    std::vector<std::string> items;
    const auto count = sendTo(combo, CB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring item(static_cast<std::size_t>(sendTo(combo, CB_GETLBTEXTLEN, i)) + 1, L'\0');
        const auto length = SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i),
                                         reinterpret_cast<LPARAM>(item.data()));
        item.resize(static_cast<std::size_t>(length > 0 ? length : 0));
        items.emplace_back(item.begin(), item.end());
    }
    return items;
}

std::vector<std::vector<std::string>> listRows(DWORD processId, HWND list, int columns) {
    constexpr std::size_t kTextSize = 512;
    const RemoteMemory memory(processId, sizeof(LVITEMA) + kTextSize);
    std::vector<std::vector<std::string>> rows;
    const auto count = sendTo(list, LVM_GETITEMCOUNT);
    for (LRESULT row = 0; row < count; ++row) {
        std::vector<std::string> texts;
        for (int column = 0; column < columns; ++column) {
            LVITEMA item{};
            item.iSubItem = column;
            item.pszText = memory.at(sizeof(LVITEMA));
            item.cchTextMax = kTextSize;
            memory.write(0, &item, sizeof item);
            const auto length = sendTo(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                                       reinterpret_cast<LPARAM>(memory.at(0)));
            std::string text(static_cast<std::size_t>(length), '\0');
            memory.read(sizeof(LVITEMA), text.data(), text.size());
            texts.push_back(text);
        }
        rows.push_back(texts);
    }
    return rows;
}

void selectRow(DWORD processId, HWND list, int row) {
    const RemoteMemory memory(processId, sizeof(LVITEMA));
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    memory.write(0, &item, sizeof item);
    sendTo(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
           reinterpret_cast<LPARAM>(memory.at(0)));
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
    const std::string windowsPath = "Z:" + pngPath;
    LONGLONG lastSize = -1;
    return waitFor(
        [&] {
            WIN32_FILE_ATTRIBUTE_DATA data{};
            if (!GetFileAttributesExA(windowsPath.c_str(), GetFileExInfoStandard, &data)) {
                return false;
            }
            const LONGLONG size = (LONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
            const bool settled = size > 0 && size == lastSize;
            lastSize = size;
            return settled;
        },
        20s);
}

} // namespace ostrel::e2e
