// The registry layer, the settings store and the stored layout's conversions.
#include <gtest/gtest.h>

#include <new>

#include "settings/layout.h"
#include "settings/reg32mod.h"
#include "settings/settings_store.h"
#include "support/error_report.h"
#include "support/fakes.h"

namespace ostrel::test {
namespace {

constexpr RegKeyHandle HKCU = hkey::CurrentUser;
const std::string kKey = "Software\\OstrelTests\\Reg32";

struct Reg32Fixture : ::testing::Test {
    FakeRegistry registry;
    FakeBoxes boxes;
    Reg32Mod reg{registry, boxes};

    void TearDown() override {
        EXPECT_EQ(registry.openHandles, 0) << "a key handle was left open";
        EXPECT_TRUE(boxes.shown.empty());
    }
};

TEST_F(Reg32Fixture, UnusableValuesGiveTheEmptyResultAndCreateNothing) {
    registry.put(HKCU, kKey, "Number", regtype::Dword, std::string("\x01\x00\x00\x00", 4));
    registry.put(HKCU, kKey, "Expand", regtype::ExpandSz, std::string("%TEMP%\0", 7));
    registry.put(HKCU, kKey, "Multi", regtype::MultiSz, std::string("a\0b\0\0", 5));
    registry.put(HKCU, kKey, "Binary", regtype::Binary, "abc");
    const auto before = registry.snapshot();

    EXPECT_EQ(reg.GetString(HKCU, kKey, "Number"), std::nullopt);
    EXPECT_EQ(reg.GetString(HKCU, kKey, "Expand"), std::nullopt);
    EXPECT_EQ(reg.GetString(HKCU, kKey, "Multi"), std::nullopt);
    EXPECT_EQ(reg.GetString(HKCU, kKey, "Binary"), std::nullopt);
    EXPECT_EQ(reg.GetString(HKCU, kKey, "Missing"), std::nullopt);
    EXPECT_EQ(reg.GetString(HKCU, kKey + "\\Missing\\Deeper", "Value"), std::nullopt);
    EXPECT_EQ(registry.snapshot(), before);
}

TEST_F(Reg32Fixture, TextIsCutAtItsFirstNul) {
    registry.put(HKCU, kKey, "Plain", regtype::Sz, "C:\\DATA");
    registry.put(HKCU, kKey, "Terminated", regtype::Sz, std::string("C:\\DATA\0", 8));
    registry.put(HKCU, kKey, "Embedded", regtype::Sz, std::string("C:\\A\0B\0", 7));
    registry.put(HKCU, kKey, "OnlyNul", regtype::Sz, std::string("\0", 1));

    EXPECT_EQ(reg.GetString(HKCU, kKey, "Plain"), "C:\\DATA");
    EXPECT_EQ(reg.GetString(HKCU, kKey, "Terminated"), "C:\\DATA");
    EXPECT_EQ(reg.GetString(HKCU, kKey, "Embedded"), "C:\\A");
    EXPECT_EQ(reg.GetString(HKCU, kKey, "OnlyNul"), "");
}

TEST_F(Reg32Fixture, SaveStringStoresExactlyTheTextAndReadsItBack) {
    const std::string texts[] = {"C:\\DATA", "", " blanks ", "caf\xE9 \xA7 \xFF", "-1", "12.5"};
    for (const auto& text : texts) {
        reg.SaveString(HKCU, kKey, "Value", text);
        const auto stored = registry.get(HKCU, kKey, "Value");
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->type, regtype::Sz);
        EXPECT_EQ(stored->bytes, text) << "no terminating NUL is stored";
        // The empty text is a value: "" comes back, not the empty result.
        EXPECT_EQ(reg.GetString(HKCU, kKey, "Value"), text);
    }
}

TEST_F(Reg32Fixture, WritesCreateMissingKeysButDeletesCreateNothing) {
    const std::string deep = kKey + "\\One\\Two\\Three";
    reg.SaveString(HKCU, deep, "Value", "x");
    EXPECT_TRUE(registry.keyExists(HKCU, kKey + "\\One"));
    EXPECT_TRUE(registry.keyExists(HKCU, kKey + "\\One\\Two"));
    EXPECT_EQ(reg.GetString(HKCU, deep, "Value"), "x");

    reg.SaveKey(HKCU, kKey + "\\Other\\Leaf");
    EXPECT_TRUE(registry.keyExists(HKCU, kKey + "\\Other\\Leaf"));
    EXPECT_TRUE(registry.values(HKCU, kKey + "\\Other\\Leaf").empty());

    reg.DeleteValue(HKCU, deep, "Value");
    EXPECT_EQ(registry.get(HKCU, deep, "Value"), std::nullopt);

    const auto before = registry.snapshot();
    reg.DeleteValue(HKCU, kKey + "\\Missing\\Path", "Value");
    reg.DeleteValue(HKCU, deep, "Missing");
    EXPECT_EQ(registry.snapshot(), before);
}

TEST_F(Reg32Fixture, TheEmptyNameIsTheDefaultValue) {
    reg.SaveString(HKCU, kKey, "", "default text");
    EXPECT_EQ(registry.get(HKCU, kKey, "")->bytes, "default text");
    EXPECT_EQ(reg.GetString(HKCU, kKey, ""), "default text");
    EXPECT_EQ(reg.GetString(HKCU, kKey, "Named"), std::nullopt);
    reg.DeleteValue(HKCU, kKey, "");
    EXPECT_EQ(reg.GetString(HKCU, kKey, ""), std::nullopt);
}

TEST_F(Reg32Fixture, RefusedWritesAreNotReported) {
    registry.refusedRoots = {hkey::LocalMachine};
    reg.SaveKey(hkey::LocalMachine, "SOFTWARE\\Ostrel");
    reg.SaveString(hkey::LocalMachine, "SOFTWARE\\Ostrel", "Value", "x");
    reg.DeleteValue(hkey::LocalMachine, "SOFTWARE", "Value");
    EXPECT_FALSE(registry.keyExists(hkey::LocalMachine, "SOFTWARE\\Ostrel"));
}

// A registry that runs out of memory in the middle of a read.
class FailingRegistry : public FakeRegistry {
  public:
    long queryValue(RegKeyHandle key, const std::string& name, std::uint32_t* type, char* data,
                    std::uint32_t* size) override {
        if (data != nullptr) {
            throw std::bad_alloc();
        }
        return FakeRegistry::queryValue(key, name, type, data, size);
    }
};

TEST(Reg32Mod, AnUnexpectedFailureIsReportedAndClosesTheKey) {
    FailingRegistry registry;
    FakeBoxes boxes;
    Reg32Mod reg{registry, boxes};
    registry.putString(HKCU, kKey, "Value", "x");
    EXPECT_EQ(reg.GetString(HKCU, kKey, "Value"), std::nullopt);
    EXPECT_EQ(boxes.reports(), std::vector<std::string>{"Error 7 (Out of memory) in procedure\r\n"
                                                        "(GetString) of (Reg32Mod)."});
    EXPECT_EQ(registry.openHandles, 0);
}

struct SettingsFixture : ::testing::Test {
    FakeRegistry registry;
    SettingsStore store{registry};
    const std::string config = "Software\\VB and VBA Program Settings\\Ostrel\\Config";
    const std::string main = "Software\\VB and VBA Program Settings\\Ostrel\\main";

