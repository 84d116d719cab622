// Test equipment for the Win32 tests: Wine's real processes, event pump, files and
// drive mask wired into a Platform beside fakes for the rest, and a scratch folder that
// takes the drive substitutions onto it along when it goes.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/win32/files_win32.h"
#include "platform/win32/process_win32.h"
#include "support/dos_device_win32.h"
#include "support/fakes.h"

namespace ostrel::test {

template <class RealProcesses = Win32Processes> struct RealPlatform {
    RealProcesses processes;
    Win32EventPump events;
    Win32FileSystem files;
    Win32DriveMask drives;
    FakeBoxes boxes;
    FakeProgram program;
    FakeRegistry registry;
    FakeShell shell;
    Platform platform{processes, events, files, drives, boxes, program, registry, shell};
};

// Sets an environment variable for the length of a test, then puts the old value back.
struct ScopedVariable {
    const char* name;
    std::string old = std::string(32768, '\0');
    bool had = GetEnvironmentVariableA(name, old.data(), 32768) > 0;
    ScopedVariable(const char* variable, const std::string& value) : name(variable) {
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~ScopedVariable() { SetEnvironmentVariableA(name, had ? old.c_str() : nullptr); }
};

// A folder under C:\ with subfolders made on request. When it goes, so do the drive
// substitutions onto it (whatever a failed test left behind) and the folders.
class ScratchFolder {
  public:
    explicit ScratchFolder(std::string path) : path_(std::move(path)) {
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~ScratchFolder() {
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            const std::string folder = substitutedFolder(letter);
            const std::string target = kSubstPrefix + folder;
            const char device[3] = {letter, ':', 0};
            if (folder.find(path_) != std::string::npos) {
                DefineDosDeviceA(DDD_REMOVE_DEFINITION | DDD_RAW_TARGET_PATH |
                                     DDD_EXACT_MATCH_ON_REMOVE,
                                 device, target.c_str());
            }
        }
        for (auto made = made_.rbegin(); made != made_.rend(); ++made) {
            RemoveDirectoryA(made->c_str());
        }
        RemoveDirectoryA(path_.c_str());
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return path_; }
    // Makes the subfolder and gives its path.
    std::string folder(const std::string& name) {
        made_.push_back(path_ + "\\" + name);
        CreateDirectoryA(made_.back().c_str(), nullptr);
        return made_.back();
    }

  private:
    std::string path_;
    std::vector<std::string> made_;
};

} // namespace ostrel::test
