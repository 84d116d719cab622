// The "...." button: the short form of the chosen folder, and the Create button. The
// browser itself, its prompt and its owner are the Win32 tests'.
#include <gtest/gtest.h>

#include "fakes/main_window.h"

namespace ostrel::test {
namespace {

TEST(FolderChooser, PutsTheShortFormOfTheChosenFolderOrKeepsTheTextOnCancel) {
    // The folder chosen ("": cancelled), its short form, the text shown, Create enabled.
    const std::tuple<std::string, std::string, std::string, bool> cases[] = {
        {"", "", "C:\\OLD", false},
        {"C:\\Program Files\\My Data", "C:\\PROGRA~1\\MYDATA~1", "C:\\PROGRA~1\\MYDATA~1", true},
        {"D:\\", "D:\\", "D:\\", true},
        {"C:\\none", "", "", true},
    };
    for (const auto& [chosen, shortForm, shown, createEnabled] : cases) {
        Rig rig;
        rig.view.path = "C:\\OLD";
        rig.view.enabledState[MainControl::cmdcreate] = true;
        rig.shell.chosenFolder = chosen;
        rig.shell.shortNames[chosen] = shortForm;
        rig.form.cmdbroswe_Click();
        EXPECT_EQ(rig.view.path, shown) << chosen;
        EXPECT_EQ(rig.view.enabledState[MainControl::cmdcreate], createEnabled) << chosen;
        EXPECT_TRUE(rig.boxes.shown.empty());
    }
}

} // namespace
} // namespace ostrel::test
