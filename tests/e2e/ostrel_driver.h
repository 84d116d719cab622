// Test equipment: starts Ostrel.exe and drives it from outside through window messages,
// as a user's tools or a screen reader would: windows found by title, controls by id,
// message boxes answered by their buttons.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

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
    bool waitForExit(Duration timeout = 30s) const;
    // Every visible top-level window of the program.
    std::vector<HWND> visibleWindows() const;
    // Waits for a visible window with this title (a message box's title included).
    HWND waitForWindow(const std::string& title, Duration timeout = 30s) const;

  private:
    PROCESS_INFORMATION info_{};
};

// The folder Ostrel.exe is in, as the program sees it.
std::string programFolder();
// A window's text, read with WM_GETTEXT.
std::string textOf(HWND window);
// A child control by id; the status label is found inside its strip.
HWND control(HWND mainWindow, int id);
// Clicks a button as the user would, without waiting for what the click starts.
void click(HWND button);
// The text of a message box (its longest label).
std::string messageText(HWND box);
// Saves the window as it shows on the screen to a PNG file (a Unix path).
bool screenshot(HWND window, const std::string& pngPath);

} // namespace ostrel::e2e
