#include "model/qelt_doc.h"
#include "model/reaction_file_error.h"
#include "platform/core/file_io.h"
#include "support/test_model_host.h"

#include <gtest/gtest.h>

#include <bit>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The bytes of a file, written out field by field.
class Bytes {
public:
    Bytes& I32(std::int32_t v) {
        for (int i = 0; i < 4; ++i)
            m_bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
        return *this;
    }
    Bytes& F64(double v) {
        const auto bits = std::bit_cast<std::uint64_t>(v);
        for (int i = 0; i < 8; ++i)
            m_bytes.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
        return *this;
    }
    Bytes& Str(const std::string& s) { // short strings only: one length byte
        m_bytes.push_back(static_cast<std::uint8_t>(s.size()));
        m_bytes.insert(m_bytes.end(), s.begin(), s.end());
        return *this;
    }
    Bytes& Num(double value, std::int32_t digits) { return I32(0x10000).F64(value).I32(digits); }
    Bytes& Substance(const std::string& name, const std::string& formula, double molarMass) {
        return I32(0x10000).Str(name).Str(formula).Str("").F64(molarMass).I32(3);
    }
    const std::vector<std::uint8_t>& Get() const { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
};

constexpr double kO3 = 3 * 15.9994, kO2 = 2 * 15.9994;

// 2O3 = 3O2 with 2 mol of ozone from a solution, and the oxygen to be described as a gas.
void FillOzone(CQELTDoc& doc) {
    ASSERT_TRUE(doc.SetFromString("2O3 = 3O2"));
    CQELTReagent& ozone = *doc.GetReagent(0);
    ozone.SetName("ozone");
    ozone.enteredMass = 0.0;
    ozone.enteredMoles = CEditableDouble(2.0, 3);
    ozone.inputKind = CQELTReagent::kSolution;
    ozone.inputConcentration = CEditableDouble(0.5, 2);
    ozone.inputVolumeUnit = 1;
    ozone.inputVolume = CEditableDouble(4.0, 1);
    ozone.inputConcentrationUnit = 2;
    ozone.outputKind = CQELTReagent::kPlainAmount;
    CQELTReagent& oxygen = *doc.GetReagent(128);
    oxygen.enteredMass = 0.0;
    oxygen.enteredMoles = 0.0;
    oxygen.inputKind = CQELTReagent::kPlainAmount;
    oxygen.outputKind = CQELTReagent::kGas;
    oxygen.outputPressure = CEditableDouble(1.0, 4);
    oxygen.outputPressureUnit = 3;
    oxygen.outputVolume = CEditableDouble(22.4, 3);
    oxygen.outputGasVolumeUnit = 2;
    oxygen.outputTemperature = CEditableDouble(25.0, 2);
    oxygen.outputTemperatureUnit = 1;
}

std::vector<std::uint8_t> OzoneFile() {
    Bytes b;
    b.I32(0x30000).I32(1).I32(1);
    b.I32(0x20000).Substance("ozone", "O3", kO3).Num(0.0, 0).Num(2.0, 3);
    b.I32(0).Num(0.5, 2).I32(1).Num(4.0, 1).I32(
        2); // solution: concentration, volume unit, volume, conc. unit
    b.I32(2);
    b.I32(0x20000).Substance("", "O2", kO2).Num(0.0, 0).Num(0.0, 0);
    b.I32(2);
    b.I32(1).Num(1.0, 4).I32(3).Num(22.4, 3).I32(2).Num(25.0, 2).I32(1); // gas: each unit after its value
    b.I32(0).I32(2).I32(3);
    return b.Get();
}

TEST(ReactionFile, SavedBytesAreExact) {
    ScopedTestModelHost host;
    CQELTDoc doc;
    FillOzone(doc);
    EXPECT_EQ(doc.SaveToBytes(), OzoneFile());
}

TEST(ReactionFile, ReloadKeepsEverythingAndRebuildsResults) {
    ScopedTestModelHost host;
    CQELTDoc doc;
    doc.LoadFromBytes(OzoneFile());
    ASSERT_EQ(doc.GetReactantCount(), 1);
    ASSERT_EQ(doc.GetProductCount(), 1);
    const CQELTReagent& ozone = *doc.GetReagent(0);
    EXPECT_EQ(ozone.GetName(), "ozone");
    EXPECT_EQ(ozone.GetFormula(), "O3");
    EXPECT_EQ(ozone.enteredMoles.value, 2.0);
    EXPECT_EQ(ozone.enteredMoles.digits, 3);
    EXPECT_EQ(ozone.inputKind, CQELTReagent::kSolution);
    EXPECT_EQ(ozone.inputVolumeUnit, 1);
    EXPECT_EQ(ozone.inputConcentrationUnit, 2);
    EXPECT_EQ(ozone.inputVolume.digits, 1);
    EXPECT_EQ(doc.GetComposition(0)[8], 3);
    EXPECT_EQ(doc.GetManualCoefficient(0), 2);
    EXPECT_EQ(doc.GetManualCoefficient(1), 3);
    EXPECT_FALSE(doc.IsManualCoefficients());
    // Rebuilt: balanced and computed.
    EXPECT_EQ(doc.GetBalancedCoefficients(), (std::vector<int>{2, 3}));
    ASSERT_TRUE(doc.HasComputedAmounts());
    EXPECT_DOUBLE_EQ(doc.GetComputedMoles(128), 3.0);
    // The output description survives the recalculation that loading runs.
    const CQELTReagent& oxygen = *doc.GetReagent(128);
    EXPECT_EQ(oxygen.outputKind, CQELTReagent::kGas);
    EXPECT_EQ(oxygen.outputPressureUnit, 3);
    EXPECT_EQ(oxygen.outputTemperature.value, 25.0);
    // Saved again, byte for byte the same.
    EXPECT_EQ(doc.SaveToBytes(), OzoneFile());
}

TEST(ReactionFile, ManualModeAndCoefficientsRoundTrip) {
    ScopedTestModelHost host;
    CQELTDoc doc;
    ASSERT_TRUE(doc.SetFromString("4H2 + 2O2 = 4H2O"));
    doc.SetManualCoefficients(true);
    CQELTDoc copy;
    copy.LoadFromBytes(doc.SaveToBytes());
    EXPECT_TRUE(copy.IsManualCoefficients());
    EXPECT_EQ(copy.GetManualCoefficient(0), 4);
    EXPECT_EQ(copy.GetManualCoefficient(1), 2);
    EXPECT_EQ(copy.GetManualCoefficient(2), 4);
    EXPECT_TRUE(copy.IsBalanced());
    EXPECT_FALSE(copy.HasBalancedCoefficients());
}

TEST(ReactionFile, ARowWithoutReagentIsStoredEmpty) {
    ScopedTestModelHost host;
    CQELTDoc doc;
    doc.SetReagentCounts(1, 1);
    CQELTDoc copy;
    copy.LoadFromBytes(doc.SaveToBytes());
    ASSERT_NE(copy.GetReagent(0), nullptr);
    EXPECT_EQ(copy.GetReagent(0)->GetFormula(), "");
    EXPECT_EQ(copy.GetReagent(128)->inputPressure.value, 1.0);
}

TEST(ReactionFile, ReadsVersion2WithReagentRecordsOfEveryVersion) {
    ScopedTestModelHost host;
    Bytes b;
    b.I32(0x20000).I32(2).I32(1);
    // A current record.
    b.I32(0x20000).Substance("hydrogen", "H2", 2.01588).Num(8.06352, 2).Num(4.0, 3).I32(2).I32(2);
    // A record of version 0x10000: plain doubles for the entered amounts.
    b.I32(0x10000).Substance("", "O2", 31.9988).F64(31.9988).F64(1.0).I32(2).I32(2);
    // A record of any other version: no entered amounts at all.
    b.I32(0x7777).Substance("", "H2O", 18.01528).I32(2).I32(2);
    CQELTDoc doc;
    doc.SetManualCoefficients(false);
    doc.LoadFromBytes(b.Get());
    ASSERT_EQ(doc.GetReactantCount(), 2);
    EXPECT_EQ(doc.GetReagent(0)->enteredMoles.digits, 3);
    EXPECT_EQ(doc.GetReagent(1)->enteredMass.value, 31.9988);
    EXPECT_EQ(doc.GetReagent(1)->enteredMoles.value, 1.0);
    EXPECT_EQ(doc.GetReagent(1)->enteredMoles.digits, 0);
    EXPECT_EQ(doc.GetReagent(128)->GetFormula(), "H2O");
    EXPECT_EQ(doc.GetReagent(128)->enteredMoles.value, 0.0);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(doc.GetManualCoefficient(i), 1);
    EXPECT_FALSE(doc.IsManualCoefficients());
    EXPECT_EQ(doc.GetBalancedCoefficients(), (std::vector<int>{2, 1, 2}));
    EXPECT_TRUE(doc.IsLimiting(1)); // 1 mol of O2 against 4 mol of H2
    EXPECT_TRUE(doc.IsInExcess(0));
}

TEST(ReactionFile, ReadsVersion1Rows) {
    ScopedTestModelHost host;
    host.StandardConditions().pressure = 2.0;
    Bytes b;
    b.I32(0x10000).I32(1).I32(1);
    // formula, molar mass, mass, moles, input kind 1 (gas) with plain doubles, output kind 0 (solution).
    b.Str("N2O4").F64(92.011).F64(0.0).F64(1.5);
    b.I32(1).F64(3.0).I32(6).F64(10.0).I32(1).F64(300.0).I32(1);
    b.I32(0).F64(0.25).I32(0).F64(2.0).I32(1);
    b.Str("NO2").F64(46.0055).F64(0.0).F64(0.0).I32(2).I32(2);
    CQELTDoc doc;
    doc.LoadFromBytes(b.Get());
    const CQELTReagent& n2o4 = *doc.GetReagent(0);
    EXPECT_EQ(n2o4.GetFormula(), "N2O4");
    EXPECT_EQ(n2o4.GetName(), "");
    EXPECT_EQ(n2o4.GetPhase(), CSubstance::kPhaseNone);
    EXPECT_EQ(n2o4.GetMolarMass(), 92.011); // stored, not recomputed
    EXPECT_EQ(n2o4.enteredMoles.value, 1.5);
    EXPECT_EQ(n2o4.inputKind, CQELTReagent::kGas);
    EXPECT_EQ(n2o4.inputPressure.value, 3.0);
    EXPECT_EQ(n2o4.inputPressure.digits, 4); // the default constructor's display digits stay
    EXPECT_EQ(n2o4.inputPressureUnit, 6);
    EXPECT_EQ(n2o4.inputTemperature.value, 300.0);
    EXPECT_EQ(n2o4.inputTemperatureUnit, 1);
    EXPECT_EQ(n2o4.outputKind, CQELTReagent::kSolution);
    EXPECT_EQ(n2o4.outputConcentration.value, 0.25);
    EXPECT_EQ(n2o4.outputVolumeUnit, 0);
    EXPECT_EQ(n2o4.outputConcentrationUnit, 1);
    EXPECT_EQ(doc.GetBalancedCoefficients(), (std::vector<int>{1, 2}));
    EXPECT_DOUBLE_EQ(doc.GetComputedMoles(128), 3.0);
    EXPECT_FALSE(doc.IsManualCoefficients());
}

TEST(ReactionFile, AFormulaThatNoLongerParsesLoadsUnbalanced) {
    ScopedTestModelHost host;
    Bytes b;
    b.I32(0x30000).I32(1).I32(1);
    b.I32(0x20000).Substance("", "Cit3", 189.1).Num(0, 0).Num(0, 0).I32(2).I32(2);
    b.I32(0x20000).Substance("", "H2O", 18.0).Num(0, 0).Num(0, 0).I32(2).I32(2);
    b.I32(0).I32(1).I32(1);
    CQELTDoc doc;
    doc.LoadFromBytes(b.Get());
    EXPECT_EQ(doc.GetReactantCount(), 1);
    EXPECT_FALSE(doc.HasBalancedCoefficients());
    EXPECT_EQ(host.LastStatusText(), "Can't balance - empty reactant or error in formula.");
}

// A document that already holds a reaction, to see that a refused file changes nothing.
std::vector<std::uint8_t> Refuse(const std::vector<std::uint8_t>& bytes, std::string* message = nullptr) {
    CQELTDoc doc;
    EXPECT_TRUE(doc.SetFromString("2H2 + O2 = 2H2O"));
    const auto before = doc.SaveToBytes();
    try {
        doc.LoadFromBytes(bytes);
        ADD_FAILURE() << "a damaged file was opened";
    } catch (const ReactionFileError& error) {
        if (message)
            *message = error.what();
    }
    EXPECT_EQ(doc.SaveToBytes(), before) << "a refused file changed the document";
    return before;
}

TEST(ReactionFile, FilesThatAreNoReactionAreRefused) {
    ScopedTestModelHost host;
    const struct {
        std::vector<std::uint8_t> bytes;
        const char* says;
    } cases[] = {
        {std::vector<std::uint8_t>(1 << 20, 0), "version 0x0,"},
        {Bytes().I32(0x40000).I32(1).I32(1).Get(), "version 0x40000,"},
        {Bytes().I32(0x20001).I32(0).I32(0).Get(), "version 0x20001,"},
        {Bytes().I32(-1).I32(0).I32(0).Get(), "version 0xFFFFFFFF,"},
        // Counts are shown as the counts they are, never negative.
        {Bytes().I32(0x30000).I32(-1).I32(1).Get(), "4294967295 reactants, and a side holds 0 to 126"},
        {Bytes().I32(0x20000).I32(1).I32(-422765480).Get(), "3872201816 products"},
        {Bytes().I32(0x10000).I32(127).I32(1).Get(), "127 reactants"},
        {Bytes().I32(0x30000).I32(1).I32(127).Get(), "127 products"},
        {Bytes().I32(0x30000).I32(0x7FFFFFFF).I32(1).Get(), "2147483647 reactants"},
        {Bytes().I32(0x30000).I32(1).I32(INT32_MIN).Get(), "2147483648 products"},
    };
    for (const auto& c : cases) {
        std::string message;
        Refuse(c.bytes, &message);
        EXPECT_NE(message.find(c.says), std::string::npos) << message;
    }
}

TEST(ReactionFile, AFileTooLargeForAReactionIsRefusedBeforeItIsRead) {
    ScopedTestModelHost host;
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("qelt-large-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    // Sparse files: a 2 GB one of zeros, and a terabyte that begins as a reaction does.
    const fs::path zeros = dir / "zeros.equ", huge = dir / "huge.equ";
    WriteFileAtomically(zeros, {});
    fs::resize_file(zeros, 2ull << 30);
    WriteFileAtomically(huge, Bytes().I32(0x30000).I32(1).I32(1).Get());
    fs::resize_file(huge, 1ull << 40);
    const auto started = std::chrono::steady_clock::now();
    const struct {
        fs::path file;
        std::string says;
    } cases[] = {
        {zeros, "The file is not a reaction: it begins with the version 0x0,"},
        {huge,
         "The reaction file is too long: at 1099511627776 bytes it is longer than any reaction file can be."},
    };
    for (const auto& c : cases) {
        CQELTDoc doc;
        ASSERT_TRUE(doc.SetFromString("2H2 + O2 = 2H2O"));
        const auto before = doc.SaveToBytes();
        try {
            doc.OnOpenDocument(c.file);
            ADD_FAILURE() << c.file << " was opened";
        } catch (const ReactionFileError& error) {
            EXPECT_EQ(std::string(error.what()).substr(0, c.says.size()), c.says);
        }
        EXPECT_EQ(doc.SaveToBytes(), before);
    }
    // The program database and "config.dat" are read by the same reader, which refuses what no file of
    // the program can be.
    try {
        ReadFileBytes(huge);
        ADD_FAILURE() << "a terabyte was read";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open \"" + huge.string() + "\": File too large");
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1))
        << "no file was read whole";
    fs::remove_all(dir);
}

