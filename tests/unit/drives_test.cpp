// The drive engine: command lines, waiting, the listing, free letters, create and delete.
#include <gtest/gtest.h>

#include <algorithm>

#include "drives/command_runner.h"
#include "support/fakes.h"
#include "support/paths.h"

namespace ostrel::test {
namespace {

struct Engine : ::testing::Test {
    Rig rig;
    void SetUp() override { rig.loaded(); }
    // Refreshes, selects the letter and forgets the runs so far.
    void select(const std::string& letter) {
        rig.form.DoUpdate();
        const auto& items = rig.view.comboItems;
        rig.view.setCbodrivesListIndex(std::find(items.begin(), items.end(), letter) -
                                       items.begin());
        rig.processes.started.clear();
    }
};

// Both programs by their full paths; never a bare name that a search would look up.
TEST_F(Engine, TheInterpreterAndSubstAreNamedByTheirFullPaths) {
    const std::string sys = "C:\\WINDOWS\\system32\\", tail = " /c" + sys + "subst.exe X: /d";
    const struct {
        std::string planted, comspec, system, line;
    } cases[] = {
        {"", sys + "cmd.exe", sys, '"' + sys + "cmd.exe\"" + tail},
        {sys + "command.com", "", sys, '"' + sys + "command.com\"" + tail},
        {"D:\\tcc.exe", "D:\\tcc.exe", sys, "\"D:\\tcc.exe\"" + tail},
        {"C:\\TOOLS\\tcc.exe", "tcc.exe", sys, '"' + sys + "cmd.exe\"" + tail},
        {"", "D:\\GONE.exe", sys, '"' + sys + "cmd.exe\"" + tail},
        {"", "", "C:\\MY OS\\", "\"C:\\MY OS\\cmd.exe\" /c\"\"C:\\MY OS\\subst.exe\" X: /d\""}};
    for (const auto& c : cases) {
        rig.files.programs = {c.planted};
        rig.processes.comspec = c.comspec;
        rig.files.system = c.system;
        const Command command = substCommand(rig.processes, rig.files, " X: /d");
        EXPECT_EQ(command.line, c.line);
        EXPECT_EQ(command.line.substr(0, command.program.size() + 2), '"' + command.program + '"');
    }
}

TEST_F(Engine, SHWaitTellsNonzeroExitCodesAndSleepsBetweenPolls) {
    auto& p = rig.processes;
    p.pollsWhileRunning = 3;
    p.behaviour = [](const std::string& line) { return line == "zero" ? 0u : 1u; };
    EXPECT_FALSE(SHWait(p, rig.events, rig.boxes, p.start("", "zero", 0)));
    EXPECT_EQ(std::pair(p.sleeps, rig.events.calls), std::pair(3, 3)); // slept, events ran
    EXPECT_TRUE(SHWait(p, rig.events, rig.boxes, p.start("", "one", 0)));
    const int polls = p.polls;
    EXPECT_FALSE(SHWait(p, rig.events, rig.boxes, 4242)); // names no process
    EXPECT_EQ(p.polls, polls + 1);
    p.openFails = true;
    EXPECT_FALSE(SHWait(p, rig.events, rig.boxes, 100));
    EXPECT_EQ(rig.boxes.reports(),
              Lines{"Error 5 (Invalid procedure call or argument) in procedure\r\n(SHWait) of "
                    "(Module1)."});
}

// Each listing writes a file of its own by its absolute path, run in the drive root;
// the file goes and the working directory is the program's folder after every listing.
// A listing that cannot be started or deleted is reported; the free letters are
// refreshed whatever happens.
TEST_F(Engine, ListingFillsRowsInOrderOrSaysWhyNotAndLeavesNoFileBehind) {
    std::string tooMany;
    for (int i = 0; i <= INT16_MAX; ++i) {
        tooMany += "X:\\: => C:\\A\r\n";
    }
    const std::string temp = "C:\\Temp\\", one = "X:\\: => C:\\A\r\n";
    enum Fault { none, unstartable, undeletable };
    const struct {
        std::string listing, temp;
        std::uint32_t exit;
        Fault fault;
        int rows;
        std::string lastRow, box;
    } cases[] = {
        {"", temp, 0, none, 0, "", ""},
        {"E:\\: => C:\\ONE\r\nF:\\: => C:\\A,B\r\nG:\\: =>   C:\\MY DATA  \r\n", temp, 0, none, 3,
         "A3 G:\\ C:\\MY DATA", ""},
        {"X:\\: => C:\\CAF\x82\r\n", temp, 0, none, 1, "A1 X:\\ C:\\CAF\xE9", ""}, // OEM
        {one, temp, 1, none, 0, "", "The list of virtual drives could not"},
        {"", "C:\\GONE\\", 0, none, 0, "",
         report("76 (Path not found)", "GetVirtualsDriveList") + "\r\nC:\\GONE\\"},
        {one, temp, 0, unstartable, 0, "", report("53 (File not found)", "GetVirtualsDriveList")},
        {one, temp, 0, undeletable, 1, "A1 X:\\ C:\\A",
         report("70 (Permission denied)", "GetVirtualsDriveList")},
        {tooMany, temp, 0, none, INT16_MAX, "A32767 X:\\ C:\\A",
         report("6 (Overflow)", "GetVirtualsDriveList")}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.listing.substr(0, 20));
        rig.files = FakeFiles();
        rig.files.temp = c.temp;
        rig.files.deleteRefused = c.fault == undeletable;
        rig.processes.startFails = c.fault == unstartable;
        rig.boxes.shown.clear();
        rig.processes.behaviour = [&](const std::string& line) {
            rig.files.files[line.substr(line.find(" > ") + 3)] = c.listing;
            return c.exit;
        };
        rig.form.DoUpdate();
        const auto& rows = rig.view.rows;
        EXPECT_EQ(rows.size(), std::size_t(c.rows));
        EXPECT_EQ(rows.empty()
                      ? ""
                      : rows.back().key + " " + rows.back().text + " " + rows.back().subItem,
                  c.lastRow);
        EXPECT_EQ(rig.boxes.shown.empty() ? "" : rig.boxes.shown[0].text.substr(0, c.box.size()),
                  c.box);
        EXPECT_EQ(rig.files.files.size(), c.fault == undeletable ? 1u : 0u);
        EXPECT_EQ(rig.files.cwdHistory.front(), c.temp == temp ? "C:\\" : "C:\\TOOLS\\");
        EXPECT_EQ(rig.files.cwd, "C:\\TOOLS\\") << "then back in the program's folder";
        EXPECT_EQ(rig.view.comboText, "A:") << "the free letters are refreshed all the same";
    }
}

TEST_F(Engine, CreateRunsItsExactLineInTheRootSaysWhetherItWorkedOrRefusesTheFolder) {
    rig.view.path = "C:\\DATA";
    select("X:");
    rig.files.cwdHistory.clear();
    rig.form.cmdcreate_Click();
    EXPECT_EQ(rig.processes.commandLines(), (Lines{"subst X: C:\\DATA", kListingRun}));
    EXPECT_EQ(rig.files.cwdHistory.at(0), "C:\\"); // the run itself happens in AbsRoot
    EXPECT_EQ(rig.view.status, "The virtual drive X: has now been created.");
    EXPECT_EQ(rig.view.comboItems.at(22) + rig.view.comboText, "Y:Y:") << "X: no longer offered";
    EXPECT_EQ(rig.view.rows.size(), 1u);

    // A failed run replaces the older success text.
    rig.failRuns = 1;
    rig.form.cmdcreate_Click();
    EXPECT_EQ(rig.view.status, "The virtual drive Y: could not be created.");
    EXPECT_EQ(rig.processes.commandLines().back(), kListingRun);

    // A folder subst cannot take is refused before anything runs.
    rig.view.path = "C:\\%PATH%";
    select("A:");
    rig.form.cmdcreate_Click();
    EXPECT_TRUE(rig.processes.started.empty());
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_NE(rig.boxes.shown[0].text.find("C:\\%PATH%"), std::string::npos);
}

TEST(Folders, ReachSubstWholeOrAreRefused) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"", ""},
        {"C:\\MY DATA", "\"C:\\MY DATA\""},
        {" C:\\MY DATA", " \"C:\\MY DATA\""}, // blanks at the ends stay outside the quotes
        {" C:\\DATA\\", " C:\\DATA\\"},
        {"C:\\MY DATA\\\\ ", "\"C:\\MY DATA\" "}, // no backslash before the closing quote
        {"&:\\", "\"&:\\\\\""},
        {"C:\\A^B(1),;=", "\"C:\\A^B(1),;=\""},
        {"C:\\X > C:\\OUT", "\"C:\\X > C:\\OUT\""},
        {"C:\\100%", {}},
        {"C:\\\"A\"", {}},
        {"C:\\A\tB", {}},
    };
    for (const auto& [folder, argument] : cases) {
        EXPECT_EQ(substFolderArgument(folder), argument) << folder;
    }
}

