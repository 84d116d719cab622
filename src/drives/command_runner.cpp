#include "drives/command_runner.h"

#include "platform/files.h"
#include "platform/process.h"
#include "support/error_report.h"

namespace ostrel {
namespace {
constexpr const char* kModule = "Module1";

bool isAbsolutePath(const std::string& path) {
    return (path.size() > 2 && path[1] == ':' && path[2] == '\\') || path.rfind("\\\\", 0) == 0;
}

} // namespace

std::string interpreterPath(Processes& processes, FileSystem& files) {
    const std::string system = files.systemFolder();
    if (files.fileExists(system + "command.com")) {
        return system + "command.com";
    }
    const std::string comspec = processes.environment("ComSpec");
    if (isAbsolutePath(comspec) && files.fileExists(comspec)) {
        return comspec;
    }
    return system + "cmd.exe";
}

Command substCommand(Processes& processes, FileSystem& files, const std::string& arguments) {
    const std::string program = interpreterPath(processes, files);
    const std::string subst = files.systemFolder() + "subst.exe";
    const auto quoted = substFolderArgument(subst);
    if (!quoted) {
        raise(err::InvalidCall, subst);
    }
    // A line after /c that begins with a quote loses its first and last quote, so a
    // quoted subst goes inside one more pair.
    const std::string tail = *quoted == subst ? subst + arguments : '"' + *quoted + arguments + '"';
    return {program, '"' + program + "\" /c" + tail};
}

int StartCommand(Processes& processes, const Command& command) {
    return processes.start(command.program, command.line, kSwHide);
}

bool SHWait(Processes& processes, EventPump& events, MessageBoxes& boxes, int processId) {
    bool nonzero = false;
    reported(boxes, __func__, kModule, [&] {
        const auto process = processes.open(processId);
        std::uint32_t code = 0;
        // A failed poll leaves no exit code to wait for: the run counts as ended.
        while (process->exitCode(code) && code == kStillActive) {
            events.doEvents();
            process->sleepUntilExitOrInput();
        }
        nonzero = code != 0 && code != kStillActive;
    });
    return nonzero;
}

std::optional<std::string> substFolderArgument(const std::string& folder) {
    for (const char ch : folder) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '%' || c == '"' || c < 0x20 || c == 0x7F) {
            return std::nullopt;
        }
    }
    const auto first = folder.find_first_not_of(' ');
    if (first == std::string::npos) {
        return folder;
    }
    const auto last = folder.find_last_not_of(' ');
    std::string inner = folder.substr(first, last - first + 1);
    if (inner.find_first_of(" &^(),;=<>|") == std::string::npos) {
        return folder;
    }
    // Backslashes before a quote escape it for the program that reads the line.
    const std::size_t length = inner.size();
    while (inner.size() > 1 && inner.back() == '\\') {
        inner.pop_back();
    }
    if (inner.size() < length && inner.size() == 2 && inner[1] == ':') {
        inner += "\\\\"; // a drive root keeps its backslash, doubled
    }
    return folder.substr(0, first) + '"' + inner + '"' + folder.substr(last + 1);
}

std::string refusedFolderText(const std::string& folder) {
    return "The folder\r\n" + folder +
           "\r\ncannot be used for a virtual drive: its name holds a % or \" sign or a control "
           "character, which the command interpreter would change.";
}

} // namespace ostrel
