// The drive engine: command lines, waiting, the listing, free letters, create and delete.
#include <gtest/gtest.h>

#include "drives/command_runner.h"
#include "drives/free_letters.h"
#include "support/fakes.h"

namespace ostrel::test {
namespace {

using Lines = std::vector<std::string>;

struct Engine : ::testing::Test {
    Rig rig;
    void SetUp() override { rig.loaded(); }
    // Lets a listing run print this text.
    void listingPrints(const std::string& text) {
        rig.processes.behaviour = [this, text](const std::string&) {
            rig.files.files[rig.files.cwd + "tmpout.txt"] = text;
            return 0u;
        };
    }
    void select(const std::string& letter) {
        rig.form.DoUpdate();
        for (int i = 0; i < rig.view.cbodrivesListCount(); ++i) {
            if (rig.view.comboItems[i] == letter) {
                rig.view.setCbodrivesListIndex(i);
            }
        }
    }
};

TEST_F(Engine, EveryCallerBuildsItsExactCommandLineAndRunsItHidden) {
    rig.view.path = "C:\\DATA";
    select("X:");
    rig.processes.started.clear();
    rig.form.cmdcreate_Click();
    rig.view.selectedRow = 0;
    rig.form.cmddelete_Click();
    EXPECT_EQ(rig.processes.commandLines(),
              (Lines{"command.com /csubst X: C:\\DATA", "command.com /csubst > tmpout.txt",
                     "command.com /csubst X: /d", "command.com /csubst > tmpout.txt"}));
    for (const auto& run : rig.processes.started) {
        EXPECT_EQ(run.showWindow, kSwHide);
    }
}

TEST_F(Engine, WithoutCommandComTheInterpreterNamedByComSpecRunsTheSameTail) {
    rig.processes.hasCommandCom = false;
    StartCommand(rig.processes, interpreterCommandLine("subst X: C:\\DATA"), kSwHide);
    rig.processes.comspec = "C:\\Program Files\\shell\\cmd.exe";
    StartCommand(rig.processes, interpreterCommandLine("subst X: /d"), kSwHide);
    EXPECT_EQ(rig.processes.commandLines(),
              (Lines{"C:\\WINDOWS\\system32\\cmd.exe /csubst X: C:\\DATA",
                     "\"C:\\Program Files\\shell\\cmd.exe\" /csubst X: /d"}));
}

TEST_F(Engine, SHWaitTellsNonzeroExitCodesAndSleepsBetweenPolls) {
    auto& p = rig.processes;
    p.pollsWhileRunning = 3;
    p.behaviour = [](const std::string& line) { return line == "zero" ? 0u : 1u; };
    EXPECT_FALSE(SHWait(p, rig.events, rig.boxes, p.start("zero", 0)));
    EXPECT_EQ(p.sleeps, 3);         // slept instead of spinning
    EXPECT_EQ(rig.events.calls, 3); // window events ran while it waited
    EXPECT_TRUE(SHWait(p, rig.events, rig.boxes, p.start("one", 0)));
    const int polls = p.polls;
    EXPECT_FALSE(SHWait(p, rig.events, rig.boxes, 4242)); // names no process
    EXPECT_EQ(p.polls, polls + 1);
    EXPECT_EQ(p.openHandles, 0);
}

TEST_F(Engine, ListingFillsRowsInOrderAndLeavesNoFileBehind) {
    const std::string file = rig.files.temp + "tmpout.txt";
    listingPrints("");
    rig.form.GetVirtualsDriveList();
    EXPECT_TRUE(rig.view.rows.empty());
    EXPECT_FALSE(rig.files.files.count(file));

    listingPrints("X:\\: => C:\\DATA\r\n");
    rig.form.GetVirtualsDriveList();
    ASSERT_EQ(rig.view.rows.size(), 1u);
    EXPECT_EQ(rig.view.rows[0].key, "A1");
    EXPECT_EQ(rig.view.rows[0].text, "X:\\");
    EXPECT_EQ(rig.view.rows[0].subItem, "C:\\DATA");

    listingPrints("E:\\: => C:\\ONE\r\nF:\\: =>   C:\\MY DATA  \r\nG:\\: => C:\\A,B\r\n");
    rig.form.GetVirtualsDriveList();
    ASSERT_EQ(rig.view.rows.size(), 3u);
    EXPECT_EQ(rig.view.rows[1].key, "A2");
    EXPECT_EQ(rig.view.rows[1].subItem, "C:\\MY DATA");
    EXPECT_EQ(rig.view.rows[2].key, "A3");
    EXPECT_EQ(rig.view.rows[2].text, "G:\\");
    EXPECT_EQ(rig.view.rows[2].subItem, "C:\\A,B");
    EXPECT_FALSE(rig.files.files.count(file));
    EXPECT_TRUE(rig.boxes.shown.empty());
    // Written and read in the temporary folder; the program's folder afterwards.
    EXPECT_EQ(rig.files.cwdHistory.front(), rig.files.temp);
    EXPECT_EQ(rig.files.cwd, "C:\\TOOLS\\");
}

TEST_F(Engine, ListingIsDecodedFromTheConsoleCodePage) {
    listingPrints("X:\\: => C:\\CAF\x82\r\n");
    rig.form.GetVirtualsDriveList();
    ASSERT_EQ(rig.view.rows.size(), 1u);
    EXPECT_EQ(rig.view.rows[0].subItem, "C:\\CAF\xE9");
}

TEST_F(Engine, ListingLineWithoutSeparatorIsReportedAfterTheRowsBeforeIt) {
    listingPrints("X:\\: => C:\\DATA\r\nsomething else\r\nY:\\: => C:\\B\r\n");
    rig.form.GetVirtualsDriveList();
    ASSERT_EQ(rig.view.rows.size(), 1u);
    ASSERT_EQ(rig.boxes.reports().size(), 1u);
    EXPECT_EQ(rig.boxes.reports()[0], "Error 9 (Subscript out of range) in procedure\r\n"
                                      "(GetVirtualsDriveList) of (frmmain).");
    EXPECT_FALSE(rig.files.files.count(rig.files.temp + "tmpout.txt"));
}

TEST_F(Engine, ListingThatCannotStartOrFailsReadsNothing) {
    rig.processes.behaviour = [](const std::string&) { return 1u; };
    rig.form.GetVirtualsDriveList(); // no file written, nonzero exit: nothing read
    EXPECT_TRUE(rig.view.rows.empty());
    ASSERT_EQ(rig.boxes.reports().size(), 1u); // the missing file cannot be deleted
    rig.processes.startFails = true;
    rig.form.GetVirtualsDriveList();
    EXPECT_NE(rig.boxes.reports().back().find("(GetVirtualsDriveList) of (frmmain)."),
              std::string::npos);
}

TEST(FreeLetters, EveryClearBitOfTheMaskIsOffered) {
    const auto some = freeLetters(0b1101); // A, C and D in use
    ASSERT_EQ(some.size(), 23u);
    EXPECT_EQ(some.front(), "B:");
    EXPECT_EQ(some[1], "E:");
    EXPECT_EQ(some.back(), "Z:");
    EXPECT_EQ(freeLetters(0).size(), 26u);
    EXPECT_EQ(freeLetters(0xFC000000u).size(), 26u); // bits above Z do not count
    EXPECT_TRUE(freeLetters(0x03FFFFFFu).empty());
}

TEST_F(Engine, RefreshSelectsTheFirstFreeLetterAndReportsAFullMask) {
    rig.drives.mask = 0b1101;
    rig.form.DoUpdate();
    EXPECT_EQ(rig.view.comboIndex, 0);
    EXPECT_EQ(rig.view.comboText, "B:");
    EXPECT_EQ(rig.form.SelectedDrive, "B:");
    rig.drives.mask = 0x03FFFFFFu;
    rig.form.DoUpdate();
    EXPECT_TRUE(rig.view.comboItems.empty());
    ASSERT_EQ(rig.boxes.reports().size(), 1u);
    EXPECT_NE(rig.boxes.reports()[0].find("(GetAveDrivesList) of (frmmain)."), std::string::npos);
}

TEST_F(Engine, CreateShowsSuccessAndMovesTheSelectionToTheNextLetter) {
    rig.view.path = "C:\\DATA";
    select("X:");
    rig.files.cwdHistory.clear();
    rig.form.cmdcreate_Click();
    EXPECT_EQ(rig.view.status, "The virtual drive X: has now been created.");
    EXPECT_EQ(rig.substitutions.at('X'), "C:\\DATA");
    EXPECT_EQ(rig.view.comboText, "Y:");
    for (const auto& letter : rig.view.comboItems) {
        EXPECT_NE(letter, "X:");
    }
    ASSERT_EQ(rig.view.rows.size(), 1u);
    EXPECT_EQ(rig.files.cwdHistory.at(0), "C:\\"); // the run itself happens in AbsRoot
}

TEST_F(Engine, CreateOfTheLastFreeLetterSelectsTheNewLastEntry) {
    rig.view.path = "C:\\DATA";
    select("Z:");
    rig.form.cmdcreate_Click();
    EXPECT_EQ(rig.view.comboText, "Y:");
    EXPECT_TRUE(rig.boxes.reports().empty());
}

TEST_F(Engine, FailedCreateSaysSoAndStillRefreshes) {
    rig.view.path = "C:\\NOWHERE";
    select("X:");
    rig.view.status = "The virtual drive W: has now been created.";
    rig.failRuns = 1;
    rig.form.cmdcreate_Click();
    EXPECT_EQ(rig.view.status, "The virtual drive X: could not be created.");
    EXPECT_EQ(rig.view.comboText, "X:");
    EXPECT_EQ(rig.processes.commandLines().back(), "command.com /csubst > tmpout.txt");
}

TEST_F(Engine, FoldersReachSubstWholeAndRunNothingElse) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "command.com /csubst X: "},
        {"C:\\MY DATA", "command.com /csubst X: \"C:\\MY DATA\""},
        {" C:\\MY DATA", "command.com /csubst X:  \"C:\\MY DATA\""},
        {" C:\\DATA", "command.com /csubst X:  C:\\DATA"},
        {"C:\\A&B", "command.com /csubst X: \"C:\\A&B\""},
        {"C:\\A^B(1),;=", "command.com /csubst X: \"C:\\A^B(1),;=\""},
        {"C:\\X > C:\\OUT", "command.com /csubst X: \"C:\\X > C:\\OUT\""},
    };
    for (const auto& [folder, line] : cases) {
        Rig fresh;
        fresh.loaded();
        fresh.view.path = folder;
        fresh.form.DoUpdate();
        fresh.view.setCbodrivesListIndex(22); // X:, with C: in use
        fresh.processes.started.clear();
        fresh.form.cmdcreate_Click();
        EXPECT_EQ(fresh.processes.commandLines().at(0), line) << folder;
    }
}

