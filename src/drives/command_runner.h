// Module1's command runner: every subst run goes through the command interpreter as
// "command.com /c" + the subst text, hidden, and is waited for with SHWait.
#pragma once

#include <optional>
#include <string>

namespace ostrel {

class Processes;
class EventPump;
class MessageBoxes;

// "command.com /c" followed directly by the text ("command.com /csubst X: C:\DATA").
std::string interpreterCommandLine(const std::string& tail);

// Starts a command line. A line that names command.com runs it where the system's
// program search finds it; where there is none (64-bit Windows, Wine) the interpreter
// named by ComSpec runs with the same "/c..." tail. Returns the process id; throws
// ProcedureError when nothing could be started.
int StartCommand(Processes& processes, const std::string& commandLine, int showWindow);

// Waits until the process has ended, letting window events run meanwhile without
// spinning. True when it ended with a nonzero exit code; false for exit code 0 and
// when no exit code could be read (an id that names no process).
bool SHWait(Processes& processes, EventPump& events, MessageBoxes& boxes, int processId);

// The folder as it goes on a subst command line. A folder with a blank or one of
// & ^ ( ) , ; = < > | inside it is put in double quotes, so it arrives whole and runs
// nothing else (blanks at its ends stay outside the quotes); other folders stay as
// they are. A folder holding % or " or a control character cannot be passed safely:
// the result is then empty.
std::optional<std::string> substFolderArgument(const std::string& folder);

// The message shown when a folder is refused by substFolderArgument.
std::string refusedFolderText(const std::string& folder);

} // namespace ostrel
