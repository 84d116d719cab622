// Faults injected through the seams: a missing interpreter, an unwritable temporary
// folder, a registry that refuses every write, no free letter, window events during a
// wait, hostile listings, saved sets and command lines. Each ends in a clear message or
// the documented result, never a crash, and leaves the user's saved drive set alone.
#include <gtest/gtest.h>

#include "settings/settings_store.h"
#include "support/fakes.h"

namespace ostrel::test {
namespace {

const std::string kConfig = "Software\\VB and VBA Program Settings\\Ostrel\\Config";
const std::string kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kVendor = "Software\\Brenmoor Software\\Ostrel\\Main";
const std::string kListingRun = "command.com /csubst > tmpout.txt";
constexpr std::uint32_t kEveryLetter = 0x03FFFFFF;

std::string report(int number, const std::string& description, const std::string& procedure) {
    return "Error " + std::to_string(number) + " (" + description + ") in procedure\r\n(" +
           procedure + ") of (frmmain).";
}

void selectLetter(Rig& rig, const std::string& letter) {
    for (int i = 0; i < rig.view.cbodrivesListCount(); ++i) {
        if (rig.view.comboItems[i] == letter) {
            rig.view.setCbodrivesListIndex(i);
            rig.form.cbodrives_Click();
        }
    }
}

// A user who saved two drives for restoring, and has answered the first-run question.
struct Faults : ::testing::Test {
    Rig rig;
    SettingsStore settings{rig.registry};
    std::map<std::string, FakeRegistry::Value> savedSet;
    std::optional<FakeRegistry::Value> startupEntry;
    // Cleared by a test in which the user changes the saved set on purpose.
    bool setMustStay = true;

    Faults() {
        settings.SaveSetting("Ostrel", "main", "FirstTime", "no");
        settings.SaveSetting("Ostrel", "Config", "Drives1", "X:\\=>C:\\A");
        settings.SaveSetting("Ostrel", "Config", "Drives2", "Y:\\=>C:\\B");
        settings.SaveSetting("Ostrel", "Config", "Count", "2");
        settings.SaveSetting("Ostrel", "Config", "Restore", "1");
        rig.registry.putString(hkey::LocalMachine, kRun, "Ostrel", "C:\\TOOLS\\Ostrel.exe -r");
        savedSet = rig.registry.values(hkey::CurrentUser, kConfig);
        startupEntry = rig.registry.get(hkey::LocalMachine, kRun, "Ostrel");
    }
    void TearDown() override {
        if (setMustStay) {
            EXPECT_EQ(rig.registry.values(hkey::CurrentUser, kConfig), savedSet);
            EXPECT_EQ(rig.registry.get(hkey::LocalMachine, kRun, "Ostrel"), startupEntry);
        }
        EXPECT_EQ(rig.registry.openHandles, 0);
        EXPECT_EQ(rig.processes.openHandles, 0);
    }

