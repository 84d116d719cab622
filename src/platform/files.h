// Working directory, files and the logical-drive mask.
#pragma once

#include <cstdint>
#include <string>

namespace ostrel {

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // Every failure throws ProcedureError naming the path.
    // Throws 76 (Path not found) when the folder does not exist.
    virtual void setCurrentDirectory(const std::string& path) = 0;
    // The current directory of the drive with that letter, such as "C:\DATA".
    virtual std::string currentDirectoryOfDrive(char letter) = 0;
    // The whole file, byte for byte. Throws 53 when it does not exist.
    virtual std::string readFile(const std::string& path) = 0;
    // Throws 53 when the file does not exist, 70 when it cannot be deleted.
    virtual void deleteFile(const std::string& path) = 0;
    // Whether an ordinary file (not a folder, not hidden, not a system file) exists.
    virtual bool fileExists(const std::string& path) = 0;
    // Makes a new empty file with a name of its own in the folder and returns its full
    // path. Throws 76 when the folder does not exist, 70 or 75 when no file can be made.
    virtual std::string newTempFile(const std::string& folder) = 0;
    // The user's folder for temporary files, ending in "\": reached through its short
    // form when its name is too long or holds letters outside the ANSI code page, else
    // the system's own temporary folder.
    virtual std::string tempFolder() = 0;
    // The system folder, ending in "\".
    virtual std::string systemFolder() = 0;
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
