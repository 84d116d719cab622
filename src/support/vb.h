// Conversions as the VB runtime does them, so stored values written by earlier
// versions of the program read back the same way.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel::vb {

// The value of the text's leading number: blanks are skipped, a sign, digits, one
// decimal point and an exponent are taken, and "&H"/"&O" prefixes read hex and octal.
// Reading stops at the first character that does not fit; no number gives 0.
double Val(std::string_view text);

// The value of a text that is a number as a whole (blanks at both ends allowed), as an
// implicit conversion to a number accepts it; nothing when it is not a number.
std::optional<double> numericValue(std::string_view text);

// Rounds to the nearest whole number, half-way values to the even neighbour, and
// checks that it fits 16 bits (error 6, Overflow, when it does not).
std::int16_t CInt(double value);

// Blanks (only the blank character) removed at both ends.
std::string Trim(std::string_view text);
// Every piece between occurrences of the separator (exact match); "" gives one empty piece.
std::vector<std::string> Split(std::string_view text, std::string_view separator);
// Every occurrence of what replaced by with, from the first character to the last.
std::string Replace(std::string_view text, std::string_view what, std::string_view with);

} // namespace ostrel::vb