TEST_F(Engine, FoldersThatCannotBePassedSafelyAreRefusedBeforeAnythingRuns) {
    for (const std::string folder : {"C:\\100%", "C:\\%PATH%", "C:\\\"A\"", "C:\\A\tB"}) {
        Rig fresh;
        fresh.loaded();
        fresh.view.path = folder;
        fresh.form.DoUpdate();
        fresh.processes.started.clear();
        fresh.form.cmdcreate_Click();
        EXPECT_TRUE(fresh.processes.started.empty()) << folder;
        ASSERT_EQ(fresh.boxes.shown.size(), 1u);
        EXPECT_EQ(fresh.boxes.shown[0].flags, mb::Exclamation);
        EXPECT_NE(fresh.boxes.shown[0].text.find(folder), std::string::npos);
    }
}

TEST_F(Engine, CreateThatCannotStartIsReportedAndRefreshesNothing) {
    rig.view.path = "C:\\DATA";
    select("X:");
    rig.processes.startFails = true;
    rig.form.cmdcreate_Click();
    ASSERT_EQ(rig.boxes.reports().size(), 1u);
    EXPECT_EQ(rig.boxes.reports()[0], "Error 53 (File not found) in procedure\r\n"
                                      "(cmdcreate_Click) of (frmmain).");
    EXPECT_EQ(rig.boxes.shown[0].title, "Ostrel");
    EXPECT_EQ(rig.view.status, "Ready");
}

