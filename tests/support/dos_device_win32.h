// The system's drive table: where a substituted drive letter points, and a scratch
// folder that takes the substitutions onto it along when it goes.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <utility>

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

// A folder for a test's files. When it goes, so do the drive substitutions onto it
// (whatever a failed test left behind) and everything in it.
struct ScratchFolder {
    const std::string path;

    explicit ScratchFolder(std::string folder) : path(std::move(folder)) {
        CreateDirectoryA(path.c_str(), nullptr);
    }
    ~ScratchFolder() {
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            if (substitutedFolder(letter).find(path) != std::string::npos) {
                removeSubstitution(letter);
            }
        }
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Makes the subfolder and gives its path.
    std::string folder(const std::string& name) const {
        const std::string made = path + "\\" + name;
        CreateDirectoryA(made.c_str(), nullptr);
        return made;
    }
};

} // namespace ostrel::test