    void TearDown() override { EXPECT_EQ(registry.openHandles, 0); }
};

TEST_F(SettingsFixture, ReadsWhatEarlierVersionsStored) {
    registry.put(HKCU, config, "Count", regtype::Sz, std::string("2\0", 2));
    registry.put(HKCU, config, "Drives1", regtype::Sz, std::string("X:\\=>C:\\A\0", 10));
    registry.put(HKCU, main, "FirstTime", regtype::Sz, std::string("no\0", 3));
    EXPECT_EQ(store.GetSetting("Ostrel", "Config", "Count"), "2");
    EXPECT_EQ(store.GetSetting("Ostrel", "Config", "Drives1"), "X:\\=>C:\\A");
    EXPECT_EQ(store.GetSetting("Ostrel", "main", "FirstTime"), "no");
}

TEST_F(SettingsFixture, AbsentKeysGiveTheDefault) {
    EXPECT_EQ(store.GetSetting("Ostrel", "Config", "Count"), "");
    EXPECT_EQ(store.GetSetting("Ostrel", "main", "FirstTime", "yes"), "yes");
    registry.putString(HKCU, config, "Restore", "1");
    EXPECT_EQ(store.GetSetting("Ostrel", "Config", "Count", "0"), "0");
    registry.putString(HKCU, config, "Empty", "");
    EXPECT_EQ(store.GetSetting("Ostrel", "Config", "Empty", "default"), "");
    EXPECT_EQ(registry.keyExists(HKCU, main), false) << "a read creates nothing";
}

TEST_F(SettingsFixture, SaveCreatesTheSectionAndReplacesValues) {
    store.SaveSetting("Ostrel", "Config", "Count", "2");
    store.SaveSetting("Ostrel", "Config", "Count", "3");
    EXPECT_EQ(store.GetSetting("Ostrel", "Config", "Count"), "3");
    EXPECT_EQ(registry.get(HKCU, config, "Count")->type, regtype::Sz);
    store.SaveSetting("Ostrel", "Config", "Restore", "");
    EXPECT_EQ(store.GetSetting("Ostrel", "Config", "Restore", "default"), "");
}

TEST_F(SettingsFixture, DeleteRemovesTheWholeSectionOnly) {
    store.SaveSetting("Ostrel", "Config", "Count", "1");
    store.SaveSetting("Ostrel", "Config", "Drives1", "X:\\=>C:\\A");
    store.SaveSetting("Ostrel", "main", "FirstTime", "no");
    registry.putString(HKCU, config + "\\Sub", "Value", "x");

    store.DeleteSetting("Ostrel", "Config");
    EXPECT_FALSE(registry.keyExists(HKCU, config));
    EXPECT_FALSE(registry.keyExists(HKCU, config + "\\Sub"));
    EXPECT_EQ(store.GetSetting("Ostrel", "Config", "Count"), "");
    EXPECT_EQ(store.GetSetting("Ostrel", "main", "FirstTime"), "no");

    EXPECT_NO_THROW(store.DeleteSetting("Ostrel", "Config")) << "already gone is no failure";
}

TEST_F(SettingsFixture, RefusedChangesFail) {
    store.SaveSetting("Ostrel", "Config", "Count", "1");
    registry.refusedRoots = {HKCU};
    try {
        store.SaveSetting("Ostrel", "Config", "Count", "2");
        ADD_FAILURE() << "a refused write passed for success";
    } catch (const ProcedureError& e) {
        EXPECT_EQ(e.number, err::InvalidCall);
    }
    EXPECT_THROW(store.DeleteSetting("Ostrel", "Config"), ProcedureError);
    EXPECT_EQ(store.GetSetting("Ostrel", "Config", "Count"), "1");
}

int overflowNumber(const std::string& text) {
    try {
        layout::storedWholeNumber(text);
    } catch (const ProcedureError& e) {
        return e.number;
    }
    return 0;
}

TEST(Layout, WholeNumbersTakeTheLeadingNumberRoundedToEven) {
    EXPECT_EQ(layout::storedWholeNumber(""), 0);
    EXPECT_EQ(layout::storedWholeNumber("abc"), 0);
    EXPECT_EQ(layout::storedWholeNumber("2"), 2);
    EXPECT_EQ(layout::storedWholeNumber(" 12 drives"), 12);
    EXPECT_EQ(layout::storedWholeNumber("2.5"), 2);
    EXPECT_EQ(layout::storedWholeNumber("3.5"), 4);
    EXPECT_EQ(layout::storedWholeNumber("-2.5"), -2);
    EXPECT_EQ(layout::storedWholeNumber("0.5"), 0);
    EXPECT_EQ(layout::storedWholeNumber("1e3"), 1000);
    EXPECT_EQ(layout::storedWholeNumber("32767"), 32767);
    EXPECT_EQ(layout::storedWholeNumber("-32768"), -32768);
    EXPECT_EQ(layout::storedWholeNumber("32767.4"), 32767);
    EXPECT_EQ(overflowNumber("32767.5"), err::Overflow);
    EXPECT_EQ(overflowNumber("32768"), err::Overflow);
    EXPECT_EQ(overflowNumber("-32769"), err::Overflow);
    EXPECT_EQ(overflowNumber("1e9"), err::Overflow);
}

TEST(Layout, WindowPositionsAreSinglePrecisionOrAbsent) {
    EXPECT_EQ(layout::storedWindowPosition(std::nullopt), std::nullopt);
    EXPECT_EQ(layout::storedWindowPosition(""), std::nullopt);
    EXPECT_EQ(layout::storedWindowPosition("left"), std::nullopt);
    EXPECT_EQ(layout::storedWindowPosition("120px"), std::nullopt);
    EXPECT_EQ(layout::storedWindowPosition("1e39"), std::nullopt);
    EXPECT_EQ(layout::storedWindowPosition("1200"), 1200.0f);
    EXPECT_EQ(layout::storedWindowPosition(" -345 "), -345.0f);
    EXPECT_EQ(layout::storedWindowPosition("0.1"), 0.1f);
    EXPECT_EQ(layout::storedWindowPosition("16777217"), 16777216.0f);
}

TEST(Layout, DriveIndexIsSixteenBitOrAbsent) {
    EXPECT_EQ(layout::storedDriveIndex(std::nullopt), std::nullopt);
    EXPECT_EQ(layout::storedDriveIndex(""), std::nullopt);
    EXPECT_EQ(layout::storedDriveIndex("first"), std::nullopt);
    EXPECT_EQ(layout::storedDriveIndex("40000"), std::nullopt);
    EXPECT_EQ(layout::storedDriveIndex("-1"), -1);
    EXPECT_EQ(layout::storedDriveIndex("3"), 3);
    EXPECT_EQ(layout::storedDriveIndex("2.5"), 2);
    EXPECT_EQ(layout::storedDriveIndex("3.5"), 4);
}

TEST(Layout, FirstRunIsAskedForYesOrNothing) {
    EXPECT_TRUE(layout::isFirstRun(""));
    EXPECT_TRUE(layout::isFirstRun("yes"));
    EXPECT_FALSE(layout::isFirstRun("no"));
    EXPECT_FALSE(layout::isFirstRun("YES"));
    EXPECT_FALSE(layout::isFirstRun("yes "));
}

TEST(Layout, SavedEntriesSplitIntoDriveAndFolder) {
    const auto plain = layout::splitSavedEntry(layout::savedEntry("X:\\", "C:\\DATA"));
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->drive, "X:");
    EXPECT_EQ(plain->folder, "C:\\DATA");

