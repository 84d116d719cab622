// The drive engine: command lines, waiting, the listing, free letters, create and delete.
#include <gtest/gtest.h>

#include <algorithm>

#include "drives/command_runner.h"
#include "drives/folder_check.h"
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

// Both programs by their full paths; never a bare name that a search would look up. No
// AutoRun command and no delayed expansion reach a run, and the folder comes through the
// environment, so that no character of its name is read as part of a command.
TEST_F(Engine, TheInterpreterAndSubstAreNamedByTheirFullPathsAndTheFolderComesAsAVariable) {
    const std::string sys = "C:\\WINDOWS\\system32\\", flags = " /d /v:off /s /c \"\"";
    const std::string tail = flags + sys + "subst.exe\" X: \"%OSTREL_PATH%\"\"";
    const struct {
        std::string planted, comspec, system, line;
    } cases[] = {
        {"", sys + "cmd.exe", sys, '"' + sys + "cmd.exe\"" + tail},
        {sys + "command.com", "", sys, '"' + sys + "command.com\"" + tail},
        {"D:\\tcc.exe", "D:\\tcc.exe", sys, "\"D:\\tcc.exe\"" + tail},
        {"C:\\TOOLS\\tcc.exe", "tcc.exe", sys, '"' + sys + "cmd.exe\"" + tail},
        {"", "D:\\GONE.exe", sys, '"' + sys + "cmd.exe\"" + tail},
        {"\\\\srv\\cmd.exe", "\\\\srv\\cmd.exe", sys, "\"\\\\srv\\cmd.exe\"" + tail},
        {"", "", "C:\\MY OS\\",
         "\"C:\\MY OS\\cmd.exe\"" + flags + "C:\\MY OS\\subst.exe\" X: \"%OSTREL_PATH%\"\""}};
    for (const auto& c : cases) {
        rig.files.programs = {c.planted};
        rig.processes.comspec = c.comspec;
        rig.files.system = c.system;
        const Command command = substCommand(rig.processes, rig.files, " X:", "C:\\100% & !x!");
        EXPECT_EQ(command.line, c.line);
        EXPECT_EQ(command.environment, (Environment{{"OSTREL_PATH", "C:\\100% & !x!"}}));
    }
    // A line the interpreter would refuse is never started; the report names the limit.
    const std::string deep = "C:\\" + std::string(8191, 'A');
    try {
        StartCommand(rig.processes, substCommand(rig.processes, rig.files, " X:", deep));
        ADD_FAILURE() << "started";
    } catch (const ProcedureError& error) {
        EXPECT_EQ(error.detail, "The command line would be 8257 characters long; the command "
                                "interpreter runs at most 8191.");
    }
    EXPECT_TRUE(rig.processes.started.empty());
}