    void start(const std::string& commandLine) {
        rig.program.arguments = commandLine;
        rig.form.Form_Load();
    }
    // Lets the next listing run print this text.
    void listingPrints(const std::string& text) {
        auto subst = rig.processes.behaviour;
        rig.processes.behaviour = [this, text, subst](const std::string& line) {
            if (line != kListingRun) {
                return subst(line);
            }
            rig.files.files[rig.files.cwd + "tmpout.txt"] = text;
            return 0u;
        };
    }
    bool listingLeftBehind() const {
        return rig.files.files.count(rig.files.temp + "tmpout.txt") != 0;
    }
};

TEST_F(Faults, AnInterpreterThatCannotStartIsReportedByEveryCallerAndRunsNothing) {
    rig.processes.startFails = true;
    const std::string notFound = "File not found";
    rig.registry.putString(hkey::CurrentUser, kVendor, "PathName", "C:\\DATA");

    start("");
    EXPECT_EQ(rig.boxes.reports(),
              std::vector<std::string>{report(53, notFound, "GetVirtualsDriveList")});
    EXPECT_EQ(rig.view.cbodrivesListCount(), 25) << "the free letters are still offered";
    EXPECT_FALSE(rig.view.unloaded);

    rig.form.cmdRefresh_Click();
    selectLetter(rig, "E:");
    rig.form.cmdcreate_Click();
    rig.view.rows = {{"A1", "X:\\", "C:\\A"}};
    rig.view.selectedRow = 0;
    rig.form.cmddelete_Click();
    EXPECT_EQ(rig.boxes.reports(),
              (std::vector<std::string>{report(53, notFound, "GetVirtualsDriveList"),
                                        report(53, notFound, "GetVirtualsDriveList"),
                                        report(53, notFound, "cmdcreate_Click"),
                                        report(53, notFound, "cmddelete_Click")}));
    EXPECT_EQ(rig.view.status, "Ready");
    EXPECT_EQ(rig.view.comboText, "E:");

    Rig restoring;
    restoring.registry = rig.registry;
    restoring.processes.startFails = true;
    restoring.program.arguments = "-r";
    restoring.form.Form_Load();
    EXPECT_EQ(restoring.boxes.reports(),
              std::vector<std::string>{report(53, notFound, "SetUpVDrives")});
    EXPECT_TRUE(restoring.view.unloaded) << "the restore run still ends";
    EXPECT_TRUE(rig.processes.started.empty());
    EXPECT_TRUE(restoring.processes.started.empty());
    EXPECT_FALSE(listingLeftBehind());
}

TEST_F(Faults, ATemporaryFolderThatCannotBeWrittenEmptiesTheListAndReportsIt) {
    struct Case {
        std::string name;
        std::function<void(Rig&)> fault;
        std::string report;
        std::size_t rows;
    };
    const Case cases[] = {
        {"the redirection is refused",
         [](Rig& r) {
             auto subst = r.processes.behaviour;
             r.processes.behaviour = [subst](const std::string& line) {
                 return line == kListingRun ? 1u : subst(line);
             };
         },
         report(53, "File not found", "GetVirtualsDriveList"), 0},
        {"the folder is gone", [](Rig& r) { r.files.temp = "C:\\GONE\\"; },
         report(76, "Path not found", "GetVirtualsDriveList"), 0},
        {"the listing cannot be deleted", [](Rig& r) { r.files.deleteRefused = true; },
         report(70, "Permission denied", "GetVirtualsDriveList"), 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig r;
        r.registry = rig.registry;
        r.substitute('X', "C:\\A");
        c.fault(r);
        r.program.arguments = "";
        r.form.Form_Load();
        EXPECT_EQ(r.boxes.reports(), std::vector<std::string>{c.report});
        EXPECT_EQ(r.view.rows.size(), c.rows);
        EXPECT_EQ(r.view.comboText, "A:") << "the free letters are refreshed all the same";

        // Creating a drive does not need the temporary folder: it is made and said so.
        r.view.path = "C:\\DATA";
        r.form.cmdcreate_Click();
        EXPECT_EQ(r.view.status, "The virtual drive A: has now been created.");
        EXPECT_EQ(r.substitutions.count('A'), 1u);
        EXPECT_EQ(r.boxes.reports().size(), 2u);
        EXPECT_EQ(r.registry.values(hkey::CurrentUser, kConfig), savedSet);
    }
}

TEST_F(Faults, ARegistryThatRefusesEveryWriteLeavesAWorkingWindowAndReportsOnlyTheCheckBox) {
    // A first start: the question is asked, and the window opens whole.
    rig.registry.put(hkey::CurrentUser, "Software\\VB and VBA Program Settings\\Ostrel\\main",
                     "FirstTime", regtype::Sz, "");
    rig.registry.refusedRoots = {hkey::ClassesRoot, hkey::CurrentUser, hkey::LocalMachine};
    const auto before = rig.registry.snapshot();
    rig.substitute('X', "C:\\A");
    rig.boxes.answers = {mb::IdYes};
    start("");
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_EQ(rig.boxes.shown[0].title, "First Time");
    EXPECT_EQ(rig.view.columns.size(), 2u);
    EXPECT_EQ(rig.view.rows.size(), 1u);
    EXPECT_EQ(rig.view.comboText, "A:");
    EXPECT_EQ(rig.view.restoreValue, 1);
    EXPECT_EQ(rig.form.AbsRoot, "C:\\");

    // The window works: a drive is made.
    rig.view.path = "C:\\DATA";
    rig.form.cmdcreate_Click();
    EXPECT_EQ(rig.view.status, "The virtual drive A: has now been created.");

    // Saving or removing the set is refused and said so; closing stores nothing, silently.
    rig.boxes.shown.clear();
    rig.view.restoreValue = 0;
    rig.form.chkrestore_Click();
    rig.view.restoreValue = 1;
    rig.form.chkrestore_Click();
    const std::string refused = report(5, "Invalid procedure call or argument", "chkrestore_Click");
    EXPECT_EQ(rig.boxes.reports(), (std::vector<std::string>{refused, refused}));
    rig.form.cmdexit_Click();
    EXPECT_TRUE(rig.view.unloaded);
    EXPECT_EQ(rig.boxes.shown.size(), 2u);
    EXPECT_EQ(rig.registry.snapshot(), before);
}

TEST_F(Faults, WithEveryLetterInUseTheLetterBoxIsEmptyAndCreateIsRefused) {
    for (const std::string commandLine : {"", "-ADD C:\\DATA"}) {
        SCOPED_TRACE("command line [" + commandLine + "]");
        Rig r;
        r.registry = rig.registry;
        r.registry.putString(hkey::CurrentUser, kVendor, "PathName", "C:\\DATA");
        r.drives.mask = kEveryLetter;
        r.program.arguments = commandLine;
        r.form.Form_Load();
        EXPECT_EQ(r.boxes.reports(), std::vector<std::string>{report(380, "Invalid property value",
                                                                     "GetAveDrivesList")});
        EXPECT_TRUE(r.view.comboItems.empty());
        EXPECT_EQ(r.view.comboText, "");
        EXPECT_EQ(r.form.SelectedDrive, "");
        EXPECT_TRUE(r.view.enabledState[MainControl::cmdcreate]);

        r.boxes.shown.clear();
        r.processes.started.clear();
        r.view.comboText = "Q";
        r.form.cbodrives_Change(); // typing a letter does not get one in
        r.form.cmdcreate_Click();
        EXPECT_TRUE(r.processes.started.empty()) << "no run started";
        ASSERT_EQ(r.boxes.shown.size(), 1u);
        EXPECT_EQ(r.boxes.shown[0].flags, mb::Exclamation);
        EXPECT_EQ(r.boxes.shown[0].title, "Ostrel");
        EXPECT_NE(r.boxes.shown[0].text.find("no free drive letter"), std::string::npos);
        EXPECT_EQ(r.view.status, "Ready");

        r.form.cmdexit_Click();
        EXPECT_EQ(r.registry.get(hkey::CurrentUser, kVendor, "DriveIndex")->bytes, "-1");
        EXPECT_EQ(r.registry.values(hkey::CurrentUser, kConfig), savedSet);
    }
}

TEST_F(Faults, WindowEventsDuringAWaitNeitherStartASecondRunNorCloseBeforeTheRunEnds) {
    enum class Event { refresh, create, exit };
    enum class Wait { startUp, create, remove, refresh };
    for (const Wait wait : {Wait::startUp, Wait::create, Wait::remove, Wait::refresh}) {
        for (const Event event : {Event::refresh, Event::create, Event::exit}) {
            SCOPED_TRACE("wait " + std::to_string(static_cast<int>(wait)) + ", event " +
                         std::to_string(static_cast<int>(event)));
            Rig r;
            r.registry = rig.registry;
            r.substitute('X', "C:\\A");
            r.registry.putString(hkey::CurrentUser, kVendor, "PathName", "C:\\NEW");
            r.registry.putString(hkey::CurrentUser, kVendor, "DriveIndex", "1");
            if (wait != Wait::startUp) {
                r.form.Form_Load();
                r.view.setCbodrivesListIndex(1); // B:
                r.form.cbodrives_Click();
                r.view.selectedRow = 0;
                r.processes.started.clear();
            }
            bool fired = false;
            bool unloadedDuringRun = false;
            r.events.onEvents = [&] {
                unloadedDuringRun = unloadedDuringRun || r.view.unloaded;
                if (fired || r.processes.started.empty()) {
                    return;
                }
                fired = true;
                switch (event) {
                case Event::refresh:
                    r.form.cmdRefresh_Click();
                    break;
                case Event::create:
                    r.form.cmdcreate_Click();
                    break;
                case Event::exit:
                    r.form.cmdexit_Click();
                    break;
                }
            };
            std::vector<std::string> expected;
            switch (wait) {
            case Wait::startUp:
                r.form.Form_Load();
                expected = {kListingRun};
                break;
            case Wait::create:
                r.form.cmdcreate_Click();
                expected = {"command.com /csubst B: C:\\NEW", kListingRun};
                break;
            case Wait::remove:
                r.form.cmddelete_Click();
                expected = {"command.com /csubst X: /d", kListingRun};
                break;
            case Wait::refresh:
                r.form.cmdRefresh_Click();
                expected = {kListingRun};
                break;
            }
            EXPECT_TRUE(fired);
            EXPECT_EQ(r.processes.commandLines(), expected);
            EXPECT_FALSE(unloadedDuringRun);
            EXPECT_EQ(r.view.unloaded, event == Event::exit);
            if (event == Event::exit) {
                // What is stored is the state after the run, the letter position kept.
                EXPECT_EQ(r.registry.get(hkey::CurrentUser, kVendor, "DriveIndex")->bytes, "1");
            }
            EXPECT_EQ(r.boxes.shown.size(), wait == Wait::remove ? 1u : 0u) << "only the question";
            EXPECT_EQ(r.registry.values(hkey::CurrentUser, kConfig), savedSet);
        }
    }
}

TEST_F(Faults, AnExitDuringARestoreWaitStillRestoresEverySavedDrive) {
    int exits = 0;
    rig.events.onEvents = [&] {
        if (exits++ == 0) {
            rig.form.cmdexit_Click();
        }
    };
    start("-r");
    EXPECT_EQ(rig.substitutions, (std::map<char, std::string>{{'X', "C:\\A"}, {'Y', "C:\\B"}}));
    EXPECT_TRUE(rig.view.unloaded);
    EXPECT_TRUE(rig.boxes.shown.empty());
}

TEST_F(Faults, HostileListingsGiveTheirRowsOrTheDocumentedReport) {
    const std::string longFolder = "C:\\" + std::string(100000, 'L');
    struct Case {
        std::string name, listing;
        std::vector<FakeView::Row> rows;
        std::vector<std::string> reports;
    };
    const Case cases[] = {
        {"a line of 100,000 characters",
         "X:\\: => " + longFolder + "\r\nY:\\: => C:\\B\r\n",
         {{"A1", "X:\\", longFolder}, {"A2", "Y:\\", "C:\\B"}},
         {}},
        {"NUL bytes",
         std::string("X:\\: => C:\\A\0B\r\n\0\0\0: => C:\\C\r\n", 30),
         {{"A1", "X:\\", std::string("C:\\A\0B", 6)}, {"A2", std::string(3, '\0'), "C:\\C"}},
         {}},
        {"8-bit characters",
         "X:\\: => C:\\CAF\x82 \xA4\xFF\r\n\xE9:\\: => \x80",
         {{"A1", "X:\\", "C:\\CAF\xE9 \xA4\xFF"}, {"A2", "\xE9:\\", "\x80"}},
         {}},
        {"a line without the separator",
         "X:\\: => C:\\A\r\nY:\\: -> C:\\B\r\nZ:\\: => C:\\C\r\n",
         {{"A1", "X:\\", "C:\\A"}},
         {report(9, "Subscript out of range", "GetVirtualsDriveList")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        rig.boxes.shown.clear();
        listingPrints(c.listing);
        rig.form.AbsRoot = "C:\\";
        rig.form.AbsPath = "C:\\TOOLS\\";
        rig.form.GetVirtualsDriveList();
        ASSERT_EQ(rig.view.rows.size(), c.rows.size());
        for (std::size_t i = 0; i < c.rows.size(); ++i) {
            EXPECT_EQ(rig.view.rows[i].key, c.rows[i].key);
            EXPECT_EQ(rig.view.rows[i].text, c.rows[i].text);
            EXPECT_EQ(rig.view.rows[i].subItem, c.rows[i].subItem);
        }
        EXPECT_EQ(rig.boxes.reports(), c.reports);
        EXPECT_FALSE(listingLeftBehind());
    }
}

TEST_F(Faults, ALongOrEightBitRowIsSavedAndRestoredWhole) {
    setMustStay = false; // the user checks the box: the set is replaced on purpose
    const std::string longFolder = "C:\\" + std::string(100000, 'L');
    rig.loaded();
    rig.view.rows = {{"A1", "X:\\", longFolder}, {"A2", "Y:\\", "C:\\CAF\xE9 \xA4"}};
    rig.view.restoreValue = 1;
    rig.form.chkrestore_Click();
    EXPECT_TRUE(rig.boxes.shown.empty());

    Rig restoring;
    restoring.registry = rig.registry;
    restoring.program.arguments = "-r";
    restoring.form.Form_Load();
    EXPECT_EQ(restoring.processes.commandLines(),
              (std::vector<std::string>{"command.com /csubst X: " + longFolder,
                                        "command.com /csubst Y: \"C:\\CAF\xE9 \xA4\""}));
    EXPECT_TRUE(restoring.boxes.shown.empty());
}

TEST_F(Faults, OddCountsInTheSavedSetRestoreWhatExistsWithAtMostOneReport) {
    const std::string gap = report(9, "Subscript out of range", "SetUpVDrives");
    struct Case {
        std::string count;
        std::size_t runs;
        std::vector<std::string> reports;
    };
    const Case cases[] = {{"32767", 2, {gap}}, {"-1", 0, {}}, {"1e3", 2, {gap}}, {"abc", 0, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE("Count [" + c.count + "]");
        Rig r;
        r.registry = rig.registry;
        r.registry.putString(hkey::CurrentUser, kConfig, "Count", c.count);
        const auto stored = r.registry.values(hkey::CurrentUser, kConfig);
        r.program.arguments = "-r";
        r.form.Form_Load();
        EXPECT_EQ(r.processes.started.size(), c.runs);
        EXPECT_EQ(r.boxes.reports(), c.reports);
        EXPECT_TRUE(r.view.unloaded);
        EXPECT_EQ(r.registry.values(hkey::CurrentUser, kConfig), stored);

        // An interactive start with the same set shows the box as stored and changes nothing.
        Rig shown;
        shown.registry = r.registry;
        shown.form.Form_Load();
        EXPECT_EQ(shown.view.restoreValue, 1);
        EXPECT_TRUE(shown.boxes.shown.empty());
        shown.form.cmdexit_Click();
        EXPECT_EQ(shown.registry.values(hkey::CurrentUser, kConfig), stored);
    }
}

TEST_F(Faults, ACommandLineOf100000CharactersPicksAModeAndKeepsTheFolderWhole) {
    const std::string folder = "C:\\" + std::string(99995, 'D');
    struct Case {
        std::string name, line;
        bool hidden;
        std::string path;
    };
    const Case cases[] = {
        {"text", std::string(100000, 'x'), false, "C:\\KEPT"},
        {"blanks around -r", std::string(50000, ' ') + "-r" + std::string(49998, ' '), true,
         "C:\\KEPT"},
        {"add switch", "-add " + folder, false, " " + folder},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig r;
        r.registry = rig.registry;
        r.registry.putString(hkey::CurrentUser, kVendor, "PathName", "C:\\KEPT");
        r.program.arguments = c.line;
        r.form.Form_Load();
        EXPECT_TRUE(r.boxes.shown.empty());
        EXPECT_EQ(r.view.hidden, c.hidden);
        EXPECT_EQ(r.view.path, c.path);
        if (c.hidden) {
            EXPECT_EQ(r.substitutions.size(), 2u) << "the saved set was restored";
            continue;
        }
        selectLetter(r, "E:");
        r.form.cmdcreate_Click();
        EXPECT_EQ(r.processes.commandLines().at(1), "command.com /csubst E: " + c.path);
        r.form.cmdexit_Click();
        EXPECT_EQ(r.registry.get(hkey::CurrentUser, kVendor, "PathName")->bytes, c.path);
        EXPECT_EQ(r.registry.values(hkey::CurrentUser, kConfig), savedSet);
    }
}

} // namespace
} // namespace ostrel::test
