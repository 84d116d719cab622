// What the program knows about itself, from its module and its version block.
#pragma once

#include <string>
#include <utility>

#include "platform/program_info.h"

namespace ostrel {

class Win32ProgramInfo : public ProgramInfo {
  public:
    // commandLine: the arguments after the program's own name, as wWinMain receives them.
    explicit Win32ProgramInfo(const wchar_t* commandLine);
    std::string folder() override;
    std::string exeName() override;
    std::string commandLine() override;
    VersionInfo version() override;

  private:
    std::string modulePath();

    std::string commandLine_;
};

} // namespace ostrel
