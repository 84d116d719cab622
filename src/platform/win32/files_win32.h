// Files, folders and the drive table on the Win32 API.
#pragma once

#include "platform/files.h"

namespace ostrel {

class Win32FileSystem : public FileSystem {
  public:
    void setCurrentDirectory(const std::string& path) override;
    std::string currentDirectoryOfDrive(char letter) override;
    std::string readFile(const std::string& path) override;
    void deleteFile(const std::string& path) override;
    bool fileExists(const std::string& path) override;
    PathKind pathKind(const std::string& path) override;
    std::string newTempFile(const std::string& folder) override;
    std::string tempFolder() override;
    std::string systemFolder() override;
    std::string consoleText(const std::string& bytes) override;
    std::string upperCase(const std::string& text) override;
};

class Win32DriveMask : public DriveMask {
  public:
    std::uint32_t logicalDrives() override;
    std::optional<std::string> substitutedFolder(char letter) override;
};

} // namespace ostrel
