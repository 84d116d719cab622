// The registry layer and the settings store against Wine's real registry, under a
// key of their own that each test removes again.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/registry_win32.h"
#include "settings/reg32mod.h"
#include "settings/settings_store.h"
#include "support/fakes.h"

namespace ostrel::test {
namespace {

const std::string kTests = "Software\\OstrelTests";
const std::string kKey = kTests + "\\Registry";
const std::string kSettingsApp = "OstrelTests";

// The real registry, counting the handles that are open.
class CountingRegistry : public Win32Registry {
  public:
    int openHandles = 0;
    long createKey(RegKeyHandle root, const std::string& path, RegKeyHandle& key) override {
        return counted(Win32Registry::createKey(root, path, key));
    }
    long openKey(RegKeyHandle root, const std::string& path, RegKeyHandle& key) override {
        return counted(Win32Registry::openKey(root, path, key));
    }
    long openKeyEx(RegKeyHandle root, const std::string& path, std::uint32_t access,
                   RegKeyHandle& key) override {
        return counted(Win32Registry::openKeyEx(root, path, access, key));
    }
    long closeKey(RegKeyHandle key) override {
        const long result = Win32Registry::closeKey(key);
        if (result == ERROR_SUCCESS) {
            --openHandles;
        }
        return result;
    }

  private:
    long counted(long result) {
        if (result == ERROR_SUCCESS) {
            ++openHandles;
        }
        return result;
    }
};

bool keyExists(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

// A value as another program stores it, byte for byte.
void storeRaw(const std::string& name, DWORD type, const std::string& bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, name.c_str(), 0, type,
                             reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
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
            value.size = 0;
        }
        RegCloseKey(key);
    }
    return value;
}

struct RealRegistry : ::testing::Test {
    CountingRegistry registry;
    FakeBoxes boxes;
    Reg32Mod reg{registry, boxes};

    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kTests.c_str()); }
    void TearDown() override {
        EXPECT_EQ(registry.openHandles, 0) << "a key handle was left open";
        EXPECT_TRUE(boxes.shown.empty());
        RegDeleteTreeA(HKEY_CURRENT_USER, kTests.c_str());
        RegDeleteTreeA(HKEY_CURRENT_USER,
                       ("Software\\VB and VBA Program Settings\\" + kSettingsApp).c_str());
    }
};

TEST_F(RealRegistry, AnotherProgramsTextReadsWithoutItsTerminator) {
    storeRaw("Terminated", REG_SZ, std::string("C:\\DATA\0", 8));
    storeRaw("Embedded", REG_SZ, std::string("C:\\A\0B\0", 7));
    storeRaw("Unterminated", REG_SZ, "C:\\DATA");
    EXPECT_EQ(reg.GetString(hkey::CurrentUser, kKey, "Terminated"), "C:\\DATA");
    EXPECT_EQ(reg.GetString(hkey::CurrentUser, kKey, "Embedded"), "C:\\A");
    EXPECT_EQ(reg.GetString(hkey::CurrentUser, kKey, "Unterminated"), "C:\\DATA");
}

TEST_F(RealRegistry, UnusableValuesGiveTheEmptyResultAndCreateNothing) {
    storeRaw("Number", REG_DWORD, std::string("\x07\x00\x00\x00", 4));
    storeRaw("Expand", REG_EXPAND_SZ, std::string("%TEMP%\0", 7));
    EXPECT_EQ(reg.GetString(hkey::CurrentUser, kKey, "Number"), std::nullopt);
    EXPECT_EQ(reg.GetString(hkey::CurrentUser, kKey, "Expand"), std::nullopt);
    EXPECT_EQ(reg.GetString(hkey::CurrentUser, kKey, "Missing"), std::nullopt);
    EXPECT_EQ(reg.GetString(hkey::CurrentUser, kKey + "\\Missing", "Value"), std::nullopt);
    EXPECT_FALSE(keyExists(kKey + "\\Missing"));
}

TEST_F(RealRegistry, SaveStringStoresExactlyTheTextAndReadsItBack) {
    const std::string deep = kKey + "\\One\\Two";
    for (const std::string text : {"C:\\DATA", "", " blanks ", "-1", "caf\xE9"}) {
        reg.SaveString(hkey::CurrentUser, deep, "Value", text);
        // The count leaves the NUL out; the system adds the terminator that follows the
        // text, as Windows does, except to the empty text, which keeps zero bytes.
        const DWORD size = text.empty() ? 0 : static_cast<DWORD>(text.size() + 1);
        EXPECT_EQ(asRead(deep, "Value"), (AsRead{REG_SZ, size, text}));
        // The empty text is a value: "" comes back, not the empty result.
        EXPECT_EQ(reg.GetString(hkey::CurrentUser, deep, "Value"), text);
    }
    EXPECT_TRUE(keyExists(kKey + "\\One"));

    reg.SaveKey(hkey::CurrentUser, kKey + "\\Made\\Leaf");
    EXPECT_TRUE(keyExists(kKey + "\\Made\\Leaf"));
}

TEST_F(RealRegistry, DeleteValueRemovesAndCreatesNothing) {
    reg.SaveString(hkey::CurrentUser, kKey, "Value", "x");
    reg.DeleteValue(hkey::CurrentUser, kKey, "Value");
    EXPECT_EQ(asRead(kKey, "Value"), AsRead{});
    reg.DeleteValue(hkey::CurrentUser, kKey + "\\Missing\\Path", "Value");
    EXPECT_FALSE(keyExists(kKey + "\\Missing"));
}

TEST_F(RealRegistry, TheEmptyNameIsTheDefaultValue) {
    reg.SaveString(hkey::CurrentUser, kKey, "", "C:\\TOOLS\\Ostrel -ADD %1");
    char text[64] = {};
    LONG size = sizeof text;
    ASSERT_EQ(RegQueryValueA(HKEY_CURRENT_USER, kKey.c_str(), text, &size), ERROR_SUCCESS);
    EXPECT_STREQ(text, "C:\\TOOLS\\Ostrel -ADD %1");
    EXPECT_EQ(reg.GetString(hkey::CurrentUser, kKey, ""), "C:\\TOOLS\\Ostrel -ADD %1");
    reg.DeleteValue(hkey::CurrentUser, kKey, "");
    EXPECT_EQ(reg.GetString(hkey::CurrentUser, kKey, ""), std::nullopt);
}

TEST_F(RealRegistry, TheSettingsStoreKeepsSectionsUntilDeleted) {
    SettingsStore store{registry};
    store.SaveSetting(kSettingsApp, "Config", "Count", "2");
    store.SaveSetting(kSettingsApp, "Config", "Drives1", "X:\\=>C:\\A");
    store.SaveSetting(kSettingsApp, "main", "FirstTime", "no");
    EXPECT_EQ(store.GetSetting(kSettingsApp, "Config", "Count"), "2");
    EXPECT_EQ(asRead("Software\\VB and VBA Program Settings\\OstrelTests\\Config", "Count"),
              (AsRead{REG_SZ, 2, "2"}));

    store.DeleteSetting(kSettingsApp, "Config");
    EXPECT_FALSE(keyExists("Software\\VB and VBA Program Settings\\OstrelTests\\Config"));
    EXPECT_EQ(store.GetSetting(kSettingsApp, "Config", "Count", "absent"), "absent");
    EXPECT_EQ(store.GetSetting(kSettingsApp, "main", "FirstTime"), "no");
    EXPECT_NO_THROW(store.DeleteSetting(kSettingsApp, "Config"));
}

} // namespace
} // namespace ostrel::test
