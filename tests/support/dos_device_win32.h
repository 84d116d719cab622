// The system's drive table: where a substituted drive letter points.
#pragma once

#include <windows.h>

#include <string>

namespace ostrel::test {

// A substitution's target is its folder behind this prefix.
inline constexpr char kSubstPrefix[] = "\\??\\";

// The folder a letter stands for, or "" when the letter is no substitution.
inline std::string substitutedFolder(char letter) {
    const char device[3] = {letter, ':', 0};
    char target[4096] = {};
    if (QueryDosDeviceA(device, target, sizeof target) == 0) {
        return {};
    }
    const std::string text = target;
    return text.rfind(kSubstPrefix, 0) == 0 ? text.substr(sizeof kSubstPrefix - 1) : std::string();
}

// Takes the letter's substitution away, as subst /d does; false when it had none.
inline bool removeSubstitution(char letter) {
    const std::string folder = substitutedFolder(letter);
    const char device[3] = {letter, ':', 0};
    return !folder.empty() &&
           DefineDosDeviceA(DDD_REMOVE_DEFINITION | DDD_RAW_TARGET_PATH | DDD_EXACT_MATCH_ON_REMOVE,
                            device, (kSubstPrefix + folder).c_str());
}

} // namespace ostrel::test
