// Texts from outside the program, on any input.
// The folder rule of the subst command line: a folder it takes, put between the quotes of
// its argument, comes back split by the standard command-line rules as one argument
// naming it (a closing backslash may go, never a drive root's); a blank folder, or one
// with a double quote or a control character, is refused.
// The conversions of stored texts: the leading-number value, rounding to 16 bits, and the
// layout's readings of "Count", "Left"/"Top" and "DriveIndex". A text never gives
// anything but a value or Overflow; a value is finite, and rounding keeps it within half
// a unit.
#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "drives/command_runner.h"
#include "settings/layout.h"
#include "support/procedure_error.h"
#include "support/vb.h"

namespace {

using namespace ostrel;

// Blanks part arguments outside quotes; 2n backslashes before a quote give n and the
// quote opens or closes, 2n+1 give n and a plain quote; other backslashes stand.
std::vector<std::string> splitArguments(const std::string& line) {
    std::vector<std::string> args;
    bool quoted = false, open = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        std::size_t n = 0;
        while (line[i] == '\\' && i + 1 < line.size() && ++n) {
            ++i;
        }
        const char c = line[i];
        if (!open && (c != ' ' || n > 0)) {
            args.emplace_back();
            open = true;
        }
        if (c == '"') {
            args.back().append(n / 2, '\\');
            quoted = n % 2 == 0 ? !quoted : quoted;
            args.back().append(n % 2, '"');
        } else if (c == ' ' && !quoted) {
            if (n > 0) {
                args.back().append(n, '\\');
            }
            open = false;
        } else {
            args.back().append(n, '\\').push_back(c);
        }
    }
    return args;
}

void checkFolderRule(const std::string& folder) {
    const auto value = substPathValue(folder);
    const bool unsafe = std::any_of(folder.begin(), folder.end(), [](char ch) {
        return ch == '"' || static_cast<unsigned char>(ch) < 0x20;
    });
    const std::string trimmed = vb::Trim(folder);
    assert(value.has_value() == (!unsafe && !trimmed.empty()));
    if (!value) {
        return;
    }
    // The interpreter puts the value between the quotes; the program reads one argument.
    const auto args = splitArguments('"' + *value + '"');
    assert(args.size() == 1 && !args[0].empty() && trimmed.rfind(args[0], 0) == 0);
    assert(trimmed.find_first_not_of('\\', args[0].size()) == std::string::npos);
    assert(args[0] == trimmed || !(args[0].size() == 2 && args[0][1] == ':'));
}

// Runs a conversion that may fail only with Overflow.
template <class Conversion> void orOverflow(Conversion&& conversion) {
    try {
        conversion();
    } catch (const ProcedureError& error) {
        assert(error.number == err::Overflow);
    }
}

// Rounding keeps the value within half a unit, or refuses one beyond 16 bits.
void checkRounding(double value) {
    try {
        assert(std::fabs(vb::CInt(value) - value) <= 0.5);
    } catch (const ProcedureError& error) {
        assert(error.number == err::Overflow && !(std::fabs(value) <= 32767.0));
    }
}

void checkStoredText(const std::string& text, const std::uint8_t* data, std::size_t size) {
    orOverflow([&] {
        const double leading = vb::Val(text);
        assert(std::isfinite(leading));
        checkRounding(leading);
        // A text that is a number as a whole has that number as its leading number.
        assert(vb::numericValue(text).value_or(leading) == leading);
    });
    orOverflow([&] { layout::storedWholeNumber(text); });
    const auto position = layout::storedWindowPosition(text);
    assert(!position || std::isfinite(*position));
    assert(!layout::storedDriveIndex(text) || vb::numericValue(text));
    // Any double at all, NaN and infinities included, rounds or overflows.
    if (size >= sizeof(double)) {
        double raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        checkRounding(raw);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    checkFolderRule(text);
    checkStoredText(text, data, size);
    return 0;
}
