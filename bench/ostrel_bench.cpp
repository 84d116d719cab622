// Ostrel's costs against the bare work it wraps, measured side by side in one run
// under Wine, with the subst stand-in on the search path. Each comparison runs several
// rounds; a line shows the median of the rounds' ratios and their spread.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "drives/command_runner.h"
#include "drives/restore.h"
#include "platform/win32/win32_platform.h"
#include "settings/layout.h"
#include "settings/settings_store.h"
#include "standin/dos_device_win32.h"
#include "app/frmmain.h"
#include "fakes/main_view.h"

using namespace ostrel;
using Clock = std::chrono::steady_clock;

namespace {

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Runs a command line hidden and waits for it, the plainest way the system offers.
void bareRun(const std::string& commandLine) {
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &info)) {
        std::printf("cannot start %s\n", commandLine.c_str());
        return;
    }
    WaitForSingleObject(info.hProcess, INFINITE);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

constexpr int kRounds = 5;

// One line: the median of the rounds' values, their spread, and whether the median
// meets the goal.
void report(const char* what, std::vector<double> values, double goal, const char* unit,
            const char* detail) {
    std::sort(values.begin(), values.end());
    const double median = values[values.size() / 2];
    std::printf("%-56s %6.3f %-2s (%.3f..%.3f; %s; goal at most %.2f: %s)\n", what, median, unit,
                values.front(), values.back(), detail, goal, median <= goal ? "met" : "MISSED");
}

// Alternates the two measurements so that drift of the machine hits both alike; each
// round of perRound pairs gives one ratio.
void sideBySide(const char* what, double goal, int perRound, const std::function<void()>& ours,
                const std::function<void()>& yardstick) {
    ours();
    yardstick();
    std::vector<double> ratios;
    double oursTotal = 0;
    double yardstickTotal = 0;
    for (int round = 0; round < kRounds; ++round) {
        double oursRound = 0;
        double yardstickRound = 0;
        for (int i = 0; i < perRound; ++i) {
            auto start = Clock::now();
            ours();
            oursRound += secondsSince(start);
            start = Clock::now();
            yardstick();
            yardstickRound += secondsSince(start);
        }
        ratios.push_back(oursRound / yardstickRound);
        oursTotal += oursRound;
        yardstickTotal += yardstickRound;
    }
    char detail[80];
    std::snprintf(detail, sizeof detail, "%.1f ms against %.1f ms",
                  1000 * oursTotal / (kRounds * perRound),
                  1000 * yardstickTotal / (kRounds * perRound));
    report(what, ratios, goal, "x", detail);
}

double processCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto value = [](const FILETIME& time) {
        return static_cast<double>((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) |
                                   time.dwLowDateTime) /
               1e7;
    };
    return value(kernel) + value(user);
}

