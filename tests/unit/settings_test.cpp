// The registry layer's report and the stored layout's conversions.
#include <gtest/gtest.h>

#include "fakes/dialogs.h"
#include "fakes/program.h"
#include "fakes/registry.h"
#include "settings/integration.h"
#include "settings/layout.h"
#include "settings/reg32mod.h"
#include "support/procedure_error.h"

namespace ostrel::test {
namespace {

const std::string kVerb = "Folder\\shell\\Create Virtual Drive";
const std::string kUserVerb = "Software\\Classes\\" + kVerb;

TEST(Layout, StoredNumbersTakeTheLeadingNumberRoundedToEvenWithinTheirRange) {
    const std::pair<const char*, int> whole[] = {
        {"", 0},       {"abc", 0},       {"2", 2},           {" 12 drives", 12},
        {"2.5", 2},    {"3.5", 4},       {"-2.5", -2},       {"0.5", 0},
        {"1e3", 1000}, {"32767", 32767}, {"-32768", -32768}, {"32767.4", 32767},
        {"&h1A", 26},  {"&hFFFF", -1},   {"&o17", 15},       {"1d2", 100},
        {"2x3", 2},    {"1e", 1},        {"1e+2", 100},      {"250E-2", 2}};
    for (const auto& [text, value] : whole) {
        EXPECT_EQ(layout::storedWholeNumber(text), value) << text;
    }
    for (const char* text : {"32767.5", "32768", "-32769", "1e9", "1e999"}) {
        try {
            layout::storedWholeNumber(text);
            ADD_FAILURE() << text << " fits 16 bits";
        } catch (const ProcedureError& e) {
            EXPECT_EQ(e.number, err::Overflow) << text;
        }
    }
    // A letter position that is no 16-bit number counts as absent ({}).
    const std::pair<const char*, std::optional<int>> index[] = {
        {"", {}},   {"first", {}}, {"40000", {}}, {"-1", -1},
        {"2.5", 2}, {"3.5", 4},    {"1e2x", {}},  {"1e", {}}};
    for (const auto& [text, value] : index) {
        EXPECT_EQ(layout::storedDriveIndex(text), value) << text;
    }
    EXPECT_EQ(layout::storedDriveIndex(std::nullopt), std::nullopt);
    // Window positions are single precision, or absent unless a number as a whole.
    const std::pair<const char*, std::optional<float>> position[] = {
        {" ", {}},           {"120px", {}}, {"1e39", {}},
        {" -345 ", -345.0f}, {"0.1", 0.1f}, {"16777217", 16777216.0f}};
    for (const auto& [text, value] : position) {
        EXPECT_EQ(layout::storedWindowPosition(text), value) << text;
    }
    EXPECT_EQ(layout::storedWindowPosition(std::nullopt), std::nullopt);
    // "FirstTime" as a program before the question stored it.
    EXPECT_TRUE(layout::isFirstRun("yes"));
}

TEST(FolderVerb, IsRegisteredForEveryoneOrElseForTheUser) {
    struct {
        FakeRegistry registry;
        FakeBoxes boxes;
        FakeProgram program;
    } rig;
    Reg32Mod reg{rig.registry, rig.boxes};
    RegisterFolderVerb(reg, rig.program);
    EXPECT_TRUE(rig.registry.values(hkey::ClassesRoot, kVerb).empty())
        << "no value on the verb key: Explorer shows its name";
    EXPECT_EQ(rig.registry.values(hkey::ClassesRoot, kVerb + "\\command"),
              (FakeRegistry::Values{{"", sz("C:\\TOOLS\\Ostrel -ADD %1")}}));
    EXPECT_FALSE(rig.registry.keyExists(hkey::CurrentUser, kUserVerb));

    // A standard user, under whom a stale machine-wide command cannot be replaced.
    rig.registry.putString(hkey::ClassesRoot, kVerb + "\\command", "", "C:\\OLD\\Ostrel -ADD %1");
    rig.registry.refusedRoots = {hkey::ClassesRoot};
    rig.program.folderPath = "C:\\Program Files\\Ostrel";
    RegisterFolderVerb(reg, rig.program);
    EXPECT_TRUE(rig.registry.values(hkey::CurrentUser, kUserVerb).empty());
    EXPECT_EQ(rig.registry.get(hkey::CurrentUser, kUserVerb + "\\command", ""),
              sz("\"C:\\Program Files\\Ostrel\\Ostrel\" -ADD %1"));
    EXPECT_TRUE(rig.boxes.shown.empty());
}

} // namespace
} // namespace ostrel::test
