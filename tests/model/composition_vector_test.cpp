#include "model/composition_vector.h"

#include "model/formula_stack.h"
#include "model/molar_mass.h"
#include "support/test_model_host.h"

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>

namespace {

CompositionVector Vector(std::initializer_list<int> counts) {
    CompositionVector v(static_cast<int>(counts.size()));
    int i = 0;
    for (int n : counts)
        v.Set(i++, n);
    return v;
}

TEST(CompositionVector, DefaultVectorHasOneSlotMoreThanTheTable) {
    ScopedTestModelHost host;
    CompositionVector v;
    EXPECT_EQ(v.GetSize(), 105);
    EXPECT_EQ(v.CountNonZero(false), 0);
    host.GetElementTable().AddElement("Cit", "", "", 189.1, 1);
    EXPECT_EQ(CompositionVector().GetSize(), 106);
}

TEST(CompositionVector, ChargeCountsAndCompares) {
    const CompositionVector charge = Vector({2, 0, 0});
    EXPECT_EQ(charge.CountNonZero(false), 1);
    EXPECT_EQ(charge.CountNonZero(true), 0);
    EXPECT_NE(Vector({1, 2, 0}), Vector({-1, 2, 0}));
    EXPECT_EQ(Vector({1, 2, 0}), Vector({1, 2, 0}));
    EXPECT_EQ(CompositionVector(0), CompositionVector(0));
    EXPECT_EQ(CompositionVector(0).CountNonZero(true), 0);
}

TEST(CompositionVector, ArithmeticEntryByEntry) {
    CompositionVector a = Vector({1, 2, 3, 0});
    const CompositionVector b = Vector({-1, 1, 0, 5});
    a += b;
    EXPECT_EQ(a, Vector({0, 3, 3, 5}));
    a -= b;
    EXPECT_EQ(a, Vector({1, 2, 3, 0}));
    a.MultiplyElementwise(Vector({3, 3, 3, 3}));
    EXPECT_EQ(a, Vector({3, 6, 9, 0}));
    EXPECT_EQ(CompositionVector::Sum(a, b), Vector({2, 7, 9, 5}));
    EXPECT_EQ(CompositionVector::Scale(-2, b), Vector({2, -2, 0, -10}));
    a.Clear();
    EXPECT_EQ(a, CompositionVector(4));
}

TEST(CompositionVector, CountsWrapInsteadOfOverflowing) {
    CompositionVector a = Vector({0, INT_MAX});
    a += Vector({0, 1});
    EXPECT_EQ(a[1], INT_MIN);
    a.MultiplyElementwise(Vector({0, -1}));
    EXPECT_EQ(a[1], INT_MIN);
    EXPECT_EQ(CompositionVector::Scale(2, Vector({0, INT_MAX}))[1], -2);
    a -= Vector({0, 1});
    EXPECT_EQ(a[1], INT_MAX);
}

// A vector made before the element table grew is shorter; its missing slots count as 0.
TEST(CompositionVector, VectorsOfDifferentSizesMeetSafely) {
    const CompositionVector old = Vector({1, 2});
    const CompositionVector current = Vector({1, 2, 0, 4});

    EXPECT_EQ(old[3], 0);
    EXPECT_EQ(old[-1], 0);
    EXPECT_EQ(old[1000], 0);
    EXPECT_NE(old, current);
    EXPECT_NE(current, old);
    EXPECT_EQ(old, Vector({1, 2, 0, 0}));
    EXPECT_EQ(Vector({1, 2, 0, 0}), old);

    CompositionVector grown = old;
    grown += current;
    EXPECT_EQ(grown, Vector({2, 4, 0, 4}));
    CompositionVector shrunk = current;
    shrunk -= old;
    EXPECT_EQ(shrunk, Vector({0, 0, 0, 4}));
    CompositionVector product = current;
    product.MultiplyElementwise(old);
    EXPECT_EQ(product, Vector({1, 4, 0, 0}));
    CompositionVector shortProduct = old;
    shortProduct.MultiplyElementwise(current);
    EXPECT_EQ(shortProduct, Vector({1, 4}));

    EXPECT_EQ(CompositionVector::Sum(old, current), Vector({2, 4, 0, 4}));
    EXPECT_EQ(CompositionVector::Sum(current, old), Vector({2, 4, 0, 4}));

    CompositionVector set = old;
    set.Set(5, 7);
    EXPECT_EQ(set.GetSize(), 6);
    EXPECT_EQ(set, Vector({1, 2, 0, 0, 0, 7}));
    EXPECT_THROW(set.Set(-1, 1), std::out_of_range);
}

TEST(MolarMass, SumsCountsTimesMassesOfTheTable) {
    ScopedTestModelHost host;
    CompositionVector water;
    water.Set(1, 2);
    water.Set(8, 1);
    EXPECT_DOUBLE_EQ(GetMolarMassOf(water), 2 * 1.00794 + 15.9994);
    // The charge adds nothing, and the last slot has no row.
    water.Set(0, -2);
    water.Set(104, 9);
    EXPECT_DOUBLE_EQ(GetMolarMassOf(water), 2 * 1.00794 + 15.9994);
    // A short vector, and a table that grew after it was made.
    host.GetElementTable().AddElement("Cit", "", "", 189.1, 1);
    EXPECT_DOUBLE_EQ(GetMolarMassOf(Vector({0, 0, 0, 0, 0, 0, 1})), 12.0107);
    EXPECT_DOUBLE_EQ(GetMolarMassOf(CompositionVector(0)), 0.0);
}

class FormulaStackTest : public ::testing::Test {
protected:
    ScopedTestModelHost host;
};

TEST_F(FormulaStackTest, MultiplierScalesAGroupWithItsCharge) {
    // (SO4)2^2- read as: S, O×4, add, charge -2, add, then ×2.
    FormulaStack stack;
    stack.PushAtom(16, 1);
    stack.PushAtom(8, 1);
    stack.PushMultiplier(4);
    stack.PopMultiply();
    stack.PopAdd();
    stack.PushAtom(0, -2);
    stack.PopAdd();
    stack.PushMultiplier(2);
    stack.PopMultiply();
    ASSERT_EQ(stack.GetDepth(), 1);
    const CompositionVector& result = stack.GetResult();
    EXPECT_EQ(result[16], 2);
    EXPECT_EQ(result[8], 8);
    EXPECT_EQ(result[0], -4);
    EXPECT_EQ(result.CountNonZero(false), 3);
}

TEST_F(FormulaStackTest, PopsNeedTwoLevels) {
    FormulaStack stack;
    stack.PopAdd();
    stack.PopMultiply();
    EXPECT_EQ(stack.GetDepth(), 0);
    stack.PushAtom(6, 1);
    stack.PopAdd();
    stack.PopMultiply();
    EXPECT_EQ(stack.GetDepth(), 1);
    EXPECT_EQ(stack.GetResult()[6], 1);
}

TEST_F(FormulaStackTest, OverflowFreezesTheStackUntilCleared) {
    FormulaStack stack;
    for (int i = 0; i < FormulaStack::kMaxDepth; ++i)
        stack.PushAtom(1, 1);
    EXPECT_FALSE(stack.HasOverflowed());
    EXPECT_EQ(stack.GetDepth(), 32);

    stack.PushAtom(1, 1);
    EXPECT_TRUE(stack.HasOverflowed());
    EXPECT_EQ(stack.GetDepth(), 0);
    stack.PopAdd();
    stack.PopMultiply();
    stack.PushMultiplier(3);
    EXPECT_EQ(stack.GetDepth(), 0);
    EXPECT_EQ(stack.GetResult()[1], 1);
    EXPECT_EQ(stack.GetLevel(31)[1], 1);

    stack.Clear();
    EXPECT_FALSE(stack.HasOverflowed());
    EXPECT_EQ(stack.GetDepth(), 0);
    EXPECT_EQ(stack.GetResult()[1], 0);
    stack.PushMultiplier(0);
    EXPECT_EQ(stack.GetDepth(), 1);
}

} // namespace
