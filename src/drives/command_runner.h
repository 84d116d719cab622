// Module1's command runner: every subst run goes through the command interpreter, hidden,
// and is waited for with SHWait. Both programs are named by their full paths in the
// system folder, so no search ever reaches a folder that a user or a program can write.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "platform/process.h"

namespace ostrel {

class FileSystem;
class MessageBoxes;

// A program by its full path, the whole command line it is started with and the
// variables it finds in its environment.
struct Command {
    std::string program;
    std::string line;
    Environment environment;
};

// The variable that carries a run's folder or file to the interpreter. The interpreter
// expands it once into a quoted argument and never reads it as a command, so every
// character a folder name can hold (%, !, ^, &, blanks, any script) arrives as it is.
inline constexpr const char* kPathVariable = "OSTREL_PATH";
// The longest command line the interpreter runs (in UTF-16 units, the variable
// expanded); a longer one is never started.
inline constexpr std::size_t kLongestCommandLine = 8191;

// The interpreter by its full path: the system folder's command.com where there is one,
// else ComSpec when it names an existing file by an absolute path, else the system
// folder's cmd.exe.
std::string interpreterPath(Processes& processes, FileSystem& files);

// The interpreter's run of the system folder's subst.exe with the arguments, which begin
// with their blank (" X:", " X: /d", " >"), then the path, when there is one, as the
// variable gives it, in quotes:
// "C:\WINDOWS\system32\cmd.exe" /d /v:off /s /c ""C:\WINDOWS\system32\subst.exe" X:
// "%OSTREL_PATH%"" with OSTREL_PATH=C:\DATA. No AutoRun command and no delayed
// expansion touch the run. Throws ProcedureError 5 naming the path when it holds a
// character no command line can carry.
Command substCommand(Processes& processes, FileSystem& files, const std::string& arguments,
                     const std::optional<std::string>& path = std::nullopt);

// Starts the command hidden and returns the process id. Throws ProcedureError when it
// cannot be started (the report names the command) or, before any start, when its line
// is longer than the interpreter takes (the report names the limit).
int StartCommand(Processes& processes, const Command& command);

// Waits until the process has ended, letting window events run meanwhile without
// spinning. True when it ended with a nonzero exit code; false for exit code 0 and
// when no exit code could be read (an id that names no process).
bool SHWait(Processes& processes, EventPump& events, MessageBoxes& boxes, int processId);

// A folder or file as the variable hands it to the quoted argument: blanks at its ends
// dropped, and closing backslashes, which would escape the closing quote, dropped too (a
// drive root's is doubled instead). Nothing for a blank path, or for one holding a double
// quote or a control character, which no file name holds and no command line carries.
std::optional<std::string> substPathValue(const std::string& path);

} // namespace ostrel
