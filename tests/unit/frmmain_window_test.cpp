// The main window's start-up, shutdown and own handlers, through the fake view.
#include <gtest/gtest.h>

#include "support/fakes.h"

namespace ostrel::test {
namespace {

const std::string kVendor = "Software\\Brenmoor Software\\Ostrel\\Main";
const std::string kSettings = "Software\\VB and VBA Program Settings\\Ostrel\\";
const int kCentredX = (1024 * 15 - 6870) / 2, kCentredY = (768 * 15 - 5595) / 2;

// A user who has answered the first-run question (unless told otherwise).
struct Main : Rig {
    explicit Main(bool asked = true) {
        if (asked) {
            setting("main", "FirstTime", "no");
        }
    }
    void setting(const std::string& section, const std::string& name, const std::string& text) {
        registry.putString(hkey::CurrentUser, kSettings + section, name, text);
    }
    void store(const std::string& name, const std::string& text) {
        registry.putString(hkey::CurrentUser, kVendor, name, text);
    }
    std::optional<std::string> stored(const std::string& name) const {
        const auto value = registry.get(hkey::CurrentUser, kVendor, name);
        return value ? std::optional(value->bytes) : std::nullopt;
    }
    void start(const std::string& commandLine) {
        program.arguments = commandLine;
        form.Form_Load();
    }
};

// The three start modes; a stored window position that is not a number stops none of
// them (nor a restore run from restoring).
TEST(MainWindow, TheCommandLineSelectsTheStartMode) {
    enum Mode { interactive, add, restore };
    const struct {
        std::string line;
        Mode mode;
        std::string path; // the path box in add mode
    } cases[] = {{"-r", restore, ""},
                 {"", interactive, ""},
                 {"-addc:\\my data", add, "C:\\MY DATA"},
                 {"-ADD", add, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE("command line [" + c.line + "]");
        Main m;
        m.store("PathName", "C:\\KEPT");
        m.store("DriveIndex", "2");
        m.store("Left", "not a number");
        m.store("Top", "x");
        m.setting("Config", "Count", "1");
        m.setting("Config", "Drives1", "Q:\\=>C:\\SAVED");
        m.start(c.line);
        EXPECT_TRUE(m.boxes.shown.empty());
        EXPECT_EQ(m.view.hidden && m.view.unloaded, c.mode == restore);
        EXPECT_EQ(m.substitutions.count('Q'), c.mode == restore ? 1u : 0u);
        EXPECT_EQ(m.view.path, c.mode == add ? c.path : "C:\\KEPT");
        EXPECT_TRUE(m.view.enabledState[MainControl::cmdcreate]);
        // Only an interactive start applies the stored letter position; a restore run
        // never fills the lists.
        EXPECT_EQ(m.view.comboIndex, c.mode == interactive ? 2 : c.mode == add ? 0 : -1);
        EXPECT_EQ(m.view.rows.empty() && m.view.comboItems.empty(), c.mode == restore);
        EXPECT_EQ(m.form.AbsRoot + m.form.AbsPath, "C:\\C:\\TOOLS\\");
        // A restore run never filled the letter box, so its unload keeps the position.
        EXPECT_EQ(m.stored("DriveIndex"), "2");
    }
}

TEST(MainWindow, AFirstStartAsksOnceBeforeAnythingRuns) {
    for (const auto& [answer, line] :
         {std::pair{mb::IdNo, ""}, std::pair{mb::IdYes, ""}, std::pair{mb::IdNo, "-r"}}) {
        SCOPED_TRACE(std::string(answer == mb::IdYes ? "Yes" : "No") + " [" + line + "]");
        Main m(false);
        m.setting("Config", "Count", "2");
        m.setting("Config", "Drives1", "X:\\=>C:\\A");
        m.setting("Config", "Drives2", "Y:\\=>C:\\B");
        std::vector<std::size_t> boxesAtRun;
        m.processes.behaviour = [&m, &boxesAtRun, subst = m.processes.behaviour](auto& run) {
            boxesAtRun.push_back(m.boxes.shown.size());
            return subst(run);
        };
        m.boxes.answers = {answer};
        m.start(line);
        ASSERT_EQ(m.boxes.shown.size(), 1u);
        EXPECT_EQ(m.boxes.shown[0].text,
                  "This is your first time useing Ostrel\r\n\r\nWould you like to add the option "
                  "To allow you to add folder paths from explorer\r\nThis will be done by adding "
                  "in menu item to the windows right menu for folders?");
        EXPECT_EQ(m.boxes.shown[0].flags, mb::YesNo | mb::Question);
        EXPECT_EQ(boxesAtRun, std::vector<std::size_t>(line[0] ? 2 : 1, 1));
        EXPECT_EQ(m.substitutions.size(), line[0] ? 2u : 0u);
        EXPECT_EQ(m.registry.get(hkey::CurrentUser, kSettings + "main", "FirstTime")->bytes,
                  std::string("no", 3));
        EXPECT_EQ(m.registry.keyExists(hkey::ClassesRoot, "Folder"), answer == mb::IdYes);
        if (!line[0]) {
            EXPECT_EQ(m.view.path, "");
            EXPECT_FALSE(m.view.enabledState[MainControl::cmdcreate]);
            EXPECT_EQ(m.view.columns, (std::vector<std::pair<std::string, int>>{
                                          {"Drive", 850}, {"Physical Path", 6495 - 900}}));
            m.boxes.shown.clear();
            m.start("");
            EXPECT_TRUE(m.boxes.shown.empty()) << "asked once";
        }
    }
}

// A stored "Left" or "Top" that is not a number counts as absent; either one absent or
// 0, or a window that would touch no monitor, is centred.
TEST(MainWindow, TheStoredPositionStandsWhereItIsSeenAndIsNotZeroOrNotANumber) {
    const struct {
        std::optional<std::string> left, top;
        int x, y;
    } cases[] = {{"0", "1200", kCentredX, kCentredY},
                 {"1200", "0", kCentredX, kCentredY},
                 {std::nullopt, "1200", kCentredX, kCentredY},
                 {"-20000", "90000", kCentredX, kCentredY}, // off every monitor
                 {"-6000", "11500", -6000, 11500},          // partly seen, it stands
                 {"1.5E3", " 600 ", 1500, 600},
                 {"abc", "450", kCentredX, kCentredY}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.left.value_or("absent") + " " + c.top.value_or("absent"));
        Main m;
        for (const auto& [name, text] : {std::pair{"Left", c.left}, std::pair{"Top", c.top}}) {
            if (text) {
                m.store(name, *text);
            }
        }
        m.start("");
        EXPECT_TRUE(m.boxes.shown.empty());
        EXPECT_EQ(std::vector({m.view.x, m.view.y, m.view.w, m.view.h}),
                  std::vector({c.x, c.y, 6870, 5595}));
        EXPECT_EQ(m.view.comboIndex, 0) << "start-up went on to the end";
    }
}

// A "DriveIndex" past the free letters or not a number selects the first free letter;
// -1 selects none, and the letter remembered stays the first free one.
TEST(MainWindow, TheStoredLetterPositionIsAppliedOrFallsBackToTheFirstFreeLetter) {
    const struct {
        std::optional<std::string> stored;
        std::uint32_t mask;
        std::string shown, remembered;
    } cases[] = {{std::nullopt, 4, "A:", "A:"}, {"2", 4, "D:", "D:"},
                 {"-1", 4, "", "A:"},           {"24", 4, "Z:", "Z:"},
                 {"25", 4, "A:", "A:"},         {"-7", 4, "A:", "A:"},
                 {"x", 4, "A:", "A:"},          {"99999", 4, "A:", "A:"},
                 {"1", 0x01FFFFFF, "Z:", "Z:"}}; // one free letter
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.value_or("absent"));
        Main m;
        m.drives.mask = c.mask;
        if (c.stored) {
            m.store("DriveIndex", *c.stored);
        }
        m.start("");
        EXPECT_TRUE(m.boxes.shown.empty());
        EXPECT_EQ(m.view.comboText, c.shown);
        EXPECT_EQ(m.form.SelectedDrive, c.remembered);
    }
}

