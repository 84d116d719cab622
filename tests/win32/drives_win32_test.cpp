// The drive engine against Wine's real interpreter, processes and drive table, with
// programs planted where a search would find them before the system's own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "support/paths.h"
#include "support/real_platform_win32.h"

namespace ostrel::test {
namespace {

// Files that a user or another program can write: each would leave its mark, or fail
// the run, if it ran in place of the system's interpreter or subst.
struct PlantedPrograms {
    std::vector<std::string> files;
    PlantedPrograms(const std::vector<std::string>& folders, const std::string& marker) {
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

// Folders with a blank, a closing backslash and a command separator reach the real
// interpreter whole, and the listing shows them; a failed run's exit code reaches the
// status line.
TEST(RealEngine, CreatesAndListsDrivesAndNoPlantedProgramRuns) {
    RealForm<> real{"C:\\ostrel-engine-test"};
    ScratchFolder& base = real.scratch;
    FakeView& view = real.view;
    const std::string temp = base.folder("temp"), early = base.folder("path");
    const std::string marker = base.path + "\\ran.txt";
    const PlantedPrograms planted({temp, early, "C:", base.path}, marker);
    const ScopedVariable tmp("TMP", temp), tempVariable("TEMP", temp);
    const ScopedVariable search("PATH", early + ";" + std::string(std::getenv("PATH")));
    SetCurrentDirectoryA(base.path.c_str());
    const std::string missing = base.path + "\\does-not-exist";
    for (const std::string& path : {base.folder("my data\\"), base.folder("A&B"), missing}) {
        SCOPED_TRACE(path);
        real.form.DoUpdate();
        view.setCbodrivesListIndex(view.cbodrivesListCount() - 1);
        const std::string letter = view.comboText;
        view.path = path;
        real.form.cmdcreate_Click();
        const bool made = path != missing;
        EXPECT_EQ(view.status, "The virtual drive " + letter +
                                   (made ? " has now been created." : " could not be created."));
        const auto row = std::find_if(view.rows.begin(), view.rows.end(),
                                      [&](const auto& row) { return row.text == letter + "\\"; });
        EXPECT_EQ(row == view.rows.end() ? "" : FixPath(row->subItem), made ? FixPath(path) : "");
    }
    EXPECT_TRUE(real.boxes.shown.empty());
    EXPECT_FALSE(real.files.fileExists(marker)) << "a planted program ran";
}

} // namespace
} // namespace ostrel::test
