// The drive engine: command lines, the listing, free letters, create and delete.
#include <gtest/gtest.h>

#include "support/fakes.h"

namespace ostrel::test {
namespace {

TEST(Smoke, RefreshListsSubstitutions) {
    Rig rig;
    rig.loaded();
    rig.substitute('X', "C:\\DATA");
    rig.form.DoUpdate();
    ASSERT_EQ(rig.view.rows.size(), 1u);
    EXPECT_EQ(rig.view.rows[0].text, "X:\\");
    EXPECT_EQ(rig.view.rows[0].subItem, "C:\\DATA");
    EXPECT_TRUE(rig.boxes.shown.empty());
}

} // namespace
} // namespace ostrel::test
