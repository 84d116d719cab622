// The folder chooser of the "...." button: the system's folder browser and the short
// (8.3) form of the chosen path, which the subst command line takes without quotes.
#pragma once

#include <cstdint>
#include <string>

namespace ostrel {

class Shell;
class MessageBoxes;

// Shows the folder browser (file-system folders only) over owner with the prompt as its
// title; the chosen folder's full path, or "" when the user cancels.
std::string BrowseForFolder(Shell& shell, std::uintptr_t owner, const std::string& prompt);

// The short form of path, or "" when the system cannot give one or it does not fit the
// buffer. A failure shows the procedure error report of GetShortPath.
std::string GetShortPath(Shell& shell, MessageBoxes& boxes, const std::string& path);

} // namespace ostrel
