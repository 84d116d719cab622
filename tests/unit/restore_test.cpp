// Restoring the saved drive set, the restore check box that saves it, and the other
// hooks into Windows: the start-up entry and Explorer's folder verb.
#include <gtest/gtest.h>

#include "app/start_switch.h"
#include "drives/restore.h"
#include "settings/integration.h"
#include "settings/reg32mod.h"
#include "settings/settings_store.h"
#include "support/procedure_error.h"
#include "support/fakes.h"
#include "support/text.h"

namespace ostrel::test {
namespace {

const std::string kVerb = "Folder\\shell\\Create Virtual Drive";
const std::string kUserVerb = "Software\\Classes\\" + kVerb;

struct Restore : ::testing::Test {
    Rig rig;
    SettingsStore store{rig.registry};
    bool ending = false;
    // Saves "Count" (unless empty) and the entries ("" for a gap) as Drives1, Drives2, ...
    void restore(const std::string& count, const Lines& entries) {
        rig.save(kConfig, "Count", count.empty() ? Text{} : count);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            rig.save(kConfig, "Drives" + std::to_string(i + 1),
                     entries[i].empty() ? Text{} : entries[i]);
        }
        SetUpVDrives(rig.platform, store, "C:\\", [this] { return ending; });
    }
    // The one message a restore shows: the report line of its first problem, a line for
    // each entry it could not restore, and what to do.
    static std::string message(const std::string& error, const Lines& lines) {
        std::string text =
            report(error, "SetUpVDrives") + "\r\nThese saved virtual drives could not be restored:";
        for (const auto& line : lines) {
            text += "\r\n" + line;
        }
        return text + "\r\n\r\nOpen Ostrel, check its list of virtual drives, then uncheck "
                      "\"Restore current virtual drives the next time windows starts.\" and "
                      "check it again: the set is saved anew.";
    }
};

// "Count" as text or as a number an administrator stored; one beyond 16 bits restores
// nothing and says so.
TEST_F(Restore, CountSaysHowManyEntriesAsTextOrNumberAndOverflowsBeyondSixteenBits) {
    const std::tuple<const char*, std::uint32_t, int> cases[] = {
        {"", 0, 0}, {"0.4", 0, 0}, {"32768", 0, 0}, {nullptr, 1, 1}, {nullptr, 99999, 0}};
    for (const auto& [text, number, runs] : cases) {
        rig.registry = FakeRegistry();
        rig.boxes.shown.clear();
        rig.processes.started.clear();
        if (!text) {
            const char bytes[] = {char(number & 0xFF), char(number >> 8 & 0xFF), char(number >> 16),
                                  0};
            rig.registry.put(hkey::CurrentUser, kConfig, "Count", regtype::Dword,
                             std::string(bytes, 4));
        }
        restore(text ? text : "", {"X:\\=>C:\\A"});
        EXPECT_EQ(rig.processes.started.size(), std::size_t(runs)) << number;
        const std::string count = text ? text : std::to_string(number);
        const bool overflows = count == "32768" || count == "99999";
        EXPECT_EQ(rig.boxes.shown.empty() ? "" : rig.boxes.shown[0].text,
                  overflows ? message("6 (Overflow)", {"Count \"" + count +
                                                       "\": more saved drives than Ostrel can "
                                                       "hold."})
                            : "");
    }
}

// Every usable entry runs, in order, each folder whole as one argument (% and & included;
// a third piece ignored). One message at the end names each entry that could not be
// restored and why; a drive that exists already is no problem, and entries above "Count"
// are never read.
TEST_F(Restore, UsableEntriesRunInOrderAndOneMessageSaysWhichOthersCouldNotAndWhy) {
    rig.processes.behaviour = [subst = rig.processes.behaviour](const std::string& line) {
        if (line.find("UNSTARTABLE") != std::string::npos) {
            raise(err::PathFileAccess);
        }
        return line.find("GONE") != std::string::npos ? 1u : subst(line);
    };
    const std::string deep = "T:\\=>C:\\" + std::string(9000, 'A');
    restore("18", {"W:\\=>C:\\UNSTARTABLE", "X:\\=>C:\\My Data", "", "", "X:\\C:\\A", "1:\\=>C:\\A",
                   "P=>C:\\A", "z:\\=>C:\\100%", "P:\\=>C:\\\"A\"", "P:\\=>C:\\A\r\nB", "",
                   "Y:\\=> C:\\R&D (old)", "U:\\=>C:\\Plain=>C:\\Other", "V:\\=>C:\\GONE",
                   "X:\\=>C:\\A", "Y:\\=>C:\\R&D (old)", deep, "", "Q:\\=>C:\\BEYOND"});
    EXPECT_EQ(
        rig.processes.commandLines(),
        (Lines{"subst W: \"C:\\UNSTARTABLE\"", "subst X: \"C:\\My Data\"", "subst z: \"C:\\100%\"",
               "subst Y: \"C:\\R&D (old)\"", "subst U: \"C:\\Plain\"", "subst V: \"C:\\GONE\"",
               "subst X: \"C:\\A\"", "subst Y: \"C:\\R&D (old)\""}));
    EXPECT_EQ(rig.files.cwdHistory, Lines{"C:\\"});
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_EQ(rig.boxes.shown[0].flags, mb::Critical);
    EXPECT_EQ(rig.boxes.shown[0].text,
              message("75 (Path/File access error)",
                      {"Drives1 \"W:\\=>C:\\UNSTARTABLE\": Path/File access error.",
                       "Drives3 to Drives4: missing.",
                       "Drives5 \"X:\\C:\\A\": the entry is damaged (it has no \"=>\").",
                       "Drives6 \"1:\\=>C:\\A\": not a drive letter.",
                       "Drives7 \"P=>C:\\A\": not a drive letter.",
                       "Drives9 \"P:\\=>C:\\\"A\"\": the entry is damaged.",
                       "Drives10 \"P:\\=>C:\\A  B\": the entry is damaged.", "Drives11: missing.",
                       "Drives14 \"V:\\=>C:\\GONE\": no such folder.",
                       "Drives15 \"X:\\=>C:\\A\": the letter X: is in use by another drive.",
                       "Drives17 \"" + deep.substr(0, 80) +
                           "...\": The command line would be 9088 characters long; the command "
                           "interpreter runs at most 8191.",
                       "Drives18: missing."}));
}

// At the end of the session the restore stops before its next entry, and says nothing.
TEST_F(Restore, StopsWhenTheSessionEnds) {
    rig.processes.behaviour = [&, subst = rig.processes.behaviour](const std::string& line) {
        ending = true;
        return subst(line);
    };
    restore("3", {"X:\\=>C:\\A", "Y:\\=>C:\\B", ""});
    EXPECT_EQ(rig.processes.commandLines(), Lines{"subst X: \"C:\\A\""});
    EXPECT_TRUE(rig.boxes.shown.empty());
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
// standard user, in the user's, and only in one; with an empty list it stores nothing.
// Unchecking removes the set and the entry from both Run keys, and nothing else, also
// with an empty list (a click held during the delete of the last drive).
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

    rig.view.rows.clear();
    const auto before = rig.registry.snapshot();
    click(1);
    EXPECT_EQ(rig.registry.snapshot(), before);

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

// A click during a run is carried out with the refreshed list once the run ends: a check
// during a refresh saves the list; an uncheck during the delete of the last drive removes
// the set, so the drive does not come back at the next logon.
TEST_F(CheckBox, AClickDuringARunIsCarriedOutAfterIt) {
    rig.substitute('Q', "C:\\Q");
    for (const int value : {1, 0}) {
        rig.events.onEvents = [&] {
            rig.events.onEvents = nullptr;
            click(value);
        };
        rig.view.selectedRow = 0;
        value ? rig.form.cmdRefresh_Click() : rig.form.cmddelete_Click();
        EXPECT_EQ(rig.saved(kConfig, "Drives1"), value ? Text("Q:\\=>C:\\Q") : std::nullopt);
        EXPECT_EQ(run(hkey::LocalMachine).has_value(), value == 1);
    }
    EXPECT_TRUE(rig.view.rows.empty());
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
