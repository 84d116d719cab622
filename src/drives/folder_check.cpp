#include "drives/folder_check.h"

#include "drives/command_runner.h"
#include "support/vb.h"

namespace ostrel {
namespace {

constexpr const char* kChooseIt = "or choose it with the \"....\" button.";

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

FolderProblem folderTextProblem(const std::string& folder) {
    const std::string path = vb::Trim(folder);
    if (path.empty()) {
        return FolderProblem::empty;
    }
    if (!substPathValue(path)) {
        return FolderProblem::unpassable;
    }
    // \\?\C:\... is a local path in its long form; every other \\ path is the network's.
    const bool local = path.rfind("\\\\?\\", 0) == 0 && path.size() > 6 && isLetter(path[4]) &&
                       path[5] == ':' && isSeparator(path[6]);
    if (path.size() > 1 && isSeparator(path[0]) && isSeparator(path[1]) && !local) {
        return FolderProblem::network;
    }
    const std::string rooted = local ? path.substr(4) : path;
    if (rooted.size() < 3 || !isLetter(rooted[0]) || rooted[1] != ':' || !isSeparator(rooted[2])) {
        return FolderProblem::relative;
    }
    return FolderProblem::none;
}

FolderProblem folderKindProblem(PathKind kind) {
    switch (kind) {
    case PathKind::none:
        return FolderProblem::missing;
    case PathKind::file:
        return FolderProblem::file;
    case PathKind::folder:
        break;
    }
    return FolderProblem::refused;
}

std::string folderProblemText(const std::string& folder, FolderProblem problem) {
    const std::string named = "The folder\r\n" + vb::Trim(folder) + "\r\n";
    switch (problem) {
    case FolderProblem::none:
        break;
    case FolderProblem::empty:
        return std::string("There is no folder for the virtual drive. Type its full path into "
                           "the box, ") +
               kChooseIt;
    case FolderProblem::relative:
        return named +
               "is not a full path. Give the whole path from the drive's root, such "
               "as C:\\Projects, " +
               kChooseIt;
    case FolderProblem::network:
        return named + "is on the network. subst cannot make a virtual drive of a network "
                       "folder: map it as a network drive instead (\"Map network drive\" in "
                       "Explorer).";
    case FolderProblem::unpassable:
        return named +
               "holds a double quote or a control character, which no folder name "
               "holds. Check the path, " +
               kChooseIt;
    case FolderProblem::missing:
        return named + "does not exist. Check the path, " + kChooseIt;
    case FolderProblem::file:
        return "The path\r\n" + vb::Trim(folder) +
               "\r\nnames a file, not a folder. Give the folder that holds it.";
    case FolderProblem::refused:
        return named + "exists, but subst did not make the drive for it. The letter may have "
                       "come into use meanwhile: refresh the lists and try again.";
    }
    return {};
}

} // namespace ostrel
