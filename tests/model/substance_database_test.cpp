#include "model/composition_vector.h"
#include "model/substance.h"
#include "model/substance_database.h"
#include "platform/core/archive.h"
#include "support/test_model_host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CSubstance Named(const std::string& name, const std::string& formula = "H2O") {
    CSubstance substance;
    substance.SetName(name);
    substance.SetFormulaText(formula);
    return substance;
}

std::vector<std::string> Names(const CKestrolabDatabase& db) {
    std::vector<std::string> names;
    for (int i = 0; i < db.GetCount(); ++i)
        names.push_back(db.GetAt(i)->GetName());
    return names;
}

std::vector<std::uint8_t> Saved(SubstanceDatabase& db) {
    Archive ar;
    db.Serialize(ar);
    return ar.Bytes();
}

void Load(SubstanceDatabase& db, const std::vector<std::uint8_t>& bytes) {
    Archive ar(bytes);
    db.Serialize(ar);
}

TEST(Substance, FormulaSetsMassAndPhase) {
    ScopedTestModelHost host;
    struct Case {
        const char* formula;
        int phase;
    };
    const Case cases[] = {{"CO2(g)", 2},  {"NaCl(s)", 0}, {"NaCl(aq)", 3},
                          {"NaCl(a)", 1}, {"X(g)(s)", 0}, {"NaCl", 3}};
    for (const auto& c : cases) {
        CSubstance substance;
        substance.SetFormula(c.formula);
        EXPECT_EQ(substance.GetPhase(), c.phase) << c.formula;
        EXPECT_EQ(substance.GetFormula(), c.formula);
    }
    CSubstance mixture;
    mixture.SetFormula("NaCl,2H2O");
    EXPECT_NEAR(mixture.GetMolarMass(), 22.98976928 + 35.453 + 2 * 18.01528, 1e-9);
    EXPECT_EQ(mixture.GetComposition()[1], 4);
}

TEST(Substance, EqualityIgnoresTheMolarMassOnly) {
    CSubstance a = Named("water"), b = Named("water");
    b.SetMolarMass(18.0);
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a == Named("Water"));
    b.SetComment("distilled");
    EXPECT_FALSE(a == b);
    b = a;
    b.SetPhase(CSubstance::kPhaseGas);
    EXPECT_FALSE(a == b);
}

TEST(Substance, RecordBytes) {
    CSubstance s = Named("salt", "NaCl");
    s.SetComment("c");
    s.SetMolarMass(1.0);
    s.SetPhase(0);
    Archive ar;
    s.Serialize(ar);
    const std::vector<std::uint8_t> expected = {0,   0,   1,    0,    4, 's', 'a', 'l', 't', 4,
                                                'N', 'a', 'C',  'l',  1, 'c', 0,   0,   0,   0,
                                                0,   0,   0xF0, 0x3F, 0, 0,   0,   0};
    EXPECT_EQ(ar.Bytes(), expected);
    CSubstance back;
    Archive in(ar.Bytes());
    back.Serialize(in);
    EXPECT_TRUE(back == s);
    EXPECT_EQ(back.GetMolarMass(), 1.0);
}

TEST(SubstanceDatabase, DefaultsInOrderAndUnmodified) {
    ScopedTestModelHost host;
    SubstanceDatabase db;
    db.LoadDefaults();
    EXPECT_FALSE(db.IsModified());
    EXPECT_EQ(Names(db),
              (std::vector<std::string>{"sodium hydroxide", "iron(II) sulfate", "sulfuric acid", "EDTA",
                                        "manganese(II) sulfate", "water", "hydrochloric acid",
                                        "potassium permanganate", "sodium chloride", "iron(III) sulfate",
                                        "potassium chloride", "potassium sulfate"}));
    EXPECT_EQ(db.GetAt(9)->GetFormula(), "Fe2(SO4)3");
    EXPECT_EQ(db.GetAt(9)->GetMolarMass(), 0.0);
    EXPECT_EQ(db.GetAt(9)->GetPhase(), CSubstance::kPhaseNone);
    EXPECT_EQ(db.FindByFormula("KMnO4"), db.GetAt(7));
    const CompositionVector total = db.GetTotalComposition();
    EXPECT_EQ(total[19], 1 + 1 + 2); // K in KMnO4, KCl, K2SO4
}

TEST(SubstanceDatabase, EachSaveAndReloadReversesTheList) {
    ScopedTestModelHost host;
    SubstanceDatabase db;
    for (const char* name : {"first", "second", "third"})
        db.Add(Named(name));
    EXPECT_TRUE(db.IsModified());
    const auto once = Saved(db);
    EXPECT_FALSE(db.IsModified());
    SubstanceDatabase reloaded;
    Load(reloaded, once);
    EXPECT_EQ(Names(reloaded), (std::vector<std::string>{"third", "second", "first"}));
    EXPECT_TRUE(reloaded.IsValid());
    EXPECT_FALSE(reloaded.IsModified());
    SubstanceDatabase again;
    Load(again, Saved(reloaded));
    EXPECT_EQ(Names(again), (std::vector<std::string>{"first", "second", "third"}));
}

