// The command line's switch on any argument text: one of the three start modes, a
// folder only in add mode, and an add-mode folder that reads back as itself.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/start_switch.h"
#include "fuzz_check.h"
#include "support/vb.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using ostrel::StartMode;
    const std::string text(reinterpret_cast<const char*>(data), size);

    const auto start = ostrel::readSwitch(text);
    switch (start.mode) {
    case StartMode::restore:
    case StartMode::interactive:
        FUZZ_EXPECT(start.folder.empty());
        break;
    case StartMode::add: {
        FUZZ_EXPECT(start.folder.size() + 4 <= size);
        FUZZ_EXPECT(ostrel::vb::UCase(start.folder) == start.folder);
        FUZZ_EXPECT(start.folder.empty() || start.folder.back() != ' ');
        const auto again = ostrel::readSwitch("-ADD" + start.folder);
        FUZZ_EXPECT(again.mode == StartMode::add && again.folder == start.folder);
        break;
    }
    }
    // Blanks around the switch and its letter case never change the mode.
    const auto padded = ostrel::readSwitch("  " + ostrel::vb::UCase(text) + " ");
    FUZZ_EXPECT(padded.mode == start.mode && padded.folder == start.folder);
    return 0;
}