TEST_F(Engine, DeleteAsksThenRemovesTheSelectedDriveOrSaysWhyNot) {
    rig.substitute('X', "C:\\DATA");
    rig.substitute('Y', "C:\\B");
    select("E:");
    rig.form.cmddelete_Click(); // no row selected
    EXPECT_EQ(
        rig.boxes.reports(),
        Lines{report("91 (Object variable or With block variable not set)", "cmddelete_Click")});
    rig.boxes.shown.clear();

    rig.view.selectedRow = 0;
    rig.boxes.answers = {mb::IdNo};
    rig.form.cmddelete_Click();
    EXPECT_TRUE(rig.processes.started.empty());
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_EQ(rig.boxes.shown[0].text, "Are you sure you want to delete the virtual drive X:");
    EXPECT_EQ(rig.view.status, "Ready");

    rig.failRuns = 1;
    rig.form.cmddelete_Click();
    EXPECT_EQ(rig.processes.commandLines(), (Lines{"subst X: /d", kListingRun}));
    EXPECT_EQ(rig.view.status, "The virtual drive could not be deleted");
    EXPECT_EQ(rig.view.rows.size(), 2u);

    rig.failRuns = 0;
    rig.view.selectedRow = 0;
    rig.form.cmddelete_Click();
    EXPECT_EQ(rig.view.status, "The virtual drive has now been deleted");
    EXPECT_FALSE(rig.substitutions.count('X'));
    EXPECT_EQ(rig.view.rows.size(), 1u);
    EXPECT_EQ(rig.view.comboText, "E:") << "the selection is kept";

    // The last drive gone, Delete and Restore are disabled.
    rig.view.setEnabled(MainControl::cmddelete, true);
    rig.view.selectedRow = 0;
    rig.form.cmddelete_Click();
    EXPECT_TRUE(rig.view.rows.empty());
    EXPECT_FALSE(rig.view.enabledState[MainControl::cmddelete] ||
                 rig.view.enabledState[MainControl::chkrestore]);
}

TEST(FixPath, AddsOneBackslashAndNeverRemovesOne) {
    EXPECT_EQ(FixPath("C:\\DATA") + FixPath("C:\\") + FixPath(""), "C:\\DATA\\C:\\\\");
}

} // namespace
} // namespace ostrel::test
