// The saved-entry splitter on any stored text, and the round trip of an entry the
// check box writes: the drive's first two characters and the folder come back whole.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "settings/layout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    const auto saved = ostrel::layout::splitSavedEntry(text);
    FUZZ_EXPECT(saved.has_value() == (text.find("=>") != std::string::npos));
    if (saved) {
        FUZZ_EXPECT(saved->drive.size() <= 2);
        FUZZ_EXPECT(text.rfind(saved->drive, 0) == 0);
        FUZZ_EXPECT(saved->folder.find("=>") == std::string::npos);
    }

    // The first byte cuts the rest into a drive text and a folder text.
    if (size > 0) {
        const std::string rest = text.substr(1);
        const std::size_t cut = data[0] % (rest.size() + 1);
        const std::string drive = rest.substr(0, cut);
        const std::string folder = rest.substr(cut);
        if (drive.find("=>") == std::string::npos && folder.find("=>") == std::string::npos) {
            const auto back =
                ostrel::layout::splitSavedEntry(ostrel::layout::savedEntry(drive, folder));
            FUZZ_EXPECT(back.has_value());
            FUZZ_EXPECT(back->drive == drive.substr(0, 2));
            FUZZ_EXPECT(back->folder == folder);
        }
    }
    return 0;
}