TEST_F(Engine, DeleteAsksAndRemovesTheSelectedDrive) {
    rig.substitute('X', "C:\\DATA");
    rig.substitute('Y', "C:\\B");
    select("E:");
    rig.view.selectedRow = 0;
    rig.form.cmddelete_Click();
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_EQ(rig.boxes.shown[0].text, "Are you sure you want to delete the virtual drive X:");
    EXPECT_EQ(rig.boxes.shown[0].flags, 36u);
    EXPECT_EQ(rig.boxes.shown[0].title, "Ostrel");
    EXPECT_EQ(rig.view.status, "The virtual drive has now been deleted");
    EXPECT_FALSE(rig.substitutions.count('X'));
    EXPECT_EQ(rig.view.rows.size(), 1u);
    EXPECT_EQ(rig.view.comboText, "E:");
    EXPECT_TRUE(rig.view.enabledState[MainControl::chkrestore]);
}

TEST_F(Engine, DeleteAnsweredNoChangesNothing) {
    rig.substitute('X', "C:\\DATA");
    select("E:");
    rig.view.selectedRow = 0;
    rig.processes.started.clear();
    rig.boxes.answers = {mb::IdNo};
    rig.form.cmddelete_Click();
    EXPECT_TRUE(rig.processes.started.empty());
    EXPECT_EQ(rig.view.status, "Ready");
    EXPECT_EQ(rig.view.rows.size(), 1u);
}

