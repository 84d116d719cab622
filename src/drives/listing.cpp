#include "drives/listing.h"

#include <vector>

#include "support/procedure_error.h"
#include "support/text.h"
#include "support/vb.h"

namespace ostrel {

void parseListing(std::string_view text, const std::function<void(const DriveEntry&)>& onEntry) {
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        while (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const auto first = line.find_first_not_of(' ');
        line.remove_prefix(first == std::string_view::npos ? line.size() : first);
        const auto separator = line.find("=>");
        if (separator == std::string_view::npos) {
            raise(err::SubscriptOutOfRange);
        }
        // The folder ends where a further "=>" begins, as splitting the line there does.
        std::string_view folder = line.substr(separator + 2);
        folder = folder.substr(0, folder.find("=>"));
        onEntry({firstChars(line.substr(0, separator), 3), vb::Trim(folder)});
    }
}

namespace {
std::vector<char32_t> codePoints(std::string_view text) {
    std::vector<char32_t> points;
    for (std::size_t at = 0; at < text.size();) {
        points.push_back(nextCodePoint(text, at));
    }
    return points;
}
} // namespace

bool listingShows(std::string_view listed, std::string_view exact) {
    const std::vector<char32_t> shown = codePoints(listed);
    // The positions in the listed text that the exact text read so far can have reached.
    std::vector<bool> reached(shown.size() + 1, false);
    reached[0] = true;
    for (const char32_t c : codePoints(exact)) {
        std::vector<bool> next(shown.size() + 1, false);
        for (std::size_t i = 0; i < shown.size(); ++i) {
            if (!reached[i]) {
                continue;
            }
            // A character beyond ASCII may be one the console code page lacks.
            next[i + 1] = next[i + 1] || shown[i] == c || c >= 0x80;
            if (c > 0xFFFF && i + 1 < shown.size() && shown[i] == '?' && shown[i + 1] == '?') {
                next[i + 2] = true; // one "?" for each half of a surrogate pair
            }
        }
        reached = std::move(next);
    }
    return reached[shown.size()];
}

} // namespace ostrel
