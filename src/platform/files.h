// Working directory, files, and the drive table.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace ostrel {

// What stands at a path.
enum class PathKind { none, file, folder };

// Failures: every failing step throws ProcedureError naming the path, as the procedure
// error report shows it. Paths and texts are UTF-8.
class FileSystem {
  public:
    virtual ~FileSystem() = default;
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
    // Whether the path names nothing, a file or a folder.
    virtual PathKind pathKind(const std::string& path) = 0;
    // Makes a new empty file with a name of its own in the folder and returns its full
    // path. Throws 76 when the folder does not exist, 70 or 75 when no file can be made.
    virtual std::string newTempFile(const std::string& folder) = 0;
    // The user's folder for temporary files, ending in "\"; reached through its short
    // form when its name is too long for a temporary file's name, else the system's own
    // temporary folder.
    virtual std::string tempFolder() = 0;
    // The system folder, ending in "\".
    virtual std::string systemFolder() = 0;
    // The text a console program wrote into a file, which is in the console code page.
    virtual std::string consoleText(const std::string& bytes) = 0;
    // Upper case by the file system's own rules, the same for every language, so that
    // the text still names the same file or folder.
    virtual std::string upperCase(const std::string& text) = 0;
};

// Failures: none; a letter the system does not know is a letter without a drive.
class DriveMask {
  public:
    virtual ~DriveMask() = default;
    // Bit n set: the drive with letter 'A' + n exists.
    virtual std::uint32_t logicalDrives() = 0;
    // The folder a substituted drive letter stands for, exactly as the system keeps it;
    // nothing when the letter is no substitution.
    virtual std::optional<std::string> substitutedFolder(char letter) = 0;
};

} // namespace ostrel