TEST_F(Engine, DeletingTheLastDriveDisablesDeleteAndRestore) {
    rig.substitute('X', "C:\\DATA");
    select("E:");
    rig.view.setEnabled(MainControl::cmddelete, true);
    rig.view.selectedRow = 0;
    rig.form.cmddelete_Click();
    EXPECT_TRUE(rig.view.rows.empty());
    EXPECT_FALSE(rig.view.enabledState[MainControl::cmddelete]);
    EXPECT_FALSE(rig.view.enabledState[MainControl::chkrestore]);
}

TEST_F(Engine, DeleteWithoutSelectionOrFailingSaysSo) {
    rig.substitute('X', "C:\\DATA");
    select("E:");
    rig.processes.started.clear();
    rig.form.cmddelete_Click();
    EXPECT_TRUE(rig.processes.started.empty());
    ASSERT_EQ(rig.boxes.reports().size(), 1u);
    EXPECT_NE(rig.boxes.reports()[0].find("(cmddelete_Click) of (frmmain)."), std::string::npos);

    rig.view.selectedRow = 0;
    rig.failRuns = 1;
    rig.form.cmddelete_Click();
    EXPECT_EQ(rig.view.status, "The virtual drive could not be deleted");
    EXPECT_EQ(rig.view.rows.size(), 1u);
}

TEST_F(Engine, NoSecondRunStartsWhileOneIsWaitedFor) {
    rig.substitute('X', "C:\\DATA");
    rig.view.path = "C:\\NEW";
    select("E:");
    rig.view.selectedRow = 0;
    rig.processes.started.clear();
    int nested = 0;
    rig.events.onEvents = [&] {
        if (nested++ == 0) { // clicks arriving during the first wait
            rig.form.cmdcreate_Click();
            rig.form.cmddelete_Click();
            rig.form.cmdRefresh_Click();
        }
    };
    rig.form.cmdcreate_Click();
    EXPECT_EQ(rig.processes.commandLines(),
              (Lines{"command.com /csubst E: C:\\NEW", "command.com /csubst > tmpout.txt"}));
    EXPECT_EQ(rig.boxes.shown.size(), 0u);
}

TEST_F(Engine, RefreshKeepsThePositionWithinTheList) {
    select("E:");
    rig.view.setCbodrivesListIndex(2);
    rig.form.cmdRefresh_Click();
    EXPECT_EQ(rig.view.comboIndex, 2);
    rig.view.setCbodrivesListIndex(-1);
    rig.form.cmdRefresh_Click();
    EXPECT_EQ(rig.view.comboIndex, -1);
}

TEST(FixPath, AddsOneBackslashAndNeverRemovesOne) {
    EXPECT_EQ(frmmain::FixPath("C:\\DATA"), "C:\\DATA\\");
    EXPECT_EQ(frmmain::FixPath("C:\\"), "C:\\");
    EXPECT_EQ(frmmain::FixPath("C:"), "C:\\");
    EXPECT_EQ(frmmain::FixPath(""), "\\");
}

} // namespace
} // namespace ostrel::test
