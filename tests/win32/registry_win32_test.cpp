// The registry layer against Wine's real registry, for what only the system shows: the
// bytes it stores and hands back, under a key of the tests' own that each test removes.
// What the layer makes of those bytes is the unit tests' (through the fake registry).
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/registry_win32.h"
#include "settings/reg32mod.h"
#include "settings/settings_store.h"
#include "support/fakes.h"

namespace ostrel::test {
namespace {

const std::string kKey = "Software\\OstrelTests";

bool keyExists(const std::string& path) {
    HKEY key = nullptr;
    const LSTATUS opened = RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
    RegCloseKey(key);
    return opened == ERROR_SUCCESS;
}

// A value as another program stores it, byte for byte.
void storeRaw(const std::string& name, DWORD type, const std::string& bytes) {
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kKey.c_str(), name.c_str(), type, bytes.data(),
                              static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
}

// A text value as another program reads it: its data size and its text up to the first
// NUL; size 0 when it is absent.
std::pair<DWORD, std::string> asRead(const std::string& path, const std::string& name) {
    char data[256] = {};
    DWORD size = sizeof data - 1;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS ||
        RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data),
                         &size) != ERROR_SUCCESS) {
        size = 0;
    }
    RegCloseKey(key);
    return {size, data};
}

struct RealRegistry : ::testing::Test {
    Win32Registry registry;
    FakeBoxes boxes;
    Reg32Mod reg{registry, boxes};

    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kKey.c_str()); }
    void TearDown() override {
        EXPECT_TRUE(boxes.shown.empty());
        RegDeleteTreeA(HKEY_CURRENT_USER, kKey.c_str());
    }
};

TEST_F(RealRegistry, TextsGetTheSystemsTerminatorExceptTheEmptyOneAndKeysGoWhole) {
    const std::string deep = kKey + "\\One\\Two";
    // The empty name is the key's default value, as other programs read it.
    for (const auto& [name, text] : {std::pair<std::string, std::string>{"Value", "C:\\DATA"},
                                     {"Value", ""},
                                     {"Value", "caf\xE9"},
                                     {"", "C:\\TOOLS\\Ostrel -ADD %1"}}) {
        reg.SaveString(hkey::CurrentUser, deep, name, text);
        EXPECT_EQ(asRead(deep, name),
                  std::make_pair(text.empty() ? DWORD{0} : DWORD(text.size() + 1), text));
        EXPECT_EQ(reg.GetString(hkey::CurrentUser, deep, name), text);
    }
    // Another program's text stored without its NUL reads whole.
    storeRaw("Unterminated", REG_SZ, "C:\\DATA");
    EXPECT_EQ(reg.GetString(hkey::CurrentUser, kKey, "Unterminated"), "C:\\DATA");
    reg.DeleteValue(hkey::CurrentUser, kKey + "\\Missing\\Path", "Value");
    EXPECT_FALSE(keyExists(kKey + "\\Missing"));
    // A key goes with its subkeys; a settings section that is not there is no failure.
    reg.DeleteKey(hkey::CurrentUser, kKey + "\\One");
    EXPECT_FALSE(keyExists(kKey + "\\One"));
    EXPECT_NO_THROW(SettingsStore{registry}.DeleteSetting("OstrelTests", "Missing"));
}

} // namespace
} // namespace ostrel::test
