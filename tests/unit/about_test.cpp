// The About dialog: its labels, its own registry reads, System Information and the links.
#include <gtest/gtest.h>

#include "about/frmabout.h"
#include "fakes/about_view.h"
#include "fakes/platform.h"

namespace ostrel::test {
namespace {

constexpr RegKeyHandle HKLM = hkey::LocalMachine;

struct AboutRig : FakePlatform {
    FakeAboutView about;
    frmAbout dialog{platform, about};
};

TEST(About, GetKeyValueReadsTextAndNumbersWithinItsBuffer) {
    AboutRig rig;
    // Each value as stored (text in UTF-16) and as read. 26 is stored as 1A 00 00 00: the
    // digits 0, 0 and 1A, from the highest byte kept. The buffer holds 1024 characters.
    const std::tuple<const char*, std::uint32_t, std::string, bool, std::string> cases[] = {
        {"text", regtype::Sz, std::string("C:\\X\0", 5), true, "C:\\X"},
        {"n26", regtype::Dword, std::string("\x1A\0\0\0", 4), true, "&h00001A"},
        {"big", regtype::Dword, "\x01\x02\x03\x84", true, "&h84030201"},
        {"binary", regtype::Binary, "\x01\x02", true, "before"},
        {"full", regtype::Sz, std::string(1024, 'x'), true, std::string(1024, 'x')},
        {"over", regtype::Sz, std::string(1025, 'x'), false, ""},
        {"missing", regtype::Sz, "", false, ""},
    };
    for (const auto& [name, type, bytes, ok, value] : cases) {
        if (name != std::string("missing")) {
            rig.registry.put(HKLM, "SOFTWARE\\OstrelTests", name, type,
                             type == regtype::Sz ? registryBytes(bytes) : bytes);
        }
        std::string read = "before";
        EXPECT_EQ(rig.dialog.GetKeyValue(HKLM, "SOFTWARE\\OstrelTests", name, read), ok) << name;
        EXPECT_EQ(read, value) << name;
    }
    EXPECT_TRUE(rig.boxes.shown.empty());
}

TEST(About, SystemInfoStartsFromEitherPlaceOrSaysItIsUnavailable) {
    const std::string unavailable = "System Information Is Unavailable At This Time";
    // "PATH" under the MSINFO key and "MSINFO" under the tools location key ("": none),
    // whether starting fails, and the program started or the message shown. Only C:\TOOLS
    // holds MSINFO32.EXE. The user is a standard user, who may only read the machine's keys.
    const std::tuple<std::string, std::string, bool, std::string> cases[] = {
        {"C:\\Program Files\\MSInfo\\msinfo32.exe", "", false,
         "\"C:\\Program Files\\MSInfo\\msinfo32.exe\""},
        {"C:\\NONE.EXE", "", true, unavailable},
        {"C:\\A.EXE", "C:\\TOOLS", false, "C:\\A.EXE"}, // PATH comes first
        {"", "C:\\TOOLS", false, "C:\\TOOLS\\MSINFO32.EXE"},
        {"", "C:\\EMPTY", false, unavailable},
        {"", "", false, unavailable},
    };
    for (const auto& [path, location, startFails, outcome] : cases) {
        AboutRig rig;
        rig.registry.refusedRoots = {HKLM};
        for (const auto& [key, name, text] :
             {std::tuple{"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path},
              std::tuple{"SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", location}}) {
            if (!text.empty()) {
                rig.registry.putString(HKLM, key, name, text + '\0');
            }
        }
        rig.files.files["C:\\TOOLS\\MSINFO32.EXE"] = "MZ";
        rig.shell.startFails = startFails;
        rig.dialog.cmdSysInfo_Click();
        std::vector<std::string> seen = rig.shell.startedPrograms;
        for (const auto& box : rig.boxes.shown) {
            seen.push_back(box.text);
        }
        EXPECT_EQ(seen, std::vector{outcome}) << path << " | " << location;
    }
}

// The title shows no minor number; the copyright its line breaks, then its signs. The links
// open through the shell, the mail one asking about the version in the title.
TEST(About, TheTitleTheCopyrightAndTheLinks) {
    AboutRig rig;
    rig.program.info = {12, 4, 7, "Other", "", "", "(\\nc)\\n(c)(C) 2024"};
    rig.dialog.Form_Load();
    EXPECT_EQ(rig.about.labels[AboutLabel::lblTitle], "Other v12.7");
    EXPECT_EQ(rig.about.labels[AboutLabel::lblCopyright], "(\r\nc)\r\n©(C) 2024");
    rig.dialog.lblEMail_Click();
    rig.dialog.lblHomePage_Click();
    ASSERT_EQ(rig.shell.executed.size(), 2u);
    EXPECT_EQ(rig.shell.executed[0].file,
              "mailto:support@ostrel.example?subject=I have question on Other v12.7");
    EXPECT_EQ(rig.shell.executed[1].file, kHomePage);
}

} // namespace
} // namespace ostrel::test
