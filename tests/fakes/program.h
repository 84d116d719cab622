// What the program knows about itself, faked.
#pragma once

#include <string>

#include "platform/program_info.h"

namespace ostrel::test {

class FakeProgram : public ProgramInfo {
  public:
    std::string folderPath = "C:\\TOOLS";
    std::string name = "Ostrel";
    std::string arguments;
    VersionInfo info{3, 0, 189, "Ostrel", "Ostrel", "Ostrel", ""};
    std::string folder() override { return folderPath; }
    std::string exeName() override { return name; }
    std::string commandLine() override { return arguments; }
    VersionInfo version() override { return info; }
};

} // namespace ostrel::test
