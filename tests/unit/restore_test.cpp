// Restoring the saved drive set, and the restore check box that saves it.
#include <gtest/gtest.h>

#include "drives/restore.h"
#include "settings/settings_store.h"
#include "support/fakes.h"

namespace ostrel::test {
namespace {

const std::string kConfig = "Software\\VB and VBA Program Settings\\Ostrel\\Config";
const std::string kMain = "Software\\VB and VBA Program Settings\\Ostrel\\main";
const std::string kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kGapReport =
    "Error 9 (Subscript out of range) in procedure\r\n(SetUpVDrives) of (frmmain).";
const std::string kBadEntryReport =
    "Error 5 (Invalid procedure call or argument) in procedure\r\n(SetUpVDrives) of (frmmain).";

struct RestoreFixture : ::testing::Test {
    Rig rig;
    SettingsStore store{rig.registry};
    // What had been shown when each run started.
    std::vector<std::size_t> boxesAtStart;
    std::vector<int> pollsAtStart;

    RestoreFixture() {
        auto subst = rig.processes.behaviour;
        rig.processes.behaviour = [this, subst](const std::string& line) {
            boxesAtStart.push_back(rig.boxes.shown.size());
            pollsAtStart.push_back(rig.processes.polls);
            return subst(line);
        };
    }
    void saved(const std::string& count, const std::vector<std::string>& entries) {
        if (!count.empty()) {
            rig.registry.putString(hkey::CurrentUser, kConfig, "Count", count);
        }
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (!entries[i].empty()) {
                rig.registry.putString(hkey::CurrentUser, kConfig, "Drives" + std::to_string(i + 1),
                                       entries[i]);
            }
        }
    }
    void restore() { SetUpVDrives(rig.platform, store, "C:\\"); }
    std::vector<std::string> runs() const { return rig.processes.commandLines(); }
};

TEST_F(RestoreFixture, NothingSavedRunsNothing) {
    for (const std::string count : {"", "0", "none", "0.4"}) {
        rig.registry = FakeRegistry();
        saved(count, {"X:\\=>C:\\A"});
        restore();
        EXPECT_TRUE(runs().empty()) << count;
        EXPECT_TRUE(rig.files.cwdHistory.empty()) << "the working directory stays";
        EXPECT_TRUE(rig.boxes.shown.empty());
    }
}

TEST_F(RestoreFixture, EntriesRunInOrderEachAfterThePreviousEnded) {
    saved("2", {"X:\\=>C:\\A", "Y:\\=>C:\\B", "Z:\\=>C:\\LEFTOVER"});
    restore();
    EXPECT_EQ(runs(), (std::vector<std::string>{"command.com /csubst X: C:\\A",
                                                "command.com /csubst Y: C:\\B"}));
    for (const auto& run : rig.processes.started) {
        EXPECT_EQ(run.showWindow, 0);
    }
    // The second run starts only once the first one's wait has seen it end.
    EXPECT_EQ(pollsAtStart, (std::vector<int>{0, rig.processes.pollsWhileRunning + 1}));
    EXPECT_EQ(rig.processes.openHandles, 0);
    EXPECT_EQ(rig.files.cwdHistory, std::vector<std::string>{"C:\\"});
    EXPECT_EQ(rig.substitutions, (std::map<char, std::string>{{'X', "C:\\A"}, {'Y', "C:\\B"}}));
    EXPECT_TRUE(rig.boxes.shown.empty());
    EXPECT_EQ(rig.registry.openHandles, 0);
}

TEST_F(RestoreFixture, AGapIsReportedAndTheRestFollow) {
    saved("3", {"X:\\=>C:\\A", "", "Z:\\=>C:\\C"});
    restore();
    EXPECT_EQ(runs(), (std::vector<std::string>{"command.com /csubst X: C:\\A",
                                                "command.com /csubst Z: C:\\C"}));
    EXPECT_EQ(rig.boxes.reports(), std::vector<std::string>{kGapReport});
    EXPECT_EQ(boxesAtStart, (std::vector<std::size_t>{0, 1})) << "reported before entry 3";
}

TEST_F(RestoreFixture, UnusableEntriesAreReportedEachAndSkipped) {
    saved("7", {"X:\\C:\\A", "1:\\=>C:\\A", "X=>C:\\A", "X:\\=>C:\\100%", "X:\\=>C:\\\"A\"",
                "X:\\=>C:\\A\r\nB", "Y:\\=>C:\\B"});
    restore();
    EXPECT_EQ(runs(), std::vector<std::string>{"command.com /csubst Y: C:\\B"});
    EXPECT_EQ(rig.boxes.reports(),
              (std::vector<std::string>{kGapReport, kBadEntryReport, kBadEntryReport,
                                        kBadEntryReport, kBadEntryReport, kBadEntryReport}));
}

TEST_F(RestoreFixture, FoldersFollowTheCommandLineRule) {
    saved("3", {"X:\\=>C:\\My Data", "Y:\\=>C:\\R&D (old)", "Z:\\=>C:\\Plain"});
    restore();
    EXPECT_EQ(runs(), (std::vector<std::string>{"command.com /csubst X: \"C:\\My Data\"",
                                                "command.com /csubst Y: \"C:\\R&D (old)\"",
                                                "command.com /csubst Z: C:\\Plain"}));
    EXPECT_TRUE(rig.boxes.shown.empty());
}

TEST_F(RestoreFixture, ACountFarAboveTheEntriesGivesOneReport) {
    for (const std::string count : {"32767", "1e3"}) {
        rig.registry = FakeRegistry();
        rig.boxes.shown.clear();
        rig.processes.started.clear();
        saved(count, {"X:\\=>C:\\A", "Y:\\=>C:\\B"});
        restore();
        EXPECT_EQ(runs().size(), 2u) << count;
        EXPECT_EQ(rig.boxes.reports(), std::vector<std::string>{kGapReport}) << count;
    }
}

TEST_F(RestoreFixture, EveryGapIsReportedOnce) {
    saved("7", {"T:\\=>C:\\A", "", "", "W:\\=>C:\\B", "", "Y:\\=>C:\\C"});
    restore();
    EXPECT_EQ(runs().size(), 3u);
    EXPECT_EQ(rig.boxes.reports(), std::vector<std::string>(3, kGapReport));
}

TEST_F(RestoreFixture, ACountBeyondSixteenBitsFailsBeforeAnything) {
    for (const std::string count : {"32768", "1e9", "-40000"}) {
        rig.registry = FakeRegistry();
        rig.boxes.shown.clear();
        saved(count, {"X:\\=>C:\\A"});
        restore();
        EXPECT_TRUE(runs().empty()) << count;
        EXPECT_TRUE(rig.files.cwdHistory.empty()) << count;
        EXPECT_EQ(rig.boxes.reports(),
                  std::vector<std::string>{
                      "Error 6 (Overflow) in procedure\r\n(SetUpVDrives) of (frmmain)."})
            << count;
    }
}

TEST_F(RestoreFixture, AFailedRunDoesNotStopTheNext) {
    rig.substitute('X', "C:\\ELSEWHERE");
    saved("2", {"X:\\=>C:\\A", "Y:\\=>C:\\B"});
    restore();
    EXPECT_EQ(runs().size(), 2u);
    EXPECT_EQ(rig.substitutions['X'], "C:\\ELSEWHERE");
    EXPECT_EQ(rig.substitutions['Y'], "C:\\B");
    EXPECT_TRUE(rig.boxes.shown.empty());
}

TEST_F(RestoreFixture, AnInterpreterThatCannotStartEndsTheRestore) {
    rig.processes.startFails = true;
    saved("3", {"X:\\=>C:\\A", "Y:\\=>C:\\B", "Z:\\=>C:\\C"});
    restore();
    EXPECT_EQ(rig.boxes.reports(),
              std::vector<std::string>{
                  "Error 53 (File not found) in procedure\r\n(SetUpVDrives) of (frmmain)."});
}

struct CheckBoxFixture : ::testing::Test {
    Rig rig;
    CheckBoxFixture() {
        rig.loaded();
        rig.view.rows = {{"A1", "X:\\", "C:\\A"}, {"A2", "Y:\\", "C:\\B"}};
        rig.registry.putString(hkey::CurrentUser, kMain, "FirstTime", "no");
    }
    void click(int value) {
        rig.view.restoreValue = value;
        rig.form.chkrestore_Click();
    }
    std::optional<std::string> stored(RegKeyHandle root, const std::string& path,
                                      const std::string& name) const {
        const auto value = rig.registry.get(root, path, name);
        if (!value) {
            return std::nullopt;
        }
        return value->bytes.substr(0, value->bytes.find('\0'));
    }
};

TEST_F(CheckBoxFixture, CheckingSavesTheListAndTheStartUpEntry) {
    click(1);
    const auto config = rig.registry.values(hkey::CurrentUser, kConfig);
    std::map<std::string, std::string> texts;
    for (const auto& [name, value] : config) {
        EXPECT_EQ(value.type, regtype::Sz);
        texts[name] = value.bytes.substr(0, value.bytes.find('\0'));
    }
    EXPECT_EQ(texts, (std::map<std::string, std::string>{{"DRIVES1", "X:\\=>C:\\A"},
                                                         {"DRIVES2", "Y:\\=>C:\\B"},
                                                         {"COUNT", "2"},
                                                         {"RESTORE", "1"}}));
    EXPECT_EQ(stored(hkey::LocalMachine, kRun, "Ostrel"), "C:\\TOOLS\\Ostrel.exe -r");
    EXPECT_EQ(stored(hkey::CurrentUser, kRun, "Ostrel"), std::nullopt);
    EXPECT_EQ(rig.files.cwdHistory, std::vector<std::string>{"C:\\TOOLS\\"});
    EXPECT_TRUE(rig.boxes.shown.empty());
    EXPECT_EQ(rig.registry.openHandles, 0);

    // What was saved is what the restore reads.
    SettingsStore store{rig.registry};
    rig.substitutions.clear();
    rig.drives.mask = 0x4;
    SetUpVDrives(rig.platform, store, rig.form.AbsRoot);
    EXPECT_EQ(rig.substitutions, (std::map<char, std::string>{{'X', "C:\\A"}, {'Y', "C:\\B"}}));
}

TEST_F(CheckBoxFixture, UncheckingRemovesTheSetAndTheEntryFromBothRunKeys) {
    click(1);
    rig.registry.putString(hkey::CurrentUser, kRun, "Ostrel", "C:\\OLD\\Ostrel.exe -r");
    rig.registry.putString(hkey::LocalMachine, kRun, "Other", "other.exe");
    click(0);
    EXPECT_FALSE(rig.registry.keyExists(hkey::CurrentUser, kConfig));
    EXPECT_EQ(stored(hkey::LocalMachine, kRun, "Ostrel"), std::nullopt);
    EXPECT_EQ(stored(hkey::CurrentUser, kRun, "Ostrel"), std::nullopt);
    EXPECT_EQ(stored(hkey::LocalMachine, kRun, "Other"), "other.exe");
    EXPECT_EQ(stored(hkey::CurrentUser, kMain, "FirstTime"), "no");
    // Unchecking again, with nothing left to remove, is no failure.
    click(0);
    EXPECT_TRUE(rig.boxes.shown.empty());
}

TEST_F(CheckBoxFixture, AnEmptyListChangesNothingStored) {
    click(1);
    rig.view.rows.clear();
    const auto before = rig.registry.snapshot();
    click(0);
    click(1);
    EXPECT_EQ(rig.registry.snapshot(), before);
    EXPECT_EQ(rig.files.cwdHistory.size(), 1u);
}

TEST_F(CheckBoxFixture, AStandardUserGetsTheEntryUnderTheirOwnRunKey) {
    rig.registry.refusedRoots = {hkey::LocalMachine};
    rig.program.folderPath = "C:\\Program Files\\Ostrel";
    click(1);
    const std::string command = "\"C:\\Program Files\\Ostrel\\Ostrel.exe\" -r";
    EXPECT_EQ(stored(hkey::LocalMachine, kRun, "Ostrel"), std::nullopt);
    EXPECT_EQ(stored(hkey::CurrentUser, kRun, "Ostrel"), command);
    EXPECT_EQ(stored(hkey::CurrentUser, kConfig, "Count"), "2");
    EXPECT_TRUE(rig.boxes.shown.empty());

    // With the rights, the entry moves to the machine's key and only there.
    rig.registry.refusedRoots.clear();
    click(1);
    EXPECT_EQ(stored(hkey::LocalMachine, kRun, "Ostrel"), command);
    EXPECT_EQ(stored(hkey::CurrentUser, kRun, "Ostrel"), std::nullopt);

    rig.registry.refusedRoots = {hkey::LocalMachine};
    click(1);
    click(0);
    EXPECT_EQ(stored(hkey::CurrentUser, kRun, "Ostrel"), std::nullopt);
    EXPECT_EQ(stored(hkey::LocalMachine, kRun, "Ostrel"), command) << "refused, as before";
}

TEST_F(CheckBoxFixture, ASettingsStoreThatRefusesIsReported) {
    rig.registry.refusedRoots = {hkey::CurrentUser};
    click(1);
    EXPECT_EQ(rig.boxes.reports(),
              std::vector<std::string>{"Error 5 (Invalid procedure call or argument) in "
                                       "procedure\r\n(chkrestore_Click) of (frmmain)."});
}

} // namespace
} // namespace ostrel::test
