// Real Win32 faults that are cheap to make under Wine: an interpreter that is not
// there, command lines beyond the system's limit, a temporary folder that is missing
// or cannot take the listing, and listing files with NUL bytes, 8-bit characters and
// a line of 100,000 characters read through the real file services.
#include <windows.h>

#include <gtest/gtest.h>

#include "drives/command_runner.h"
#include "drives/listing.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/process_win32.h"
#include "platform/win32/unique_handle_win32.h"
#include "support/error_report.h"
#include "support/fakes.h"

namespace ostrel::test {
namespace {

const std::string kTemp = "C:\\ostrel-fault-temp";

// Sets an environment variable for the length of a test, then puts the old value back.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const std::string& value) : name_(name) {
        char old[32768];
        const DWORD length = GetEnvironmentVariableA(name, old, sizeof old);
        if (length > 0 && length < sizeof old) {
            old_ = std::string(old, length);
        }
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~ScopedVariable() { SetEnvironmentVariableA(name_, old_ ? old_->c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    const char* name_;
    std::optional<std::string> old_;
};

int errorNumber(const std::function<void()>& step) {
    try {
        step();
    } catch (const ProcedureError& error) {
        return error.number;
    }
    return 0;
}

// The real processes and files; fakes for what the faults do not touch.
struct RealFaults : ::testing::Test {
    Rig rig;
    Win32Processes processes;
    Win32FileSystem files;
    Platform platform{processes, rig.events,  files,        rig.drives,
                      rig.boxes, rig.program, rig.registry, rig.shell};
    frmmain form{platform, rig.view};

    void SetUp() override {
        CreateDirectoryA(kTemp.c_str(), nullptr);
        form.AbsRoot = "C:\\";
        form.AbsPath = kTemp + "\\";
    }
    void TearDown() override {
        SetCurrentDirectoryA("C:\\");
        DeleteFileA((kTemp + "\\tmpout.txt").c_str());
        RemoveDirectoryA((kTemp + "\\tmpout.txt").c_str());
        RemoveDirectoryA(kTemp.c_str());
    }
    void write(const std::string& path, const std::string& bytes) {
        UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                              nullptr));
        ASSERT_EQ(written, bytes.size());
    }
};

TEST_F(RealFaults, AnInterpreterThatIsNotThereFailsTheStartAndIsReported) {
    EXPECT_EQ(errorNumber([&] { processes.start("C:\\no-such-folder\\none.exe", SW_HIDE); }),
              err::FileNotFound);

    // No command.com (as on Wine) and ComSpec naming a program that is gone.
    ASSERT_TRUE(processes.searchPath("command.com").empty());
    ScopedVariable comspec("ComSpec", "C:\\no-such-folder\\cmd.exe");
    form.GetVirtualsDriveList();
    EXPECT_EQ(rig.boxes.reports(),
              std::vector<std::string>{"Error 53 (File not found) in procedure\r\n"
                                       "(GetVirtualsDriveList) of (frmmain)."});
    EXPECT_TRUE(rig.view.rows.empty());
}

TEST_F(RealFaults, ACommandLineBeyondTheSystemsLimitIsRefusedNotCut) {
    // The marker file would exist if any part of the line had run.
    const std::string marker = kTemp + "\\cut.txt";
    const std::string line = "cmd.exe /cecho cut> " + marker + " & rem " + std::string(100000, 'x');
    EXPECT_EQ(errorNumber([&] { processes.start(line, SW_HIDE); }), err::FileNotFound);
    EXPECT_FALSE(files.fileExists(marker));
    DeleteFileA(marker.c_str());
}

TEST_F(RealFaults, ATemporaryFolderThatIsMissingOrCannotTakeTheListingIsReported) {
    // A folder where the listing file should go makes the redirection fail.
    const std::string blocked = kTemp + "\\tmpout.txt";
    ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));
    const std::pair<std::string, std::string> cases[] = {
        {kTemp + "\\gone", "Error 76 (Path not found)"},
        {kTemp, "Error 70 (Permission denied)"},
    };
    for (const auto& [folder, error] : cases) {
        SCOPED_TRACE(folder);
        rig.boxes.shown.clear();
        ScopedVariable tmp("TMP", folder);
        ScopedVariable temp("TEMP", folder);
        form.GetVirtualsDriveList();
        EXPECT_EQ(rig.boxes.reports(),
                  std::vector<std::string>{
                      error + " in procedure\r\n(GetVirtualsDriveList) of (frmmain)."});
        EXPECT_TRUE(rig.view.rows.empty());
    }
    EXPECT_NE(GetFileAttributesA(blocked.c_str()), INVALID_FILE_ATTRIBUTES) << "nothing deleted";
}

TEST_F(RealFaults, HostileListingFilesReadBackByteForByte) {
    const std::string longFolder = "C:\\" + std::string(100000, 'L');
    const std::string path = kTemp + "\\tmpout.txt";
    write(path, "X:\\: => " + longFolder + "\r\n" + std::string("Y:\\: => C:\\A\0B\r\n", 16) +
                    "Z:\\: => C:\\CAF\x82\r\n");
    EXPECT_EQ(files.fileLength(path), 8 + longFolder.size() + 2 + 16 + 17);

    std::vector<DriveEntry> entries;
    parseListing(files.consoleToAnsi(files.readFile(path)),
                 [&](const DriveEntry& entry) { entries.push_back(entry); });
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].folder, longFolder);
    EXPECT_EQ(entries[1].folder, std::string("C:\\A\0B", 6));
    EXPECT_EQ(entries[2].folder, "C:\\CAF\xE9"); // the console's é in the ANSI code page

    write(path, "X:\\: => C:\\A\r\nno separator here\r\n");
    entries.clear();
    EXPECT_EQ(errorNumber([&] {
                  parseListing(files.consoleToAnsi(files.readFile(path)),
                               [&](const DriveEntry& entry) { entries.push_back(entry); });
              }),
              err::SubscriptOutOfRange);
    EXPECT_EQ(entries.size(), 1u);
    files.deleteFile(path);
}

} // namespace
} // namespace ostrel::test
