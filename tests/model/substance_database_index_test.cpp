// The database's name and formula indexes, kept up to date through each Add, Replace and RemoveAt, answer as
// indexes rebuilt from scratch do: the lowest position holding the exact key.
#include "model/substance.h"
#include "model/substance_database.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

CSubstance Make(const std::string& name, const std::string& formula) {
    CSubstance substance;
    substance.SetName(name);
    substance.SetFormulaText(formula);
    return substance;
}

// The position a lookup finds, or -1.
int PositionOf(const SubstanceDatabase& database, const CSubstance* found) {
    for (int i = 0; i < database.GetCount(); ++i) {
        if (database.GetAt(i) == found)
            return i;
    }
    return -1;
}

TEST(SubstanceDatabaseIndexes, FollowEveryChangeAsARebuildWould) {
    // Few distinct keys, so that equal names and formulas at several positions are the rule.
    std::mt19937 random(14);
    const auto key = [&](const char* stem) { return stem + std::to_string(random() % 6); };
    SubstanceDatabase kept;
    for (int step = 0; step < 600; ++step) {
        const int n = kept.GetCount();
        const unsigned action = random() % 3;
        if (action == 0 || n == 0)
            kept.Add(Make(key("name"), key("F")));
        else if (action == 1)
            kept.Replace(static_cast<int>(random() % static_cast<unsigned>(n)), Make(key("name"), key("F")));
        else
            kept.RemoveAt(static_cast<int>(random() % static_cast<unsigned>(n)));

        SubstanceDatabase rebuilt;
        for (int i = 0; i < kept.GetCount(); ++i)
            rebuilt.Add(*kept.GetAt(i));
        rebuilt.RebuildIndexes();
        for (int k = 0; k < 7; ++k) {
            const std::string name = "name" + std::to_string(k), formula = "F" + std::to_string(k);
            ASSERT_EQ(PositionOf(kept, kept.FindByName(name)), PositionOf(rebuilt, rebuilt.FindByName(name)))
                << "step " << step << " " << name;
            ASSERT_EQ(PositionOf(kept, kept.FindByFormula(formula)),
                      PositionOf(rebuilt, rebuilt.FindByFormula(formula)))
                << "step " << step << " " << formula;
        }
    }
}

} // namespace
