// The folder chooser on Wine's real shell: the browser with its prompt over the main
// window, the chosen folder's path or nothing on cancel, and short paths without blanks.
#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>

#include "app/folder_chooser.h"
#include "platform/win32/shell_win32.h"
#include "support/fakes.h"
#include "support/modal_script_win32.h"

namespace ostrel::test {
namespace {

const std::string kBase = "C:\\ostrel-chooser-test";
const std::string kBlanks = kBase + "\\Folder With Blanks";
const std::string kPrompt = "Please select the path you want for you Virtual Drive:";

// Whether a child of the window shows the text.
bool showsText(HWND window, const std::string& text) {
    struct Search {
        const std::string& text;
        bool found;
    } search{text, false};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM lParam) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(lParam);
            char caption[256] = {};
            GetWindowTextA(child, caption, sizeof caption);
            s.found = s.found || s.text == caption;
            return !s.found;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct RealChooser : ::testing::Test {
    Win32Shell shell;
    FakeBoxes boxes;
    HWND owner = nullptr;

    void SetUp() override {
        CreateDirectoryA(kBase.c_str(), nullptr);
        CreateDirectoryA(kBlanks.c_str(), nullptr);
        owner = CreateWindowExA(0, "STATIC", "Ostrel", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                                500, 400, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(owner, nullptr);
    }
    void TearDown() override {
        DestroyWindow(owner);
        RemoveDirectoryA(kBlanks.c_str());
        RemoveDirectoryA(kBase.c_str());
        EXPECT_TRUE(boxes.shown.empty());
    }
    std::string browse(const std::function<void(HWND)>& step) {
        ModalScript script([&] { return ModalScript::ownedWindow(owner, "#32770"); }, {step});
        return BrowseForFolder(shell, reinterpret_cast<std::uintptr_t>(owner), kPrompt);
    }
};

TEST_F(RealChooser, TheBrowserShowsThePromptAndGivesTheChosenFolderOrNothing) {
    bool prompted = false;
    const std::string chosen = browse([&](HWND browser) {
        prompted = showsText(browser, kPrompt);
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(kBlanks.c_str()));
        PostMessageA(browser, WM_COMMAND, IDOK, 0);
    });
    EXPECT_TRUE(prompted);
    EXPECT_EQ(chosen, kBlanks);

    EXPECT_EQ(browse([](HWND browser) { PostMessageA(browser, WM_COMMAND, IDCANCEL, 0); }), "");
}

TEST_F(RealChooser, ShortPathsHaveNoBlanksAndNameTheSameFolder) {
    const std::string shortPath = GetShortPath(shell, boxes, kBlanks);
    EXPECT_FALSE(shortPath.empty());
    EXPECT_EQ(shortPath.find(' '), std::string::npos) << shortPath;
    char full[MAX_PATH] = {};
    GetLongPathNameA(shortPath.c_str(), full, MAX_PATH);
    EXPECT_STRCASEEQ(full, kBlanks.c_str());

    EXPECT_EQ(GetShortPath(shell, boxes, "C:\\"), "C:\\");
    EXPECT_EQ(GetShortPath(shell, boxes, kBase + "\\Missing Folder"), "");
}

TEST_F(RealChooser, ProgramsStartWithoutBeingWaitedFor) {
    EXPECT_TRUE(shell.startProgram("cmd.exe /c exit 0", SW_HIDE));
    EXPECT_FALSE(shell.startProgram("C:\\ostrel-chooser-test\\NoSuchProgram.exe", SW_SHOWNORMAL));
}

} // namespace
} // namespace ostrel::test
