// The registry layer, the settings store and the About dialog's own reads against
// Wine's real registry, under a key of their own that each test removes again.
#include <windows.h>

#include <gtest/gtest.h>

#include "about/frmabout.h"
#include "platform/win32/registry_win32.h"
#include "settings/reg32mod.h"
#include "settings/settings_store.h"
#include "support/fake_about_view.h"
#include "support/fakes.h"

namespace ostrel::test {
namespace {

const std::string kTests = "Software\\OstrelTests";
const std::string kKey = kTests + "\\Registry";
const std::string kSettings = "Software\\VB and VBA Program Settings\\OstrelTests";

bool keyExists(const std::string& path) {
    HKEY key = nullptr;
    const bool exists =
        RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
    RegCloseKey(key);
    return exists;
}

// A value as another program stores it, byte for byte.
void storeRaw(const std::string& name, DWORD type, const std::string& bytes) {
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kKey.c_str(), name.c_str(), type, bytes.data(),
                              static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
}

// A value as another program reads it: its type, its data size and its text up to
// the first NUL.
struct AsRead {
    DWORD type = REG_NONE;
    DWORD size = 0;
    std::string text;
    bool operator==(const AsRead&) const = default;
};
AsRead asRead(const std::string& path, const std::string& name) {
    AsRead value;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
        char data[256] = {};
        value.size = sizeof data - 1;
        if (RegQueryValueExA(key, name.c_str(), nullptr, &value.type, reinterpret_cast<BYTE*>(data),
                             &value.size) == ERROR_SUCCESS) {
            value.text = data;
        } else {
            value = {};
        }
        RegCloseKey(key);
    }
    return value;
}

struct RealRegistry : ::testing::Test {
    Win32Registry registry;
    FakeBoxes boxes;
    Reg32Mod reg{registry, boxes};

    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kTests.c_str()); }
    void TearDown() override {
        EXPECT_TRUE(boxes.shown.empty());
        RegDeleteTreeA(HKEY_CURRENT_USER, kTests.c_str());
        RegDeleteTreeA(HKEY_CURRENT_USER, kSettings.c_str());
    }
};

TEST_F(RealRegistry, GetStringGivesTextUpToItsFirstNulAndNothingElseAndCreatesNothing) {
    const std::tuple<const char*, DWORD, std::string, std::optional<std::string>> cases[] = {
        {"Terminated", REG_SZ, std::string("C:\\DATA\0", 8), "C:\\DATA"},
        {"Embedded", REG_SZ, std::string("C:\\A\0B\0", 7), "C:\\A"},
        {"Unterminated", REG_SZ, "C:\\DATA", "C:\\DATA"},
        {"Number", REG_DWORD, std::string("\x07\x00\x00\x00", 4), std::nullopt},
        {"Expand", REG_EXPAND_SZ, std::string("%TEMP%\0", 7), std::nullopt},
    };
    for (const auto& [name, type, bytes, read] : cases) {
        storeRaw(name, type, bytes);
        EXPECT_EQ(reg.GetString(hkey::CurrentUser, kKey, name), read) << name;
    }
    EXPECT_EQ(reg.GetString(hkey::CurrentUser, kKey, "Missing"), std::nullopt);
    EXPECT_EQ(reg.GetString(hkey::CurrentUser, kKey + "\\Missing", "Value"), std::nullopt);
    EXPECT_FALSE(keyExists(kKey + "\\Missing"));
}

