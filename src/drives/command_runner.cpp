#include "drives/command_runner.h"

#include "platform/process.h"
#include "support/error_report.h"

namespace ostrel {
namespace {
constexpr const char* kModule = "Module1";
const std::string kCommandCom = "command.com";
} // namespace

std::string interpreterCommandLine(const std::string& tail) {
    return kCommandCom + " /c" + tail;
}

int StartCommand(Processes& processes, const std::string& commandLine, int showWindow) {
    if (commandLine.rfind(kCommandCom + " ", 0) == 0 && processes.searchPath(kCommandCom).empty()) {
        std::string interpreter = processes.environment("ComSpec");
        if (!interpreter.empty()) {
            if (interpreter.find(' ') != std::string::npos) {
                interpreter = '"' + interpreter + '"';
            }
            return processes.start(interpreter + commandLine.substr(kCommandCom.size()),
                                   showWindow);
        }
    }
    return processes.start(commandLine, showWindow);
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
    const std::string inner = folder.substr(first, last - first + 1);
    if (inner.find_first_of(" &^(),;=<>|") == std::string::npos) {
        return folder;
    }
    return folder.substr(0, first) + '"' + inner + '"' + folder.substr(last + 1);
}

std::string refusedFolderText(const std::string& folder) {
    return "The folder\r\n" + folder +
           "\r\ncannot be used for a virtual drive: its name holds a % or \" sign or a control "
           "character, which the command interpreter would change.";
}

} // namespace ostrel
