// Folder paths as the program writes them.
#pragma once

#include <string>

namespace ostrel {

// The path with one trailing backslash: added when missing, never removed.
std::string FixPath(const std::string& path);

} // namespace ostrel
