// The main window's drive handling: the listing's rows, Create and Delete.
#include <gtest/gtest.h>

#include <algorithm>

#include "drives/folder_check.h"
#include "fakes/main_window.h"

namespace ostrel::test {
namespace {

struct DriveHandling : ::testing::Test {
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

// Each listing writes a file of its own by its absolute path, run in the drive root;
// the file goes and the working directory is the program's folder after every listing.
// A listing that cannot be started or deleted is reported; the free letters are
// refreshed whatever happens.
TEST_F(DriveHandling, ListingFillsRowsInOrderOrSaysWhyNotAndLeavesNoFileBehind) {
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
        const auto shown = [&](const FakeView::Row& row) {
            return row.key + " " + row.text + " " + row.subItem;
        };
        EXPECT_EQ(rows.size(), std::size_t(c.rows));
        EXPECT_EQ(rows.empty() ? "" : shown(rows.back()), c.lastRow);
        EXPECT_EQ(c.firstRow.empty() ? "" : shown(rows.front()), c.firstRow);
        EXPECT_EQ(rig.boxes.shown.empty() ? "" : rig.boxes.shown[0].text.substr(0, c.box.size()),
                  c.box);
        EXPECT_EQ(rig.files.files.size(), c.fault == undeletable ? 1u : 0u);
        EXPECT_EQ(rig.files.cwdHistory.front(), c.temp == temp ? "C:\\" : "C:\\TOOLS\\");
        EXPECT_EQ(rig.files.cwd, "C:\\TOOLS\\") << "then back in the program's folder";
        EXPECT_EQ(rig.view.comboText, "A:") << "the free letters are refreshed all the same";
    }
}

TEST_F(DriveHandling, CreateRunsItsExactLineInTheRootSaysWhetherItWorkedOrWhyNot) {
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
        EXPECT_EQ(rig.boxes.shown[0].text.rfind("The virtual drive Y: could not be created.", 0),
                  0u);
        EXPECT_NE(rig.boxes.shown[0].text.find(folder + "\r\n" + cause), std::string::npos);
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

TEST_F(DriveHandling, DeleteAsksThenRemovesTheSelectedDriveOrSaysWhyNot) {
    rig.substitute('X', "C:\\DATA");
    rig.substitute('Y', "C:\\B");
    select("E:");
    rig.form.cmddelete_Click();                               // no row selected
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

} // namespace
} // namespace ostrel::test