TEST(ReactionFile, UnknownUnitCodesAreRefused) {
    ScopedTestModelHost host;
    auto withGroup = [](std::int32_t kind, std::initializer_list<std::int32_t> units) {
        Bytes b;
        b.I32(0x30000).I32(1).I32(1);
        b.I32(0x20000).Substance("", "H2", 2.0).Num(0, 0).Num(1, 0).I32(kind);
        auto unit = units.begin();
        if (kind == 0)
            b.Num(1, 0).I32(unit[0]).Num(1, 0).I32(unit[1]);
        else
            b.Num(1, 0).I32(unit[0]).Num(1, 0).I32(unit[1]).Num(1, 0).I32(unit[2]);
        b.I32(2);
        b.I32(0x20000).Substance("", "H2", 2.0).Num(0, 0).Num(0, 0).I32(2).I32(2);
        b.I32(0).I32(1).I32(1);
        return b.Get();
    };
    const struct {
        std::int32_t kind;
        std::initializer_list<std::int32_t> units;
        const char* what;
    } cases[] = {
        {0, {2, 0}, "volume"},
        {0, {-1, 0}, "volume"},
        {0, {1, 3}, "concentration"},
        {1, {7, 0, 0}, "pressure"},
        {1, {0, 4, 0}, "gas volume"},
        {1, {0, 0, 3}, "temperature"},
        {1, {0, 0, -2147483647}, "temperature"},
    };
    for (const auto& c : cases) {
        std::string message;
        Refuse(withGroup(c.kind, c.units), &message);
        EXPECT_NE(message.find(c.what), std::string::npos) << message;
    }
    // The limits themselves are fine.
    CQELTDoc doc;
    EXPECT_NO_THROW(doc.LoadFromBytes(withGroup(1, {6, 3, 2})));
    EXPECT_NO_THROW(doc.LoadFromBytes(withGroup(0, {1, 2})));
}

