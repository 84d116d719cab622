// The registry layer against Wine's real registry, for what only the system shows: the
// bytes it stores and hands back, under a key of the tests' own that each test removes.
// What the layer makes of those bytes is the unit tests' (through the fake registry).
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/registry_win32.h"
#include "platform/win32/wide_win32.h"
#include "settings/layout.h"
#include "settings/reg32mod.h"
#include "settings/settings_store.h"
#include "fakes/dialogs.h"

namespace ostrel::test {
namespace {

const std::string kKey = "Software\\OstrelTests";
const std::string kSection = layout::settingsSectionKey("OstrelTests", "Config");

bool keyExists(const std::string& path) {
    HKEY key = nullptr;
    const LSTATUS opened = RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
    RegCloseKey(key);
    return opened == ERROR_SUCCESS;
}

// A value as an ANSI program stores it (the earlier versions of this one did), its text
// in the ANSI code page, byte for byte.
void storeAnsi(const std::string& path, const std::string& name, const std::string& bytes) {
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, path.c_str(), name.c_str(), REG_SZ, bytes.data(),
                              static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
}

// A text value as another program reads it: its text up to the first NUL, and whether it
// has any data; nothing when it is absent.
std::optional<std::pair<std::string, bool>> asRead(const std::string& path,
                                                   const std::string& name) {
    wchar_t data[256] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    HKEY key = nullptr;
    const bool read =
        RegOpenKeyExW(HKEY_CURRENT_USER, wide(path).c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS &&
        RegQueryValueExW(key, wide(name).c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data),
                         &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return read ? std::optional(std::pair(narrow(data), size > 0)) : std::nullopt;
}

struct RealRegistry : ::testing::Test {
    Win32Registry registry;
    FakeBoxes boxes;
    Reg32Mod reg{registry, boxes};

    void SetUp() override { TearDown(); }
    void TearDown() override {
        EXPECT_TRUE(boxes.shown.empty());
        for (const std::string& key : {kKey, kSection}) {
            RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
        }
    }
};

// Texts in any script, under any key and value name, as other programs read them; the
// empty text stays without data.
TEST_F(RealRegistry, TextsHoldTheirRealCharactersAndKeysGoWhole) {
    const std::string deep = kKey + "\\Один\\Two";
    // The empty name is the key's default value, as other programs read it.
    for (const auto& [name, text] : {std::pair<std::string, std::string>{"Value", "C:\\DATA"},
                                     {"Value", ""},
                                     {"Значение", "C:\\Моя папка\\Σοφίας\\テスト\\📁 €"},
                                     {"", "\"C:\\Users\\Jürgen\\Ostrel\" -ADD %1"}}) {
        reg.SaveString(hkey::CurrentUser, deep, name, text);
        EXPECT_EQ(asRead(deep, name), std::pair(text, !text.empty()));
        EXPECT_EQ(reg.GetString(hkey::CurrentUser, deep, name), text);
    }
    reg.DeleteValue(hkey::CurrentUser, kKey + "\\Missing\\Path", "Value");
    EXPECT_FALSE(keyExists(kKey + "\\Missing"));
    // A key goes with its subkeys; a settings section that is not there is no failure.
    reg.DeleteKey(hkey::CurrentUser, kKey + "\\Один");
    EXPECT_FALSE(asRead(deep, ""));
    EXPECT_NO_THROW(SettingsStore{registry}.DeleteSetting("OstrelTests", "Missing"));
}

// The values an earlier, ANSI version of the program stored (a saved drive set with its
// terminator, a path without one, in the Western code page) read back as the same text,
// and are written back with the same characters.
TEST_F(RealRegistry, ValuesAnAnsiVersionStoredReadBackUnchanged) {
    storeAnsi(kSection, "Drives1", std::string("X:\\=>C:\\CAF\xC9 CR\xC8ME\0", 19));
    storeAnsi(kKey, "PathName", "C:\\\x80 PREIS \x93\x9C\x94"); // € “œ”
    SettingsStore settings{registry};
    const std::string drive = settings.GetSetting("OstrelTests", "Config", "Drives1");
    const auto path = reg.GetString(hkey::CurrentUser, kKey, "PathName");
    EXPECT_EQ(drive, "X:\\=>C:\\CAFÉ CRÈME");
    EXPECT_EQ(path, "C:\\€ PREIS “œ”");
    settings.SaveSetting("OstrelTests", "Config", "Drives1", drive);
    reg.SaveString(hkey::CurrentUser, kKey, "PathName", *path);
    EXPECT_EQ(asRead(kSection, "Drives1"), std::pair(drive, true));
    EXPECT_EQ(asRead(kKey, "PathName"), std::pair(*path, true));
}

} // namespace
} // namespace ostrel::test
