// Shell services on the Win32 API: the folder browser, short paths, opening links and
// starting programs.
#pragma once

#include "platform/shell.h"

namespace ostrel {

class Win32Shell : public Shell {
  public:
    std::unique_ptr<ItemList> browseForFolder(const BrowseRequest& request) override;
    bool pathFromIdList(const ItemList* items, std::string& path) override;
    std::string shortPathName(const std::string& path) override;
    void shellExecute(std::uintptr_t owner, const std::string& operation, const std::string& file,
                      const char* parameters, const std::string& directory, int show) override;
    bool startProgram(const std::string& commandLine, int show) override;
};

} // namespace ostrel
