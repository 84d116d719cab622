// The main window's start-up, shutdown and own handlers, through the fake view.
#include <gtest/gtest.h>

#include "settings/settings_store.h"
#include "support/fakes.h"

namespace ostrel::test {
namespace {

const std::string kVendor = "Software\\Brenmoor Software\\Ostrel\\Main";
const std::string kVerbCommand = "Folder\\shell\\Create Virtual Drive\\command";
const std::string kListingRun = "command.com /csubst > tmpout.txt";
const std::string kQuestion =
    "This is your first time useing Ostrel\r\n\r\nWould you like to add the option To allow you "
    "to add folder paths from explorer\r\nThis will be done by adding in menu item to the "
    "windows right menu for folders?";

// A frmmain whose message boxes note, for every box, how many runs had started by then.
struct Window {
    struct NotingBoxes : MessageBoxes {
        Rig& rig;
        std::vector<std::size_t> runsBefore;
        explicit NotingBoxes(Rig& r) : rig(r) {}
        int show(const std::string& text, unsigned flags, const std::string& title) override {
            runsBefore.push_back(rig.processes.started.size());
            return rig.boxes.show(text, flags, title);
        }
    };

    Rig rig;
    NotingBoxes boxes{rig};
    Platform platform{rig.processes, rig.events,  rig.files,    rig.drives,
                      boxes,         rig.program, rig.registry, rig.shell};
    frmmain form{platform, rig.view};
    SettingsStore settings{rig.registry};

    Window() { settings.SaveSetting("Ostrel", "main", "FirstTime", "no"); }

