// The command line's switch: which of the start modes a start takes.
#pragma once

#include <string>

#include "platform/registry.h"

namespace ostrel {

enum class StartMode { interactive, add, restore, uninstall };

class ProgramInfo;

struct StartSwitch {
    StartMode mode = StartMode::interactive;
    std::string folder;  // add mode: the text after "-ADD", as it stands (not upper-cased)
    std::string program; // uninstall mode: the program named after "-UNINSTALL", if any
};

// The command line, trimmed, its switch in any case: exactly "-R" restores the saved
// drives, "-ADD" followed by anything (Explorer's verb) hands over a folder, "-UNINSTALL",
// alone or followed by a blank and a program's path (in quotes or not, its case kept),
// removes the hooks into Windows; anything else starts interactively.
StartSwitch readSwitch(const std::string& commandLine);

// Runs the start that needs no window: "-UNINSTALL", which the installer runs before
// the program's files go, removes the start-up entries and the folder verbs that start
// the named program (or this one) for every user, and nothing else. It shows nothing,
// as no one may be there to answer (Windows Installer runs it as the system account,
// from a copy of its own). False for every other start, which the main window takes.
bool RunWithoutWindow(const std::string& commandLine, RawRegistry& registry, ProgramInfo& self);

} // namespace ostrel
