// Starting programs, waiting for them, and letting window events run meanwhile.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace ostrel {

inline constexpr std::uint32_t kStillActive = 259;
inline constexpr int kSwHide = 0;
inline constexpr int kSwNormal = 1;
inline constexpr int kSwShow = 5;

// An opened process; the handle is closed when the object goes.
class OpenedProcess {
  public:
    virtual ~OpenedProcess() = default;
    // Reads the exit code (259 while running); false when it cannot be read.
    virtual bool exitCode(std::uint32_t& code) = 0;
    // Sleeps until the process ends or a window message arrives for this thread.
    virtual void sleepUntilExitOrInput() = 0;
};

// Variables (name, value) a started program finds in its environment besides the
// program's own.
using Environment = std::vector<std::pair<std::string, std::string>>;

// Failures: a start that fails throws ProcedureError naming the command line; a process
// that cannot be opened or polled is one that has ended (the wait has nothing to wait
// for). Texts are UTF-8.
class Processes {
  public:
    virtual ~Processes() = default;
    // Starts the program, named by its full path (no search), with the command line, the
    // show-window value and the variables, and returns the process id without waiting.
    virtual int start(const std::string& program, const std::string& commandLine, int showWindow,
                      const Environment& environment) = 0;
    // Opens the process with all access. A process that cannot be opened gives an
    // object whose polls fail.
    virtual std::unique_ptr<OpenedProcess> open(int processId) = 0;
    // An environment variable's value, or "" when it is not set.
    virtual std::string environment(const std::string& name) = 0;
};

// Handles all pending window events of the program once. Failures: none.
class EventPump {
  public:
    virtual ~EventPump() = default;
    virtual void doEvents() = 0;
};

} // namespace ostrel
