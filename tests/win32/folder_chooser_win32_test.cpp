// The folder chooser on Wine's real shell: the browser with its prompt over the main
// window, the chosen folder's path or nothing on cancel, and short paths without blanks.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "app/folder_chooser.h"
#include "platform/win32/shell_win32.h"
#include "support/modal_script_win32.h"
#include "support/real_platform_win32.h"

namespace ostrel::test {
namespace {

struct RealChooser : ::testing::Test {
    Win32Shell shell;
    FakeBoxes boxes;
    ScratchFolder base{"C:\\ostrel-chooser-test"};
    const std::string blanks = base.folder("Folder With Blanks");

    void TearDown() override { EXPECT_TRUE(boxes.shown.empty()); }
};

TEST_F(RealChooser, TheBrowserShowsThePromptAndGivesTheChosenFolderOrNothing) {
    const std::string prompt = "Please select the path you want for you Virtual Drive:";
    const HWND owner = CreateWindowExA(0, "STATIC", "Ostrel", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                                       10, 500, 400, nullptr, nullptr, nullptr, nullptr);
    const auto browse = [&](std::vector<std::function<void(HWND)>> steps) {
        ModalScript script(owner, std::move(steps));
        return BrowseForFolder(shell, reinterpret_cast<std::uintptr_t>(owner), prompt);
    };
    bool prompted = false;
    // Chosen over a few ticks, as a busy machine may still be filling the browser's tree.
    const auto select = [&](HWND browser) {
        prompted = prompted || FindWindowExA(browser, nullptr, "Static", prompt.c_str()) != nullptr;
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(blanks.c_str()));
    };
    const auto press = [](WPARAM id) {
        return [id](HWND browser) { PostMessageA(browser, WM_COMMAND, id, 0); };
    };
    EXPECT_EQ(browse({select, select, select, select, press(IDOK)}), blanks);
    EXPECT_TRUE(prompted);
    EXPECT_EQ(browse({press(IDCANCEL)}), "");
    DestroyWindow(owner);
}

TEST_F(RealChooser, ShortPathsHaveNoBlanksAndNameTheSameFolder) {
    const std::string shortPath = GetShortPath(shell, boxes, blanks);
    EXPECT_EQ(shortPath.find(' '), std::string::npos) << shortPath;
    char full[MAX_PATH] = {};
    ASSERT_NE(GetLongPathNameA(shortPath.c_str(), full, MAX_PATH), 0u) << shortPath;
    EXPECT_STRCASEEQ(full, blanks.c_str());
    EXPECT_EQ(GetShortPath(shell, boxes, "C:\\"), "C:\\");
    EXPECT_EQ(GetShortPath(shell, boxes, base.path + "\\Missing Folder"), "");
}

TEST_F(RealChooser, ProgramsStartWithoutBeingWaitedFor) {
    EXPECT_TRUE(shell.startProgram("cmd.exe /c exit 0", SW_HIDE));
    EXPECT_FALSE(shell.startProgram(base.path + "\\NoSuchProgram.exe", SW_SHOWNORMAL));
}

} // namespace
} // namespace ostrel::test
