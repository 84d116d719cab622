// Real Win32 faults that are cheap to make under Wine: an interpreter that is not
// there, command lines beyond the system's limit, a temporary folder that is missing
// or cannot take the listing, and hostile listings (NUL bytes, 8-bit characters, a line
// of 100,000 characters, a line without "=>") read through the real file services.
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

TEST_F(RealFaults, AnInterpreterThatIsNotThereFailsTheStartAndIsReported) {
    // No command.com (as on Wine) and ComSpec naming a program that is gone.
    ASSERT_TRUE(real.processes.searchPath("command.com").empty());
    ScopedVariable comspec("ComSpec", "C:\\no-such-folder\\cmd.exe");
    form.GetVirtualsDriveList();
    EXPECT_EQ(real.boxes.reports(), std::vector{report("53 (File not found)")});
    EXPECT_TRUE(view.rows.empty());
}

TEST_F(RealFaults, ACommandLineBeyondTheSystemsLimitIsRefusedNotCut) {
    // The marker file would exist if any part of the line had run.
    const std::string marker = scratch.path() + "\\cut.txt";
    try {
        real.processes.start("cmd.exe /cecho cut> " + marker + " & rem " + std::string(100000, 'x'),
                             SW_HIDE);
        ADD_FAILURE() << "started";
    } catch (const ProcedureError& error) {
        EXPECT_EQ(error.number, err::FileNotFound);
    }
    EXPECT_FALSE(real.files.fileExists(marker));
    DeleteFileA(marker.c_str());
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
// code page: each entry whole, or the entries before a line without "=>" and error 9.
TEST_F(RealFaults, HostileListingsGiveTheirRowsOrTheDocumentedReport) {
    const std::string longFolder = "C:\\" + std::string(100000, 'L');
    using Rows = std::vector<std::vector<std::string>>; // key, drive, folder
    const struct {
        std::string listing;
        Rows rows;
        std::vector<std::string> reports;
    } cases[] = {
        {"X:\\: => " + longFolder + "\r\nY:\\: => C:\\B\r\n",
         {{"A1", "X:\\", longFolder}, {"A2", "Y:\\", "C:\\B"}},
         {}},
        {std::string("X:\\: => C:\\A\0B\r\n\0\0\0: => C:\\C\r\n", 30),
         {{"A1", "X:\\", std::string("C:\\A\0B", 6)}, {"A2", std::string(3, '\0'), "C:\\C"}},
         {}},
        {"X:\\: => C:\\CAF\x82\r\n", {{"A1", "X:\\", "C:\\CAF\xE9"}}, {}}, // é, ANSI from OEM
        {"X:\\: => C:\\A\r\nY:\\: -> C:\\B\r\nZ:\\: => C:\\C\r\n",
         {{"A1", "X:\\", "C:\\A"}},
         {report("9 (Subscript out of range)")}}};
    // The run is a fake that writes the listing into the real working directory.
    RealPlatform<FakeProcesses> fakeRun;
    frmmain reader{fakeRun.platform, view};
    reader.AbsPath = scratch.path() + "\\";
    const ScopedVariable tmp("TMP", scratch.path()), temp("TEMP", scratch.path());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.listing.substr(0, 20));
        fakeRun.boxes.shown.clear();
        fakeRun.processes.behaviour = [&](const std::string&) {
            std::ofstream("tmpout.txt", std::ios::binary) << c.listing;
            return 0u;
        };
        reader.GetVirtualsDriveList();
        Rows rows;
        for (const auto& row : view.rows) {
            rows.push_back({row.key, row.text, row.subItem});
        }
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(fakeRun.boxes.reports(), c.reports);
        EXPECT_FALSE(real.files.fileExists(scratch.path() + "\\tmpout.txt"))
            << "no listing left behind";
    }
}

} // namespace
} // namespace ostrel::test
