// Explorer's folder verb, registered on the first run.
#include <gtest/gtest.h>

#include "settings/integration.h"
#include "settings/reg32mod.h"
#include "support/fakes.h"

namespace ostrel::test {
namespace {

const std::string kVerb = "Folder\\shell\\Create Virtual Drive";
const std::string kCommand = kVerb + "\\command";
const std::string kUserVerb = "Software\\Classes\\" + kVerb;
const std::string kUserCommand = "Software\\Classes\\" + kCommand;

struct VerbFixture : ::testing::Test {
    FakeRegistry registry;
    FakeBoxes boxes;
    FakeProgram program;
    Reg32Mod reg{registry, boxes};

    void TearDown() override {
        EXPECT_TRUE(boxes.shown.empty());
        EXPECT_EQ(registry.openHandles, 0);
    }
};

TEST_F(VerbFixture, RegistersTheVerbAndItsCommand) {
    RegisterFolderVerb(reg, program);
    EXPECT_TRUE(registry.keyExists(hkey::ClassesRoot, kVerb));
    EXPECT_TRUE(registry.values(hkey::ClassesRoot, kVerb).empty())
        << "no value on the verb key: Explorer shows its name";
    const auto command = registry.values(hkey::ClassesRoot, kCommand);
    ASSERT_EQ(command.size(), 1u);
    EXPECT_EQ(command.at(""), (FakeRegistry::Value{regtype::Sz, "C:\\TOOLS\\Ostrel -ADD %1"}));
    EXPECT_FALSE(registry.keyExists(hkey::CurrentUser, kUserVerb));
}

TEST_F(VerbFixture, QuotesAProgramPathWithBlanks) {
    program.folderPath = "C:\\Program Files\\Ostrel";
    RegisterFolderVerb(reg, program);
    EXPECT_EQ(registry.get(hkey::ClassesRoot, kCommand, "")->bytes,
              "\"C:\\Program Files\\Ostrel\\Ostrel\" -ADD %1");
}

TEST_F(VerbFixture, AStandardUserGetsTheVerbUnderTheirOwnClasses) {
    registry.refusedRoots = {hkey::ClassesRoot};
    RegisterFolderVerb(reg, program);
    EXPECT_FALSE(registry.keyExists(hkey::ClassesRoot, kVerb));
    EXPECT_TRUE(registry.values(hkey::CurrentUser, kUserVerb).empty());
    EXPECT_EQ(registry.get(hkey::CurrentUser, kUserCommand, ""),
              (FakeRegistry::Value{regtype::Sz, "C:\\TOOLS\\Ostrel -ADD %1"}));
}

TEST_F(VerbFixture, AStaleCommandThatCannotBeReplacedIsOverriddenPerUser) {
    registry.putString(hkey::ClassesRoot, kCommand, "", "C:\\OLD\\Ostrel -ADD %1");
    registry.refusedRoots = {hkey::ClassesRoot};
    RegisterFolderVerb(reg, program);
    EXPECT_EQ(registry.get(hkey::CurrentUser, kUserCommand, "")->bytes,
              "C:\\TOOLS\\Ostrel -ADD %1");
}

} // namespace
} // namespace ostrel::test
