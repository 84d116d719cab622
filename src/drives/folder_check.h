// Why a folder cannot become a virtual drive, in words a user can act on. subst's own
// message is not seen (its window is hidden), so the program finds the cause itself:
// from the folder's text before a run, from what stands at the path after a failed one.
#pragma once

#include <string>

#include "platform/files.h"

namespace ostrel {

enum class FolderProblem {
    none,
    empty,      // no folder given
    relative,   // not a full path from a drive's root
    network,    // a network (UNC) path, which subst cannot bind
    unpassable, // a double quote or a control character, which no folder name holds
    missing,    // nothing stands at the path
    file,       // a file stands at the path
    refused,    // the folder exists, and subst refused it all the same
};

// What is wrong with the folder by its text alone (blanks at its ends do not count).
FolderProblem folderTextProblem(const std::string& folder);

// What is wrong with a folder that subst refused, by what stands at its path.
FolderProblem folderKindProblem(PathKind kind);

// The message: the folder as given, the cause and what to do.
std::string folderProblemText(const std::string& folder, FolderProblem problem);

} // namespace ostrel