TEST_F(Engine, SHWaitTellsNonzeroExitCodesAndSleepsBetweenPolls) {
    auto& p = rig.processes;
    p.pollsWhileRunning = 3;
    p.behaviour = [](const std::string& line) { return line == "zero" ? 0u : 1u; };
    EXPECT_FALSE(SHWait(p, rig.events, rig.boxes, p.start("", "zero", 0, {})));
    EXPECT_EQ(std::pair(p.sleeps, rig.events.calls), std::pair(3, 3)); // slept, events ran
    EXPECT_TRUE(SHWait(p, rig.events, rig.boxes, p.start("", "one", 0, {})));
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
        std::string lastRow, box, firstRow = {};
    } cases[] = {
        {"", temp, 0, none, 0, "", ""},
        {"E:\\: => C:\\ONE\r\nF:\\: => C:\\A,B\r\nG:\\: =>   C:\\MY DATA  \r\n", temp, 0, none, 3,
         "A3 G:\\ C:\\MY DATA", ""},
        {"X:\\: => C:\\CAF\x82\r\n", temp, 0, none, 1, "A1 X:\\ C:\\CAFé", ""}, // OEM
        // What the console code page lost comes from the drive table, never another folder.
        {"X:\\: => C:\\??? ??\r\nY:\\: => C:\\OTHER\r\n", temp, 0, none, 2, "A2 Y:\\ C:\\OTHER", "",
         "A1 X:\\ C:\\Моя ς📁"},
        {one, temp, 1, none, 0, "", "The list of virtual drives could not"},
        {"", "C:\\GONE\\", 0, none, 0, "",
         "The list of virtual drives could not be read: the folder for temporary files\r\n"
         "C:\\GONE\\\r\ndoes not exist."},
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
        rig.drives.substitutions = {{'X', "C:\\Моя ς📁"}, {'Y', "C:\\Моя"}};
        rig.processes.startFails = c.fault == unstartable;
        rig.boxes.shown.clear();
        rig.processes.behaviour = [&](const std::string& line) {
            const auto at = line.find(" > \"") + 4;
            rig.files.files[line.substr(at, line.find('"', at) - at)] = c.listing;
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
        if (!c.firstRow.empty()) {
            EXPECT_EQ(rows.front().key + " " + rows.front().text + " " + rows.front().subItem,
                      c.firstRow);
        }
        EXPECT_EQ(rig.files.files.size(), c.fault == undeletable ? 1u : 0u);
        EXPECT_EQ(rig.files.cwdHistory.front(), c.temp == temp ? "C:\\" : "C:\\TOOLS\\");
        EXPECT_EQ(rig.files.cwd, "C:\\TOOLS\\") << "then back in the program's folder";
        EXPECT_EQ(rig.view.comboText, "A:") << "the free letters are refreshed all the same";
    }
}

TEST_F(Engine, CreateRunsItsExactLineInTheRootSaysWhetherItWorkedOrWhyNot) {
    rig.view.path = "C:\\DATA";
    select("X:");
    rig.files.cwdHistory.clear();
    rig.form.cmdcreate_Click();
    EXPECT_EQ(rig.processes.commandLines(), (Lines{"subst X: \"C:\\DATA\"", kListingRun}));
    EXPECT_EQ(rig.files.cwdHistory.at(0), "C:\\"); // the run itself happens in AbsRoot
    EXPECT_EQ(rig.view.status, "The virtual drive X: has now been created.");
    EXPECT_EQ(rig.view.comboItems.at(22) + rig.view.comboText, "Y:Y:") << "X: no longer offered";
    EXPECT_EQ(rig.view.rows.size(), 1u);

    // A failed run replaces the older success text and says what stands at the path.
    rig.failRuns = 1;
    for (const auto& [folder, cause] :
         {std::pair<std::string, std::string>{"C:\\GONE", "does not exist"},
          {"C:\\TOOLS", "exists, but subst"},
          {"C:\\TOOLS\\NOTES.TXT", "names a file"}}) {
        rig.view.path = folder;
        rig.files.files["C:\\TOOLS\\NOTES.TXT"] = "";
        rig.boxes.shown.clear();
        rig.form.cmdcreate_Click();
        EXPECT_EQ(rig.view.status, "The virtual drive Y: could not be created.");
        EXPECT_EQ(rig.processes.commandLines().back(), kListingRun);
        ASSERT_EQ(rig.boxes.shown.size(), 1u);
        EXPECT_EQ(rig.boxes.shown[0].text,
                  "The virtual drive Y: could not be created.\r\n\r\n" +
                      folderProblemText(folder, folderKindProblem(rig.files.pathKind(folder))));
        EXPECT_NE(rig.boxes.shown[0].text.find(cause), std::string::npos) << folder;
    }

    // A folder subst cannot take is refused, with its cause, before anything runs.
    rig.view.path = "\\\\server\\share";
    select("A:");
    rig.boxes.shown.clear();
    rig.form.cmdcreate_Click();
    EXPECT_TRUE(rig.processes.started.empty());
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_EQ(rig.boxes.shown[0].text,
              folderProblemText("\\\\server\\share", FolderProblem::network));
}