TEST(MainWindow, TheRestoreBoxFollowsTheStoredFlagAndWritesNothing) {
    const std::pair<const char*, int> cases[] = {{"", 0},  {"0", 0},   {"1", 1},    {"1.2", 1},
                                                 {"2", 0}, {"yes", 0}, {"70000", 0}};
    for (const auto& [text, value] : cases) {
        Main m;
        if (*text) {
            m.setting("Config", "Restore", text);
        }
        const auto before = m.registry.snapshot();
        m.start("");
        EXPECT_EQ(m.view.restoreValue, value) << text;
        EXPECT_TRUE(m.boxes.shown.empty()) << text;
        EXPECT_EQ(m.registry.snapshot(), before) << text;
    }
}

// Exit, File > Exit and the close box store the path, the letter position and, unless
// the window is minimised, its position; once: a close after the window went stores nothing.
TEST(MainWindow, ClosingStoresTheStateOnce) {
    using Stored = std::vector<std::optional<std::string>>;
    const struct {
        void (frmmain::*close)();
        bool minimised;
        int index;
        Stored stored; // PathName, DriveIndex, Left, Top
    } cases[] = {{&frmmain::cmdexit_Click, false, 3, {"C:\\P", "3", "1500", "2250"}},
                 {&frmmain::mnuexit_Click, true, -1, {"C:\\P", "-1", "42", "43"}},
                 {&frmmain::Form_QueryUnload, false, 0, {"C:\\P", "0", "1500", "2250"}}};
    for (const auto& c : cases) {
        Main m;
        m.store("Left", "42");
        m.store("Top", "43");
        m.start("");
        m.view.path = "C:\\P";
        m.view.isMinimized = c.minimised;
        m.view.move(1500, 2250, 6870, 5595);
        m.view.setCbodrivesListIndex(c.index);
        (m.form.*c.close)();
        EXPECT_TRUE(m.view.unloaded);
        const auto stored = [&] {
            return Stored{m.stored("PathName"), m.stored("DriveIndex"), m.stored("Left"),
                          m.stored("Top")};
        };
        EXPECT_EQ(stored(), c.stored);
        m.view.unloaded = false;
        m.view.path = "C:\\LATER";
        m.form.Form_QueryUnload();
        EXPECT_FALSE(m.view.unloaded);
        EXPECT_EQ(stored(), c.stored);
        EXPECT_TRUE(m.boxes.shown.empty());
    }
}

