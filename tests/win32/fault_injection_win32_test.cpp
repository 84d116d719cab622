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

// Sets an environment variable for the length of a test, then puts the old value back.
struct ScopedVariable {
    const char* name;
    std::string old = std::string(32768, '\0');
    bool had = GetEnvironmentVariableA(name, old.data(), 32768) > 0;
    ScopedVariable(const char* variable, const std::string& value) : name(variable) {
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~ScopedVariable() { SetEnvironmentVariableA(name, had ? old.c_str() : nullptr); }
};

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
    void TearDown() override {
        SetCurrentDirectoryA("C:\\");
        DeleteFileA((scratch.path() + "\\tmpout.txt").c_str());
    }
};

TEST_F(RealFaults, AProgramThatIsNotThereOrALineBeyondTheSystemsLimitIsRefusedNotCut) {
    // The marker file would exist if any part of the long line had run.
    const std::string marker = scratch.path() + "\\cut.txt";
    for (const std::string& line :
         {std::string("C:\\no-such-folder\\cmd.exe /cexit"),
          "cmd.exe /cecho cut> " + marker + " & rem " + std::string(100000, 'x')}) {
        try {
            real.processes.start(line, SW_HIDE);
            ADD_FAILURE() << "started";
        } catch (const ProcedureError& error) {
            EXPECT_EQ(error.number, err::FileNotFound);
        }
    }
    EXPECT_FALSE(real.files.fileExists(marker));
}

TEST_F(RealFaults, ATemporaryFolderThatIsMissingOrCannotTakeTheListingIsReported) {
    // A folder where the listing file should go makes the redirection fail.
    const std::string blocked = scratch.folder("tmpout.txt");
    const std::pair<std::string, std::string> cases[] = {
        {scratch.path() + "\\gone", "76 (Path not found)"},
        {scratch.path(), "70 (Permission denied)"}};
    for (const auto& [folder, error] : cases) {
        real.boxes.shown.clear();
        const ScopedVariable tmp("TMP", folder), temp("TEMP", folder);
        form.DoUpdate();
        EXPECT_EQ(real.boxes.reports(), std::vector{report(error)});
        EXPECT_TRUE(view.rows.empty());
        EXPECT_FALSE(view.comboText.empty()) << "the free letters are refreshed all the same";
    }
    EXPECT_NE(GetFileAttributesA(blocked.c_str()), INVALID_FILE_ATTRIBUTES) << "nothing deleted";
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
    fakeRun.processes.behaviour = [&](const std::string&) {
        std::ofstream("tmpout.txt", std::ios::binary) << listing;
        return 0u;
    };
    frmmain reader{fakeRun.platform, view};
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
    EXPECT_FALSE(real.files.fileExists(scratch.path() + "\\tmpout.txt"))
        << "no listing left behind";
}

} // namespace
} // namespace ostrel::test
