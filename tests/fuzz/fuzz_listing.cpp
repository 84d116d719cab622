// The listing parser on any text subst might print, against a plain reading of each line:
// blanks before it skipped, split at every "=>", the first three characters of the first
// piece and the second piece trimmed. A line without "=>" stops it with Subscript out of
// range after the entries before it; nothing else may come out.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "drives/listing.h"
#include "fuzz_check.h"
#include "support/error_report.h"
#include "support/vb.h"

namespace {

struct Expected {
    std::vector<ostrel::DriveEntry> entries;
    bool stops = false; // at a line without "=>"
};

Expected readPlainly(std::string_view text) {
    Expected expected;
    std::istringstream lines{std::string(text)};
    for (std::string line; std::getline(lines, line);) {
        line.erase(line.find_last_not_of('\r') + 1);
        line.erase(0, line.find_first_not_of(' '));
        const auto pieces = ostrel::vb::Split(line, "=>");
        if (pieces.size() < 2) {
            expected.stops = true;
            break;
        }
        expected.entries.push_back({pieces[0].substr(0, 3), ostrel::vb::Trim(pieces[1])});
    }
    return expected;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Expected expected = readPlainly(text);
    std::vector<ostrel::DriveEntry> entries;
    bool stopped = false;
    try {
        ostrel::parseListing(text,
                             [&](const ostrel::DriveEntry& entry) { entries.push_back(entry); });
    } catch (const ostrel::ProcedureError& error) {
        FUZZ_EXPECT(error.number == ostrel::err::SubscriptOutOfRange);
        stopped = true;
    }
    FUZZ_EXPECT(stopped == expected.stops);
    FUZZ_EXPECT(entries.size() == expected.entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        FUZZ_EXPECT(entries[i].drive == expected.entries[i].drive);
        FUZZ_EXPECT(entries[i].folder == expected.entries[i].folder);
    }
    return 0;
}
