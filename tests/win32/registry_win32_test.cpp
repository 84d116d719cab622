// The registry layer against Wine's real registry, for what only the system shows: the
// bytes an earlier, ANSI version stored, under keys of the test's own that it removes. What the
// layer makes of the bytes it stores is the unit tests' (through the fake registry); texts in other
// scripts through the real registry are the end-to-end test's, and the removal of keys and values
// the install test's.
#include <windows.h>

#include <gtest/gtest.h>

#include "fakes/dialogs.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/wide_win32.h"
#include "settings/layout.h"
#include "settings/reg32mod.h"
#include "settings/settings_store.h"

namespace ostrel::test {
namespace {

const std::string kKey = "Software\\OstrelTests";
const std::string kSection = layout::settingsSectionKey("OstrelTests", "Config");

// A value as an ANSI program stores it (the earlier versions of this one did), its text
// in the ANSI code page, byte for byte.
void storeAnsi(const std::string& path, const std::string& name, const std::string& bytes) {
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, path.c_str(), name.c_str(), REG_SZ, bytes.data(),
                              static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
}

// A text value as another program reads it; nothing when it is absent.
std::optional<std::string> asRead(const std::string& path, const std::string& name) {
    wchar_t data[256] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    return RegGetValueW(HKEY_CURRENT_USER, wide(path).c_str(), wide(name).c_str(), RRF_RT_REG_SZ,
                        nullptr, data, &size) == ERROR_SUCCESS
               ? std::optional(narrow(data))
               : std::nullopt;
}

// The values an earlier, ANSI version of the program stored (a saved drive set with its
// terminator, a path without one, in the Western code page) read back as the same text,
// and are written back with the same characters.
TEST(RealRegistry, ValuesAnAnsiVersionStoredReadBackUnchanged) {
    Win32Registry registry;
    FakeBoxes boxes;
    Reg32Mod reg{registry, boxes};
    SettingsStore settings{registry};
    storeAnsi(kSection, "Drives1", std::string("X:\\=>C:\\CAF\xC9 CR\xC8ME\0", 19));
    storeAnsi(kKey, "PathName", "C:\\\x80 PREIS \x93\x9C\x94"); // € “œ”
    const std::string drive = settings.GetSetting("OstrelTests", "Config", "Drives1");
    const auto path = reg.GetString(hkey::CurrentUser, kKey, "PathName");
    EXPECT_EQ(drive, "X:\\=>C:\\CAFÉ CRÈME");
    EXPECT_EQ(path, "C:\\€ PREIS “œ”");
    settings.SaveSetting("OstrelTests", "Config", "Drives1", drive);
    reg.SaveString(hkey::CurrentUser, kKey, "PathName", *path);
    EXPECT_EQ(asRead(kSection, "Drives1"), drive);
    EXPECT_EQ(asRead(kKey, "PathName"), *path);
    EXPECT_TRUE(boxes.shown.empty());
    for (const std::string& key : {kKey, kSection}) {
        RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
    }
}

} // namespace
} // namespace ostrel::test
