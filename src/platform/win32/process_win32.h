// Processes and the event pump on the Win32 API.
#pragma once

#include <windows.h>

#include <map>

#include "platform/process.h"
#include "platform/win32/unique_handle_win32.h"

namespace ostrel {

// Starts a command line with the show-window value and the variables, without waiting;
// the program is the one named by its full path, or for an empty program the command
// line's first word. A hidden program gets no console window at all, so nothing flashes.
// Returns the process's handle (empty when it could not be started, GetLastError telling
// why) and sets its id.
UniqueHandle startProcess(const std::string& program, const std::string& commandLine,
                          int showWindow, int& processId, const Environment& environment = {});

class Win32Processes : public Processes {
  public:
    int start(const std::string& program, const std::string& commandLine, int showWindow,
              const Environment& environment) override;
    std::unique_ptr<OpenedProcess> open(int processId) override;
    std::string environment(const std::string& name) override;

  private:
    // The handles of started processes, kept until they are waited for: a run that
    // ends before the wait opens it would otherwise lose its exit code with its id.
    std::map<int, UniqueHandle> started_;
};

class Win32EventPump : public EventPump {
  public:
    // The window whose dialog keys (Tab, access keys) the pump handles.
    void setDialogWindow(HWND window) { dialogWindow_ = window; }
    void doEvents() override;

  private:
    HWND dialogWindow_ = nullptr;
};

} // namespace ostrel
