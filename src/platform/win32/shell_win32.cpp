#include "platform/win32/shell_win32.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "platform/win32/process_win32.h"
#include "platform/win32/wide_win32.h"

namespace ostrel {
namespace {

// The browser's item list, freed with the shell's allocator when it goes.
class Win32ItemList : public ItemList {
  public:
    explicit Win32ItemList(PIDLIST_ABSOLUTE items) : items_(items) {}
    ~Win32ItemList() override { CoTaskMemFree(items_); }
    Win32ItemList(const Win32ItemList&) = delete;
    Win32ItemList& operator=(const Win32ItemList&) = delete;
    PCIDLIST_ABSOLUTE get() const { return items_; }

  private:
    PIDLIST_ABSOLUTE items_;
};

// The new-style browser needs COM on this thread; a nested initialisation is harmless
// and undone in step.
class ComScope {
  public:
    ComScope() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() {
        if (initialised_) {
            CoUninitialize();
        }
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

  private:
    bool initialised_;
};

} // namespace

std::unique_ptr<ItemList> Win32Shell::browseForFolder(const BrowseRequest& request) {
    ComScope com;
    const std::wstring title = wide(request.title);
    BROWSEINFOW info{};
    info.hwndOwner = reinterpret_cast<HWND>(request.owner);
    info.lpszTitle = title.c_str();
    info.ulFlags = request.flags;
    PIDLIST_ABSOLUTE items = SHBrowseForFolderW(&info);
    if (items == nullptr) {
        return nullptr;
    }
    return std::make_unique<Win32ItemList>(items);
}

bool Win32Shell::pathFromIdList(const ItemList* items, std::string& path) {
    const auto* list = dynamic_cast<const Win32ItemList*>(items);
    // Room for the longest path the system has, not only MAX_PATH.
    std::vector<wchar_t> buffer(32768);
    if (list == nullptr ||
        !SHGetPathFromIDListEx(list->get(), buffer.data(), static_cast<DWORD>(buffer.size()),
                               GPFIDL_DEFAULT)) {
        return false;
    }
    path = narrow(buffer.data());
    return true;
}

std::string Win32Shell::shortPathName(const std::string& path) {
    const std::wstring from = wide(path);
    std::vector<wchar_t> buffer(MAX_PATH);
    while (true) {
        const DWORD length =
            GetShortPathNameW(from.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) {
            return narrow(std::wstring_view(buffer.data(), length));
        }
        buffer.resize(length);
    }
}

void Win32Shell::shellExecute(std::uintptr_t owner, const std::string& operation,
                              const std::string& file, const char* parameters,
                              const std::string& directory, int show) {
    const std::wstring wideParameters = parameters != nullptr ? wide(parameters) : std::wstring();
    ShellExecuteW(reinterpret_cast<HWND>(owner), wide(operation).c_str(), wide(file).c_str(),
                  parameters != nullptr ? wideParameters.c_str() : nullptr, wide(directory).c_str(),
                  show);
}

bool Win32Shell::startProgram(const std::string& commandLine, int show) {
    int processId = 0;
    return static_cast<bool>(startProcess({}, commandLine, show, processId)); // not waited for
}

} // namespace ostrel
