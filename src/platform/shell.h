// Shell services: the folder browser, short paths, opening links, starting programs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace ostrel {

// Browse flags, with the system's values.
namespace bif {
inline constexpr unsigned ReturnOnlyFsDirs = 0x1;
inline constexpr unsigned NewDialogStyle = 0x40;
} // namespace bif

// The browse request, field for field as the system's BROWSEINFOA takes it.
struct BrowseRequest {
    std::uintptr_t owner = 0;
    std::uintptr_t root = 0;
    char* displayName = nullptr;
    std::string title;
    unsigned flags = 0;
    std::uintptr_t callback = 0;
    std::intptr_t callbackData = 0;
};

// The item list a browse returns; released when the object goes.
class ItemList {
  public:
    virtual ~ItemList() = default;
};

class Shell {
  public:
    virtual ~Shell() = default;
    // SHBrowseForFolderA; null when the user cancels.
    virtual std::unique_ptr<ItemList> browseForFolder(const BrowseRequest& request) = 0;
    // SHGetPathFromIDListA into a buffer of at least 260 characters; false without a
    // file-system path (or without an item list).
    virtual bool pathFromIdList(const ItemList* items, char* buffer) = 0;
    // GetShortPathNameA: the length written, 0 on failure, more than size when too small.
    virtual unsigned long shortPathName(const std::string& path, char* buffer,
                                        unsigned long size) = 0;
    // ShellExecuteA; parameters may be null.
    virtual void shellExecute(std::uintptr_t owner, const std::string& operation,
                              const std::string& file, const char* parameters,
                              const std::string& directory, int show) = 0;
    // Starts a program without waiting for it; false when it cannot be started.
    virtual bool startProgram(const std::string& commandLine, int show) = 0;
};

} // namespace ostrel
