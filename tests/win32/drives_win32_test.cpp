// The drive engine against Wine's real interpreter, processes and drive table, with
// the subst stand-in first on the search path.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "drives/command_runner.h"
#include "support/paths.h"
#include "support/real_platform_win32.h"

namespace ostrel::test {
namespace {

struct RealEngine : ::testing::Test {
    RealPlatform<> real;
    FakeView view;
    frmmain form{real.platform, view};
    ScratchFolder base{"C:\\ostrel-engine-test"};

    void SetUp() override {
        form.AbsRoot = "C:\\";
        form.AbsPath = base.path() + "\\";
    }
    bool offered(const std::string& letter) {
        return std::count(view.comboItems.begin(), view.comboItems.end(), letter) != 0;
    }
    int rowOf(const std::string& root) {
        for (int i = 0; i < view.lstDrivesCount(); ++i) {
            if (view.rows[i].text == root) {
                return i;
            }
        }
        return -1;
    }
    bool listingLeftBehind() {
        WIN32_FIND_DATAA found;
        const HANDLE first = FindFirstFileA((real.files.tempFolder() + "ost*.tmp").c_str(), &found);
        FindClose(first);
        return first != INVALID_HANDLE_VALUE;
    }
    bool inUse(const std::string& letter) { return GetLogicalDrives() & (1u << (letter[0] - 'A')); }
};

// Files that a user or another program can write: each would leave its mark, or fail
// the run, if it ran in place of the system's interpreter or subst.
struct PlantedPrograms {
    std::vector<std::string> files;
    explicit PlantedPrograms(const std::vector<std::string>& folders, const std::string& marker) {
        for (const auto& folder : folders) {
            for (const char* name :
                 {"command.com", "cmd.exe", "subst.exe", "subst.com", "subst.bat", "subst.cmd"}) {
                files.push_back(folder + "\\" + name);
                std::ofstream(files.back()) << "@echo " << name << ">>\"" << marker << "\"\r\n";
            }
        }
    }
    ~PlantedPrograms() {
        for (const auto& file : files) {
            DeleteFileA(file.c_str());
        }
    }
};

TEST_F(RealEngine, CreatesListsAndDeletesDrivesAndNoPlantedProgramRuns) {
    const std::string temp = base.folder("temp"), early = base.folder("path");
    const std::string marker = base.path() + "\\ran.txt";
    const PlantedPrograms planted({temp, early, "C:", base.path()}, marker);
    const ScopedVariable tmp("TMP", temp), tempVariable("TEMP", temp);
    const ScopedVariable search("PATH", early + ";" + std::string(std::getenv("PATH")));
    SetCurrentDirectoryA(base.path().c_str());
    for (const std::string& path :
         {base.folder("plain"), base.folder("my data\\"), base.folder("A&B")}) {
        SCOPED_TRACE(path);
        form.DoUpdate();
        ASSERT_GT(view.cbodrivesListCount(), 0);
        view.setCbodrivesListIndex(view.cbodrivesListCount() - 1);
        const std::string letter = view.comboText;
        view.path = path;
        form.cmdcreate_Click();
        EXPECT_EQ(view.status, "The virtual drive " + letter + " has now been created.");
        const int row = rowOf(letter + "\\");
        ASSERT_GE(row, 0) << "no row for " << letter;
        EXPECT_EQ(FixPath(view.rows[row].subItem), FixPath(path));
        EXPECT_FALSE(offered(letter));
        EXPECT_TRUE(inUse(letter));
        EXPECT_FALSE(listingLeftBehind());

        view.selectedRow = row;
        form.cmddelete_Click();
        EXPECT_EQ(view.status, "The virtual drive has now been deleted");
        EXPECT_LT(rowOf(letter + "\\"), 0);
        EXPECT_TRUE(offered(letter));
        EXPECT_FALSE(inUse(letter));
        EXPECT_FALSE(listingLeftBehind());
        EXPECT_EQ(real.boxes.shown.size(), 1u) << "only the question, no report";
        real.boxes.shown.clear();
    }
    EXPECT_FALSE(real.files.fileExists("C:\\B")); // "B" never ran as a command of its own
    EXPECT_FALSE(real.files.fileExists(marker)) << "a planted program ran";

    // A run that fails is told: the real interpreter passes the stand-in's exit code on,
    // and the wait reads it.
    form.DoUpdate();
    view.setCbodrivesListIndex(view.cbodrivesListCount() - 1);
    view.path = base.path() + "\\does-not-exist";
    form.cmdcreate_Click();
    EXPECT_EQ(view.status, "The virtual drive " + view.comboText + " could not be created.");
}

} // namespace
} // namespace ostrel::test
