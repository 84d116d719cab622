// The registry layer, the settings store and the stored layout's conversions.
#include <gtest/gtest.h>

#include <new>

#include "settings/layout.h"
#include "settings/reg32mod.h"
#include "support/error_report.h"
#include "support/fakes.h"

namespace ostrel::test {
namespace {

constexpr RegKeyHandle HKCU = hkey::CurrentUser;
const std::string kKey = "Software\\OstrelTests\\Reg32";

struct Reg32 : ::testing::Test {
    FakeRegistry registry;
    FakeBoxes boxes;
    Reg32Mod reg{registry, boxes};

    void TearDown() override {
        EXPECT_EQ(registry.openHandles, 0) << "a key handle was left open";
        EXPECT_TRUE(boxes.shown.empty());
    }
};

TEST_F(Reg32, GetStringGivesTextUpToItsFirstNulAndNothingElseAndCreatesNothing) {
    const std::tuple<const char*, std::uint32_t, std::string, std::optional<std::string>> cases[] =
        {
            {"Plain", regtype::Sz, "C:\\DATA", "C:\\DATA"},
            {"Terminated", regtype::Sz, std::string("C:\\DATA\0", 8), "C:\\DATA"},
            {"Embedded", regtype::Sz, std::string("C:\\A\0B\0", 7), "C:\\A"},
            {"OnlyNul", regtype::Sz, std::string("\0", 1), ""},
            {"Number", regtype::Dword, std::string("\x01\x00\x00\x00", 4), std::nullopt},
            {"Expand", regtype::ExpandSz, std::string("%TEMP%\0", 7), std::nullopt},
        };
    for (const auto& [name, type, bytes, read] : cases) {
        registry.put(HKCU, kKey, name, type, bytes);
        EXPECT_EQ(reg.GetString(HKCU, kKey, name), read) << name;
    }
    EXPECT_EQ(reg.GetString(HKCU, kKey, "Missing"), std::nullopt);
    EXPECT_EQ(reg.GetString(HKCU, kKey + "\\Missing\\Deeper", "Value"), std::nullopt);
    EXPECT_FALSE(registry.keyExists(HKCU, kKey + "\\Missing"));
}

TEST_F(Reg32, WritesStoreExactlyTheTextAndCreateKeysButDeletesCreateNothing) {
    const std::string deep = kKey + "\\One\\Two";
    for (const std::string text : {"C:\\DATA", "", " blanks ", "caf\xE9 \xA7 \xFF"}) {
        reg.SaveString(HKCU, deep, "Value", text);
        EXPECT_EQ(registry.get(HKCU, deep, "Value"), (FakeRegistry::Value{regtype::Sz, text}))
            << "no terminating NUL is stored";
        // The empty text is a value: "" comes back, not the empty result.
        EXPECT_EQ(reg.GetString(HKCU, deep, "Value"), text);
    }
    EXPECT_TRUE(registry.keyExists(HKCU, kKey + "\\One"));
    reg.SaveKey(HKCU, kKey + "\\Other\\Leaf");
    EXPECT_TRUE(registry.keyExists(HKCU, kKey + "\\Other\\Leaf"));

    // The empty name is the key's default value.
    reg.SaveString(HKCU, kKey, "", "default text");
    EXPECT_EQ(registry.get(HKCU, kKey, "")->bytes, "default text");
    EXPECT_EQ(reg.GetString(HKCU, kKey, ""), "default text");
    reg.DeleteValue(HKCU, kKey, "");
    EXPECT_EQ(reg.GetString(HKCU, kKey, ""), std::nullopt);

    reg.DeleteValue(HKCU, deep, "Value");
    EXPECT_EQ(registry.get(HKCU, deep, "Value"), std::nullopt);
    const auto before = registry.snapshot();
    reg.DeleteValue(HKCU, kKey + "\\Missing\\Path", "Value");
    EXPECT_EQ(registry.snapshot(), before);

    // A refused write is not reported: the callers read back what they need.
    registry.refusedRoots = {hkey::LocalMachine};
    reg.SaveString(hkey::LocalMachine, "SOFTWARE\\Ostrel", "Value", "x");
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

TEST(Layout, StoredNumbersTakeTheLeadingNumberRoundedToEvenWithinTheirRange) {
    const std::pair<const char*, int> whole[] = {
        {"", 0},       {"abc", 0},       {"2", 2},           {" 12 drives", 12},
        {"2.5", 2},    {"3.5", 4},       {"-2.5", -2},       {"0.5", 0},
        {"1e3", 1000}, {"32767", 32767}, {"-32768", -32768}, {"32767.4", 32767}};
    for (const auto& [text, value] : whole) {
        EXPECT_EQ(layout::storedWholeNumber(text), value) << text;
    }
    for (const char* text : {"32767.5", "32768", "-32769", "1e9"}) {
        try {
            layout::storedWholeNumber(text);
            ADD_FAILURE() << text << " fits 16 bits";
        } catch (const ProcedureError& e) {
            EXPECT_EQ(e.number, err::Overflow) << text;
        }
    }
    // A letter position that is no 16-bit number counts as absent ({}).
    const std::pair<const char*, std::optional<int>> index[] = {
        {"", {}}, {"first", {}}, {"40000", {}}, {"-1", -1}, {"2.5", 2}, {"3.5", 4}};
    for (const auto& [text, value] : index) {
        EXPECT_EQ(layout::storedDriveIndex(text), value) << text;
    }
    EXPECT_EQ(layout::storedDriveIndex(std::nullopt), std::nullopt);
    // Window positions are single precision, or absent unless a number as a whole.
    const std::pair<const char*, std::optional<float>> position[] = {
        {"", {}},      {"120px", {}},
        {"1e39", {}},  {" -345 ", -345.0f},
        {"0.1", 0.1f}, {"16777217", 16777216.0f}};
    for (const auto& [text, value] : position) {
        EXPECT_EQ(layout::storedWindowPosition(text), value) << text;
    }
    EXPECT_EQ(layout::storedWindowPosition(std::nullopt), std::nullopt);
}

TEST(Layout, FirstRunIsAskedForYesOrNothing) {
    EXPECT_TRUE(layout::isFirstRun(""));
    EXPECT_TRUE(layout::isFirstRun("yes"));
    EXPECT_FALSE(layout::isFirstRun("no"));
    EXPECT_FALSE(layout::isFirstRun("YES"));
    EXPECT_FALSE(layout::isFirstRun("yes "));
}

// Paths with blanks and the plain folder are checked where the check box and the folder
// verb write them; here the root and a program name with a blank.
TEST(Layout, CommandsNameTheProgramWithOneBackslashAndQuoteItWhenItHoldsABlank) {
    EXPECT_EQ(layout::startupCommand("C:\\", "Ostrel"), "C:\\Ostrel.exe -r");
    EXPECT_EQ(layout::verbCommand("C:\\", "Ostrel"), "C:\\Ostrel -ADD %1");
    EXPECT_EQ(layout::startupCommand("C:\\TOOLS", "My Ostrel"), "\"C:\\TOOLS\\My Ostrel.exe\" -r");
    EXPECT_EQ(layout::verbCommand("C:\\TOOLS", "My Ostrel"), "\"C:\\TOOLS\\My Ostrel\" -ADD %1");
}

} // namespace
} // namespace ostrel::test
