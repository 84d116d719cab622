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

// What the folder browser is shown with.
struct BrowseRequest {
    std::uintptr_t owner = 0;
    std::string title;
    unsigned flags = 0;
};

// The item list a browse returns; released when the object goes.
class ItemList {
  public:
    virtual ~ItemList() = default;
};

// Failures: each call tells by its result (nothing chosen, no path, a start that did not
// happen), as the folder chooser and the About dialog act on them without a report.
// Texts are UTF-8.
class Shell {
  public:
    virtual ~Shell() = default;
    // SHBrowseForFolderW; null when the user cancels.
    virtual std::unique_ptr<ItemList> browseForFolder(const BrowseRequest& request) = 0;
    // The item list's file-system path; false without one (or without an item list).
    virtual bool pathFromIdList(const ItemList* items, std::string& path) = 0;
    // GetShortPathNameW: the path's short (8.3) form, the path itself where its folders
    // have no short names, "" when the system cannot give one.
    virtual std::string shortPathName(const std::string& path) = 0;
    // ShellExecuteW; parameters may be null.
    virtual void shellExecute(std::uintptr_t owner, const std::string& operation,
                              const std::string& file, const char* parameters,
                              const std::string& directory, int show) = 0;
    // Starts a program without waiting for it; false when it cannot be started.
    virtual bool startProgram(const std::string& commandLine, int show) = 0;
};

} // namespace ostrel
