// What the program knows about itself.
#pragma once

#include <string>

namespace ostrel {

struct VersionInfo {
    int major = 0;
    int minor = 0;
    int revision = 0;
    std::string fileDescription;
    std::string productName;
    std::string comments;
    std::string legalCopyright;
};

// Failures: none; what cannot be read is empty (a version block without a field gives
// that field empty). Texts are UTF-8.
class ProgramInfo {
  public:
    virtual ~ProgramInfo() = default;
    // The program's folder, without a trailing backslash unless it is a drive root.
    virtual std::string folder() = 0;
    // The program file's name without its extension ("Ostrel").
    virtual std::string exeName() = 0;
    // The argument text the program was started with (without the program's name).
    virtual std::string commandLine() = 0;
    // The program's own version block.
    virtual VersionInfo version() = 0;
};

} // namespace ostrel
