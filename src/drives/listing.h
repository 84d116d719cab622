// The text that subst prints when it lists the substitutions ("X:\: => C:\DATA" lines).
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace ostrel {

struct DriveEntry {
    std::string drive;  // the drive root, "X:\" (the first three characters)
    std::string folder; // the folder, blanks at both ends removed
};

// Reads the listing line by line (CR LF or LF), handing each entry on in order. A line
// without "=>" ends the reading with ProcedureError 9 (Subscript out of range) after
// the entries before it were handed on.
void parseListing(std::string_view text, const std::function<void(const DriveEntry&)>& onEntry);

} // namespace ostrel
