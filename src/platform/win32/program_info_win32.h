// What the program knows about itself, from its module and its version block.
#pragma once

#include "platform/program_info.h"

namespace ostrel {

class Win32ProgramInfo : public ProgramInfo {
  public:
    std::string folder() override;
    std::string exeName() override;
    std::string commandLine() override;
    VersionInfo version() override;

  private:
    std::string modulePath();
};

} // namespace ostrel
