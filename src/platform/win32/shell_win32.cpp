#include "platform/win32/shell_win32.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include "platform/win32/process_win32.h"

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
    BROWSEINFOA info{};
    info.hwndOwner = reinterpret_cast<HWND>(request.owner);
    info.pidlRoot = reinterpret_cast<PCIDLIST_ABSOLUTE>(request.root);
    info.pszDisplayName = request.displayName;
    info.lpszTitle = request.title.c_str();
    info.ulFlags = request.flags;
    info.lpfn = reinterpret_cast<BFFCALLBACK>(request.callback);
    info.lParam = static_cast<LPARAM>(request.callbackData);
    PIDLIST_ABSOLUTE items = SHBrowseForFolderA(&info);
    if (items == nullptr) {
        return nullptr;
    }
    return std::make_unique<Win32ItemList>(items);
}

bool Win32Shell::pathFromIdList(const ItemList* items, char* buffer) {
    const auto* list = dynamic_cast<const Win32ItemList*>(items);
    return list != nullptr && SHGetPathFromIDListA(list->get(), buffer) != FALSE;
}

unsigned long Win32Shell::shortPathName(const std::string& path, char* buffer, unsigned long size) {
    return GetShortPathNameA(path.c_str(), buffer, size);
}

void Win32Shell::shellExecute(std::uintptr_t owner, const std::string& operation,
                              const std::string& file, const char* parameters,
                              const std::string& directory, int show) {
    ShellExecuteA(reinterpret_cast<HWND>(owner), operation.c_str(), file.c_str(), parameters,
                  directory.c_str(), show);
}

bool Win32Shell::startProgram(const std::string& commandLine, int show) {
    int processId = 0;
    return static_cast<bool>(startProcess({}, commandLine, show, processId)); // not waited for
}

} // namespace ostrel
