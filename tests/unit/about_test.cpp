// The About dialog: its labels, its own registry reads, System Information, the links,
// and how the main window opens it.
#include <gtest/gtest.h>

#include <map>

#include "about/frmabout.h"
#include "support/error_report.h"
#include "support/fakes.h"
#include "support/vb.h"

namespace ostrel::test {
namespace {

const char* const kWindowsKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";
const char* const kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char* const kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const char* const kUnavailable = "System Information Is Unavailable At This Time";

class FakeAboutView : public AboutView {
  public:
    std::string caption;
    std::map<AboutLabel, std::string> labels = {{AboutLabel::lblregname, "Unregistered Name"},
                                                {AboutLabel::lblregcompany, "Unregistered Company"},
                                                {AboutLabel::lblregserial, "0000-0000-0000-0000"}};
    std::string titleFont;
    bool unloaded = false;

    void setCaption(const std::string& text) override { caption = text; }
    std::string labelCaption(AboutLabel label) override { return labels[label]; }
    void setLabelCaption(AboutLabel label, const std::string& text) override {
        labels[label] = text;
    }
    void setLblTitleFontName(const std::string& face) override { titleFont = face; }
    std::string lblHomePageToolTipText() override { return kHomePage; }
    void unload() override { unloaded = true; }
    std::uintptr_t hwnd() override { return 0xAB0u; }
};

struct AboutRig : Rig {
    FakeAboutView about;
    frmAbout dialog{platform, about};
    std::string label(AboutLabel which) { return about.labels[which]; }
};

TEST(AboutLoad, TitleAndVersionLabel) {
    AboutRig rig;
    rig.dialog.Form_Load();
    EXPECT_EQ(rig.about.caption, "About ");
    EXPECT_EQ(rig.label(AboutLabel::lblTitle), "Ostrel v3.189");
    EXPECT_EQ(rig.about.titleFont, "Arial");

    // The minor number is not shown; numbers have no leading zeros.
    rig.program.info = {12, 4, 7, "Other", "", "", ""};
    rig.dialog.Form_Load();
    EXPECT_EQ(rig.label(AboutLabel::lblTitle), "Other v12.7");
}

TEST(AboutLoad, CopyrightLineBreaksAndSign) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"Line one\\nLine two", "Line one\r\nLine two"},
        {"(c) 2024 Ostrel", "\xA9 2024 Ostrel"},
        {"(C) 2024 Ostrel", "(C) 2024 Ostrel"},
        {"(c)\\n(c)(C)", "\xA9\r\n\xA9(C)"},
        // the line break is made first, so it cannot form a sign
        {"(\\nc)", "(\r\nc)"},
    };
    for (const auto& [copyright, shown] : cases) {
        AboutRig rig;
        rig.program.info.legalCopyright = copyright;
        rig.dialog.Form_Load();
        EXPECT_EQ(rig.label(AboutLabel::lblCopyright), shown) << copyright;
    }
}

TEST(AboutLoad, RegistrationLabelsFromTheRegistryWithTheirFallbacks) {
    struct Label {
        AboutLabel label;
        const char* value;
        const char* fallback;
    };
    const Label labels[] = {
        {AboutLabel::lblregname, "RegisteredOwner", "Unregistered Name"},
        {AboutLabel::lblregcompany, "RegisteredOrganization", "Unregistered Company"},
        {AboutLabel::lblregserial, "ProductId", "0000-0000-0000-0000"},
    };
    struct Case {
        const char* what;
        bool present;
        std::uint32_t type;
        std::string bytes;
        bool fallsBack;
        std::string shown;
    };
    const Case cases[] = {
        {"missing", false, regtype::Sz, "", true, ""},
        {"empty", true, regtype::Sz, std::string("\0", 1), true, ""},
        {"empty without NUL", true, regtype::Sz, "", true, ""},
        {"a number", true, regtype::Dword, std::string("\x1A\0\0\0", 4), true, ""},
        {"expandable text", true, regtype::ExpandSz, std::string("X\0", 2), true, ""},
        {"text", true, regtype::Sz, std::string("Jane & Co\0", 10), false, "Jane & Co"},
        {"embedded NUL", true, regtype::Sz, std::string("Jane\0Doe\0", 9), false, "Jane"},
        {"NUL first", true, regtype::Sz, std::string("\0Doe\0", 5), true, ""},
    };
    for (const auto& target : labels) {
        for (const auto& c : cases) {
            AboutRig rig;
            for (const auto& other : labels) {
                if (other.value != target.value) {
                    rig.registry.putString(hkey::LocalMachine, kWindowsKey, other.value, "kept");
                } else if (c.present) {
                    rig.registry.put(hkey::LocalMachine, kWindowsKey, other.value, c.type, c.bytes);
                }
            }
            rig.dialog.Form_Load();
            for (const auto& other : labels) {
                const std::string expected = other.value != target.value ? "kept"
                                             : c.fallsBack               ? other.fallback
                                                                         : c.shown;
                EXPECT_EQ(rig.label(other.label), expected) << target.value << ": " << c.what;
            }
            EXPECT_EQ(rig.registry.openHandles, 0);
            EXPECT_TRUE(rig.boxes.shown.empty());
        }
    }

    // Without the key at all every label falls back.
    AboutRig rig;
    rig.dialog.Form_Load();
    for (const auto& target : labels) {
        EXPECT_EQ(rig.label(target.label), target.fallback);
    }
    EXPECT_EQ(rig.registry.openHandles, 0);
}

