#include "app/folder_chooser.h"

#include "platform/shell.h"
#include "support/error_report.h"

namespace ostrel {
namespace {
constexpr const char* kModule = "Module1";
constexpr std::size_t kPathBuffer = 512;
constexpr std::size_t kShortBuffer = 165;
constexpr unsigned long kShortBufferSize = 164;
} // namespace

std::string BrowseForFolder(Shell& shell, std::uintptr_t owner, const std::string& prompt) {
    BrowseRequest request;
    request.owner = owner;
    request.title = prompt;
    request.flags = bif::ReturnOnlyFsDirs | bif::NewDialogStyle;
    // The item list is released when this goes, whatever the path lookup does.
    const auto items = shell.browseForFolder(request);
    std::string buffer(kPathBuffer, ' ');
    if (!shell.pathFromIdList(items.get(), buffer.data())) {
        return {};
    }
    return buffer.substr(0, buffer.find('\0'));
}

std::string GetShortPath(Shell& shell, MessageBoxes& boxes, const std::string& path) {
    std::string shortPath;
    reported(boxes, __func__, kModule, [&] {
        std::string buffer(kShortBuffer, '\0');
        const unsigned long length = shell.shortPathName(path, buffer.data(), kShortBufferSize);
        // A length of the buffer's size or more is the size the short form would need:
        // it did not fit, and the buffer holds nothing usable.
        if (length < kShortBufferSize) {
            shortPath = buffer.substr(0, length);
        }
    });
    return shortPath;
}

} // namespace ostrel
