// The processes' and the event pump's fakes.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/process.h"
#include "support/procedure_error.h"
#include "support/vb.h"

namespace ostrel::test {

using Lines = std::vector<std::string>;

// The system folder's cmd.exe running its subst.exe, as every subst run starts; the
// line then ends in the closing quote of /s.
inline const std::string kSubstRun = "\"C:\\WINDOWS\\system32\\cmd.exe\" /d /v:off /s /c "
                                     "\"\"C:\\WINDOWS\\system32\\subst.exe\"";
inline const std::string kListingRun = "subst > \"C:\\Temp\\OST1.TMP\"";

// The arguments of a subst run (" X: /d"), or nothing for another command line.
inline std::optional<std::string> substArguments(const std::string& line) {
    if (line.rfind(kSubstRun, 0) != 0 || line.back() != '"') {
        return std::nullopt;
    }
    return line.substr(kSubstRun.size(), line.size() - kSubstRun.size() - 1);
}

// Runs that "start" finish after two polls with the exit code that the test's behaviour
// returns; the behaviour runs when the process is started.
class FakeProcesses : public Processes {
  public:
    // Command lines with their variables expanded, as the interpreter reads them.
    std::vector<std::string> started;
    // Side effects and exit code of a run, given its command line.
    std::function<std::uint32_t(const std::string&)> behaviour = [](const std::string&) {
        return 0u;
    };
    bool startFails = false;
    std::string comspec = "C:\\WINDOWS\\system32\\cmd.exe";
    int openHandles = 0;

    int start(const std::string&, const std::string& commandLine, int,
              const Environment& environment) override {
        if (startFails) {
            raise(err::FileNotFound);
        }
        std::string line = commandLine;
        for (const auto& [name, value] : environment) {
            line = vb::Replace(line, '%' + name + '%', value);
        }
        started.push_back(line);
        runs_[nextPid_] = {behaviour(line), 2};
        return nextPid_++;
    }
    std::unique_ptr<OpenedProcess> open(int processId) override {
        return std::make_unique<Opened>(*this, processId);
    }
    std::string environment(const std::string& name) override {
        return name == "ComSpec" ? comspec : std::string();
    }
    // The command lines started, a subst run shortened to "subst" and its arguments.
    Lines commandLines() const {
        Lines lines;
        for (const auto& line : started) {
            const auto arguments = substArguments(line);
            lines.push_back(arguments ? "subst" + *arguments : line);
        }
        return lines;
    }

  private:
    struct Opened : OpenedProcess {
        FakeProcesses& owner;
        int pid;
        Opened(FakeProcesses& processes, int id) : owner(processes), pid(id) {
            ++owner.openHandles;
        }
        ~Opened() override { --owner.openHandles; }
        bool exitCode(std::uint32_t& code) override {
            const auto run = owner.runs_.find(pid);
            if (run != owner.runs_.end()) {
                code = run->second.second-- > 0 ? kStillActive : run->second.first;
            }
            return run != owner.runs_.end();
        }
        void sleepUntilExitOrInput() override {}
    };
    std::map<int, std::pair<std::uint32_t, int>> runs_; // exit code, polls left
    int nextPid_ = 100;
};

class FakeEvents : public EventPump {
  public:
    std::function<void()> onEvents;
    void doEvents() override {
        if (onEvents) {
            auto hook = onEvents;
            hook();
        }
    }
};

} // namespace ostrel::test