TEST(AboutKeyValue, ReadsTextAndNumbersWithinTheBuffer) {
    const char* const key = "SOFTWARE\\OstrelTests";
    AboutRig rig;
    auto read = [&](const std::string& name, std::string value = "before") {
        const bool ok = rig.dialog.GetKeyValue(hkey::LocalMachine, key, name, value);
        return std::make_pair(ok, value);
    };
    rig.registry.put(hkey::LocalMachine, key, "text", regtype::Sz, std::string("C:\\X\0", 5));
    rig.registry.put(hkey::LocalMachine, key, "n26", regtype::Dword, std::string("\x1A\0\0\0", 4));
    rig.registry.put(hkey::LocalMachine, key, "n256", regtype::Dword, std::string("\0\x01\0\0", 4));
    rig.registry.put(hkey::LocalMachine, key, "big", regtype::Dword, "\x01\x02\x03\x84");
    rig.registry.put(hkey::LocalMachine, key, "binary", regtype::Binary, "\x01\x02");
    rig.registry.put(hkey::LocalMachine, key, "full", regtype::Sz, std::string(1024, 'x'));
    rig.registry.put(hkey::LocalMachine, key, "over", regtype::Sz, std::string(1025, 'x'));
    rig.registry.put(hkey::LocalMachine, key, "empty", regtype::Sz, "");

    EXPECT_EQ(read("text"), std::make_pair(true, std::string("C:\\X")));
    // 26 is stored as 1A 00 00 00: its digits from the highest byte read back as 26.
    EXPECT_EQ(read("n26"), std::make_pair(true, std::string("&h00001A")));
    EXPECT_EQ(vb::Val(read("n26").second), 26);
    EXPECT_EQ(vb::Val(read("n256").second), 256);
    EXPECT_EQ(read("big").second, "&h84030201");
    EXPECT_EQ(read("binary"), std::make_pair(true, std::string("before")));
    EXPECT_EQ(read("full"), std::make_pair(true, std::string(1024, 'x')));
    EXPECT_EQ(read("over"), std::make_pair(false, std::string()));
    EXPECT_EQ(read("empty"), std::make_pair(true, std::string()));
    EXPECT_EQ(read("missing"), std::make_pair(false, std::string()));
    std::string value = "before";
    EXPECT_FALSE(rig.dialog.GetKeyValue(hkey::LocalMachine, "SOFTWARE\\Nowhere", "text", value));
    EXPECT_EQ(value, "");

    // A key that the system will not open with the dialog's access mask.
    rig.registry.refusedAccess.insert(0x2003F);
    EXPECT_EQ(read("text"), std::make_pair(false, std::string()));
    EXPECT_EQ(rig.registry.openHandles, 0);
    EXPECT_TRUE(rig.boxes.shown.empty());
}

