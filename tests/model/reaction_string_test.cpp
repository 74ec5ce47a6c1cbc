#include "model/qelt_doc.h"
#include "model/reaction_string.h"
#include "support/test_model_host.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

TEST(NormalizeReactionString, RewritesEveryNotationIntoTerms) {
    struct Case {
        std::string given, expected;
    };
    const Case cases[] = {
        {"2H2 + O2 = 2H2O", "2H2 O2 = 2H2O"},
        {"H2 + O2 -> H2O", "H2 O2 = H2O"},
        {"H2 + O2 <-> H2O", "H2 O2 = H2O"},
        {"H2 + O2 &rarr; H2O", "H2 O2 = H2O"},
        {"H2 + O2 --> H2O", "H2 O2 = H2O"},
        {"H2 + O2 ---> H2O", "H2 O2 = H2O"},
        {"H2 + O2 > H2O", "H2 O2 = H2O"},
        {"H2 + O2 \x9B H2O", "H2 O2 = H2O"},
        {"H2+O2=H2O", "H2+O2 = H2O"},
        {"CuSO4.5H2O = CuSO4 + 5H2O", "CuSO4&5H2O = CuSO4 5H2O"},
        {"H<sub>2</sub>O = H[sub]2[/sub]O", "H_{2}O = H_{2}O"},
        {"Fe<sup>3+</sup> = Fe[sup]2+[/sup]", "Fe^{3+} = Fe^{2+}"},
        {"Fe^3+ + e^- = Fe^2+", "Fe^3+ e^- = Fe^2+"},
        {"\tH2 +\r\nO2  =   H2O  ", "H2 O2 = H2O"},
        {"   ", ""},
        {"", ""},
        {"0.5O2 = O", "0&5O2 = O"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NormalizeReactionString(c.given), c.expected) << c.given;
}

TEST(ReadLeadingInteger, ReadsLikeAtoiWithoutOverflow) {
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {
        {"2H2", 2},
        {"H2", 0},
        {"-2H2", -2},
        {"+3X", 3},
        {"007", 7},
        {"", 0},
        {"-", 0},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"99999999999999999999999999H", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-99999999999999999999", INT_MIN},
        {"\v 5A", 5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadLeadingInteger(c.text), c.value) << c.text;
}

struct Row {
    std::string formula;
    int manual;
};

struct Parsed {
    bool accepted;
    std::vector<Row> reactants, products;
};

Parsed Parse(const std::string& text) {
    CQELTDoc doc;
    Parsed parsed;
    parsed.accepted = doc.SetFromString(text);
    for (int k = 0; k < doc.GetReactantCount(); ++k)
        parsed.reactants.push_back({doc.GetReagent(k)->GetFormula(), doc.GetManualCoefficient(k)});
    for (int j = 0; j < doc.GetProductCount(); ++j)
        parsed.products.push_back(
            {doc.GetReagent(128 + j)->GetFormula(), doc.GetManualCoefficient(doc.GetReactantCount() + j)});
    return parsed;
}

std::string Describe(const std::vector<Row>& rows) {
    std::string text;
    for (const auto& row : rows)
        text += (text.empty() ? "" : " | ") + std::to_string(row.manual) + " " + row.formula;
    return text;
}

TEST(SetFromString, SplitsTermsIntoRowsAndCoefficients) {
    ScopedTestModelHost host;
    struct Case {
        std::string text, reactants, products;
    };
    const Case cases[] = {
        {"2H2 + O2 = 2H2O", "2 H2 | 1 O2", "2 H2O"},
        {"H2 + O2 -> H2O", "1 H2 | 1 O2", "1 H2O"},
        {"H2 + O2 <-> H2O", "1 H2 | 1 O2", "1 H2O"},
        {"H2 + O2 &rarr; H2O", "1 H2 | 1 O2", "1 H2O"},
        {"H2 + O2 --> H2O", "1 H2 | 1 O2", "1 H2O"},
        {"H2 + O2 > H2O", "1 H2 | 1 O2", "1 H2O"},
        {"CuSO4.5H2O = CuSO4 + 5H2O", "1 CuSO4&5H2O", "1 CuSO4 | 5 H2O"},
        {"H<sub>2</sub>O = H[sub]2[/sub]O", "1 H_{2}O", "1 H_{2}O"},
        {"Fe^3+ + e^- = Fe^2+", "1 Fe^3+ | 1 e^-", "1 Fe^2+"},
        {"H2+O2 = H2O", "1 H2+O2", "1 H2O"},
        {"2 H2 + O2 = 2 H2O", "1 H2 | 1 O2", "1 H2O"},
        {"-2H2 + O2 = H2O", "-2 -2H2 | 1 O2", "1 H2O"},
        {"H2 + O2 = H2O = X", "1 H2 | 1 O2", "1 H2O | 1 X"},
        {"H2\t+\nO2   =  H2O", "1 H2 | 1 O2", "1 H2O"},
        {"0.5O2 = O", "1 &5O2", "1 O"},
    };
    for (const auto& c : cases) {
        const Parsed parsed = Parse(c.text);
        EXPECT_TRUE(parsed.accepted) << c.text;
        EXPECT_EQ(Describe(parsed.reactants), c.reactants) << c.text;
        EXPECT_EQ(Describe(parsed.products), c.products) << c.text;
    }
}

TEST(SetFromString, RefusesOneSidedTextsAndLeavesNoRows) {
    ScopedTestModelHost host;
    for (const char* text : {"", "H2O", "= H2O", "H2O =", " = ", "2 = 3", "+ + +"}) {
        const Parsed parsed = Parse(text);
        EXPECT_FALSE(parsed.accepted) << text;
        EXPECT_TRUE(parsed.reactants.empty() && parsed.products.empty()) << text;
    }
}

TEST(SetFromString, KeepsTheFormulaMassAndComposition) {
    ScopedTestModelHost host;
    CQELTDoc doc;
    ASSERT_TRUE(doc.SetFromString("2H2 + O2 = 2H2O"));
    EXPECT_NEAR(doc.GetReagent(128)->GetMolarMass(), 18.01528, 1e-9);
    EXPECT_EQ(doc.GetComposition(128)[1], 2);
    EXPECT_EQ(doc.GetComposition(128)[8], 1);
    EXPECT_EQ(doc.GetReagent(0)->GetPhase(), CSubstance::kPhaseNone);
    // A term that is no formula still makes a row, with no mass and no composition.
    ASSERT_TRUE(doc.SetFromString("Xy = H2"));
    EXPECT_EQ(doc.GetReagent(0)->GetFormula(), "Xy");
    EXPECT_EQ(doc.GetReagent(0)->GetMolarMass(), 0.0);
    EXPECT_EQ(doc.GetComposition(0).CountNonZero(false), 0);
}

TEST(SetFromString, ABareNumberIsOverwrittenByTheNextReagent) {
    ScopedTestModelHost host;
    CQELTDoc doc;
    ASSERT_TRUE(doc.SetFromString("3 4 H2 + 7 = H2O 9"));
    ASSERT_EQ(doc.GetReactantCount(), 1);
    ASSERT_EQ(doc.GetProductCount(), 1);
    // "3" and "4" are overwritten by H2's own (none, so 1); "7" by H2O's; "9" lands after the list.
    EXPECT_EQ(doc.GetManualCoefficient(0), 1);
    EXPECT_EQ(doc.GetManualCoefficient(1), 1);
    EXPECT_EQ(doc.GetManualCoefficient(2), 9);
}

TEST(SetFromString, AtMost126ReagentsOnASide) {
    ScopedTestModelHost host;
    auto text = [](int reactants) {
        std::string s;
        for (int i = 0; i < reactants; ++i)
            s += (i ? " + " : "") + std::string("H2");
        return s + " = H2";
    };
    CQELTDoc full;
    EXPECT_TRUE(full.SetFromString(text(126)));
    EXPECT_EQ(full.GetReactantCount(), 126);
    CQELTDoc over;
    EXPECT_FALSE(over.SetFromString(text(127)));
    EXPECT_EQ(over.GetReactantCount(), 0);
    EXPECT_EQ(over.GetProductCount(), 0);
}

} // namespace
