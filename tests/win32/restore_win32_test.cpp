// Restoring a saved drive set under Wine: the real command interpreter runs the subst
// stand-in, which makes real substitutions in the wineserver. The saved set itself is
// kept in a fake registry, so the prefix's own settings stay untouched.
#include <windows.h>

#include <gtest/gtest.h>

#include "drives/restore.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/process_win32.h"
#include "settings/settings_store.h"
#include "support/fakes.h"

namespace ostrel::test {
namespace {

const std::string kBase = "C:\\ostrel-restore-test";
const std::string kConfig = "Software\\VB and VBA Program Settings\\Ostrel\\Config";

// Real processes that note which drives exist as each run starts.
class WatchedProcesses : public Processes {
  public:
    std::vector<std::uint32_t> drivesAtStart;
    int start(const std::string& commandLine, int showWindow) override {
        drivesAtStart.push_back(GetLogicalDrives());
        return real_.start(commandLine, showWindow);
    }
    std::unique_ptr<OpenedProcess> open(int processId) override { return real_.open(processId); }
    std::string searchPath(const std::string& fileName) override {
        return real_.searchPath(fileName);
    }
    std::string environment(const std::string& name) override { return real_.environment(name); }

  private:
    Win32Processes real_;
};

// Where a drive letter points ("" when it is not in use).
std::string target(char letter) {
    const char device[3] = {letter, ':', 0};
    char path[MAX_PATH] = {};
    return QueryDosDeviceA(device, path, MAX_PATH) ? std::string(path) : std::string();
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::uint32_t bit(char letter) {
    return 1u << (letter - 'A');
}

struct RealRestore : ::testing::Test {
    WatchedProcesses processes;
    Win32EventPump events;
    Win32FileSystem files;
    Win32DriveMask drives;
    FakeBoxes boxes;
    FakeProgram program;
    FakeRegistry registry;
    FakeShell shell;
    Platform platform{processes, events, files, drives, boxes, program, registry, shell};
    SettingsStore store{registry};
    std::vector<std::string> folders;
    // Free letters from the end of the alphabet, the last one first.
    std::vector<char> letters;

    void SetUp() override {
        CreateDirectoryA(kBase.c_str(), nullptr);
        const DWORD used = GetLogicalDrives();
        for (char letter = 'Y'; letter > 'D' && letters.size() < 3; --letter) {
            if (!(used & bit(letter))) {
                letters.push_back(letter);
            }
        }
        ASSERT_EQ(letters.size(), 3u);
    }
    void TearDown() override {
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            const std::string points = target(letter);
            if (points.find(kBase) != std::string::npos) {
                const char device[3] = {letter, ':', 0};
                DefineDosDeviceA(DDD_REMOVE_DEFINITION | DDD_RAW_TARGET_PATH |
                                     DDD_EXACT_MATCH_ON_REMOVE,
                                 device, points.c_str());
            }
        }
        for (auto it = folders.rbegin(); it != folders.rend(); ++it) {
            RemoveDirectoryA(it->c_str());
        }
        RemoveDirectoryA(kBase.c_str());
    }
    std::string folder(const std::string& name) {
        folders.push_back(kBase + "\\" + name);
        CreateDirectoryA(folders.back().c_str(), nullptr);
        return folders.back();
    }
    void save(int position, char letter, const std::string& path) {
        registry.putString(hkey::CurrentUser, kConfig, "Drives" + std::to_string(position),
                           std::string(1, letter) + ":\\=>" + path);
    }
    void count(const std::string& text) {
        registry.putString(hkey::CurrentUser, kConfig, "Count", text);
    }
};

TEST_F(RealRestore, ReCreatesTheSavedDrivesInOrder) {
    const char first = letters[0];
    const char second = letters[1];
    save(1, first, folder("first"));
    save(2, second, folder("second folder"));
    count("2");
    SetUpVDrives(platform, store, "C:\\");

    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(endsWith(target(first), "\\ostrel-restore-test\\first")) << target(first);
    EXPECT_TRUE(endsWith(target(second), "\\ostrel-restore-test\\second folder")) << target(second);
    // The second run started only once the first one had made its drive.
    ASSERT_EQ(processes.drivesAtStart.size(), 2u);
    EXPECT_FALSE(processes.drivesAtStart[0] & bit(first));
    EXPECT_TRUE(processes.drivesAtStart[1] & bit(first));
    EXPECT_FALSE(processes.drivesAtStart[1] & bit(second));
}

TEST_F(RealRestore, AGapIsReportedAndTheNextEntryStillRestored) {
    save(1, letters[0], folder("one"));
    save(3, letters[2], folder("three"));
    count("3");
    SetUpVDrives(platform, store, "C:\\");

    EXPECT_EQ(boxes.reports(),
              std::vector<std::string>{
                  "Error 9 (Subscript out of range) in procedure\r\n(SetUpVDrives) of (frmmain)."});
    EXPECT_TRUE(endsWith(target(letters[0]), "\\one"));
    EXPECT_EQ(target(letters[1]), "");
    EXPECT_TRUE(endsWith(target(letters[2]), "\\three"));
}

TEST_F(RealRestore, ALetterInUseDoesNotStopTheNextEntry) {
    const std::string earlier = "\\??\\" + folder("earlier");
    const char device[3] = {letters[0], ':', 0};
    ASSERT_TRUE(DefineDosDeviceA(DDD_RAW_TARGET_PATH, device, earlier.c_str()));
    save(1, letters[0], folder("wanted"));
    save(2, letters[1], folder("next"));
    count("2");
    SetUpVDrives(platform, store, "C:\\");

    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(target(letters[0]), earlier);
    EXPECT_TRUE(endsWith(target(letters[1]), "\\next"));
}

} // namespace
} // namespace ostrel::test
