#include "drives/listing.h"

#include "support/error_report.h"
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
        onEntry(
            {std::string(line.substr(0, std::min<std::size_t>(3, separator))), vb::Trim(folder)});
    }
}

} // namespace ostrel
