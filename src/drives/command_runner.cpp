#include "drives/command_runner.h"

#include "platform/files.h"
#include "report/error_report.h"
#include "support/text.h"
#include "support/vb.h"

namespace ostrel {
namespace {
constexpr const char* kModule = "Module1";

bool isAbsolutePath(const std::string& path) {
    return (path.size() > 2 && path[1] == ':' && path[2] == '\\') || path.rfind("\\\\", 0) == 0;
}

// The command line as the interpreter reads it: the variables replaced by their values.
std::string expanded(const Command& command) {
    std::string line = command.line;
    for (const auto& [name, value] : command.environment) {
        line = vb::Replace(line, '%' + name + '%', value);
    }
    return line;
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

Command substCommand(Processes& processes, FileSystem& files, const std::string& arguments,
                     const std::optional<std::string>& path) {
    Command command{interpreterPath(processes, files), {}, {}};
    std::string tail = '"' + files.systemFolder() + "subst.exe\"" + arguments;
    if (path) {
        const auto value = substPathValue(*path);
        if (!value) {
            raise(err::InvalidCall, *path);
        }
        command.environment.emplace_back(kPathVariable, *value);
        tail += std::string(" \"%") + kPathVariable + "%\"";
    }
    // With /s the interpreter drops the outer pair of quotes and keeps the rest as it is.
    command.line = '"' + command.program + "\" /d /v:off /s /c \"" + tail + '"';
    return command;
}

int StartCommand(Processes& processes, const Command& command) {
    if (const std::size_t length = utf16Length(expanded(command)); length > kLongestCommandLine) {
        raise(err::InvalidCall, "The command line would be " + std::to_string(length) +
                                    " characters long; the command interpreter runs at most " +
                                    std::to_string(kLongestCommandLine) + ".");
    }
    return processes.start(command.program, command.line, kSwHide, command.environment);
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

std::optional<std::string> substPathValue(const std::string& path) {
    for (const char ch : path) {
        if (ch == '"' || static_cast<unsigned char>(ch) < 0x20) {
            return std::nullopt;
        }
    }
    std::string value = vb::Trim(path);
    const std::size_t length = value.size();
    while (value.size() > 1 && value.back() == '\\') {
        value.pop_back();
    }
    if (value.size() < length && value.size() == 2 && value[1] == ':') {
        value += '\\'; // a drive root keeps its backslash
    }
    if (!value.empty() && value.back() == '\\') {
        value += '\\'; // doubled, so that it does not escape the closing quote
    }
    if (value.empty()) {
        return std::nullopt;
    }
    return value;
}

} // namespace ostrel
