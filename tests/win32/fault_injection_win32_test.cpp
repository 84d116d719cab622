// Real Win32 faults that are cheap to make under Wine: a program that is not there, a
// command line beyond the system's limit, a temporary folder that cannot take the
// listing by its name, and a hostile listing read through the real file services.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "support/error_report.h"
#include "support/real_platform_win32.h"

namespace ostrel::test {
namespace {

// A start that fails names its command and tells why; a command line beyond the
// system's limit is refused, not cut: no part of it runs.
TEST(RealFaults, AStartThatFailsNamesTheCommandAndItsCause) {
    RealForm<> rig{"C:\\ostrel-fault-temp"};
    const std::string& scratch = rig.scratch.path;
    const std::string marker = scratch + "\\cut.txt";
    const std::string tooLong = "cmd /cecho cut> " + marker + " & rem " + std::string(40000, 'x');
    const std::tuple<std::string, std::string, int> cases[] = {
        {scratch + "\\cmd.exe", "cmd /cexit", err::FileNotFound},
        {scratch + "\\gone\\cmd.exe", "cmd /cexit", err::PathNotFound},
        {rig.files.systemFolder() + "cmd.exe", tooLong, err::InvalidCall}};
    for (const auto& [program, line, number] : cases) {
        try {
            rig.processes.start(program, line, SW_HIDE);
            ADD_FAILURE() << "started " << program;
        } catch (const ProcedureError& error) {
            EXPECT_EQ(error.number, number) << program;
            EXPECT_EQ(error.detail.substr(0, 20), line.substr(0, 20));
        }
    }
    EXPECT_FALSE(rig.files.fileExists(marker));
}

// A temporary folder too long for the ANSI functions or named in another script is
// reached through its short form.
TEST(RealFaults, TheTemporaryFolderIsReachedWhateverItsName) {
    RealForm<> rig{"C:\\ostrel-fault-temp"};
    const std::wstring foreign = L"C:\\ostrel-fault-temp\\\x0416\x0416";
    CreateDirectoryW(foreign.c_str(), nullptr);
    const ScopedVariable tmp("TMP", ""), temp("TEMP", ""); // put back afterwards
    for (const std::wstring& folder : {L"C:\\" + std::wstring(300, L'L'), foreign}) {
        SetEnvironmentVariableW(L"TMP", folder.c_str());
        SetEnvironmentVariableW(L"TEMP", folder.c_str());
        rig.form.DoUpdate();
    }
    EXPECT_TRUE(rig.boxes.shown.empty());
    RemoveDirectoryW(foreign.c_str());
}

// The listing a subst run leaves, read through the real file services and the console
// code page: each entry whole, NUL bytes and a line of 100,000 characters included, and
// the file gone afterwards.
TEST(RealFaults, AHostileListingGivesEachEntryWhole) {
    RealForm<FakeProcesses> rig{"C:\\ostrel-fault-temp"};
    const std::string longFolder = "C:\\" + std::string(100000, 'L');
    const std::string listing =
        "X:\\: => " + longFolder +
        std::string("\r\nY:\\: => C:\\A\0B\r\n\0\0\0: => C:\\CAF\x82\r\n", 35);
    rig.processes.behaviour = [&](const std::string& line) {
        std::ofstream(line.substr(line.find(" > ") + 3), std::ios::binary) << listing;
        return 0u;
    };
    const ScopedVariable tmp("TMP", rig.scratch.path), temp("TEMP", rig.scratch.path);
    rig.form.GetVirtualsDriveList();
    std::vector<std::vector<std::string>> rows; // key, drive, folder
    for (const auto& row : rig.view.rows) {
        rows.push_back({row.key, row.text, row.subItem});
    }
    EXPECT_EQ(rows, (std::vector<std::vector<std::string>>{
                        {"A1", "X:\\", longFolder},
                        {"A2", "Y:\\", std::string("C:\\A\0B", 6)},
                        {"A3", std::string(3, '\0'), "C:\\CAF\xE9"}})); // é, ANSI from OEM
    EXPECT_TRUE(rig.boxes.shown.empty());
    WIN32_FIND_DATAA found;
    EXPECT_EQ(FindFirstFileA((rig.scratch.path + "\\*.tmp").c_str(), &found), INVALID_HANDLE_VALUE);
}

} // namespace
} // namespace ostrel::test
