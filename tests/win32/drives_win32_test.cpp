// The drive engine against Wine's real interpreter, processes and drive table, with
// the subst stand-in first on the search path.
#include <windows.h>

#include <gtest/gtest.h>

#include "drives/command_runner.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/process_win32.h"
#include "support/fakes.h"

namespace ostrel::test {
namespace {

const std::string kBase = "C:\\ostrel-engine-test";

struct RealEngine : ::testing::Test {
    Win32Processes processes;
    Win32EventPump events;
    Win32FileSystem files;
    Win32DriveMask drives;
    FakeBoxes boxes;
    FakeProgram program;
    FakeRegistry registry;
    FakeShell shell;
    FakeView view;
    Platform platform{processes, events, files, drives, boxes, program, registry, shell};
    frmmain form{platform, view};

    void SetUp() override {
        CreateDirectoryA(kBase.c_str(), nullptr);
        form.AbsRoot = "C:\\";
        form.AbsPath = kBase + "\\";
    }
    void TearDown() override {
        // Whatever a failed test left behind goes with it.
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            const char device[3] = {letter, ':', 0};
            char target[MAX_PATH];
            if (QueryDosDeviceA(device, target, MAX_PATH) &&
                std::string(target).find(kBase) != std::string::npos) {
                DefineDosDeviceA(DDD_REMOVE_DEFINITION | DDD_RAW_TARGET_PATH |
                                     DDD_EXACT_MATCH_ON_REMOVE,
                                 device, target);
            }
        }
    }
    std::string folder(const std::string& name) {
        const std::string path = kBase + "\\" + name;
        CreateDirectoryA(path.c_str(), nullptr);
        return path;
    }
    bool offered(const std::string& letter) {
        for (const auto& item : view.comboItems) {
            if (item == letter) {
                return true;
            }
        }
        return false;
    }
    int rowOf(const std::string& root) {
        for (int i = 0; i < view.lstDrivesCount(); ++i) {
            if (view.rows[i].text == root) {
                return i;
            }
        }
        return -1;
    }
    bool listingLeftBehind() { return files.fileExists(files.tempFolder() + "tmpout.txt"); }

    // Creates a drive on the folder with the last free letter, checks it everywhere,
    // then deletes it again.
    void createAndDelete(const std::string& path) {
        form.DoUpdate();
        ASSERT_FALSE(listingLeftBehind());
        ASSERT_GT(view.cbodrivesListCount(), 0);
        const int index = view.cbodrivesListCount() - 1;
        view.setCbodrivesListIndex(index);
        const std::string letter = view.comboText;
        view.path = path;
        form.cmdcreate_Click();
        EXPECT_TRUE(boxes.reports().empty()) << boxes.reports().front();
        EXPECT_EQ(view.status, "The virtual drive " + letter + " has now been created.");
        const int row = rowOf(letter + "\\");
        ASSERT_GE(row, 0) << "no row for " << letter;
        EXPECT_EQ(view.rows[row].subItem, path);
        EXPECT_FALSE(offered(letter));
        EXPECT_TRUE(GetLogicalDrives() & (1u << (letter[0] - 'A')));
        EXPECT_FALSE(listingLeftBehind());

        view.selectedRow = row;
        boxes.answers = {mb::IdYes};
        form.cmddelete_Click();
        EXPECT_EQ(view.status, "The virtual drive has now been deleted");
        EXPECT_LT(rowOf(letter + "\\"), 0);
        EXPECT_TRUE(offered(letter));
        EXPECT_FALSE(GetLogicalDrives() & (1u << (letter[0] - 'A')));
        EXPECT_FALSE(listingLeftBehind());
    }
};

TEST_F(RealEngine, CreatesListsAndDeletesADriveOnAPlainFolder) {
    createAndDelete(folder("plain"));
}

TEST_F(RealEngine, AFolderWithBlanksArrivesWhole) {
    createAndDelete(folder("my data"));
}

TEST_F(RealEngine, AFolderNamedWithAnAmpersandMakesItsDriveAndRunsNothingElse) {
    createAndDelete(folder("A&B"));
    EXPECT_FALSE(files.fileExists("C:\\B")); // "B" never ran as a command of its own
}

TEST_F(RealEngine, AFailingRunIsToldAndTheWaitReadsItsExitCode) {
    form.DoUpdate();
    view.setCbodrivesListIndex(view.cbodrivesListCount() - 1);
    view.path = kBase + "\\does-not-exist";
    form.cmdcreate_Click();
    EXPECT_EQ(view.status, "The virtual drive " + view.comboText + " could not be created.");
}

TEST_F(RealEngine, SHWaitSeesExitCodesOfRealProcesses) {
    const int zero = processes.start("cmd.exe /cexit 0", SW_HIDE);
    EXPECT_FALSE(SHWait(processes, events, boxes, zero));
    const int one = processes.start("cmd.exe /cexit 1", SW_HIDE);
    EXPECT_TRUE(SHWait(processes, events, boxes, one));
    EXPECT_FALSE(SHWait(processes, events, boxes, 0x7FFFFFF0)); // names no process
}

} // namespace
} // namespace ostrel::test
