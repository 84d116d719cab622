// The conversions of stored texts: the leading-number value, the whole-number test,
// rounding to 16 and 32 bits, and the layout's readings of "Count", "Left"/"Top" and
// "DriveIndex". A text never gives anything but a value or Overflow.
#include <cassert>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "settings/layout.h"
#include "support/error_report.h"
#include "support/vb.h"

namespace {

using namespace ostrel;

// Runs a conversion that may fail only with Overflow.
template <class Conversion> auto orOverflow(Conversion&& conversion) {
    std::optional<decltype(conversion())> result;
    try {
        result = conversion();
    } catch (const ProcedureError& error) {
        assert(error.number == err::Overflow);
    }
    return result;
}

// Rounding keeps the value within half a unit, or refuses it.
void checkRounding(double value) {
    if (const auto small = orOverflow([&] { return vb::CInt(value); })) {
        assert(std::fabs(*small - value) <= 0.5);
    } else {
        assert(!std::isfinite(value) || std::fabs(value) > 32767.0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    const auto leading = orOverflow([&] { return vb::Val(text); });
    if (leading) {
        assert(std::isfinite(*leading));
        checkRounding(*leading);
    }
    // A text that is a number as a whole has that number as its leading number.
    if (const auto whole = vb::numericValue(text)) {
        assert(leading && *leading == *whole);
    }
    const auto count = orOverflow([&] { return layout::storedWholeNumber(text); });
    assert(count.has_value() ==
           (leading && orOverflow([&] { return vb::CInt(*leading); }).has_value()));

    // Window positions and the letter position never fail: they are a value or absent.
    if (const auto position = layout::storedWindowPosition(text)) {
        assert(std::isfinite(*position));
    }
    if (layout::storedDriveIndex(text)) {
        assert(vb::numericValue(text).has_value());
    }

    // Any double at all, NaN and infinities included, rounds or overflows.
    if (size >= sizeof(double)) {
        double raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        checkRounding(raw);
    }
    return 0;
}