TEST(SubstanceDatabase, TheLowestPositionWinsAmongEqualNames) {
    ScopedTestModelHost host;
    SubstanceDatabase db;
    for (const char* name : {"a", "water", "b", "c", "water"})
        db.Add(Named(name, name));
    db.GetAt(1)->SetComment("one");
    db.GetAt(4)->SetComment("four");
    EXPECT_EQ(db.FindByName("water")->GetComment(), "one");
    EXPECT_EQ(db.FindByName("Water"), nullptr);
    SubstanceDatabase reloaded;
    Load(reloaded, Saved(db));
    EXPECT_EQ(reloaded.FindByName("water")->GetComment(), "four");
}

TEST(SubstanceDatabase, EmptySectionBytes) {
    ScopedTestModelHost host;
    SubstanceDatabase db;
    const auto bytes = Saved(db);
    std::vector<std::uint8_t> expected = {0, 0, 3, 0, 0, 0, 0, 0, 12};
    for (char c : std::string("Database EOF"))
        expected.push_back(static_cast<std::uint8_t>(c));
    EXPECT_EQ(bytes, expected);
    SubstanceDatabase reloaded;
    Load(reloaded, bytes);
    EXPECT_EQ(reloaded.GetCount(), 0);
    EXPECT_TRUE(reloaded.IsValid());
}

TEST(SubstanceDatabase, AWrongMarkerLeavesItInvalid) {
    ScopedTestModelHost host;
    SubstanceDatabase db;
    Archive ar;
    ar << std::int32_t{0x30000} << std::int32_t{0} << std::string("Database EOT");
    Load(db, ar.Bytes());
    EXPECT_FALSE(db.IsValid());
}

TEST(SubstanceDatabase, ImportsTheOlderSectionReversed) {
    ScopedTestModelHost host;
    Archive ar;
    ar << std::int32_t{0x20000};
    ar.WriteCount(3);
    for (const char* name : {"first", "second", "third"})
        Named(name).Serialize(ar);
    SubstanceDatabase db;
    Load(db, ar.Bytes());
    EXPECT_EQ(Names(db), (std::vector<std::string>{"third", "second", "first"}));
    EXPECT_FALSE(db.IsModified());
    EXPECT_TRUE(db.IsValid());
}

// How fast a large section imports is measured in bench/bench_substances_import.
TEST(SubstanceDatabase, AnOlderSectionIsImportedFromTheLastEntryAndIndexedByTheFirstOfEachName) {
    ScopedTestModelHost host;
    constexpr int kCount = 1000;
    Archive ar;
    ar << std::int32_t{0x20000};
    ar.WriteCount(kCount);
    // Every name twice: the index must still hold the lowest position after the import.
    for (int i = 0; i < kCount; ++i)
        Named("s" + std::to_string(i % (kCount / 2)), "H" + std::to_string(i)).Serialize(ar);
    SubstanceDatabase db;
    Load(db, ar.Bytes());
    ASSERT_EQ(db.GetCount(), kCount);
    EXPECT_EQ(db.GetAt(0)->GetFormula(), "H" + std::to_string(kCount - 1))
        << "imported from the last to the first";
    EXPECT_EQ(db.FindByName("s0")->GetFormula(), "H" + std::to_string(kCount / 2));
    EXPECT_EQ(db.FindByFormula("H0"), db.GetAt(kCount - 1));
}

TEST(SubstanceDatabase, AnUnknownVersionIsReportedAndReadsNothing) {
    ScopedTestModelHost host;
    Archive ar;
    ar << std::int32_t{0x40000} << std::int32_t{1};
    SubstanceDatabase db;
    Load(db, ar.Bytes());
    EXPECT_EQ(db.GetCount(), 0);
    EXPECT_TRUE(db.IsValid());
    EXPECT_EQ(host.Messages(), std::vector<std::string>{"Unknown version of the data file..."});
}

TEST(SubstanceDatabase, ADamagedSectionChangesNothing) {
    ScopedTestModelHost host;
    SubstanceDatabase source;
    source.Add(Named("one"));
    source.Add(Named("two"));
    const auto whole = Saved(source);
    for (std::size_t size = 0; size + 13 < whole.size(); ++size) {
        SubstanceDatabase db;
        db.Add(Named("kept"));
        EXPECT_THROW(
            Load(db, std::vector<std::uint8_t>(whole.begin(), whole.begin() + static_cast<long>(size))),
            ArchiveError);
        EXPECT_EQ(Names(db), std::vector<std::string>{"kept"});
    }
    Archive huge;
    huge << std::int32_t{0x30000} << std::int32_t{0x7FFFFFFF};
    SubstanceDatabase db;
    EXPECT_THROW(Load(db, huge.Bytes()), ArchiveError);
}

TEST(SubstanceDatabase, EditsSetModifiedAndCheckPositions) {
    ScopedTestModelHost host;
    SubstanceDatabase db;
    db.LoadDefaults();
    db.RemoveAt(-1);
    EXPECT_FALSE(db.IsModified());
    db.Replace(5, Named("ice", "H2O(s)"));
    EXPECT_TRUE(db.IsModified());
    EXPECT_EQ(db.FindByName("water"), nullptr);
    EXPECT_EQ(db.FindByName("ice"), db.GetAt(5));
    db.RemoveAt(0);
    EXPECT_EQ(db.GetCount(), 11);
    EXPECT_EQ(db.FindByName("ice"), db.GetAt(4));
    EXPECT_THROW(db.GetAt(11), std::out_of_range);
    EXPECT_THROW(db.RemoveAt(11), std::out_of_range);
    EXPECT_THROW(db.Replace(-1, Named("x")), std::out_of_range);
}

} // namespace
