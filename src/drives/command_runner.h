// Module1's command runner: every subst run goes through the command interpreter, hidden,
// and is waited for with SHWait. Both programs are named by their full paths in the
// system folder, so no search ever reaches a folder that a user or a program can write.
#pragma once

#include <optional>
#include <string>

namespace ostrel {

class Processes;
class EventPump;
class FileSystem;
class MessageBoxes;

// A program by its full path and the whole command line it is started with.
struct Command {
    std::string program;
    std::string line;
};

// The interpreter by its full path: the system folder's command.com where there is one,
// else ComSpec when it names an existing file by an absolute path, else the system
// folder's cmd.exe.
std::string interpreterPath(Processes& processes, FileSystem& files);

// The interpreter's run of the system folder's subst.exe with the arguments, which
// begin with their blank (" X: C:\DATA", " X: /d", " > C:\TEMP\OST1.TMP"):
// "C:\WINDOWS\system32\cmd.exe" /cC:\WINDOWS\system32\subst.exe X: C:\DATA
Command substCommand(Processes& processes, FileSystem& files, const std::string& arguments);

// Starts the command hidden and returns the process id. Throws ProcedureError when it
// cannot be started; the report names the command.
int StartCommand(Processes& processes, const Command& command);

// Waits until the process has ended, letting window events run meanwhile without
// spinning. True when it ended with a nonzero exit code; false for exit code 0 and
// when no exit code could be read (an id that names no process).
bool SHWait(Processes& processes, EventPump& events, MessageBoxes& boxes, int processId);

// A folder or file as it goes on a command line. One with a blank or one of
// & ^ ( ) , ; = < > | inside it is put in double quotes, so it arrives whole and runs
// nothing else (blanks at its ends stay outside the quotes; a closing backslash, which
// would escape the closing quote, is dropped, or doubled for a drive root); others
// stay as they are. One holding % or " or a control character cannot be passed
// safely: the result is then empty.
std::optional<std::string> substFolderArgument(const std::string& folder);

// The message shown when a folder is refused by substFolderArgument.
std::string refusedFolderText(const std::string& folder);

} // namespace ostrel