TEST(ReactionFile, EveryTruncationIsRefused) {
    ScopedTestModelHost host;
    const std::vector<std::uint8_t> whole = OzoneFile();
    for (std::size_t size = 0; size < whole.size(); ++size) {
        SCOPED_TRACE(size);
        std::string message;
        Refuse(std::vector<std::uint8_t>(whole.begin(), whole.begin() + static_cast<long>(size)), &message);
        EXPECT_FALSE(message.empty());
    }
}

TEST(ReactionFile, UnknownKindsMeanAPlainAmount) {
    ScopedTestModelHost host;
    Bytes b;
    b.I32(0x30000).I32(1).I32(1);
    b.I32(0x20000).Substance("", "H2", 2.0).Num(0, 0).Num(0, 0).I32(-3).I32(99);
    b.I32(0x20000).Substance("", "H2", 2.0).Num(0, 0).Num(0, 0).I32(2).I32(2);
    b.I32(5).I32(1).I32(1);
    CQELTDoc doc;
    doc.LoadFromBytes(b.Get());
    EXPECT_EQ(doc.GetReagent(0)->inputKind, CQELTReagent::kPlainAmount);
    EXPECT_EQ(doc.GetReagent(0)->outputKind, CQELTReagent::kPlainAmount);
    EXPECT_TRUE(doc.IsManualCoefficients()); // any non-zero flag
}

} // namespace
