// Real Win32 faults that are cheap to make under Wine: a program that is not there, a
// command line beyond the system's limit, a temporary folder that is missing
// or cannot take the listing, and a hostile listing read through the real file services.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "support/error_report.h"
#include "support/real_platform_win32.h"

namespace ostrel::test {
namespace {

std::string report(const std::string& error) {
    return "Error " + error + " in procedure\r\n(GetVirtualsDriveList) of (frmmain).";
}

// The real processes and files; fakes for what the faults do not touch.
struct RealFaults : ::testing::Test {
    ScratchFolder scratch{"C:\\ostrel-fault-temp"};
    RealPlatform<> real;
    FakeView view;
    frmmain form{real.platform, view};

    void SetUp() override {
        form.AbsRoot = "C:\\";
        form.AbsPath = scratch.path() + "\\";
    }
    void TearDown() override { SetCurrentDirectoryA("C:\\"); }
};

// A start that fails names its command and tells why: a program that is not there, a
// command line beyond the system's limit (refused, not cut: no part of it runs).
TEST_F(RealFaults, AStartThatFailsNamesTheCommandAndItsCause) {
    const std::string marker = scratch.path() + "\\cut.txt";
    const std::string cmd = real.files.systemFolder() + "cmd.exe";
    const std::string tooLong = "cmd /cecho cut> " + marker + " & rem " + std::string(40000, 'x');
    const struct {
        std::string program, line;
        int number;
    } cases[] = {{scratch.path() + "\\cmd.exe", "cmd /cexit", err::FileNotFound},
                 {scratch.path() + "\\gone\\cmd.exe", "cmd /cexit", err::PathNotFound},
                 {cmd, tooLong, err::InvalidCall}};
    for (const auto& c : cases) {
        try {
            real.processes.start(c.program, c.line, SW_HIDE);
            ADD_FAILURE() << "started " << c.program;
        } catch (const ProcedureError& error) {
            EXPECT_EQ(error.number, c.number) << c.program;
            EXPECT_EQ(error.detail.substr(0, 20), c.line.substr(0, 20));
        }
    }
    EXPECT_FALSE(real.files.fileExists(marker));
}

// A temporary folder that is missing is named; one too long for the ANSI functions or
// named in another script is reached through its short form.
TEST_F(RealFaults, TheTemporaryFolderIsReachedWhateverItsNameOrNamedWhenMissing) {
    const std::wstring foreign = std::wstring(L"C:\\ostrel-fault-temp\\") + L"\x0416\x0416";
    CreateDirectoryW(foreign.c_str(), nullptr);
    const std::string gone = scratch.path() + "\\gone";
    const ScopedVariable tmp("TMP", ""), temp("TEMP", ""); // put back afterwards
    const struct {
        std::wstring folder;
        std::vector<std::string> reports;
    } cases[] = {{std::wstring(gone.begin(), gone.end()),
                  {report("76 (Path not found)") + "\r\n" + gone + "\\"}},
                 {L"C:\\" + std::wstring(300, L'L'), {}},
                 {foreign, {}}};
    for (const auto& c : cases) {
        real.boxes.shown.clear();
        SetEnvironmentVariableW(L"TMP", c.folder.c_str());
        SetEnvironmentVariableW(L"TEMP", c.folder.c_str());
        form.DoUpdate();
        EXPECT_EQ(real.boxes.reports(), c.reports);
        EXPECT_FALSE(view.comboText.empty()) << "the free letters are refreshed all the same";
    }
    RemoveDirectoryW(foreign.c_str());
}

// The listing a subst run leaves, read through the real file services and the console
// code page: each entry whole, NUL bytes and a line of 100,000 characters included.
TEST_F(RealFaults, AHostileListingGivesEachEntryWhole) {
    const std::string longFolder = "C:\\" + std::string(100000, 'L');
    const std::string listing =
        "X:\\: => " + longFolder +
        std::string("\r\nY:\\: => C:\\A\0B\r\n\0\0\0: => C:\\CAF\x82\r\n", 35);
    // The run is a fake that writes the listing into the real working directory.
    RealPlatform<FakeProcesses> fakeRun;
    fakeRun.processes.behaviour = [&](const std::string& line) {
        std::ofstream(line.substr(line.find(" > ") + 3), std::ios::binary) << listing;
        return 0u;
    };
    frmmain reader{fakeRun.platform, view};
    reader.AbsRoot = "C:\\";
    reader.AbsPath = scratch.path() + "\\";
    const ScopedVariable tmp("TMP", scratch.path()), temp("TEMP", scratch.path());
    reader.GetVirtualsDriveList();
    std::vector<std::vector<std::string>> rows; // key, drive, folder
    for (const auto& row : view.rows) {
        rows.push_back({row.key, row.text, row.subItem});
    }
    EXPECT_EQ(rows, (std::vector<std::vector<std::string>>{
                        {"A1", "X:\\", longFolder},
                        {"A2", "Y:\\", std::string("C:\\A\0B", 6)},
                        {"A3", std::string(3, '\0'), "C:\\CAF\xE9"}})); // é, ANSI from OEM
    EXPECT_TRUE(fakeRun.boxes.shown.empty());
    WIN32_FIND_DATAA found;
    EXPECT_EQ(FindFirstFileA((scratch.path() + "\\*.tmp").c_str(), &found), INVALID_HANDLE_VALUE)
        << "no listing left behind";
}

} // namespace
} // namespace ostrel::test