// What a folder's text alone tells: nothing given, a path that is not full, a network
// path and a character no folder name holds.
TEST(Folders, TheirTextTellsWhatSubstCannotTake) {
    const std::pair<const char*, FolderProblem> cases[] = {
        {"C:\\DATA", FolderProblem::none},
        {" C:\\МОЯ ПАПКА\\", FolderProblem::none},
        {"D:/data", FolderProblem::none},
        {"\\\\?\\C:\\DATA", FolderProblem::none},
        {"   ", FolderProblem::empty},
        {"SUB", FolderProblem::relative},
        {"C:", FolderProblem::relative},
        {"C:DATA", FolderProblem::relative},
        {"1:\\DATA", FolderProblem::relative},
        {"\\DATA", FolderProblem::relative},
        {"\\\\server\\share", FolderProblem::network},
        {"//server/share", FolderProblem::network},
        {"\\\\?\\UNC\\server\\share", FolderProblem::network},
        {"C:\\A\"B", FolderProblem::unpassable},
        {"C:\\A\tB", FolderProblem::unpassable},
    };
    for (const auto& [folder, problem] : cases) {
        EXPECT_EQ(folderTextProblem(folder), problem) << folder;
    }
}

// What subst may print for a folder through a console code page that lacks its letters:
// "?" or a look-alike for each, one or two for a character beyond the Basic Multilingual
// Plane; letters lost or an ASCII character changed name another folder.
TEST(Listing, ShowsAFolderThroughACodePageThatLacksItsLetters) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"C:\\DON'T ?", "C:\\DON’T €", true},
        {"C:\\??", "C:\\📁", true},
        {"C:\\?A", "C:\\📁A", true},
        {"C:\\???", "C:\\📁é", true},
        {"C?R", "CŒUR", false},
        {"C:\\?", "C:\\A", false},
        {"C:\\A?", "C:\\A", false},
        {"C:\\", "C:\\é", false},
        {"XC:\\A", "C:\\A", false},
        {"C:\\??", "C:\\é", false},
    };
    for (const auto& [listed, exact, shows] : cases) {
        EXPECT_EQ(listingShows(listed, exact), shows) << listed << " for " << exact;
    }
}

// The value a run's variable carries into its quoted argument.
TEST(Folders, ReachTheQuotedArgumentWholeOrAreRefused) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"", {}},
        {"   ", {}},
        {" C:\\MY DATA ", "C:\\MY DATA"},
        {"C:\\DATA\\\\", "C:\\DATA"}, // no backslash before the closing quote
        {"C:\\", "C:\\\\"},           // but a drive root keeps its own, doubled
        {"\\", "\\\\"},
        {"C:\\100% & ^!x!", "C:\\100% & ^!x!"},
        {"C:\\\"A\"", {}},
        {"C:\\A\tB", {}},
    };
    for (const auto& [folder, value] : cases) {
        EXPECT_EQ(substPathValue(folder), value) << folder;
    }
}

TEST_F(Engine, DeleteAsksThenRemovesTheSelectedDriveOrSaysWhyNot) {
    rig.substitute('X', "C:\\DATA");
    rig.substitute('Y', "C:\\B");
    select("E:");
    rig.form.cmddelete_Click(); // no row selected
    rig.view.rows.push_back({"A3", "\\\\S", "\\\\S\\SHARE"}); // a row without a drive letter
    rig.view.selectedRow = 2;
    rig.form.cmddelete_Click();
    EXPECT_EQ(
        rig.boxes.reports(),
        (Lines{report("91 (Object variable or With block variable not set)", "cmddelete_Click"),
               report("5 (Invalid procedure call or argument)", "cmddelete_Click")}));
    EXPECT_TRUE(rig.processes.started.empty());
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
    EXPECT_FALSE(rig.drives.substitutions.count('X'));
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
