#include "support/paths.h"

namespace ostrel {

std::string FixPath(const std::string& path) {
    if (!path.empty() && path.back() == '\\') {
        return path;
    }
    return path + "\\";
}

} // namespace ostrel
