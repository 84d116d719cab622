// Test equipment: starts Ostrel.exe and drives it from outside through window messages,
// as a user's tools or a screen reader would: windows found by title, controls by id.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

namespace ostrel::e2e {

using namespace std::chrono_literals;
using Duration = std::chrono::milliseconds;

// Polls the condition until it holds or the time is up; true when it held.
bool waitFor(const std::function<bool()>& condition, Duration timeout = 30s);

// A running Ostrel.exe, ended when the object goes if it has not ended by itself.
class OstrelProcess {
  public:
    // Starts the program (the build's Ostrel.exe unless a Windows path is given) with the
    // argument text after its name, in the program's folder.
    explicit OstrelProcess(const std::string& arguments, const std::string& program = {});
    ~OstrelProcess();
    OstrelProcess(const OstrelProcess&) = delete;
    OstrelProcess& operator=(const OstrelProcess&) = delete;

    bool running() const;
    // True when the program has ended within the time.
    bool waitForExit() const;
    // Waits for a visible window with this title, other than the one given.
    HWND waitForWindow(const std::string& title, HWND besides = nullptr) const;

  private:
    PROCESS_INFORMATION info_{};
};

// A window's text, read with WM_GETTEXT.
std::string textOf(HWND window);
// A child control by id; the status label is found inside its strip.
HWND control(HWND mainWindow, int id);
// Clicks a button as the user would, without waiting for what the click starts.
void click(HWND button);
// Saves the window as it shows on the screen to a PNG file (a Unix path).
bool screenshot(HWND window, const std::string& pngPath);

} // namespace ostrel::e2e
