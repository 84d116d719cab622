#include "support/vb.h"

#include <cmath>
#include <cstdlib>
#include <optional>

#include "support/procedure_error.h"

namespace ostrel::vb {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A hexadecimal ("&H1A") or octal ("&O17") number at `at`; sets used past it. Nothing
// when there is none. Such texts are 32-bit two's complement, as the runtime reads them.
std::optional<double> readRadixNumber(std::string_view text, std::size_t at, std::size_t& used) {
    if (at + 1 >= text.size() || text[at] != '&') {
        return std::nullopt;
    }
    const char kind = static_cast<char>(text[at + 1] | 0x20);
    const int base = kind == 'h' ? 16 : kind == 'o' ? 8 : 0;
    if (base == 0) {
        return std::nullopt;
    }
    std::size_t j = at + 2;
    std::uint64_t value = 0;
    for (; j < text.size(); ++j) {
        const char c = static_cast<char>(text[j] | 0x20);
        int digit = isDigit(text[j]) ? text[j] - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : 99;
        if (digit >= base || value > 0xFFFFFFFFull) {
            break;
        }
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    }
    if (j == at + 2) {
        return 0.0;
    }
    used = j;
    if (value > 0xFFFFFFFFull) {
        raise(err::Overflow);
    }
    if (value <= 0xFFFF) {
        return static_cast<double>(static_cast<std::int16_t>(value));
    }
    return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

// The exponent ("E3", "D-2") at `at`, appended to number; the position after it, or `at`
// when there is none.
std::size_t readExponent(std::string_view text, std::size_t at, std::string& number) {
    if (at >= text.size() ||
        (text[at] != 'e' && text[at] != 'E' && text[at] != 'd' && text[at] != 'D')) {
        return at;
    }
    std::string exponent = "e";
    std::size_t k = at + 1;
    if (k < text.size() && (text[k] == '-' || text[k] == '+')) {
        exponent += text[k++];
    }
    bool digits = false;
    while (k < text.size() && isDigit(text[k]) && exponent.size() < 8) {
        exponent += text[k++];
        digits = true;
    }
    while (k < text.size() && isDigit(text[k])) {
        ++k; // absurdly long exponents saturate below
        exponent += '9';
    }
    if (!digits) {
        return at;
    }
    number += exponent;
    return k;
}

// Reads a number from the start of text (after blanks); sets used to the number of
// characters taken, 0 when there is no number.
double readNumber(std::string_view text, std::size_t& used) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    used = 0;
    if (const auto radix = readRadixNumber(text, i, used)) {
        return *radix;
    }
    std::string number;
    std::size_t j = i;
    if (j < text.size() && (text[j] == '-' || text[j] == '+')) {
        number += text[j++];
    }
    bool digits = false;
    while (j < text.size() && isDigit(text[j])) {
        number += text[j++];
        digits = true;
    }
    if (j < text.size() && text[j] == '.') {
        number += text[j++];
        while (j < text.size() && isDigit(text[j])) {
            number += text[j++];
            digits = true;
        }
    }
    if (!digits) {
        return 0;
    }
    used = readExponent(text, j, number);
    const double value = std::strtod(number.c_str(), nullptr);
    if (!std::isfinite(value)) {
        raise(err::Overflow);
    }
    return value;
}

} // namespace

double Val(std::string_view text) {
    std::size_t used = 0;
    return readNumber(text, used);
}

std::optional<double> numericValue(std::string_view text) {
    std::size_t used = 0;
    double value = 0;
    try {
        value = readNumber(text, used);
    } catch (const ProcedureError&) {
        return std::nullopt;
    }
    if (used == 0) {
        return std::nullopt;
    }
    for (std::size_t i = used; i < text.size(); ++i) {
        if (text[i] != ' ' && text[i] != '\t') {
            return std::nullopt;
        }
    }
    return value;
}

namespace {
double roundHalfEven(double value) {
    if (!std::isfinite(value)) {
        raise(err::Overflow);
    }
    return std::nearbyint(value); // the default rounding mode rounds half-way values to even
}
} // namespace

std::int16_t CInt(double value) {
    const double rounded = roundHalfEven(value);
    if (rounded < -32768.0 || rounded > 32767.0) {
        raise(err::Overflow);
    }
    return static_cast<std::int16_t>(rounded);
}

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::vector<std::string> Split(std::string_view text, std::string_view separator) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (true) {
        const auto at = text.find(separator, start);
        if (at == std::string_view::npos || separator.empty()) {
            pieces.emplace_back(text.substr(start));
            return pieces;
        }
        pieces.emplace_back(text.substr(start, at - start));
        start = at + separator.size();
    }
}

std::string Replace(std::string_view text, std::string_view what, std::string_view with) {
    if (what.empty()) {
        return std::string(text);
    }
    std::string out;
    std::size_t start = 0;
    for (auto at = text.find(what); at != std::string_view::npos; at = text.find(what, start)) {
        out.append(text.substr(start, at - start));
        out.append(with);
        start = at + what.size();
    }
    out.append(text.substr(start));
    return out;
}

} // namespace ostrel::vb
