// Starting programs, waiting for them, and letting window events run meanwhile.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

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

class Processes {
  public:
    virtual ~Processes() = default;
    // Starts the program, named by its full path (no search), with the command line and
    // the show-window value, and returns the process id without waiting. Throws
    // ProcedureError, naming the command line, when it cannot be started.
    virtual int start(const std::string& program, const std::string& commandLine,
                      int showWindow) = 0;
    // Opens the process with all access. A process that cannot be opened gives an
    // object whose polls fail.
    virtual std::unique_ptr<OpenedProcess> open(int processId) = 0;
    // An environment variable's value, or "" when it is not set.
    virtual std::string environment(const std::string& name) = 0;
};

// Handles all pending window events of the program once.
class EventPump {
  public:
    virtual ~EventPump() = default;
    virtual void doEvents() = 0;
};

} // namespace ostrel
