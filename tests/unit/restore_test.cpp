// Restoring the saved drive set, the restore check box that saves it, and the other
// hooks into Windows: the start-up entry and Explorer's folder verb.
#include <gtest/gtest.h>

#include "app/start_switch.h"
#include "drives/restore.h"
#include "settings/integration.h"
#include "settings/reg32mod.h"
#include "settings/settings_store.h"
#include "support/error_report.h"
#include "support/fakes.h"
#include "support/text.h"

namespace ostrel::test {
namespace {

const std::string kVerb = "Folder\\shell\\Create Virtual Drive";
const std::string kUserVerb = "Software\\Classes\\" + kVerb;
const std::string kGap = report("9 (Subscript out of range)", "SetUpVDrives");
const std::string kBadEntry = report("5 (Invalid procedure call or argument)", "SetUpVDrives");

struct Restore : ::testing::Test {
    Rig rig;
    SettingsStore store{rig.registry};
    // Saves "Count" (unless empty) and the entries ("" for a gap) as Drives1, Drives2, ...
    void restore(const std::string& count, const Lines& entries) {
        rig.save(kConfig, "Count", count.empty() ? Text{} : count);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            rig.save(kConfig, "Drives" + std::to_string(i + 1),
                     entries[i].empty() ? Text{} : entries[i]);
        }
        SetUpVDrives(rig.platform, store, "C:\\");
    }
};

TEST_F(Restore, CountSaysHowManyEntriesAndOverflowsBeyondSixteenBits) {
    const std::pair<const char*, bool> cases[] = {{"", false}, {"0.4", false}, {"32768", true}};
    for (const auto& [count, overflows] : cases) {
        rig.registry = FakeRegistry();
        rig.boxes.shown.clear();
        restore(count, {"X:\\=>C:\\A"});
        EXPECT_TRUE(rig.processes.started.empty()) << count;
        EXPECT_TRUE(rig.files.cwdHistory.empty()) << "the working directory stays";
        EXPECT_EQ(rig.boxes.reports(),
                  overflows ? Lines{report("6 (Overflow)", "SetUpVDrives")} : Lines{})
            << count;
    }
}

TEST_F(Restore, UsableEntriesRunInOrderAndEachUnusableOneOrGapIsReportedOnce) {
    // An entry whose run cannot be started is reported and the next one follows.
    rig.processes.behaviour = [](const std::string& line) -> std::uint32_t {
        if (line.find("UNSTARTABLE") != std::string::npos) {
            raise(err::PathFileAccess);
        }
        return 0;
    };
    restore("15",
            {"W:\\=>C:\\UNSTARTABLE", "X:\\=>C:\\My Data", "", "", "X:\\C:\\A", "1:\\=>C:\\A",
             "X=>C:\\A", "X:\\=>C:\\100%", "X:\\=>C:\\\"A\"", "X:\\=>C:\\A\r\nB", "",
             "Y:\\=> C:\\R&D (old)", "Z:\\=>C:\\Plain=>C:\\Other", "", "", "Q:\\=>C:\\BEYOND"});
    // Each folder whole, as one argument, % and & included; a third piece is ignored, and
    // so is an entry numbered above "Count".
    EXPECT_EQ(
        rig.processes.commandLines(),
        (Lines{"subst W: \"C:\\UNSTARTABLE\"", "subst X: \"C:\\My Data\"", "subst X: \"C:\\100%\"",
               "subst Y: \"C:\\R&D (old)\"", "subst Z: \"C:\\Plain\""}));
    EXPECT_EQ(rig.files.cwdHistory, Lines{"C:\\"});
    // Error 9 once for each gap (3-4, 11, 14-15) and for 5 (no "=>"); error 5 for 6, 7, 9
    // and 10.
    EXPECT_EQ(rig.boxes.reports(),
              (Lines{report("75 (Path/File access error)", "SetUpVDrives"), kGap, kGap, kBadEntry,
                     kBadEntry, kBadEntry, kBadEntry, kGap, kGap}));
}

struct CheckBox : ::testing::Test {
    Rig rig;
    CheckBox() {
        rig.loaded();
        rig.view.rows = {{"A1", "X:\\", "C:\\A"}, {"A2", "Y:\\", "C:\\B"}};
        rig.save(kSettings + "main", "FirstTime", "no");
    }
    void click(int value) {
        rig.view.restoreValue = value;
        rig.form.chkrestore_Click();
    }
    Text run(RegKeyHandle root) const { return rig.registry.text(root, kRun, "Ostrel"); }
};

// Checking saves the list and the start-up entry, in the machine's Run key or, for a
// standard user, in the user's, and only in one. With an empty list nothing stored
// changes. Unchecking removes the set and the entry from both Run keys, and nothing else.
TEST_F(CheckBox, CheckingSavesTheListAndTheStartUpEntryAndUncheckingRemovesThem) {
    const Text command = "C:\\TOOLS\\Ostrel.exe -r";
    for (const bool standardUser : {true, false}) {
        rig.registry.refusedRoots.clear();
        if (standardUser) {
            rig.registry.refusedRoots.insert(hkey::LocalMachine);
        }
        click(1);
        EXPECT_EQ(run(hkey::LocalMachine), standardUser ? Text{} : command);
        EXPECT_EQ(run(hkey::CurrentUser), standardUser ? command : Text{});
    }
    const auto terminated = [](const std::string& text) { return sz(text + '\0'); };
    EXPECT_EQ(rig.registry.values(hkey::CurrentUser, kConfig),
              (FakeRegistry::Values{{"DRIVES1", terminated("X:\\=>C:\\A")},
                                    {"DRIVES2", terminated("Y:\\=>C:\\B")},
                                    {"COUNT", terminated("2")},
                                    {"RESTORE", terminated("1")}}));
    EXPECT_EQ(rig.files.cwdHistory, Lines(2, "C:\\TOOLS\\"));

    const auto rows = std::exchange(rig.view.rows, {});
    const auto before = rig.registry.snapshot();
    click(0);
    click(1);
    EXPECT_EQ(rig.registry.snapshot(), before);

    rig.view.rows = rows;
    rig.registry.putString(hkey::CurrentUser, kRun, "Ostrel", "C:\\OLD\\Ostrel.exe -r");
    rig.registry.putString(hkey::LocalMachine, kRun, "Other", "other.exe");
    click(0);
    EXPECT_FALSE(rig.registry.keyExists(hkey::CurrentUser, kConfig));
    EXPECT_EQ(run(hkey::LocalMachine), std::nullopt);
    EXPECT_EQ(run(hkey::CurrentUser), std::nullopt);
    EXPECT_EQ(rig.registry.text(hkey::LocalMachine, kRun, "Other"), "other.exe");
    EXPECT_EQ(rig.saved(kSettings + "main", "FirstTime"), "no");
    click(0); // with nothing left to remove, no failure
    EXPECT_TRUE(rig.boxes.shown.empty());
}

// A click during a refresh is carried out with the refreshed list once the run ends.
TEST_F(CheckBox, AClickDuringARunIsCarriedOutAfterIt) {
    rig.substitute('Q', "C:\\Q");
    for (const int value : {1, 0}) {
        rig.events.onEvents = [&] {
            rig.events.onEvents = nullptr;
            click(value);
        };
        rig.form.cmdRefresh_Click();
        EXPECT_EQ(rig.saved(kConfig, "Drives1"), value ? Text("Q:\\=>C:\\Q") : std::nullopt);
        EXPECT_EQ(run(hkey::LocalMachine).has_value(), value == 1);
    }
}

TEST(FolderVerb, IsRegisteredForEveryoneOrElseForTheUser) {
    Rig rig;
    Reg32Mod reg{rig.registry, rig.boxes};
    RegisterFolderVerb(reg, rig.program);
    EXPECT_TRUE(rig.registry.values(hkey::ClassesRoot, kVerb).empty())
        << "no value on the verb key: Explorer shows its name";
    EXPECT_EQ(rig.registry.values(hkey::ClassesRoot, kVerb + "\\command"),
              (FakeRegistry::Values{{"", sz("C:\\TOOLS\\Ostrel -ADD %1")}}));
    EXPECT_FALSE(rig.registry.keyExists(hkey::CurrentUser, kUserVerb));

    // A standard user, under whom a stale machine-wide command cannot be replaced.
    rig.registry.putString(hkey::ClassesRoot, kVerb + "\\command", "", "C:\\OLD\\Ostrel -ADD %1");
    rig.registry.refusedRoots = {hkey::ClassesRoot};
    rig.program.folderPath = "C:\\Program Files\\Ostrel";
    RegisterFolderVerb(reg, rig.program);
    EXPECT_TRUE(rig.registry.values(hkey::CurrentUser, kUserVerb).empty());
    EXPECT_EQ(rig.registry.get(hkey::CurrentUser, kUserVerb + "\\command", ""),
              sz("\"C:\\Program Files\\Ostrel\\Ostrel\" -ADD %1"));
    EXPECT_TRUE(rig.boxes.shown.empty());
}

// The installer's cleanup: "-UNINSTALL" (with the program's path, or for itself)
// removes the start-up values and folder verbs that start the program, quoted or not,
// for every user: the machine's and the current user's, each hive under HKEY_USERS, and
// the hives of a profile that is not logged on, loaded for it. A value that starts
// another copy stays, as does everything else; a user without the rights removes their
// own; no handle stays open and no hive stays loaded.
TEST(Uninstall, RemovesTheProgramsHooksForEveryUser) {
    const std::string folder = "C:\\My Apps\\Ostrel Tool";
    const std::string profiles = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
    const std::string ntuser = "%SystemDrive%\\Users\\Ann\\NTUSER.DAT";
    const std::string usrclass =
        "%SystemDrive%\\Users\\Ann\\AppData\\Local\\Microsoft\\Windows\\UsrClass.dat";
    // The machine as the program's users left it; which of its hooks are there.
    const auto registry = [&](bool othersHooked, bool userHooked) {
        FakeRegistry r;
        r.putString(hkey::CurrentUser, kConfig, "Drives1", "Q:\\=>C:\\SAVED");
        r.putString(hkey::LocalMachine, kRun, "Other", "other.exe");
        r.putString(hkey::Users, "S-1-5-21-8\\" + kRun, "Ostrel", "C:\\Portable\\Ostrel.exe -r");
        const struct {
            RegKeyHandle root;
            std::string run, verb;
            bool hooked;
        } places[] = {
            {hkey::LocalMachine, kRun, "", othersHooked},
            {hkey::ClassesRoot, "", kVerb, othersHooked},
            {hkey::CurrentUser, kRun, kUserVerb, userHooked},
            {hkey::Users, "S-1-5-21-7\\" + kRun, "S-1-5-21-7\\" + kUserVerb, othersHooked},
            {hkey::Users, "", "S-1-5-21-7_Classes\\" + kVerb, othersHooked},
        };
        for (const auto& place : places) { // each beside another program's value and verb
            if (!place.run.empty()) {
                r.putString(place.root, place.run, "Other", "other.exe");
                if (place.hooked) {
                    r.putString(place.root, place.run, "Ostrel",
                                '"' + folder + "\\Ostrel.exe\" -r");
                }
            }
            if (!place.verb.empty()) {
                const std::string shell = place.verb.substr(0, place.verb.rfind('\\'));
                r.putString(place.root, shell + "\\Other\\command", "", "other.exe %1");
                if (place.hooked) {
                    r.putString(place.root, place.verb + "\\command", "",
                                folder + "\\ostrel -ADD %1");
                }
            }
        }
        for (const char* sid : {"S-1-5-21-7", "S-1-5-21-9"}) {
            r.put(hkey::LocalMachine, profiles + "\\" + sid, "ProfileImagePath", regtype::ExpandSz,
                  registryBytes(std::string("%SystemDrive%\\Users\\Ann") + '\0'));
        }
        // The profile's hives, as files, hold the program's hooks too.
        const auto hook = [&](const std::string& name, const std::string& text) {
            return othersHooked ? FakeRegistry::Values{{name, sz(text)}} : FakeRegistry::Values{};
        };
        r.hiveFiles[ntuser][asciiUpper(kRun)] = hook("OSTREL", folder + "\\Ostrel.exe -r");
        r.hiveFiles[usrclass][asciiUpper(kVerb + "\\command")] =
            hook("", folder + "\\Ostrel -ADD %1");
        return r;
    };
    const struct {
        std::string line;
        bool refused; // a standard user: only the user's own keys may change
        bool uninstalls, removes;
    } cases[] = {{"-UNINSTALL \"" + folder + "\\Ostrel.exe\"", false, true, true},
                 {" -uninstall " + folder + "\\OSTREL.EXE", false, true, true},
                 {"-UNINSTALL", false, true, true},
                 {"-UNINSTALL", true, true, true},
                 {"-UNINSTALL C:\\Elsewhere\\Ostrel.exe", false, true, false},
                 {"-UNINSTALLX", false, false, false},
                 {"-R", false, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line + (c.refused ? " without the rights" : ""));
        FakeRegistry hooked = registry(true, true);
        if (c.refused) {
            hooked.refusedRoots = {hkey::LocalMachine, hkey::ClassesRoot, hkey::Users};
        }
        FakeProgram self;
        self.folderPath = folder;
        EXPECT_EQ(RunWithoutWindow(c.line, hooked, self), c.uninstalls);
        const FakeRegistry expected = registry(!c.removes || c.refused, !c.removes);
        EXPECT_EQ(hooked.snapshot(), expected.snapshot());
        for (const auto& file : {ntuser, usrclass}) {
            for (const auto& [key, values] : expected.hiveFiles.at(file)) {
                EXPECT_EQ(hooked.hiveFiles.at(file)[key], values) << key;
            }
        }
        EXPECT_EQ(hooked.openHandles, 0);
    }
}

} // namespace
} // namespace ostrel::test
