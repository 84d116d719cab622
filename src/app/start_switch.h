// The command line's switch: which of the three start modes a start takes.
#pragma once

#include <string>

namespace ostrel {

enum class StartMode { interactive, add, restore };

struct StartSwitch {
    StartMode mode = StartMode::interactive;
    std::string folder; // add mode: the text after "-ADD", as it stands
};

// The command line, trimmed and upper-cased: exactly "-R" restores the saved drives,
// "-ADD" followed by anything (Explorer's verb) hands over a folder; anything else
// starts interactively.
StartSwitch readSwitch(const std::string& commandLine);

} // namespace ostrel