// The vendor key follows the program's file name: a copy under another name keeps its own.
TEST(MainWindow, ACopyUnderAnotherNameKeepsItsOwnState) {
    Main m;
    m.program.name = "Copy";
    m.store("PathName", "C:\\ORIGINAL");
    m.start("");
    EXPECT_EQ(m.view.path, "");
    m.view.path = "C:\\COPY";
    m.form.cmdexit_Click();
    EXPECT_EQ(
        m.registry.get(hkey::CurrentUser, "Software\\Brenmoor Software\\Copy\\Main", "PathName")
            ->bytes.c_str(),
        std::string("C:\\COPY"));
    EXPECT_EQ(m.stored("PathName"), "C:\\ORIGINAL");
}

// Typing drops the box's selection as it changes the text: both are put back.
TEST(MainWindow, TypingInTheLetterBoxKeepsTheLastSelectedEntry) {
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
}

// A click on the list enables Delete when there are rows, and never disables it.
TEST(MainWindow, ClickingAListEntryEnablesDeleteOnlyWhenTheListHasEntries) {
    Main m;
    for (const auto& [rows, enabled] : {std::pair{0, false}, {1, true}, {0, true}}) {
        m.view.rows.assign(rows, {"A1", "X:\\", "C:\\DATA"});
        m.form.lstDrives_ItemClick();
        EXPECT_EQ(m.view.enabledState[MainControl::cmddelete], enabled) << rows;
    }
}

TEST(MainWindow, RefreshKeepsTheLetterPositionNotTheLetter) {
    Main m;
    m.loaded();
    m.form.DoUpdate();
    m.view.setCbodrivesListIndex(-1);
    m.form.cmdRefresh_Click();
    EXPECT_EQ(m.view.comboIndex, -1);

    m.view.setCbodrivesListIndex(2); // D:
    m.form.cbodrives_Click();
    m.substitute('A', "C:\\A");
    m.form.cmdRefresh_Click();
    EXPECT_EQ(m.view.comboIndex, 2);
    EXPECT_EQ(m.form.SelectedDrive, "E:");
    EXPECT_EQ(m.view.rows.size(), 1u);
    EXPECT_TRUE(m.boxes.shown.empty());
}

} // namespace
} // namespace ostrel::test
