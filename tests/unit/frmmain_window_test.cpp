// The main window's start-up, shutdown and own handlers, the restore box, and the
// installer's cleanup, through the fake view.
#include <gtest/gtest.h>

#include "app/start_switch.h"
#include "fakes/main_window.h"
#include "support/text.h"

namespace ostrel::test {
namespace {

const std::string kVerb = "Folder\\shell\\Create Virtual Drive";
const std::string kUserVerb = "Software\\Classes\\" + kVerb;

// The window is 6870 by 5595 twips: 458 by 373 pixels at 96 DPI.
const int kCentredX = (1024 - 458) / 2, kCentredY = (768 - 373) / 2;

// A user who has answered the first-run question (unless told otherwise).
struct Main : Rig {
    explicit Main(bool asked = true) {
        save(kSettings + "main", "FirstTime", asked ? "no" : Text{});
    }
};

// A first start asks its question once, before anything runs, and registers Explorer's
// verb on Yes; the command line then selects the start mode. A stored window position
// that is not a number stops no start mode. A restore run, which shows no window, stores
// nothing of the window's: neither its place nor the letter position or the path.
TEST(MainWindow, StartUpAsksFirstThenFollowsTheCommandLine) {
    enum Mode { interactive, add, restore };
    const struct {
        std::string line;
        Mode mode;
        int answer; // to the first-run question; 0: answered before, with a stored state
        std::string path;
        int index; // the letter position
    } cases[] = {{"-r", restore, 0, "C:\\KEPT", -1},
                 {"", interactive, 0, "C:\\KEPT", 2},
                 {"-addc:\\my data", add, 0, "C:\\MY DATA", 0},
                 {"-ADD", add, 0, "", 0},
                 {"", interactive, mb::IdNo, "", 0},
                 {"", interactive, mb::IdYes, "", 0},
                 {"-r", restore, mb::IdNo, "", -1}};
    const std::vector<std::pair<std::string, int>> kColumns = {{"Drive", 850},
                                                               {"Physical Path", 6495 - 900}};
    for (const auto& c : cases) {
        SCOPED_TRACE("[" + c.line + "] answer " + std::to_string(c.answer));
        const bool asked = c.answer != 0;
        Main m(!asked);
        for (const auto& [name, text] :
             {std::pair{"PathName", "C:\\KEPT"}, {"DriveIndex", "2"}, {"Left", "not a number"}}) {
            m.save(kVendor, name, asked ? Text{} : text);
        }
        m.save(kConfig, "Count", "2");
        m.save(kConfig, "Drives1", "X:\\=>C:\\A");
        m.save(kConfig, "Drives2", "Y:\\=>C:\\B");
        std::vector<std::size_t> boxesAtRun;
        m.processes.behaviour = [&m, &boxesAtRun, subst = m.processes.behaviour](auto& run) {
            boxesAtRun.push_back(m.boxes.shown.size());
            return subst(run);
        };
        m.boxes.answers = {c.answer};
        const auto vendor = m.registry.values(hkey::CurrentUser, kVendor);
        m.start(c.line);
        EXPECT_EQ(m.boxes.shown.size(), std::size_t{asked});
        for (const auto& box : m.boxes.shown) {
            EXPECT_EQ(box.flags, mb::YesNo | mb::Question);
        }
        EXPECT_EQ(boxesAtRun, std::vector<std::size_t>(c.mode == restore ? 2 : 1, asked));
        EXPECT_EQ(m.drives.substitutions.size(), c.mode == restore ? 2u : 0u);
        EXPECT_EQ(m.registry.get(hkey::CurrentUser, kSettings + "main", "FirstTime"),
                  sz(std::string("no", asked ? 3 : 2)));
        EXPECT_EQ(m.registry.keyExists(hkey::ClassesRoot, "Folder"), c.answer == mb::IdYes);
        EXPECT_EQ(m.view.hidden && m.view.unloaded && m.view.rows.empty() &&
                      m.view.comboItems.empty(),
                  c.mode == restore);
        EXPECT_EQ(m.view.path, c.path);
        EXPECT_EQ(m.view.enabledState[MainControl::cmdcreate], c.mode == add || !c.path.empty());
        EXPECT_EQ(m.view.comboIndex, c.index);
        EXPECT_EQ(m.view.columns, kColumns);
        EXPECT_EQ(m.form.AbsRoot + m.form.AbsPath, "C:\\C:\\TOOLS\\");
        EXPECT_EQ(m.registry.values(hkey::CurrentUser, kVendor), vendor);
        if (c.mode != restore) {
            m.boxes.shown.clear();
            m.start("");
            EXPECT_TRUE(m.boxes.shown.empty()) << "asked once";
        }
    }
}

// What a start makes of each stored value it reads (their conversions are the layout
// tests'), and that it writes none back. A "Left" or "Top" that is absent or 0, or a
// window that would touch no monitor, is centred, and start-up goes on to the end. A "DriveIndex"
// past the free letters, not a number or -1 (no letter, as older versions stored) selects the
// first free letter. "Restore" checks the box only when it reads as 1.
TEST(MainWindow, StoredValuesAreAppliedOrFallBack) {
    enum What { place, letter, box };
    const struct {
        What what;
        Text value, top;
        std::string shown;
        std::uint32_t mask = 4;
    } cases[] = {
        {place, "0", "1200", "centred A:"},
        {place, "1200", "0", "centred A:"},
        {place, {}, "1200", "centred A:"},
        {place, "-20000", "90000", "centred A:"}, // off every monitor
        {place, "-6008", "11500", "-401,767 A:"}, // partly seen, it stands
        {place, "1.5E3", " 600 ", "100,40 A:"},
        {letter, {}, {}, "A:A:"},
        {letter, "2", {}, "D:D:"},
        {letter, "-1", {}, "A:A:"},
        {letter, "24", {}, "Z:Z:"},
        {letter, "25", {}, "A:A:"},
        {letter, "-7", {}, "A:A:"},
        {letter, "1", {}, "Z:Z:", 0x01FFFFFF},
        {box, {}, {}, "0"},
        {box, "0", {}, "0"},
        {box, "1", {}, "1"},
        {box, "1.2", {}, "1"},
        {box, "2", {}, "0"},
        {box, "70000", {}, "0"},
    };
    const std::string names[] = {"Left", "DriveIndex", "Restore"};
    for (const auto& c : cases) {
        SCOPED_TRACE(names[c.what] + " " + c.value.value_or("absent"));
        Main m;
        m.drives.mask = c.mask;
        m.save(c.what == box ? kConfig : kVendor, names[c.what], c.value);
        m.save(kVendor, "Top", c.top);
        const auto before = m.registry.snapshot();
        m.start("");
        const auto& v = m.view;
        const std::string at = v.at.left == kCentredX && v.at.top == kCentredY
                                   ? "centred"
                                   : std::to_string(v.at.left) + "," + std::to_string(v.at.top);
        EXPECT_EQ(c.what == place    ? at + " " + v.comboText
                  : c.what == letter ? v.comboText + m.form.SelectedDrive
                                     : std::to_string(v.restoreValue),
                  c.shown);
        EXPECT_TRUE(m.boxes.shown.empty());
        EXPECT_EQ(m.registry.snapshot(), before);
    }
}

// Exit, File > Exit and the close box store the path, the letter position and, unless
// the window is minimised, its position; once: a close after the window went stores
// nothing. The state is kept under the program's file name.
TEST(MainWindow, ClosingStoresTheStateOnceUnderTheProgramsName) {
    const struct {
        void (frmmain::*close)();
        bool minimised;
        int index;
        std::string name;
        Lines stored; // PathName, DriveIndex, Left, Top
    } cases[] = {{&frmmain::cmdexit_Click, false, 3, "Ostrel", {"C:\\P", "3", "1500", "2250"}},
                 {&frmmain::mnuexit_Click, true, -1, "Ostrel", {"C:\\P", "-1", "42", "43"}},
                 {&frmmain::Form_QueryUnload, false, 0, "Copy", {"C:\\P", "0", "1500", "2250"}}};
    const Lines names = {"PathName", "DriveIndex", "Left", "Top"};
    for (const auto& c : cases) {
        Main m;
        m.save(kVendor, "Left", "42");
        m.save(kVendor, "Top", "43");
        m.save(kVendor, "PathName", "C:\\ORIGINAL");
        m.program.name = c.name;
        m.start("");
        EXPECT_EQ(m.view.path, c.name == "Ostrel" ? "C:\\ORIGINAL" : "");
        m.view.path = "C:\\P";
        m.view.isMinimized = c.minimised;
        m.view.moveTo(100, 150);
        m.view.setCbodrivesListIndex(c.index);
        const auto stored = [&] {
            Lines texts;
            for (const auto& name : names) {
                texts.push_back(m.saved("Software\\Brenmoor Software\\" + c.name + "\\Main", name)
                                    .value_or("absent"));
            }
            return texts;
        };
        for (const bool first : {true, false}) {
            (m.form.*c.close)();
            EXPECT_EQ(m.view.unloaded, first);
            EXPECT_EQ(stored(), c.stored);
            m.view.unloaded = false;
            m.view.path = "C:\\LATER";
        }
        EXPECT_EQ(m.saved(kVendor, "PathName"), c.name == "Ostrel" ? "C:\\P" : "C:\\ORIGINAL");
        EXPECT_TRUE(m.boxes.shown.empty());
    }
}

// Typing drops the box's selection as it changes the text: both are put back. Refresh
// keeps the letter position, not the letter; a position past the end of the refreshed
// list selects the last entry. The About button and menu open the dialog. The lines follow the
// window's width. A click on the list enables Delete when there are rows, and never disables it.
TEST(MainWindow, TheLetterBoxKeepsItsSelectionAndAListClickEnablesDelete) {
    Main m;
    m.loaded();
    m.view.comboText = "Q";
    m.form.cbodrives_Change();
    EXPECT_EQ(m.view.comboText, "") << "nothing selected yet";
    m.form.DoUpdate();
    m.view.setCbodrivesListIndex(4);
    m.form.cbodrives_Click();
    m.view.comboText = "F:x";
    m.view.comboIndex = -1;
    m.form.cbodrives_Change();
    EXPECT_EQ(std::pair(m.view.comboText, m.view.comboIndex), std::pair(std::string("F:"), 4));
    m.view.comboItems.resize(4); // the letter taken meanwhile: its text comes back alone
    m.form.cbodrives_Change();
    EXPECT_EQ(std::pair(m.view.comboText, m.view.comboIndex), std::pair(std::string("F:"), 4));
    m.view.setCbodrivesListIndex(-1);
    m.form.cmdRefresh_Click();
    EXPECT_EQ(m.view.comboIndex, -1);
    for (const auto& [index, used, shown] : {std::tuple{2, 'A', "E:"}, {23, 'Z', "Y:"}}) {
        m.view.setCbodrivesListIndex(index);
        m.form.cbodrives_Click();
        m.substitute(used, "C:\\A");
        m.form.cmdRefresh_Click();
        EXPECT_EQ(m.view.comboText + m.form.SelectedDrive, std::string(shown) + shown);
    }
    m.form.cmdabout_Click();
    m.form.mnuabout_Click();
    EXPECT_EQ(m.view.aboutShown, 2);
    m.view.setSize(6870, 5595);
    m.form.Form_Resize();
    EXPECT_EQ(m.view.lineWidth, m.view.clientWidth()) << "the lines span the window";
    for (const auto& [rows, enabled] : {std::pair{0, false}, {1, true}, {0, true}}) {
        m.view.rows.assign(rows, {"A1", "X:\\", "C:\\DATA"});
        m.form.lstDrives_ItemClick();
        EXPECT_EQ(m.view.enabledState[MainControl::cmddelete], enabled) << rows;
    }
    EXPECT_TRUE(m.boxes.shown.empty());
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
        if (value == 1) { // the saved set stays what the click saved
            rig.substitute('R', "C:\\R");
            rig.form.cmdRefresh_Click();
            EXPECT_EQ(rig.saved(kConfig, "Drives2"), std::nullopt);
            rig.view.selectedRow = 1;
            rig.form.cmddelete_Click();
        }
    }
    EXPECT_TRUE(rig.view.rows.empty());
}

const std::string kProgramFolder = "C:\\My Apps\\Ostrel Tool";
const std::string kNtUser = "%SystemDrive%\\Users\\Ann\\NTUSER.DAT";
const std::string kUsrClass =
    "%SystemDrive%\\Users\\Ann\\AppData\\Local\\Microsoft\\Windows\\UsrClass.dat";

// A machine as the program's users left it: the hooks of kProgramFolder's program where
// they are told to be (the other users' and the machine's, the current user's), each
// beside another program's value and verb; a profile not logged on with its hives as files.
FakeRegistry hookedMachine(bool othersHooked, bool userHooked) {
    const std::string& folder = kProgramFolder;
    const std::string profiles = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
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
    for (const auto& place : places) {
        if (!place.run.empty()) {
            r.putString(place.root, place.run, "Other", "other.exe");
            if (place.hooked) {
                r.putString(place.root, place.run, "Ostrel", '"' + folder + "\\Ostrel.exe\" -r");
            }
        }
        if (!place.verb.empty()) {
            const std::string shell = place.verb.substr(0, place.verb.rfind('\\'));
            r.putString(place.root, shell + "\\Other\\command", "", "other.exe %1");
            if (place.hooked) {
                r.putString(place.root, place.verb + "\\command", "", folder + "\\ostrel -ADD %1");
            }
        }
    }
    for (const char* sid : {"S-1-5-21-7", "S-1-5-21-9"}) {
        r.put(hkey::LocalMachine, profiles + "\\" + sid, "ProfileImagePath", regtype::ExpandSz,
              registryBytes(std::string("%SystemDrive%\\Users\\Ann") + '\0'));
    }
    const auto hook = [&](const std::string& name, const std::string& text) {
        return othersHooked ? FakeRegistry::Values{{name, sz(text)}} : FakeRegistry::Values{};
    };
    r.hiveFiles[kNtUser][asciiUpper(kRun)] = hook("OSTREL", folder + "\\Ostrel.exe -r");
    r.hiveFiles[kUsrClass][asciiUpper(kVerb + "\\command")] = hook("", folder + "\\Ostrel -ADD %1");
    return r;
}

// The installer's cleanup: "-UNINSTALL" (with the program's path, or for itself)
// removes the start-up values and folder verbs that start the program, quoted or not,
// for every user: the machine's and the current user's, each hive under HKEY_USERS, and
// the hives of a profile that is not logged on, loaded for it. A value that starts
// another copy stays, as does everything else; a user without the rights removes their
// own; no handle stays open and no hive stays loaded.
TEST(Uninstall, RemovesTheProgramsHooksForEveryUser) {
    const std::string& folder = kProgramFolder;
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
        FakeRegistry hooked = hookedMachine(true, true);
        if (c.refused) {
            hooked.refusedRoots = {hkey::LocalMachine, hkey::ClassesRoot, hkey::Users};
        }
        FakeProgram self;
        self.folderPath = folder;
        EXPECT_EQ(RunWithoutWindow(c.line, hooked, self), c.uninstalls);
        const FakeRegistry expected = hookedMachine(!c.removes || c.refused, !c.removes);
        EXPECT_EQ(hooked.snapshot(), expected.snapshot());
        for (const auto& file : {kNtUser, kUsrClass}) {
            for (const auto& [key, values] : expected.hiveFiles.at(file)) {
                EXPECT_EQ(hooked.hiveFiles.at(file)[key], values) << key;
            }
        }
        EXPECT_EQ(hooked.openHandles, 0);
    }
}

} // namespace
} // namespace ostrel::test
