// The About dialog's own registry reads against Wine's real registry, under a key of
// their own in the machine-wide root (or the user's, where that cannot be written),
// removed again after each test.
#include <windows.h>

#include <gtest/gtest.h>

#include "about/frmabout.h"
#include "platform/win32/registry_win32.h"
#include "support/fakes.h"
#include "support/vb.h"

namespace ostrel::test {
namespace {

const std::string kKey = "Software\\OstrelTests\\About";

class NoView : public AboutView {
  public:
    void setCaption(const std::string&) override {}
    std::string labelCaption(AboutLabel) override { return {}; }
    void setLabelCaption(AboutLabel, const std::string&) override {}
    void setLblTitleFontName(const std::string&) override {}
    std::string lblHomePageToolTipText() override { return kHomePage; }
    void unload() override {}
    std::uintptr_t hwnd() override { return 0; }
};

struct AboutRegistry : ::testing::Test {
    Win32Registry registry;
    Rig rig;
    Platform platform{rig.processes, rig.events,  rig.files, rig.drives,
                      rig.boxes,     rig.program, registry,  rig.shell};
    NoView view;
    frmAbout dialog{platform, view};
    HKEY root = HKEY_LOCAL_MACHINE;
    RegKeyHandle rootHandle = hkey::LocalMachine;

    void SetUp() override {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr) != ERROR_SUCCESS) {
            root = HKEY_CURRENT_USER;
            rootHandle = hkey::CurrentUser;
        } else {
            RegCloseKey(key);
        }
        RegDeleteTreeA(root, kKey.c_str());
    }
    void TearDown() override {
        RegDeleteTreeA(root, kKey.c_str());
        RegDeleteKeyA(root, "Software\\OstrelTests"); // only when nothing else is in it
        EXPECT_TRUE(rig.boxes.shown.empty());
    }
    void store(const std::string& name, DWORD type, const std::string& bytes) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(root, kKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExA(key, name.c_str(), 0, type,
                                 reinterpret_cast<const BYTE*>(bytes.data()),
                                 static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    std::pair<bool, std::string> keyValue(const std::string& name) {
        std::string value = "before";
        const bool read = dialog.GetKeyValue(rootHandle, kKey, name, value);
        return {read, value};
    }
};

TEST_F(AboutRegistry, GetStringGivesTextUpToItsFirstNulAndNothingElse) {
    store("Embedded", REG_SZ, std::string("Jane\0Doe\0", 9));
    store("Number", REG_DWORD, std::string("\x1A\0\0\0", 4));
    EXPECT_EQ(dialog.GetString(rootHandle, kKey, "Embedded"), "Jane");
    EXPECT_EQ(dialog.GetString(rootHandle, kKey, "Number"), "");
    EXPECT_EQ(dialog.GetString(rootHandle, kKey + "\\Missing", "Embedded"), "");
}

TEST_F(AboutRegistry, GetKeyValueReadsWithinItsBufferOfOneKilobyte) {
    store("Path", REG_SZ, std::string("C:\\Tools\\MSINFO32.EXE\0", 22));
    store("Number", REG_DWORD, std::string("\x1A\0\0\0", 4));
    store("Wide", REG_DWORD, std::string("\x01\x1A\0\0", 4));
    // Wine's ANSI query adds a NUL to a text stored without one, so a full buffer here
    // is 1023 characters and their NUL.
    store("Full", REG_SZ, std::string(1023, 'x') + '\0');
    store("Over", REG_SZ, std::string(1024, 'x') + '\0');
    store("Binary", REG_BINARY, "\x01\x02");
    EXPECT_EQ(keyValue("Path"), std::make_pair(true, std::string("C:\\Tools\\MSINFO32.EXE")));
    EXPECT_TRUE(keyValue("Number").first);
    EXPECT_EQ(vb::Val(keyValue("Number").second), 26);
    EXPECT_EQ(vb::Val(keyValue("Wide").second), 0x1A01);
    EXPECT_EQ(keyValue("Full"), std::make_pair(true, std::string(1023, 'x')));
    EXPECT_EQ(keyValue("Over"), std::make_pair(false, std::string()));
    EXPECT_EQ(keyValue("Binary"), std::make_pair(true, std::string("before")));
    EXPECT_EQ(keyValue("Missing"), std::make_pair(false, std::string()));
    std::string value = "before";
    EXPECT_FALSE(dialog.GetKeyValue(rootHandle, kKey + "\\Missing", "Path", value));
    EXPECT_EQ(value, "");
}

} // namespace
} // namespace ostrel::test
