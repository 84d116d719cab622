// The command line's switch: which of the start modes a start takes.
#pragma once

#include <string>

#include "platform/registry.h"

namespace ostrel {

enum class StartMode { interactive, add, restore, uninstall };

struct StartSwitch {
    StartMode mode = StartMode::interactive;
    std::string folder; // add mode: the text after "-ADD", as it stands (not upper-cased)
};

// The command line, trimmed, its switch in any case: exactly "-R" restores the saved
// drives, "-ADD" followed by anything (Explorer's verb) hands over a folder, exactly
// "-UNINSTALL" removes the program's hooks into Windows; anything else starts
// interactively.
StartSwitch readSwitch(const std::string& commandLine);

// Runs the start that needs no window: "-UNINSTALL", which the installer runs before
// the program's files go, removes the start-up entry and the folder verb and nothing
// else. It shows nothing, as no one may be there to answer (Windows Installer may run
// it as the system account). False for every other start, which the main window takes.
bool RunWithoutWindow(const std::string& commandLine, RawRegistry& registry);

} // namespace ostrel
