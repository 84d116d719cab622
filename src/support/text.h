// Text inside the program is UTF-8; the system takes UTF-16. This is the one conversion
// pair between the two, exact both ways for every text the system can hold: a lone
// surrogate (a file name may have one) travels as its own three-byte form (WTF-8), and a
// byte that no UTF-8 text holds becomes U+FFFD.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ostrel {

std::u16string toUtf16(std::string_view utf8);
std::string toUtf8(std::u16string_view utf16);

// Reads the code point that starts at `at` and moves `at` past it (U+FFFD for a byte
// that starts none).
char32_t nextCodePoint(std::string_view text, std::size_t& at);
// The number of UTF-16 units the text takes at the system.
std::size_t utf16Length(std::string_view utf8);
// The text's first `count` characters (code points), or all of it when it is shorter.
std::string firstChars(std::string_view text, std::size_t count);
// The text with its ASCII letters in upper case and every other character as it is: for
// switches and names compared without a language's rules.
std::string asciiUpper(std::string_view text);

} // namespace ostrel
