#include "model/element_table.h"

#include "support/test_model_host.h"

#include <gtest/gtest.h>

namespace {

TEST(ElementTable, BuiltInTableHasTheElectronAndTheElements) {
    ScopedTestModelHost host;
    const ElementTable& table = host.GetElementTable();
    ASSERT_EQ(table.GetCount(), 104);
    EXPECT_EQ(table[0].GetSymbol(), "e");
    EXPECT_EQ(table[103].GetSymbol(), "Lr");
    EXPECT_FALSE(table.IsModified());
}

} // namespace
