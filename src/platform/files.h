// Working directory, files and the logical-drive mask.
#pragma once

#include <cstdint>
#include <string>

namespace ostrel {

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // Throws ProcedureError 76 (Path not found) when the folder does not exist.
    virtual void setCurrentDirectory(const std::string& path) = 0;
    // The current directory of the drive with that letter, such as "C:\DATA".
    virtual std::string currentDirectoryOfDrive(char letter) = 0;
    // Throws ProcedureError 53 (File not found) when the file does not exist.
    virtual std::uint64_t fileLength(const std::string& path) = 0;
    // The whole file, byte for byte. Throws 53 when it does not exist.
    virtual std::string readFile(const std::string& path) = 0;
    // Throws 53 when the file does not exist, 70 when it cannot be deleted.
    virtual void deleteFile(const std::string& path) = 0;
    // Whether an ordinary file (not a folder, not hidden, not a system file) exists.
    virtual bool fileExists(const std::string& path) = 0;
    // The user's folder for temporary files, ending in "\".
    virtual std::string tempFolder() = 0;
    // Text printed by console programs (OEM code page) in the ANSI code page.
    virtual std::string consoleToAnsi(const std::string& text) = 0;
};

class DriveMask {
  public:
    virtual ~DriveMask() = default;
    // Bit n set: the drive with letter 'A' + n exists.
    virtual std::uint32_t logicalDrives() = 0;
};

} // namespace ostrel