TEST(AboutSysInfo, StartsTheToolFromEitherPlaceOrSaysItIsUnavailable) {
    struct Case {
        const char* what;
        std::string path;     // "PATH" under the MSINFO key, if not "-"
        std::string location; // "MSINFO" under the tools location key, if not "-"
        bool fileThere;
        bool startFails;
        std::string started; // "" when nothing is started
    };
    const Case cases[] = {
        {"PATH", "C:\\MSINFO\\MSINFO32.EXE", "-", false, false, "C:\\MSINFO\\MSINFO32.EXE"},
        {"PATH with blanks", "C:\\Program Files\\MSInfo\\msinfo32.exe", "-", false, false,
         "\"C:\\Program Files\\MSInfo\\msinfo32.exe\""},
        {"PATH naming nothing", "C:\\NONE.EXE", "-", false, true, ""},
        {"PATH wins over location", "C:\\A.EXE", "C:\\TOOLS", true, false, "C:\\A.EXE"},
        {"location with the file", "-", "C:\\TOOLS", true, false, "C:\\TOOLS\\MSINFO32.EXE"},
        {"location without the file", "-", "C:\\TOOLS", false, false, ""},
        {"location whose start fails", "-", "C:\\TOOLS", true, true, ""},
        {"neither", "-", "-", false, false, ""},
    };
    for (const auto& c : cases) {
        AboutRig rig;
        if (c.path != "-") {
            rig.registry.putString(hkey::LocalMachine, kMsinfoKey, "PATH", c.path + '\0');
        }
        if (c.location != "-") {
            rig.registry.putString(hkey::LocalMachine, kLocationKey, "MSINFO", c.location + '\0');
        }
        if (c.fileThere) {
            rig.files.files[c.location + "\\MSINFO32.EXE"] = "MZ";
        }
        rig.shell.startFails = c.startFails;
        rig.dialog.cmdSysInfo_Click();
        if (c.started.empty()) {
            EXPECT_TRUE(rig.shell.startedPrograms.empty()) << c.what;
            ASSERT_EQ(rig.boxes.shown.size(), 1u) << c.what;
            EXPECT_EQ(rig.boxes.shown[0].text, kUnavailable);
            EXPECT_EQ(rig.boxes.shown[0].flags, 0u);
            EXPECT_EQ(rig.boxes.shown[0].title, "Ostrel");
        } else {
            EXPECT_EQ(rig.shell.startedPrograms, std::vector<std::string>{c.started}) << c.what;
            EXPECT_EQ(rig.shell.startedShow, 1);
            EXPECT_TRUE(rig.boxes.shown.empty()) << c.what;
        }
        EXPECT_FALSE(rig.about.unloaded) << "the dialog stays open";
        EXPECT_EQ(rig.registry.openHandles, 0);
    }
}

TEST(AboutLinks, MailAndWebOpenThroughTheShell) {
    AboutRig rig;
    rig.dialog.Form_Load();
    rig.dialog.lblEMail_Click();
    rig.dialog.lblHomePage_Click();
    ASSERT_EQ(rig.shell.executed.size(), 2u);
    const auto& mail = rig.shell.executed[0];
    EXPECT_EQ(mail.owner, 0xAB0u);
    EXPECT_EQ(mail.operation, "open");
    EXPECT_EQ(mail.file, "mailto:support@ostrel.example?subject=I have question on Ostrel v3.189");
    EXPECT_TRUE(mail.nullParameters);
    EXPECT_EQ(mail.directory, "C:\\");
    EXPECT_EQ(mail.show, 5);
    const auto& web = rig.shell.executed[1];
    EXPECT_EQ(web.owner, 0xAB0u);
    EXPECT_EQ(web.operation, "open");
    EXPECT_EQ(web.file, kHomePage);
    EXPECT_FALSE(web.nullParameters);
    EXPECT_EQ(web.parameters, "");
    EXPECT_EQ(web.directory, "");
    EXPECT_EQ(web.show, 5);
    EXPECT_FALSE(rig.about.unloaded);

    rig.dialog.cmdok_Click();
    EXPECT_TRUE(rig.about.unloaded);
}

// A main window whose About dialog fails while it loads.
class FailingAboutView : public FakeView {
  public:
    void showAbout() override {
        ++aboutShown;
        raise(err::FileNotFound);
    }
};

TEST(AboutOpening, ButtonAndMenuOpenTheDialogAndReportItsFailure) {
    Rig rig;
    rig.form.cmdabout_Click();
    rig.form.mnuabout_Click();
    EXPECT_EQ(rig.view.aboutShown, 2);
    EXPECT_TRUE(rig.boxes.shown.empty());

    FailingAboutView view;
    frmmain form(rig.platform, view);
    form.cmdabout_Click();
    EXPECT_EQ(view.aboutShown, 1);
    EXPECT_EQ(rig.boxes.reports(),
              std::vector<std::string>{
                  "Error 53 (File not found) in procedure\r\n(mnuabout_Click) of (frmmain)."});
}

} // namespace
} // namespace ostrel::test