    void store(const std::string& name, const std::string& text) {
        rig.registry.putString(hkey::CurrentUser, kVendor, name, text);
    }
    std::optional<std::string> stored(const std::string& name) const {
        const auto value = rig.registry.get(hkey::CurrentUser, kVendor, name);
        return value ? std::optional<std::string>(value->bytes) : std::nullopt;
    }
    // The two folders as start-up sets them.
    void loaded() {
        form.AbsRoot = "C:\\";
        form.AbsPath = "C:\\TOOLS\\";
    }
    void start(const std::string& commandLine) {
        rig.program.arguments = commandLine;
        form.Form_Load();
    }
    bool listed() const {
        const auto runs = rig.processes.commandLines();
        return std::find(runs.begin(), runs.end(), kListingRun) != runs.end();
    }
    // The runs a refresh or a restore made, other than listings.
    std::vector<std::string> substRuns() const {
        std::vector<std::string> runs;
        for (const auto& run : rig.processes.commandLines()) {
            if (run != kListingRun) {
                runs.push_back(run);
            }
        }
        return runs;
    }
};

struct WindowFixture : ::testing::Test, Window {};

TEST_F(WindowFixture, TheCommandLineSelectsTheStartMode) {
    enum Mode { interactive, add, restore };
    struct Case {
        std::string line;
        Mode mode;
        std::string path; // the path box in add mode
    };
    const Case cases[] = {
        {"-r", restore, ""},
        {" -R ", restore, ""},
        {"-R x", interactive, ""},
        {"", interactive, ""},
        {"-ADD C:\\X", add, " C:\\X"},
        {"-addc:\\my data", add, "C:\\MY DATA"},
        {"-ADD", add, ""},
        {" -Add \"c:\\q\" ", add, " \"C:\\Q\""},
    };
    for (const auto& c : cases) {
        Window f;
        f.store("PathName", "C:\\KEPT");
        f.store("DriveIndex", "2");
        f.settings.SaveSetting("Ostrel", "Config", "Count", "1");
        f.settings.SaveSetting("Ostrel", "Config", "Drives1", "Q:\\=>C:\\SAVED");
        f.start(c.line);
        SCOPED_TRACE("command line [" + c.line + "]");
        EXPECT_TRUE(f.rig.boxes.shown.empty());
        EXPECT_EQ(f.rig.view.hidden, c.mode == restore);
        EXPECT_EQ(f.rig.view.unloaded, c.mode == restore);
        EXPECT_EQ(f.listed(), c.mode != restore);
        EXPECT_EQ(f.rig.substitutions.count('Q') == 1, c.mode == restore);
        EXPECT_EQ(f.rig.view.path, c.mode == add ? c.path : "C:\\KEPT");
        EXPECT_TRUE(f.rig.view.enabledState[MainControl::cmdcreate]);
        // Only an interactive start applies the stored letter position.
        if (c.mode == interactive) {
            EXPECT_EQ(f.rig.view.comboIndex, 2);
            EXPECT_EQ(f.form.SelectedDrive, "D:");
        } else if (c.mode == add) {
            EXPECT_EQ(f.rig.view.comboIndex, 0);
        }
        EXPECT_EQ(f.form.AbsRoot, "C:\\");
        EXPECT_EQ(f.form.AbsPath, "C:\\TOOLS\\");
    }
}

TEST_F(WindowFixture, AFirstStartOnAnEmptyStoreAsksOnceAndCentresTheWindow) {
    for (const int answer : {mb::IdNo, mb::IdYes}) {
        Window f;
        f.rig.registry = FakeRegistry();
        f.rig.boxes.answers = {answer};
        f.start("");
        SCOPED_TRACE(answer == mb::IdYes ? "Yes" : "No");
        ASSERT_EQ(f.rig.boxes.shown.size(), 1u);
        EXPECT_EQ(f.rig.boxes.shown[0].text, kQuestion);
        EXPECT_EQ(f.rig.boxes.shown[0].title, "First Time");
        EXPECT_EQ(f.rig.boxes.shown[0].flags, mb::YesNo | mb::Question);
        EXPECT_EQ(f.settings.GetSetting("Ostrel", "main", "FirstTime"), "no");
        const auto verb = f.rig.registry.get(hkey::ClassesRoot, kVerbCommand, "");
        if (answer == mb::IdYes) {
            ASSERT_TRUE(verb);
            EXPECT_EQ(verb->bytes, "C:\\TOOLS\\Ostrel -ADD %1");
        } else {
            EXPECT_FALSE(verb);
            EXPECT_FALSE(f.rig.registry.keyExists(hkey::ClassesRoot, "Folder"));
        }
        EXPECT_EQ(f.rig.view.path, "");
        EXPECT_FALSE(f.rig.view.enabledState[MainControl::cmdcreate]);
        EXPECT_EQ(f.rig.view.w, 6870);
        EXPECT_EQ(f.rig.view.h, 5595);
        EXPECT_EQ(f.rig.view.x, (1024 * 15 - 6870) / 2);
        EXPECT_EQ(f.rig.view.y, (768 * 15 - 5595) / 2);
        EXPECT_EQ(f.rig.view.comboIndex, 0);
        EXPECT_EQ(f.form.SelectedDrive, "A:");
        EXPECT_EQ(f.rig.view.columns, (std::vector<std::pair<std::string, int>>{
                                          {"Drive", 850}, {"Physical Path", 6495 - 900}}));

        // The next start does not ask again.
        f.rig.boxes.shown.clear();
        f.start("");
        EXPECT_TRUE(f.rig.boxes.shown.empty());
    }
}

TEST_F(WindowFixture, ARestoreRunOnAFreshAccountAsksBeforeRestoring) {
    rig.registry = FakeRegistry();
    settings.SaveSetting("Ostrel", "Config", "Count", "2");
    settings.SaveSetting("Ostrel", "Config", "Drives1", "X:\\=>C:\\A");
    settings.SaveSetting("Ostrel", "Config", "Drives2", "Y:\\=>C:\\B");
    start("-r");
    ASSERT_EQ(boxes.runsBefore, std::vector<std::size_t>{0});
    EXPECT_EQ(rig.boxes.shown[0].title, "First Time");
    EXPECT_EQ(substRuns(), (std::vector<std::string>{"command.com /csubst X: C:\\A",
                                                     "command.com /csubst Y: C:\\B"}));
    EXPECT_TRUE(rig.view.unloaded);
}

TEST_F(WindowFixture, TheStoredPositionStandsUnlessEitherCoordinateIsZero) {
    struct Case {
        std::optional<std::string> left, top;
        bool centred;
        int x, y; // when not centred
    };
    const Case cases[] = {
        {"0", "1200", true, 0, 0},
        {"1200", "0", true, 0, 0},
        {std::nullopt, "1200", true, 0, 0},
        {"300", "450", false, 300, 450},
        {"-20000", "90000", false, -20000, 90000}, // off the screen it stands
        {"1.5E3", " 600 ", false, 1500, 600},
        // Not a number counts as absent, as does a stored empty text.
        {"abc", "450", true, 0, 0},
        {"300", "", true, 0, 0},
        {"12px", "450", true, 0, 0},
    };
    for (const auto& c : cases) {
        Window f;
        if (c.left) {
            f.store("Left", *c.left);
        }
        if (c.top) {
            f.store("Top", *c.top);
        }
        f.start("");
        SCOPED_TRACE("left [" + c.left.value_or("absent") + "] top [" + c.top.value_or("absent") +
                     "]");
        EXPECT_TRUE(f.rig.boxes.shown.empty()) << f.rig.boxes.shown[0].text;
        EXPECT_EQ(f.rig.view.x, c.centred ? (1024 * 15 - 6870) / 2 : c.x);
        EXPECT_EQ(f.rig.view.y, c.centred ? (768 * 15 - 5595) / 2 : c.y);
        EXPECT_EQ(f.rig.view.comboIndex, 0) << "start-up went on to the end";
    }
}

TEST_F(WindowFixture, TheStoredLetterPositionIsAppliedOrFallsBackToTheFirstFreeLetter) {
    struct Case {
        std::optional<std::string> stored;
        int index;
        std::string selected;
    };
    const Case cases[] = {
        {std::nullopt, 0, "A:"}, {"2", 2, "D:"},     {"-1", -1, ""},  {"24", 24, "Z:"},
        {"25", 0, "A:"},         {"400", 0, "A:"},   {"-7", 0, "A:"}, {"x", 0, "A:"},
        {"", 0, "A:"},           {"99999", 0, "A:"},
    };
    for (const auto& c : cases) {
        Window f;
        if (c.stored) {
            f.store("DriveIndex", *c.stored);
        }
        f.start("");
        SCOPED_TRACE("DriveIndex [" + c.stored.value_or("absent") + "]");
        EXPECT_TRUE(f.rig.boxes.shown.empty());
        EXPECT_EQ(f.rig.view.comboIndex, c.index);
        EXPECT_EQ(f.rig.view.comboText, c.selected);
        EXPECT_EQ(f.form.SelectedDrive, c.selected);
    }
}

TEST_F(WindowFixture, TheRestoreBoxFollowsTheStoredFlag) {
    for (const auto& [text, value] : std::vector<std::pair<std::string, int>>{
             {"", 0}, {"0", 0}, {"1", 1}, {"1.2", 1}, {"2", 0}, {"yes", 0}, {"70000", 0}}) {
        Window f;
        if (!text.empty()) {
            f.settings.SaveSetting("Ostrel", "Config", "Restore", text);
        }
        f.start("");
        EXPECT_EQ(f.rig.view.restoreValue, value) << text;
        EXPECT_TRUE(f.rig.boxes.shown.empty()) << text;
        EXPECT_FALSE(f.rig.registry.get(
            hkey::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Ostrel"))
            << "setting the box writes nothing";
    }
}

TEST_F(WindowFixture, ARestoreRunRestoresWhateverTheStoredWindowStateAndKeepsTheLetterPosition) {
    store("Left", "not a number");
    store("Top", "x");
    store("DriveIndex", "5");
    settings.SaveSetting("Ostrel", "Config", "Count", "1");
    settings.SaveSetting("Ostrel", "Config", "Drives1", "X:\\=>C:\\A");
    start("-R");
    EXPECT_TRUE(rig.boxes.shown.empty());
    EXPECT_EQ(rig.substitutions, (std::map<char, std::string>{{'X', "C:\\A"}}));
    EXPECT_FALSE(listed()) << "the lists are never filled";
    EXPECT_TRUE(rig.view.hidden);
    EXPECT_TRUE(rig.view.unloaded);
    EXPECT_EQ(stored("DriveIndex"), "5");
    EXPECT_EQ(stored("PathName"), "");
}

TEST_F(WindowFixture, UnloadStoresThePathTheLetterPositionAndAnUnminimisedPosition) {
    loaded();
    form.DoUpdate();
    rig.view.path = "C:\\DATA";
    rig.view.move(1500, 2250, 6870, 5595);
    rig.view.setCbodrivesListIndex(3);
    form.cbodrives_Click();
    form.Form_Unload();
    EXPECT_EQ(form.SelectedDrive, "");
    EXPECT_EQ(stored("PathName"), "C:\\DATA");
    EXPECT_EQ(stored("DriveIndex"), "3");
    EXPECT_EQ(stored("Left"), "1500");
    EXPECT_EQ(stored("Top"), "2250");

    // Nothing selected, an empty path and a minimised window.
    store("Left", "42");
    store("Top", "43");
    rig.view.path.clear();
    rig.view.setCbodrivesListIndex(-1);
    rig.view.isMinimized = true;
    rig.view.move(-32000, -32000, 6870, 5595);
    form.Form_Unload();
    EXPECT_EQ(stored("PathName"), "");
    EXPECT_EQ(stored("DriveIndex"), "-1");
    EXPECT_EQ(stored("Left"), "42");
    EXPECT_EQ(stored("Top"), "43");
    EXPECT_TRUE(rig.boxes.shown.empty());
}

TEST_F(WindowFixture, ExitByButtonMenuOrCloseBoxStoresTheStateAndUnloadsOnce) {
    using Close = void (frmmain::*)();
    for (const Close close :
         {&frmmain::cmdexit_Click, &frmmain::mnuexit_Click, &frmmain::Form_QueryUnload}) {
        Window f;
        f.start("");
        f.rig.view.path = "C:\\P";
        (f.form.*close)();
        EXPECT_TRUE(f.rig.view.unloaded);
        EXPECT_EQ(f.stored("PathName"), "C:\\P");
        EXPECT_EQ(f.stored("DriveIndex"), "0");
        EXPECT_TRUE(f.stored("Left"));
        // Exit empties the two folders; the close box leaves them.
        EXPECT_EQ(f.form.AbsRoot.empty(), close != &frmmain::Form_QueryUnload);
        EXPECT_EQ(f.form.AbsPath.empty(), close != &frmmain::Form_QueryUnload);

        // A second close after the window went stores nothing more.
        f.rig.view.unloaded = false;
        f.rig.view.path = "C:\\LATER";
        f.form.Form_QueryUnload();
        EXPECT_FALSE(f.rig.view.unloaded);
        EXPECT_EQ(f.stored("PathName"), "C:\\P");
    }
}

TEST_F(WindowFixture, ACloseDuringASubstRunWaitsForTheRunToEnd) {
    using Close = void (frmmain::*)();
    for (const Close close :
         {&frmmain::cmdexit_Click, &frmmain::mnuexit_Click, &frmmain::Form_QueryUnload}) {
        Window f;
        f.start("");
        f.rig.view.path = "C:\\DATA";
        f.rig.view.setCbodrivesListIndex(2); // D:
        f.form.cbodrives_Click();
        bool closedDuringRun = false;
        bool asked = false;
        f.rig.events.onEvents = [&] {
            if (!asked && !f.rig.processes.started.empty() &&
                f.rig.processes.started.back().commandLine != kListingRun) {
                asked = true;
                (f.form.*close)();
            }
            closedDuringRun = closedDuringRun || f.rig.view.unloaded;
        };
        f.form.cmdcreate_Click();
        EXPECT_TRUE(asked);
        EXPECT_FALSE(closedDuringRun);
        EXPECT_TRUE(f.rig.view.unloaded);
        EXPECT_EQ(f.rig.substitutions.count('D'), 1u);
        EXPECT_EQ(f.rig.view.status, "The virtual drive D: has now been created.");
        // The state stored is the one after the run: the same position, now E:.
        EXPECT_EQ(f.stored("DriveIndex"), "2");
        EXPECT_TRUE(f.rig.boxes.shown.empty());
    }
}

TEST_F(WindowFixture, ACloseDuringARefreshWaitsForTheLetterPositionToBeSetBack) {
    start("");
    rig.view.setCbodrivesListIndex(2);
    form.cbodrives_Click();
    rig.events.onEvents = [&] {
        if (!rig.view.unloaded) {
            form.Form_QueryUnload();
        }
    };
    form.cmdRefresh_Click();
    EXPECT_TRUE(rig.view.unloaded);
    EXPECT_EQ(stored("DriveIndex"), "2");
    EXPECT_EQ(form.SelectedDrive, "") << "nothing ran after the unload";
    EXPECT_TRUE(rig.boxes.shown.empty());
}

TEST_F(WindowFixture, ResizeStretchesBothLinesToTheClientWidth) {
    rig.view.move(0, 0, 6870, 5595);
    form.Form_Resize();
    EXPECT_EQ(rig.view.lineWidths, 6870 - 120);
    rig.view.move(0, 0, 120, 0); // minimised: no client area
    form.Form_Resize();
    EXPECT_EQ(rig.view.lineWidths, 0);
}

TEST_F(WindowFixture, TypingInTheLetterBoxKeepsTheLastSelectedEntry) {
    loaded();
    rig.view.comboText = "Q";
    form.cbodrives_Change();
    EXPECT_EQ(rig.view.comboText, "") << "nothing selected yet";

    form.DoUpdate();
    rig.view.setCbodrivesListIndex(4);
    form.cbodrives_Click();
    EXPECT_EQ(form.SelectedDrive, "F:");
    rig.view.comboText = "F:x";
    form.cbodrives_Change();
    EXPECT_EQ(rig.view.comboText, "F:");
    EXPECT_TRUE(rig.boxes.shown.empty());
}

TEST_F(WindowFixture, ClickingAListEntryEnablesDeleteOnlyWhenTheListHasEntries) {
    loaded();
    form.lstDrives_ItemClick();
    EXPECT_FALSE(rig.view.enabledState[MainControl::cmddelete]);
    rig.substitute('X', "C:\\DATA");
    form.DoUpdate();
    EXPECT_FALSE(rig.view.enabledState[MainControl::cmddelete]) << "not before a click";
    form.lstDrives_ItemClick();
    EXPECT_TRUE(rig.view.enabledState[MainControl::cmddelete]);
    rig.view.rows.clear();
    form.lstDrives_ItemClick();
    EXPECT_TRUE(rig.view.enabledState[MainControl::cmddelete]) << "never disables";
}

TEST_F(WindowFixture, RefreshKeepsTheLetterPositionNotTheLetter) {
    loaded();
    form.DoUpdate();
    rig.view.setCbodrivesListIndex(-1);
    form.cmdRefresh_Click();
    EXPECT_EQ(rig.view.comboIndex, -1);

    rig.view.setCbodrivesListIndex(2); // D:
    form.cbodrives_Click();
    rig.substitute('A', "C:\\A");
    form.cmdRefresh_Click();
    EXPECT_EQ(form.SavedDriveIndex, 2);
    EXPECT_EQ(rig.view.comboIndex, 2);
    EXPECT_EQ(form.SelectedDrive, "E:");
    ASSERT_EQ(rig.view.rows.size(), 1u);
    EXPECT_TRUE(rig.boxes.shown.empty()) << rig.boxes.shown[0].text;
}

} // namespace
} // namespace ostrel::test
