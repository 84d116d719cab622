#include "app/folder_chooser.h"

#include "platform/shell.h"
#include "report/error_report.h"

namespace ostrel {
namespace {
constexpr const char* kModule = "Module1";
} // namespace

std::string BrowseForFolder(Shell& shell, std::uintptr_t owner, const std::string& prompt) {
    BrowseRequest request;
    request.owner = owner;
    request.title = prompt;
    request.flags = bif::ReturnOnlyFsDirs | bif::NewDialogStyle;
    // The item list is released when this goes, whatever the path lookup does.
    const auto items = shell.browseForFolder(request);
    std::string path;
    if (!shell.pathFromIdList(items.get(), path)) {
        return {};
    }
    return path;
}

std::string GetShortPath(Shell& shell, MessageBoxes& boxes, const std::string& path) {
    std::string shortPath;
    reported(boxes, __func__, kModule, [&] { shortPath = shell.shortPathName(path); });
    return shortPath;
}

} // namespace ostrel
