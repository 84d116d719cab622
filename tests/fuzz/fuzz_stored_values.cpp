// The conversions of stored texts on any text: the leading-number value, rounding to 16
// bits, and the layout's readings of "Count", "Left"/"Top" and "DriveIndex". A text
// never gives anything but a value or Overflow; a value is finite, and rounding keeps it
// within half a unit.
#include <cassert>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "settings/layout.h"
#include "support/error_report.h"
#include "support/vb.h"

namespace {

// Runs a conversion that may fail only with Overflow.
template <class Conversion> void orOverflow(Conversion&& conversion) {
    try {
        conversion();
    } catch (const ostrel::ProcedureError& error) {
        assert(error.number == ostrel::err::Overflow);
    }
}

// Rounding keeps the value within half a unit, or refuses one beyond 16 bits.
void checkRounding(double value) {
    try {
        assert(std::fabs(ostrel::vb::CInt(value) - value) <= 0.5);
    } catch (const ostrel::ProcedureError& error) {
        assert(error.number == ostrel::err::Overflow && !(std::fabs(value) <= 32767.0));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ostrel;
    const std::string text(reinterpret_cast<const char*>(data), size);
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
    return 0;
}
