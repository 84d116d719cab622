#include "drives/free_letters.h"

namespace ostrel {

std::vector<std::string> freeLetters(std::uint32_t mask) {
    std::vector<std::string> letters;
    for (int n = 0; n < 26; ++n) {
        if ((mask & (1u << n)) == 0) {
            letters.push_back({static_cast<char>('A' + n), ':'});
        }
    }
    return letters;
}

bool isDriveLetter(const std::string& text) {
    return text.size() == 2 && text[1] == ':' &&
           ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z'));
}

} // namespace ostrel