    const auto third = layout::splitSavedEntry("X:\\=>C:\\A=>B");
    ASSERT_TRUE(third);
    EXPECT_EQ(third->folder, "C:\\A");

    const auto blanks = layout::splitSavedEntry("Y:\\=> C:\\My Data ");
    ASSERT_TRUE(blanks);
    EXPECT_EQ(blanks->folder, " C:\\My Data ");

    const auto shortDrive = layout::splitSavedEntry("X=>C:\\A");
    ASSERT_TRUE(shortDrive);
    EXPECT_EQ(shortDrive->drive, "X");

    const auto emptyFolder = layout::splitSavedEntry("X:\\=>");
    ASSERT_TRUE(emptyFolder);
    EXPECT_EQ(emptyFolder->folder, "");

    EXPECT_EQ(layout::splitSavedEntry(""), std::nullopt);
    EXPECT_EQ(layout::splitSavedEntry("X:\\C:\\DATA"), std::nullopt);
    EXPECT_EQ(layout::splitSavedEntry("X:\\=C:\\DATA"), std::nullopt);
}

TEST(Layout, CommandsNameTheProgramAndQuoteAPathWithBlanks) {
    EXPECT_EQ(layout::startupCommand("C:\\TOOLS", "Ostrel"), "C:\\TOOLS\\Ostrel.exe -r");
    EXPECT_EQ(layout::startupCommand("C:\\TOOLS\\", "Ostrel"), "C:\\TOOLS\\Ostrel.exe -r");
    EXPECT_EQ(layout::startupCommand("C:\\", "Ostrel"), "C:\\Ostrel.exe -r");
    EXPECT_EQ(layout::startupCommand("C:\\Program Files\\Ostrel", "Ostrel"),
              "\"C:\\Program Files\\Ostrel\\Ostrel.exe\" -r");
    EXPECT_EQ(layout::startupCommand("C:\\TOOLS", "My Ostrel"), "\"C:\\TOOLS\\My Ostrel.exe\" -r");

    EXPECT_EQ(layout::verbCommand("C:\\TOOLS", "Ostrel"), "C:\\TOOLS\\Ostrel -ADD %1");
    EXPECT_EQ(layout::verbCommand("C:\\", "Ostrel"), "C:\\Ostrel -ADD %1");
    EXPECT_EQ(layout::verbCommand("C:\\Program Files\\Ostrel", "Ostrel"),
              "\"C:\\Program Files\\Ostrel\\Ostrel\" -ADD %1");
}

} // namespace
} // namespace ostrel::test