// Seconds from starting a program to its visible top-level window with that title.
double timeToWindow(const std::string& program, const char* title) {
    const auto start = Clock::now();
    std::vector<char> line(program.begin(), program.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        std::printf("cannot start %s\n", program.c_str());
        return 0;
    }
    HWND window = nullptr;
    while (!(window = FindWindowA(nullptr, title)) || !IsWindowVisible(window)) {
        Sleep(1);
    }
    const double seconds = secondsSince(start);
    PostMessageA(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(info.hProcess, 10000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return seconds;
}

std::vector<char> freeLettersFromZ(int count) {
    std::vector<char> letters;
    const DWORD mask = GetLogicalDrives();
    for (char letter = 'Z'; letter > 'D' && static_cast<int>(letters.size()) < count; --letter) {
        if (!(mask & (1u << (letter - 'A')))) {
            letters.push_back(letter);
        }
    }
    return letters;
}

// A refresh against the interpreter run it wraps, writing the same listing.
void measureRefresh(Win32Platform& win32, frmmain& form) {
    const std::string temp = win32.files.tempFolder();
    sideBySide(
        "refresh (DoUpdate) / bare `cmd /csubst > file`", 1.05, 10, [&] { form.DoUpdate(); },
        [&] {
            SetCurrentDirectoryA(temp.c_str());
            bareRun("cmd.exe /csubst > tmpout.txt");
            DeleteFileA("tmpout.txt");
        });
}

// The processor time the wait for a 2 s subst run takes.
void measureWait(Win32Platform& win32) {
    SetEnvironmentVariableA("OSTREL_SUBST_DELAY_MS", "2000");
    std::vector<double> shares;
    double cpuTotal = 0;
    double wallTotal = 0;
    for (int round = 0; round < kRounds; ++round) {
        const double cpuBefore = processCpuSeconds();
        const auto waitStart = Clock::now();
        SHWait(win32.processes, win32.events, win32.boxes,
               StartCommand(win32.processes, substCommand(win32.processes, win32.files, "")));
        const double wall = secondsSince(waitStart);
        const double cpu = processCpuSeconds() - cpuBefore;
        shares.push_back(100 * cpu / wall);
        cpuTotal += cpu;
        wallTotal += wall;
    }
    SetEnvironmentVariableA("OSTREL_SUBST_DELAY_MS", nullptr);
    char detail[80];
    std::snprintf(detail, sizeof detail, "%.1f ms CPU in %.1f ms", 1000 * cpuTotal / kRounds,
                  1000 * wallTotal / kRounds);
    report("CPU time / wall time while waiting for a 2 s subst", shares, 1.0, "%", detail);
}

// Restoring ten saved drives against ten interpreter runs that make them.
void measureRestore(Platform& platform, SettingsStore& settings) {
    const auto letters = freeLettersFromZ(10);
    const std::string base = "C:\\ostrel-bench";
    CreateDirectoryA(base.c_str(), nullptr);
    for (std::size_t i = 0; i < letters.size(); ++i) {
        const std::string folder = base + "\\d" + std::to_string(i);
        CreateDirectoryA(folder.c_str(), nullptr);
        settings.SaveSetting(layout::kApp, layout::kSectionConfig,
                             layout::drivesKey(static_cast<int>(i) + 1),
                             layout::savedEntry(std::string(1, letters[i]) + ":\\", folder));
    }
    settings.SaveSetting(layout::kApp, layout::kSectionConfig, layout::kCount,
                         std::to_string(letters.size()));
    const auto removeAll = [&] {
        for (const char letter : letters) {
            test::removeSubstitution(letter);
        }
    };
    sideBySide(
        "restore of 10 saved drives / 10 bare create runs", 1.05, 2,
        [&] {
            SetUpVDrives(platform, settings, "C:\\");
            removeAll();
        },
        [&] {
            SetCurrentDirectoryA("C:\\");
            for (std::size_t i = 0; i < letters.size(); ++i) {
                bareRun("cmd.exe /csubst " + std::string(1, letters[i]) + ": " + base + "\\d" +
                        std::to_string(i));
            }
            removeAll();
        });
    settings.DeleteSetting(layout::kApp, layout::kSectionConfig);
}

} // namespace

int main() {
    Win32Platform win32(L"");
    test::FakeView view;
    frmmain form(win32.platform, view);
    form.AbsRoot = "C:\\";
    form.AbsPath = "C:\\";
    std::printf("Ostrel measured against the bare work it wraps (Wine; median of %d rounds, "
                "min..max):\n",
                kRounds);
    measureRefresh(win32, form);
    measureWait(win32);
    // Start-up without the first-run question, as every start after the first.
    SettingsStore settings(win32.registry);
    settings.SaveSetting(layout::kApp, layout::kSectionMain, layout::kFirstTime,
                         layout::kFirstTimeAsked);
    sideBySide(
        "start to main window shown / empty window + one bare run", 1.10, 3,
        [&] { timeToWindow(OSTREL_EXE, "Ostrel"); },
        [&] { timeToWindow(MINIMAL_WINDOW_EXE, "Minimal"); });
    measureRestore(win32.platform, settings);
    return 0;
}
