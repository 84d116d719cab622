// The listing parser on any text subst might print: it hands on well-formed entries or
// stops with Subscript out of range at a line without "=>", and nothing else.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "drives/listing.h"
#include "fuzz_check.h"
#include "support/error_report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    std::size_t entries = 0;
    try {
        ostrel::parseListing(text, [&](const ostrel::DriveEntry& entry) {
            ++entries;
            FUZZ_EXPECT(entry.drive.size() <= 3);
            FUZZ_EXPECT(text.find(entry.drive) != std::string_view::npos);
            FUZZ_EXPECT(entry.folder.find("=>") == std::string::npos);
            FUZZ_EXPECT(entry.folder.empty() ||
                        (entry.folder.front() != ' ' && entry.folder.back() != ' '));
            FUZZ_EXPECT(entry.folder.size() < size);
        });
    } catch (const ostrel::ProcedureError& error) {
        FUZZ_EXPECT(error.number == ostrel::err::SubscriptOutOfRange);
    }
    FUZZ_EXPECT(entries <= lines);
    return 0;
}
