// The main window's start-up, shutdown and own handlers, through the fake view.
#include <gtest/gtest.h>

#include "support/fakes.h"

namespace ostrel::test {
namespace {

const std::string kVendor = "Software\\Brenmoor Software\\Ostrel\\Main";
const std::string kSettings = "Software\\VB and VBA Program Settings\\Ostrel\\";
const int kCentredX = (1024 * 15 - 6870) / 2, kCentredY = (768 * 15 - 5595) / 2;
using Stored = std::vector<std::optional<std::string>>;

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
    void store(const std::string& name, const std::optional<std::string>& text) {
        if (text) {
            registry.putString(hkey::CurrentUser, kVendor, name, *text);
        }
    }
    Stored stored(const std::vector<std::string>& names, const std::string& key = kVendor) const {
        Stored texts;
        for (const auto& name : names) {
            const auto value = registry.get(hkey::CurrentUser, key, name);
            texts.push_back(value ? std::optional(value->bytes.c_str()) : std::nullopt);
        }
        return texts;
    }
    void start(const std::string& commandLine) {
        program.arguments = commandLine;
        form.Form_Load();
    }
};

// A stored window position that is not a number stops no start mode.
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
        m.setting("Config", "Count", "1");
        m.setting("Config", "Drives1", "Q:\\=>C:\\SAVED");
        m.start(c.line);
        EXPECT_TRUE(m.boxes.shown.empty());
        EXPECT_EQ(m.view.hidden && m.view.unloaded, c.mode == restore);
        EXPECT_EQ(m.substitutions.count('Q'), c.mode == restore ? 1u : 0u);
        EXPECT_EQ(m.view.path, c.mode == add ? c.path : "C:\\KEPT");
        EXPECT_TRUE(m.view.enabledState[MainControl::cmdcreate]);
        // A restore run never fills the lists, so its unload keeps the letter position.
        EXPECT_EQ(m.view.comboIndex, c.mode == interactive ? 2 : c.mode == add ? 0 : -1);
        EXPECT_EQ(m.view.rows.empty() && m.view.comboItems.empty(), c.mode == restore);
        EXPECT_EQ(m.form.AbsRoot + m.form.AbsPath, "C:\\C:\\TOOLS\\");
        EXPECT_EQ(m.stored({"DriveIndex"}), Stored{"2"});
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

// A stored "Left" or "Top" that is absent, 0 or not a number, or a window that would
// touch no monitor, is centred.
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
        m.store("Left", c.left);
        m.store("Top", c.top);
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
    } cases[] = {{std::nullopt, 4, "A:", "A:"}, {"2", 4, "D:", "D:"},         {"-1", 4, "", "A:"},
                 {"24", 4, "Z:", "Z:"},         {"25", 4, "A:", "A:"},        {"-7", 4, "A:", "A:"},
                 {"x", 4, "A:", "A:"},          {"1", 0x01FFFFFF, "Z:", "Z:"}};
    for (const auto& c : cases) {
        Main m;
        m.drives.mask = c.mask;
        m.store("DriveIndex", c.stored);
        m.start("");
        EXPECT_TRUE(m.boxes.shown.empty());
        EXPECT_EQ(m.view.comboText + m.form.SelectedDrive, c.shown + c.remembered)
            << c.stored.value_or("absent");
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
// the window is minimised, its position; once: a close after the window went stores
// nothing. The state is kept under the program's file name.
TEST(MainWindow, ClosingStoresTheStateOnceUnderTheProgramsName) {
    const struct {
        void (frmmain::*close)();
        bool minimised;
        int index;
        std::string name;
        Stored stored; // PathName, DriveIndex, Left, Top
    } cases[] = {{&frmmain::cmdexit_Click, false, 3, "Ostrel", {"C:\\P", "3", "1500", "2250"}},
                 {&frmmain::mnuexit_Click, true, -1, "Ostrel", {"C:\\P", "-1", "42", "43"}},
                 {&frmmain::Form_QueryUnload, false, 0, "Copy", {"C:\\P", "0", "1500", "2250"}}};
    for (const auto& c : cases) {
        Main m;
        m.store("Left", "42");
        m.store("Top", "43");
        m.store("PathName", "C:\\ORIGINAL");
        m.program.name = c.name;
        m.start("");
        EXPECT_EQ(m.view.path, c.name == "Ostrel" ? "C:\\ORIGINAL" : "");
        m.view.path = "C:\\P";
        m.view.isMinimized = c.minimised;
        m.view.move(1500, 2250, 6870, 5595);
        m.view.setCbodrivesListIndex(c.index);
        (m.form.*c.close)();
        EXPECT_TRUE(m.view.unloaded);
        const std::string key = "Software\\Brenmoor Software\\" + c.name + "\\Main";
        const std::vector<std::string> names = {"PathName", "DriveIndex", "Left", "Top"};
        EXPECT_EQ(m.stored(names, key), c.stored);
        m.view.unloaded = false;
        m.view.path = "C:\\LATER";
        m.form.Form_QueryUnload();
        EXPECT_FALSE(m.view.unloaded);
        EXPECT_EQ(m.stored(names, key), c.stored);
        EXPECT_EQ(m.stored({"PathName"}), Stored{c.name == "Ostrel" ? "C:\\P" : "C:\\ORIGINAL"});
        EXPECT_TRUE(m.boxes.shown.empty());
    }
}

// Typing drops the box's selection as it changes the text: both are put back. A click on
// the list enables Delete when there are rows, and never disables it.
TEST(MainWindow, TypingKeepsTheSelectedLetterAndAListClickEnablesDelete) {
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
    EXPECT_EQ(std::pair(m.view.comboIndex, m.form.SelectedDrive), std::pair(2, std::string("E:")));
    EXPECT_EQ(m.view.rows.size(), 1u);
    EXPECT_TRUE(m.boxes.shown.empty());
}

} // namespace
} // namespace ostrel::test
