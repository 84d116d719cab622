// Test equipment for the Win32 tests: a scratch folder that takes the drive
// substitutions onto it along when it goes, and the main form on Wine's real services.
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
struct ScratchFolder {
    const std::string path;
    std::vector<std::string> made;

    explicit ScratchFolder(std::string folder) : path(std::move(folder)) {
        CreateDirectoryA(path.c_str(), nullptr);
    }
    ~ScratchFolder() {
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            if (substitutedFolder(letter).find(path) != std::string::npos) {
                removeSubstitution(letter);
            }
        }
        for (auto folder = made.rbegin(); folder != made.rend(); ++folder) {
            RemoveDirectoryA(folder->c_str());
        }
        RemoveDirectoryA(path.c_str());
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Makes the subfolder and gives its path.
    std::string folder(const std::string& name) {
        made.push_back(path + "\\" + name);
        CreateDirectoryA(made.back().c_str(), nullptr);
        return made.back();
    }
};

// The main form on Wine's real processes, event pump, files and drive mask, with fakes
// for the rest, in the drive root C:\ and with a scratch folder as its own.
template <class RealProcesses = Win32Processes> struct RealForm {
    ScratchFolder scratch;
    RealProcesses processes;
    Win32EventPump events;
    Win32FileSystem files;
    Win32DriveMask drives;
    FakeBoxes boxes;
    FakeProgram program;
    FakeRegistry registry;
    FakeShell shell;
    Platform platform{processes, events, files, drives, boxes, program, registry, shell};
    FakeView view;
    frmmain form{platform, view};

    explicit RealForm(std::string folder) : scratch(std::move(folder)) {
        form.AbsRoot = "C:\\";
        form.AbsPath = scratch.path + "\\";
    }
    ~RealForm() { SetCurrentDirectoryA("C:\\"); } // out of the scratch folder
};

} // namespace ostrel::test
