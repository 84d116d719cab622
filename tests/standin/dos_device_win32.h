// The system's drive table: where a substituted drive letter points, and a scratch
// folder that takes the substitutions onto it along when it goes. Paths are UTF-8.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <utility>

#include "platform/win32/wide_win32.h"

namespace ostrel::test {

// A substitution's target is its folder behind this prefix.
inline constexpr wchar_t kSubstPrefix[] = L"\\??\\";

// The folder a letter stands for, exactly as the system keeps it, or "" when the letter
// is no substitution.
inline std::string substitutedFolder(char letter) {
    const wchar_t device[3] = {static_cast<wchar_t>(letter), L':', 0};
    wchar_t target[32768] = {};
    if (QueryDosDeviceW(device, target, 32768) == 0) {
        return {};
    }
    const std::wstring text = target;
    return text.rfind(kSubstPrefix, 0) == 0 ? narrow(text.substr(std::size(kSubstPrefix) - 1))
                                            : std::string();
}

// Makes the substitution, as subst does; false when the system refuses it.
inline bool addSubstitution(char letter, const std::string& folder) {
    const wchar_t device[3] = {static_cast<wchar_t>(letter), L':', 0};
    return DefineDosDeviceW(0, device, wide(folder).c_str()) != FALSE;
}

// Takes the letter's substitution away, as subst /d does; false when it had none.
inline bool removeSubstitution(char letter) {
    const std::string folder = substitutedFolder(letter);
    const wchar_t device[3] = {static_cast<wchar_t>(letter), L':', 0};
    return !folder.empty() &&
           DefineDosDeviceW(DDD_REMOVE_DEFINITION | DDD_RAW_TARGET_PATH | DDD_EXACT_MATCH_ON_REMOVE,
                            device, (kSubstPrefix + wide(folder)).c_str());
}

// A folder for a test's files. When it goes, so do the drive substitutions onto it
// (whatever a failed test left behind) and everything in it.
struct ScratchFolder {
    const std::string path;

    explicit ScratchFolder(std::string folder) : path(std::move(folder)) {
        CreateDirectoryW(wide(path).c_str(), nullptr);
    }
    ~ScratchFolder() {
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            if (substitutedFolder(letter).find(path) != std::string::npos) {
                removeSubstitution(letter);
            }
        }
        std::error_code ignored;
        std::filesystem::remove_all(wide(path), ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Makes the subfolder and gives its path.
    std::string folder(const std::string& name) const {
        const std::string made = path + "\\" + name;
        CreateDirectoryW(wide(made).c_str(), nullptr);
        return made;
    }
};

} // namespace ostrel::test
