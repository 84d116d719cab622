// The "...." button: the folder browser, the short path and the Create button.
#include <gtest/gtest.h>

#include "app/folder_chooser.h"
#include "support/fakes.h"

namespace ostrel::test {
namespace {

TEST(FolderChooser, AsksForFileSystemFoldersOverTheMainWindowWithThePrompt) {
    Rig rig;
    rig.shell.chosenFolder = "C:\\DATA";
    rig.form.cmdbroswe_Click();
    ASSERT_EQ(rig.shell.browses.size(), 1u);
    const BrowseRequest& request = rig.shell.browses[0];
    EXPECT_EQ(request.owner, rig.view.hwnd());
    EXPECT_EQ(request.root, 0u);
    EXPECT_EQ(request.displayName, nullptr);
    EXPECT_EQ(request.title, "Please select the path you want for you Virtual Drive:");
    EXPECT_EQ(request.flags, 0x41u);
    EXPECT_EQ(request.callback, 0u);
    EXPECT_EQ(request.callbackData, 0);
    EXPECT_EQ(rig.shell.liveItemLists, 0) << "the item list is released after use";
}

TEST(FolderChooser, CancelDisablesCreateAndKeepsTheEarlierPath) {
    Rig rig;
    rig.view.path = "C:\\OLD";
    rig.view.enabledState[MainControl::cmdcreate] = true;
    rig.shell.chosenFolder = "";
    rig.form.cmdbroswe_Click();
    EXPECT_FALSE(rig.view.enabled(MainControl::cmdcreate));
    EXPECT_EQ(rig.view.path, "C:\\OLD");
    EXPECT_TRUE(rig.boxes.shown.empty());
}

TEST(FolderChooser, PutsTheChosenFoldersShortFormAndEnablesCreate) {
    struct Case {
        std::string chosen, shortForm, expected;
    };
    const Case cases[] = {
        // blanks are gone in the short form, which subst takes unquoted
        {"C:\\Program Files\\My Data", "C:\\PROGRA~1\\MYDATA~1", "C:\\PROGRA~1\\MYDATA~1"},
        // a drive root
        {"D:\\", "D:\\", "D:\\"},
        // a path that already is short comes back unchanged
        {"C:\\DATA", "C:\\DATA", "C:\\DATA"},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.shell.chosenFolder = c.chosen;
        rig.shell.shortNames[c.chosen] = c.shortForm;
        rig.form.cmdbroswe_Click();
        EXPECT_EQ(rig.view.path, c.expected) << c.chosen;
        EXPECT_TRUE(rig.view.enabled(MainControl::cmdcreate)) << c.chosen;
        EXPECT_EQ(rig.shell.liveItemLists, 0);
        EXPECT_TRUE(rig.boxes.shown.empty());
    }
}

TEST(FolderChooser, AShortFormThatDoesNotFitOrCannotBeHadGivesAnEmptyPath) {
    // 163 characters fit the buffer of 164 with their NUL; 164 do not.
    const std::string fits = "C:\\" + std::string(160, 'A');
    const std::string tooLong = "C:\\" + std::string(161, 'A');
    Rig rig;
    rig.shell.shortNames = {{"C:\\fits", fits}, {"C:\\long", tooLong}, {"C:\\none", ""}};
    EXPECT_EQ(GetShortPath(rig.shell, rig.boxes, "C:\\fits"), fits);
    EXPECT_EQ(GetShortPath(rig.shell, rig.boxes, "C:\\long"), "");
    EXPECT_EQ(GetShortPath(rig.shell, rig.boxes, "C:\\none"), "");

    // The handler has already enabled Create and shows the empty text.
    rig.view.path = "C:\\OLD";
    rig.shell.chosenFolder = "C:\\long";
    rig.form.cmdbroswe_Click();
    EXPECT_EQ(rig.view.path, "");
    EXPECT_TRUE(rig.view.enabled(MainControl::cmdcreate));
    EXPECT_TRUE(rig.boxes.shown.empty());
}

} // namespace
} // namespace ostrel::test
