// Restoring a saved drive set under Wine: the real command interpreter runs the subst
// stand-in, which makes real substitutions in the wineserver. The saved set itself is
// kept in a fake registry, so the prefix's own settings stay untouched.
#include <gtest/gtest.h>

#include "drives/restore.h"
#include "settings/settings_store.h"
#include "support/real_platform_win32.h"

namespace ostrel::test {
namespace {

const std::string kConfig = "Software\\VB and VBA Program Settings\\Ostrel\\Config";

// Real processes that note which drives exist as each run starts.
class WatchedProcesses : public Win32Processes {
  public:
    std::vector<std::uint32_t> drivesAtStart;
    int start(const std::string& program, const std::string& commandLine, int showWindow) override {
        drivesAtStart.push_back(GetLogicalDrives());
        return Win32Processes::start(program, commandLine, showWindow);
    }
};

bool pointsTo(char letter, const std::string& tail) {
    return substitutedFolder(letter).ends_with(tail);
}

struct RealRestore : ::testing::Test {
    RealPlatform<WatchedProcesses> real;
    SettingsStore store{real.registry};
    ScratchFolder base{"C:\\ostrel-restore-test"};
    std::vector<char> letters; // free letters from the end of the alphabet

    void SetUp() override {
        for (char letter = 'Y'; letter > 'D' && letters.size() < 2; --letter) {
            if (!(GetLogicalDrives() & (1u << (letter - 'A')))) {
                letters.push_back(letter);
            }
        }
        ASSERT_EQ(letters.size(), 2u);
    }
    // Saves "Count" and an entry for each letter given onto a new folder.
    void restore(const std::vector<char>& entries) {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            real.registry.putString(hkey::CurrentUser, kConfig, "Drives" + std::to_string(i + 1),
                                    std::string(1, entries[i]) + ":\\=>" +
                                        base.folder("entry " + std::to_string(i + 1)));
        }
        real.registry.putString(hkey::CurrentUser, kConfig, "Count",
                                std::to_string(entries.size()));
        SetUpVDrives(real.platform, store, "C:\\");
    }
};

TEST_F(RealRestore, ReCreatesTheSavedDrivesInOrderEachAfterThePreviousEnded) {
    restore({letters[0], letters[1]});
    EXPECT_TRUE(real.boxes.shown.empty());
    EXPECT_TRUE(pointsTo(letters[0], "\\ostrel-restore-test\\entry 1"));
    EXPECT_TRUE(pointsTo(letters[1], "\\ostrel-restore-test\\entry 2"));
    // The second run started only once the first one had made its drive.
    const auto& drives = real.processes.drivesAtStart;
    ASSERT_EQ(drives.size(), 2u);
    EXPECT_EQ(drives[0] & (1u << (letters[0] - 'A')), 0u);
    EXPECT_NE(drives[1] & (1u << (letters[0] - 'A')), 0u);
}

} // namespace
} // namespace ostrel::test
