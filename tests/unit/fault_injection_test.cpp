// Faults injected through the seams: a registry that refuses every write, no free
// letter, window events during a wait. Each ends in a clear message or the documented
// result, never a crash, and leaves the user's saved drive set alone. The listing's faults
// are the drive engine's tests'.
#include <gtest/gtest.h>

#include "fakes/main_window.h"

namespace ostrel::test {
namespace {

constexpr RegKeyHandle HKCU = hkey::CurrentUser, HKLM = hkey::LocalMachine;

// A user who saved a drive for restoring and has answered the first-run question. When
// the user goes, the saved set and the start-up entry must be as they were and no
// handle left open.
struct User : Rig {
    FakeRegistry::Values savedSet, startup;

    User() {
        registry.putString(HKCU, kSettings + "main", "FirstTime", "no");
        registry.putString(HKCU, kConfig, "Drives1", "X:\\=>C:\\A");
        registry.putString(HKCU, kConfig, "Count", "1");
        registry.putString(HKCU, kConfig, "Restore", "1");
        registry.putString(HKLM, kRun, "Ostrel", "C:\\TOOLS\\Ostrel.exe -r");
        savedSet = registry.values(HKCU, kConfig);
        startup = registry.values(HKLM, kRun);
    }
    ~User() {
        EXPECT_EQ(registry.values(HKCU, kConfig), savedSet);
        EXPECT_EQ(registry.values(HKLM, kRun), startup);
    }
};

// A first start under a registry that refuses every write: the question is asked, the
// refused "FirstTime" does not stop start-up, the window works, saving the set is
// refused and said so, and closing stores nothing, silently.
TEST(Faults, ARegistryThatRefusesEveryWriteLeavesAWorkingWindowAndReportsOnlyTheCheckBox) {
    User u;
    u.registry.putString(HKCU, kSettings + "main", "FirstTime", "");
    u.registry.refusedRoots = {hkey::ClassesRoot, HKCU, HKLM};
    const auto before = u.registry.snapshot();
    u.substitute('X', "C:\\A");
    u.boxes.answers = {mb::IdYes};
    u.form.Form_Load();
    ASSERT_EQ(u.boxes.shown.size(), 1u);
    EXPECT_EQ(u.boxes.shown[0].title, "First Time");
    EXPECT_EQ(u.view.rows.size(), 1u);
    u.boxes.shown.clear();
    for (const int value : {0, 1}) {
        u.view.restoreValue = value;
        u.form.chkrestore_Click();
    }
    const std::string refused =
        report("5 (Invalid procedure call or argument)", "chkrestore_Click");
    EXPECT_EQ(u.boxes.reports(), (Lines{refused, refused}));
    u.form.cmdexit_Click();
    EXPECT_TRUE(u.view.unloaded);
    EXPECT_EQ(u.boxes.shown.size(), 2u);
    EXPECT_EQ(u.registry.snapshot(), before);
}

TEST(Faults, WithEveryLetterInUseTheLetterBoxIsEmptyAndCreateIsRefused) {
    for (const std::string commandLine : {"", "-ADD C:\\DATA"}) {
        SCOPED_TRACE("command line [" + commandLine + "]");
        User u;
        u.drives.mask = 0x03FFFFFF;
        u.start(commandLine);
        EXPECT_TRUE(u.boxes.shown.empty()) << "the window opens without a report";
        EXPECT_TRUE(u.view.comboItems.empty());
        u.processes.started.clear();
        u.view.comboText = "Q";
        u.form.cbodrives_Change(); // typing a letter does not get one in
        u.form.cmdcreate_Click();
        EXPECT_TRUE(u.processes.started.empty()) << "no run started";
        ASSERT_EQ(u.boxes.shown.size(), 1u);
        EXPECT_NE(u.boxes.shown[0].text.find("no free drive letter"), std::string::npos);
        u.form.cmdexit_Click();
        EXPECT_EQ(u.saved(kVendor, "DriveIndex"), "-1");
    }
}

// Refresh, Create and the three ways to close arriving while start-up, Create, Delete or
// Refresh waits for its run: no second run starts, and a close is held until the
// handler has finished (nothing runs after the unload, the letter position is kept).
TEST(Faults, WindowEventsDuringAWaitNeitherStartASecondRunNorCloseBeforeTheRunEnds) {
    using Handler = void (frmmain::*)();
    const std::pair<Handler, Lines> waits[] = {
        {&frmmain::Form_Load, {kListingRun}},
        {&frmmain::cmdcreate_Click, {"subst B: \"C:\\NEW\"", kListingRun}},
        {&frmmain::cmddelete_Click, {"subst X: /d", kListingRun}},
        {&frmmain::cmdRefresh_Click, {kListingRun}}};
    // Two that would run, then the three ways to close.
    const Handler events[] = {&frmmain::cmdRefresh_Click, &frmmain::cmdcreate_Click,
                              &frmmain::cmdexit_Click, &frmmain::mnuexit_Click,
                              &frmmain::Form_QueryUnload};
    for (const auto& [handler, runs] : waits) {
        for (int e = 0; e < 5; ++e) {
            SCOPED_TRACE("runs " + runs[0] + ", event " + std::to_string(e));
            User u;
            u.substitute('X', "C:\\A");
            u.registry.putString(HKCU, kVendor, "PathName", "C:\\NEW");
            u.registry.putString(HKCU, kVendor, "DriveIndex", "1");
            if (handler != &frmmain::Form_Load) {
                u.form.Form_Load();
                u.view.setCbodrivesListIndex(1); // B:
                u.form.cbodrives_Click();
                u.view.selectedRow = 0;
                u.processes.started.clear();
            }
            bool fired = false, unloadedDuringRun = false;
            u.events.onEvents = [&] {
                unloadedDuringRun = unloadedDuringRun || u.view.unloaded;
                if (!fired && !u.processes.started.empty()) {
                    fired = true;
                    (u.form.*events[e])();
                }
            };
            (u.form.*handler)();
            EXPECT_TRUE(fired && !unloadedDuringRun);
            EXPECT_EQ(u.processes.commandLines(), runs);
            EXPECT_EQ(u.view.unloaded, e >= 2);
            EXPECT_EQ(u.form.SelectedDrive.empty(), e >= 2);
            EXPECT_EQ(u.saved(kVendor, "DriveIndex"), "1");
            EXPECT_EQ(u.boxes.shown.size(), handler == &frmmain::cmddelete_Click ? 1u : 0u)
                << "only the question";
        }
    }
}

// The session ends in the middle of a restore run, which stops before its next entry and
// says nothing. (What a window stores when the session ends during a run is the
// end-to-end test's, through the system's messages.)
TEST(Faults, TheEndOfTheSessionStopsARestoreRun) {
    Rig restore;
    restore.save(kSettings + "main", "FirstTime", "no");
    restore.save(kConfig, "Count", "2");
    restore.save(kConfig, "Drives1", "X:\\=>C:\\A");
    restore.save(kConfig, "Drives2", "Y:\\=>C:\\B");
    restore.events.onEvents = [&] { restore.form.Form_EndSession(); };
    restore.start("-r");
    EXPECT_EQ(restore.processes.commandLines(), Lines{"subst X: \"C:\\A\""});
    EXPECT_TRUE(restore.boxes.shown.empty());
}

} // namespace
} // namespace ostrel::test
