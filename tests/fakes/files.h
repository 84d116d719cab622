// The file system's and the drive table's fakes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "support/procedure_error.h"
#include "support/text.h"
#include "support/vb.h"

namespace ostrel::test {

// Files by full path; a relative path resolves against the working directory. The
// system folder holds the programs.
class FakeFiles : public FileSystem {
  public:
    std::map<std::string, std::string> files;
    std::vector<std::string> programs = {"C:\\WINDOWS\\system32\\cmd.exe",
                                         "C:\\WINDOWS\\system32\\subst.exe"};
    std::vector<std::string> folders = {"C:\\", "C:\\TOOLS\\", "C:\\Temp\\"};
    std::string cwd = "C:\\TOOLS\\";
    std::string temp = "C:\\Temp\\";
    std::vector<std::string> cwdHistory;
    bool deleteRefused = false;

    std::string system = "C:\\WINDOWS\\system32\\";

    void setCurrentDirectory(const std::string& path) override {
        const std::string folder = path.empty() || path.back() != '\\' ? path + '\\' : path;
        if (!has(folders, folder)) {
            raise(err::PathNotFound);
        }
        cwdHistory.push_back(cwd = folder);
    }
    std::string currentDirectoryOfDrive(char letter) override {
        return letter + std::string(":\\TOOLS");
    }
    std::string readFile(const std::string& path) override {
        if (!files.count(resolve(path))) {
            raise(err::FileNotFound);
        }
        return files[resolve(path)];
    }
    void deleteFile(const std::string& path) override {
        if (!files.count(resolve(path)) || deleteRefused) {
            raise(deleteRefused ? err::PermissionDenied : err::FileNotFound);
        }
        files.erase(resolve(path));
    }
    bool fileExists(const std::string& path) override {
        return files.count(resolve(path)) != 0 || has(programs, path);
    }
    std::string newTempFile(const std::string& folder) override {
        if (!has(folders, folder)) {
            raise(err::PathNotFound, folder);
        }
        for (int n = 1;; ++n) {
            if (files.emplace(folder + "OST" + std::to_string(n) + ".TMP", "").second) {
                return folder + "OST" + std::to_string(n) + ".TMP";
            }
        }
    }
    std::string tempFolder() override { return temp; }
    std::string systemFolder() override { return system; }
    // OEM 850's "\x82" (e acute) becomes UTF-8's; enough to see that decoding happens.
    std::string consoleText(const std::string& bytes) override {
        return vb::Replace(bytes, "\x82", "\u00E9");
    }
    PathKind pathKind(const std::string& path) override {
        return files.count(resolve(path))                        ? PathKind::file
               : has(folders, path) || has(folders, path + '\\') ? PathKind::folder
                                                                 : PathKind::none;
    }
    // ASCII letters only: enough to see where upper-casing happens.
    std::string upperCase(const std::string& text) override { return asciiUpper(text); }
    std::string resolve(const std::string& path) const {
        return path.size() >= 2 && path[1] == ':' ? path : cwd + path;
    }
    static bool has(const Lines& list, const std::string& item) {
        return std::find(list.begin(), list.end(), item) != list.end();
    }
};

// The drive mask, and the substitutions by letter (upper case) as the system keeps them.
class FakeDrives : public DriveMask {
  public:
    std::uint32_t mask = 0x4; // C:
    std::map<char, std::string> substitutions;
    std::uint32_t logicalDrives() override { return mask; }
    std::optional<std::string> substitutedFolder(char letter) override {
        const auto found = substitutions.find(letter);
        return found == substitutions.end() ? std::nullopt : std::optional(found->second);
    }
};

} // namespace ostrel::test
