// The drive letters that no drive of the system uses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ostrel {

// "A:" to "Z:" for every clear bit 0 to 25 of the logical-drive mask, in order.
std::vector<std::string> freeLetters(std::uint32_t mask);

// Whether a text is a drive letter with its colon ("X:").
bool isDriveLetter(const std::string& text);

} // namespace ostrel
