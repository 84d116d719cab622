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

// Whether the listing's folder text can be what subst printed for the exact folder: subst
// writes through the console code page, so a character beyond ASCII may show as "?" (two
// for one outside the Basic Multilingual Plane) or as a look-alike; every other character
// and the length must agree. A listing that cannot show the folder names another one.
bool listingShows(std::string_view listed, std::string_view exact);

} // namespace ostrel