TEST_F(RealRegistry, WritesStoreTheTextWithoutItsNulAndCreateKeysButDeletesCreateNothing) {
    const std::string deep = kKey + "\\One\\Two";
    for (const std::string text : {"C:\\DATA", "", " blanks ", "caf\xE9"}) {
        reg.SaveString(hkey::CurrentUser, deep, "Value", text);
        // The system adds the terminator that follows the counted text, as Windows does,
        // except to the empty text, which keeps zero bytes.
        const DWORD size = text.empty() ? 0 : static_cast<DWORD>(text.size() + 1);
        EXPECT_EQ(asRead(deep, "Value"), (AsRead{REG_SZ, size, text}));
        // The empty text is a value: "" comes back, not the empty result.
        EXPECT_EQ(reg.GetString(hkey::CurrentUser, deep, "Value"), text);
    }
    reg.SaveKey(hkey::CurrentUser, kKey + "\\Made\\Leaf");
    EXPECT_TRUE(keyExists(kKey + "\\Made\\Leaf"));

    // The empty name is the key's default value, as other programs read it.
    reg.SaveString(hkey::CurrentUser, kKey, "", "C:\\TOOLS\\Ostrel -ADD %1");
    EXPECT_EQ(asRead(kKey, ""), (AsRead{REG_SZ, 24, "C:\\TOOLS\\Ostrel -ADD %1"}));
    EXPECT_EQ(reg.GetString(hkey::CurrentUser, kKey, ""), "C:\\TOOLS\\Ostrel -ADD %1");
    reg.DeleteValue(hkey::CurrentUser, kKey, "");
    EXPECT_EQ(asRead(kKey, ""), AsRead{});

    reg.DeleteValue(hkey::CurrentUser, kKey + "\\Missing\\Path", "Value");
    EXPECT_FALSE(keyExists(kKey + "\\Missing"));
}

TEST_F(RealRegistry, TheSettingsStoreKeepsTextsPerSectionAndDeletesWholeSections) {
    SettingsStore store{registry};
    store.SaveSetting("OstrelTests", "Config", "Count", "2");
    store.SaveSetting("OstrelTests", "Config\\Sub", "Value", "x");
    store.SaveSetting("OstrelTests", "main", "FirstTime", "");
    EXPECT_EQ(asRead(kSettings + "\\Config", "Count"), (AsRead{REG_SZ, 2, "2"}));
    store.DeleteSetting("OstrelTests", "Config");
    EXPECT_FALSE(keyExists(kSettings + "\\Config"));
    // The default stands for an absent value only, not for a stored empty text.
    EXPECT_EQ(store.GetSetting("OstrelTests", "Config", "Count", "absent"), "absent");
    EXPECT_EQ(store.GetSetting("OstrelTests", "main", "FirstTime", "yes"), "");
    EXPECT_NO_THROW(store.DeleteSetting("OstrelTests", "Config"));
}

TEST_F(RealRegistry, TheAboutDialogReadsTextAndNumbersWithinItsBufferOfOneKilobyte) {
    Rig rig;
    Platform platform{rig.processes, rig.events,  rig.files, rig.drives,
                      boxes,         rig.program, registry,  rig.shell};
    FakeAboutView view;
    frmAbout dialog{platform, view};
    const auto keyValue = [&](const std::string& path, const std::string& name) {
        std::string value = "before";
        const bool read = dialog.GetKeyValue(hkey::CurrentUser, path, name, value);
        return std::make_pair(read, value);
    };
    storeRaw("Embedded", REG_SZ, std::string("Jane\0Doe\0", 9));
    EXPECT_EQ(dialog.GetString(hkey::CurrentUser, kKey, "Embedded"), "Jane");
    // Wine's ANSI query adds a NUL to a text stored without one, so a full buffer here
    // is 1023 characters and their NUL.
    const std::tuple<const char*, DWORD, std::string, bool, std::string> cases[] = {
        {"Path", REG_SZ, std::string("C:\\Tools\\MSINFO32.EXE\0", 22), true,
         "C:\\Tools\\MSINFO32.EXE"},
        {"Number", REG_DWORD, std::string("\x1A\0\0\0", 4), true, "&h00001A"},
        {"Full", REG_SZ, std::string(1023, 'x') + '\0', true, std::string(1023, 'x')},
        {"Over", REG_SZ, std::string(1024, 'x') + '\0', false, ""},
        {"Binary", REG_BINARY, "\x01\x02", true, "before"},
    };
    for (const auto& [name, type, bytes, read, value] : cases) {
        storeRaw(name, type, bytes);
        EXPECT_EQ(keyValue(kKey, name), std::make_pair(read, value)) << name;
    }
    EXPECT_EQ(keyValue(kKey, "Missing"), std::make_pair(false, std::string()));
    EXPECT_EQ(keyValue(kKey + "\\Missing", "Path"), std::make_pair(false, std::string()));
}

} // namespace
} // namespace ostrel::test
