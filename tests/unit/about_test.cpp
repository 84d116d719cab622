// The About dialog: its labels, its own registry reads, System Information and the links.
#include <gtest/gtest.h>

#include "about/frmabout.h"
#include "support/error_report.h"
#include "support/fake_about_view.h"
#include "support/fakes.h"

namespace ostrel::test {
namespace {

const char* const kWindowsKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";

struct AboutRig : Rig {
    FakeAboutView about;
    frmAbout dialog{platform, about};
    std::string label(AboutLabel which) { return about.labels[which]; }
};

// The dialog's title "About " is the end-to-end test's.
TEST(About, FormLoadShowsTheVersionAndTheCopyright) {
    AboutRig rig;
    rig.dialog.Form_Load();
    EXPECT_EQ(rig.label(AboutLabel::lblTitle), "Ostrel v3.189");
    // The minor number is not shown; numbers have no leading zeros.
    rig.program.info = {12, 4, 7, "Other", "", "", ""};
    rig.dialog.Form_Load();
    EXPECT_EQ(rig.label(AboutLabel::lblTitle), "Other v12.7");

    const std::pair<std::string, std::string> copyrights[] = {
        {"Line one\\nLine two", "Line one\r\nLine two"},
        {"(c)\\n(c)(C) 2024", "\xA9\r\n\xA9(C) 2024"},
        {"(\\nc)", "(\r\nc)"}, // the line break is made first, so it cannot form a sign
    };
    for (const auto& [copyright, shown] : copyrights) {
        rig.program.info.legalCopyright = copyright;
        rig.dialog.Form_Load();
        EXPECT_EQ(rig.label(AboutLabel::lblCopyright), shown) << copyright;
    }
}

TEST(About, RegistrationLabelsFallBackUnlessTheValueIsUsableText) {
    const std::tuple<AboutLabel, const char*, const char*> labels[] = {
        {AboutLabel::lblregname, "RegisteredOwner", "Unregistered Name"},
        {AboutLabel::lblregcompany, "RegisteredOrganization", "Unregistered Company"},
        {AboutLabel::lblregserial, "ProductId", "0000-0000-0000-0000"},
    };
    // Each value as stored (none without a type) and what its label shows ("": the fallback).
    const std::tuple<std::optional<std::uint32_t>, std::string, std::string> cases[] = {
        {std::nullopt, "", ""},
        {regtype::Sz, std::string("\0", 1), ""},
        {regtype::Dword, std::string("\x1A\0\0\0", 4), ""},
        {regtype::Sz, std::string("\0Doe\0", 5), ""},
        {regtype::Sz, std::string("Jane\0Doe\0", 9), "Jane"},
    };
    for (const auto& [type, bytes, shown] : cases) {
        AboutRig rig;
        for (const auto& [label, value, fallback] : labels) {
            if (type) {
                rig.registry.put(hkey::LocalMachine, kWindowsKey, value, *type, bytes);
            }
        }
        rig.dialog.Form_Load();
        for (const auto& [label, value, fallback] : labels) {
            EXPECT_EQ(rig.label(label), shown.empty() ? fallback : shown) << bytes;
        }
        EXPECT_EQ(rig.registry.openHandles, 0);
        EXPECT_TRUE(rig.boxes.shown.empty());
    }
}

TEST(About, GetKeyValueReadsTextAndNumbersWithinItsBuffer) {
    const char* const key = "SOFTWARE\\OstrelTests";
    AboutRig rig;
    const auto read = [&](const std::string& name) {
        std::string value = "before";
        const bool ok = rig.dialog.GetKeyValue(hkey::LocalMachine, key, name, value);
        return std::make_pair(ok, value);
    };
    // Each value as stored and as read. 26 is stored as 1A 00 00 00: the digits 0, 0 and
    // 1A, from the highest byte kept.
    const std::tuple<const char*, std::uint32_t, std::string, bool, std::string> cases[] = {
        {"text", regtype::Sz, std::string("C:\\X\0", 5), true, "C:\\X"},
        {"n26", regtype::Dword, std::string("\x1A\0\0\0", 4), true, "&h00001A"},
        {"big", regtype::Dword, "\x01\x02\x03\x84", true, "&h84030201"},
        {"binary", regtype::Binary, "\x01\x02", true, "before"},
        {"full", regtype::Sz, std::string(1024, 'x'), true, std::string(1024, 'x')},
        {"over", regtype::Sz, std::string(1025, 'x'), false, ""},
    };
    for (const auto& [name, type, bytes, ok, value] : cases) {
        rig.registry.put(hkey::LocalMachine, key, name, type, bytes);
        EXPECT_EQ(read(name), std::make_pair(ok, value)) << name;
    }
    EXPECT_EQ(read("missing"), std::make_pair(false, std::string()));
    EXPECT_EQ(rig.registry.openHandles, 0);
    EXPECT_TRUE(rig.boxes.shown.empty());
}

TEST(About, SystemInfoStartsFromEitherPlaceOrSaysItIsUnavailable) {
    struct Case {
        std::string path;     // "PATH" under the MSINFO key; "" for none
        std::string location; // "MSINFO" under the tools location key; "" for none
        bool fileThere, startFails;
        std::string started; // "" when nothing is started
    };
    const Case cases[] = {
        {"C:\\MSINFO\\MSINFO32.EXE", "", false, false, "C:\\MSINFO\\MSINFO32.EXE"},
        {"C:\\Program Files\\MSInfo\\msinfo32.exe", "", false, false,
         "\"C:\\Program Files\\MSInfo\\msinfo32.exe\""},
        {"C:\\NONE.EXE", "", false, true, ""},
        {"C:\\A.EXE", "C:\\TOOLS", true, false, "C:\\A.EXE"}, // PATH comes first
        {"", "C:\\TOOLS", true, false, "C:\\TOOLS\\MSINFO32.EXE"},
        {"", "C:\\TOOLS", false, false, ""},
        {"", "C:\\TOOLS", true, true, ""},
        {"", "", false, false, ""},
    };
    for (const auto& c : cases) {
        AboutRig rig;
        const auto put = [&](const char* key, const char* name, const std::string& text) {
            if (!text.empty()) {
                rig.registry.putString(hkey::LocalMachine, key, name, text + '\0');
            }
        };
        put("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", c.path);
        put("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", c.location);
        if (c.fileThere) {
            rig.files.files[c.location + "\\MSINFO32.EXE"] = "MZ";
        }
        rig.shell.startFails = c.startFails;
        rig.dialog.cmdSysInfo_Click();
        // Either the program started, or the message and nothing else.
        std::vector<std::string> outcome = rig.shell.startedPrograms;
        for (const auto& box : rig.boxes.shown) {
            outcome.push_back(box.text);
        }
        EXPECT_EQ(outcome,
                  std::vector<std::string>{c.started.empty()
                                               ? "System Information Is Unavailable At This Time"
                                               : c.started})
            << c.path << " | " << c.location;
        EXPECT_FALSE(rig.about.unloaded) << "the dialog stays open";
        EXPECT_EQ(rig.registry.openHandles, 0);
    }
}

TEST(About, MailAndWebOpenThroughTheShellAndOkCloses) {
    AboutRig rig;
    rig.dialog.Form_Load();
    rig.dialog.lblEMail_Click();
    rig.dialog.lblHomePage_Click();
    ASSERT_EQ(rig.shell.executed.size(), 2u);
    EXPECT_EQ(rig.shell.executed[0].file,
              "mailto:support@ostrel.example?subject=I have question on Ostrel v3.189");
    EXPECT_EQ(rig.shell.executed[1].file, kHomePage);
    EXPECT_FALSE(rig.about.unloaded);
    rig.dialog.cmdok_Click();
    EXPECT_TRUE(rig.about.unloaded);
}

} // namespace
} // namespace ostrel::test
