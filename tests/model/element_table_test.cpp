#include "model/element_table.h"

#include "model/built_in_elements.h"
#include "model/md5_checksum.h"
#include "platform/core/archive.h"
#include "support/test_model_host.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

ElementTable BuiltInTable() {
    ElementTable table;
    table.BuildDefault();
    return table;
}

Bytes Stored(ElementTable& table) {
    Archive ar;
    table.Serialize(ar);
    return ar.Bytes();
}

// A section as a file would hold it: version, count, the records, and the marker when one is given.
Bytes Section(std::int32_t version, std::int32_t count, std::vector<Element> records, const char* marker) {
    Archive ar;
    ar << version << count;
    ar.WriteCount(records.size());
    for (Element& element : records)
        element.Serialize(ar);
    if (marker)
        ar << std::string(marker);
    return ar.Bytes();
}

std::vector<Element> BuiltInRecords(std::size_t first) {
    const ElementTable table = BuiltInTable();
    std::vector<Element> records;
    for (int row = static_cast<int>(first); row < table.GetCount(); ++row)
        records.push_back(table[row]);
    return records;
}

class ElementTableTest : public ::testing::Test {
protected:
    ScopedTestModelHost host;
};

struct BuiltInRowCase {
    int row;
    const char* symbol;
    double molarMass;
    int decimals;
};

TEST_F(ElementTableTest, BuiltInRowsCarryTheirMassesAndDecimals) {
    const ElementTable table = BuiltInTable();
    ASSERT_EQ(table.GetCount(), 104);
    EXPECT_FALSE(table.IsModified());
    const std::vector<BuiltInRowCase> cases = {
        {0, "e", 0.0, 1},         {1, "H", 1.00794, 5},    {6, "C", 12.0107, 4},    {12, "Mg", 24.3050, 4},
        {27, "Co", 58.933195, 6}, {61, "Pm", 145.0, 0},    {94, "Pu", 239.0522, 4}, {95, "Am", 243.0614, 4},
        {98, "Cf", 252.0816, 4},  {103, "Lr", 262.110, 3},
    };
    for (const BuiltInRowCase& c : cases) {
        SCOPED_TRACE(c.symbol);
        const Element& element = table[c.row];
        EXPECT_EQ(element.GetSymbol(), c.symbol);
        EXPECT_EQ(element.GetMolarMass(), c.molarMass);
        EXPECT_EQ(element.GetDecimals(), c.decimals);
        EXPECT_EQ(element.GetComposition(), "");
        EXPECT_EQ(element.GetComment(), "");
    }
    for (int row = 0; row < table.GetCount(); ++row)
        EXPECT_EQ(table.Find(table[row].GetSymbol()), row);
    EXPECT_EQ(table.Find("Xx"), -1);
    EXPECT_EQ(table.Find("co"), -1);
}

TEST_F(ElementTableTest, StoredBuiltInTableHasTheExactBytes) {
    ElementTable table = BuiltInTable();
    const Bytes bytes = Stored(table);

    // Version 0x20000, count 104, 104 records, then the first record: "e", two empty strings, 0.0, 1.
    const Bytes head = {0x00, 0x00, 0x02, 0x00, 0x68, 0x00, 0x00, 0x00, 0x68, 0x00, 0x01, 'e',  0x00,
                        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00};
    ASSERT_GE(bytes.size(), head.size());
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(head.size())), head);
    const std::string marker = "\x0c"
                               "Database EOF";
    EXPECT_EQ(std::string(bytes.end() - static_cast<std::ptrdiff_t>(marker.size()), bytes.end()), marker);
    // The whole section, checked once against a reference encoder of the built-in rows.
    EXPECT_EQ(bytes.size(), 1776u);
    EXPECT_EQ(CMD5Checksum::HexDigest(bytes.data(), bytes.size()), "0c4d47e0c6e42f93aa95b6db747c69f9");
    EXPECT_FALSE(table.IsModified());
}

TEST_F(ElementTableTest, CurrentSectionReadsBackWithItsMarker) {
    ElementTable original = BuiltInTable();
    original.AddElement("Cit", "C6H5O7", "citrate", 189.1013, 4);
    ElementTable read;
    Archive in(Stored(original));
    read.Serialize(in);

    EXPECT_TRUE(in.AtEnd());
    EXPECT_TRUE(read.IsValid());
    EXPECT_FALSE(read.IsModified());
    ASSERT_EQ(read.GetCount(), 105);
    for (int row = 0; row < read.GetCount(); ++row)
        EXPECT_EQ(read[row], original[row]);
    EXPECT_EQ(read.Find("Cit"), 104);
}

TEST_F(ElementTableTest, OldSectionGainsTheElectronRowAndNeedsNoMarker) {
    // 103 rows from "H", and bytes after the section that must not be taken for a marker.
    Bytes bytes = Section(ElementTable::kVersionWithoutElectron, 103, BuiltInRecords(1), nullptr);
    bytes.push_back(0x05);
    ElementTable table;
    Archive in(bytes);
    table.Serialize(in);

    EXPECT_EQ(in.Remaining(), 1u);
    EXPECT_TRUE(table.IsValid());
    ASSERT_EQ(table.GetCount(), 104);
    EXPECT_EQ(table[0], Element("e", "", "", 0.0, 0));
    EXPECT_EQ(table[1].GetSymbol(), "H");
    EXPECT_EQ(table[103].GetSymbol(), "Lr");
    EXPECT_EQ(table.Find("e"), 0);
    EXPECT_EQ(table.Find("H"), 1);
}

TEST_F(ElementTableTest, WrongOrMissingMarkerOnlyClearsValid) {
    struct MarkerCase {
        std::int32_t version;
        const char* marker;
        bool valid;
    };
    const std::vector<MarkerCase> cases = {
        {ElementTable::kCurrentVersion, "Database EOF", true},
        {ElementTable::kCurrentVersion, "database EOF", false},
        {ElementTable::kCurrentVersion, "", false},
        // Other versions are read in the current layout, without a marker.
        {0x30000, nullptr, true},
    };
    for (const MarkerCase& c : cases) {
        SCOPED_TRACE(c.marker ? c.marker : "(none)");
        ElementTable table;
        Archive in(Section(c.version, 104, BuiltInRecords(0), c.marker));
        table.Serialize(in);
        EXPECT_EQ(table.IsValid(), c.valid);
        EXPECT_EQ(table.GetCount(), 104);
        EXPECT_TRUE(in.AtEnd());
    }
}

TEST_F(ElementTableTest, UnreadableSectionThrowsAndKeepsTheTable) {
    std::vector<Bytes> sections = {
        Section(ElementTable::kCurrentVersion, -1, BuiltInRecords(0), "Database EOF"),
        Section(ElementTable::kCurrentVersion, 105, BuiltInRecords(0), "Database EOF"),
        Section(ElementTable::kVersionWithoutElectron, 104, BuiltInRecords(1), nullptr),
        Section(ElementTable::kCurrentVersion, 0x7FFFFFFF, {}, "Database EOF"),
    };
    // Cut short inside a record and inside the marker.
    Bytes full = Section(ElementTable::kCurrentVersion, 104, BuiltInRecords(0), "Database EOF");
    sections.emplace_back(full.begin(), full.begin() + 200);
    sections.emplace_back(full.begin(), full.end() - 3);
    // A record count far beyond the bytes that follow.
    sections.push_back({0x00, 0x00, 0x02, 0x00, 0x01, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F});

    for (std::size_t i = 0; i < sections.size(); ++i) {
        SCOPED_TRACE("section " + std::to_string(i));
        ElementTable table = BuiltInTable();
        table.AddElement("Cit", "", "", 189.1, 1);
        Archive in(sections[i]);
        EXPECT_THROW(table.Serialize(in), ArchiveError);
        EXPECT_EQ(table.GetCount(), 105);
        EXPECT_EQ(table.Find("Cit"), 104);
    }
}

struct MatchCase {
    const char* text;
    int row;
    int length;
};

TEST_F(ElementTableTest, MatchSymbolTakesTheLongestPrefix) {
    ElementTable table = BuiltInTable();
    ASSERT_EQ(table.AddElement("Ph", "C6H5", "", 77.1, 1), 104);
    const std::vector<MatchCase> cases = {
        {"Co2", 27, 2}, {"CO", 6, 1},  {"O", 8, 1},   {"e", 0, 1},   {"e-", 0, 1},     {"Fe", 26, 2},
        {"He", 2, 2},   {"Ne", 10, 2}, {"Se", 34, 2}, {"Re", 75, 2}, {"PhOH", 104, 2}, {"P", 15, 1},
        {"x", -1, 1},   {"*", -1, 1},  {" H", -1, 1}, {"", -1, 1},   {"\xB7", -1, 1},
    };
    for (const MatchCase& c : cases) {
        int length = -7;
        EXPECT_EQ(table.MatchSymbol(c.text, length), c.row) << c.text;
        EXPECT_EQ(length, c.length) << c.text;
    }
}

TEST_F(ElementTableTest, MatchSymbolLetsTheLowerRowWinATie) {
    // Only a stored table can hold one symbol twice.
    std::vector<Element> records = BuiltInRecords(0);
    records.emplace_back("Ph", "C6H5", "phenyl", 77.1, 1);
    records.emplace_back("Ph", "PH", "other", 31.9, 1);
    ElementTable table;
    Archive in(Section(ElementTable::kCurrentVersion, 106, records, "Database EOF"));
    table.Serialize(in);
    int length = 0;
    EXPECT_EQ(table.MatchSymbol("PhOH", length), 104);
    EXPECT_EQ(length, 2);
}

TEST_F(ElementTableTest, AddingRefusesATakenSymbol) {
    ElementTable table = BuiltInTable();
    EXPECT_EQ(table.AddElement("Fe", "", "", 1.0, 0), -1);
    EXPECT_EQ(table.GetCount(), 104);
    EXPECT_FALSE(table.IsModified());
    EXPECT_EQ(table[26].GetMolarMass(), 55.845);

    EXPECT_EQ(table.AddElement("Cit", "C6H5O7", "citrate", 189.1, 1), 104);
    EXPECT_EQ(table.GetCount(), 105);
    EXPECT_TRUE(table.IsModified());
    EXPECT_EQ(table[104], Element("Cit", "C6H5O7", "citrate", 189.1, 1));
    // Symbols are case-sensitive.
    EXPECT_EQ(table.AddElement("cit", "", "", 1.0, 0), 105);
}

TEST_F(ElementTableTest, ModifyingKeepsSymbolsUnique) {
    ElementTable table = BuiltInTable();
    table.AddElement("Cit", "C6H5O7", "", 189.1, 1);
    table.AddElement("Ac2", "", "", 1.0, 0);
    table.SetModified(false);

    EXPECT_EQ(table.ModifyElement(104, "Ac2", "", "", 2.0, 0), -1);
    EXPECT_EQ(table.ModifyElement(104, "Na", "", "", 2.0, 0), -1);
    EXPECT_EQ(table[104].GetSymbol(), "Cit");
    EXPECT_FALSE(table.IsModified());

    // The row may keep its own symbol.
    EXPECT_EQ(table.ModifyElement(104, "Cit", "C6H5O7", "citrate", 189.10, 2), 104);
    EXPECT_EQ(table[104].GetComment(), "citrate");
    EXPECT_TRUE(table.IsModified());

    EXPECT_EQ(table.ModifyElement(104, "Ci", "C6H5O7", "", 189.1, 1), 104);
    EXPECT_EQ(table.Find("Cit"), -1);
    EXPECT_EQ(table.Find("Ci"), 104);
    EXPECT_EQ(table.AddElement("Cit", "", "", 1.0, 0), 106);

    EXPECT_THROW(table.ModifyElement(107, "Zz", "", "", 1.0, 0), std::out_of_range);
    EXPECT_THROW(table.ModifyElement(-1, "Zz", "", "", 1.0, 0), std::out_of_range);
    EXPECT_EQ(table.Find("Zz"), -1);
}

TEST_F(ElementTableTest, RemovingMovesTheLaterRowsUp) {
    ElementTable table = BuiltInTable();
    table.AddElement("Cit", "", "", 189.1, 1);
    table.AddElement("Ph", "", "", 77.1, 1);
    table.AddElement("Ts", "", "", 155.2, 1);
    table.SetModified(false);

    table.RemoveAt(104);
    EXPECT_TRUE(table.IsModified());
    ASSERT_EQ(table.GetCount(), 106);
    EXPECT_EQ(table.GetSlotCount(), 107);
    EXPECT_EQ(table[104].GetSymbol(), "Ph");
    EXPECT_EQ(table[105].GetSymbol(), "Ts");
    EXPECT_EQ(table.Find("Cit"), -1);
    EXPECT_EQ(table.Find("Ph"), 104);
    EXPECT_EQ(table.Find("Ts"), 105);
    int length = 0;
    EXPECT_EQ(table.MatchSymbol("Cit", length), 6);

    // A stored table after a removal keeps the leftover slot: count one less than the records.
    Bytes bytes = Stored(table);
    Archive header(bytes);
    EXPECT_EQ(header.ReadInt32(), ElementTable::kCurrentVersion);
    EXPECT_EQ(header.ReadInt32(), 106);
    EXPECT_EQ(header.ReadCount(), 107u);
    ElementTable read;
    Archive in(bytes);
    read.Serialize(in);
    EXPECT_EQ(read.GetCount(), 106);
    EXPECT_EQ(read.GetSlotCount(), 107);
    EXPECT_EQ(read.Find("Ts"), 105);

    // The next addition reuses the freed slot.
    EXPECT_EQ(table.AddElement("Bz", "", "", 91.1, 1), 106);
    EXPECT_EQ(table.GetSlotCount(), 107);
    EXPECT_EQ(table[106].GetSymbol(), "Bz");

    EXPECT_THROW(table.RemoveAt(107), std::out_of_range);
    EXPECT_THROW(table.RemoveAt(-1), std::out_of_range);
    EXPECT_EQ(table.GetCount(), 107);
}

TEST_F(ElementTableTest, RowsOutsideTheArrayAreRefused) {
    const ElementTable table = BuiltInTable();
    EXPECT_THROW(table.GetAt(104), std::out_of_range);
    EXPECT_THROW(table.GetAt(-1), std::out_of_range);
    const ElementTable empty;
    EXPECT_EQ(empty.GetCount(), 0);
    EXPECT_FALSE(empty.IsModified());
    EXPECT_FALSE(empty.IsValid());
    EXPECT_THROW(empty.GetAt(0), std::out_of_range);
}

TEST_F(ElementTableTest, BuildDefaultReplacesWhateverWasThere) {
    ElementTable table = BuiltInTable();
    table.AddElement("Cit", "", "", 189.1, 1);
    table.RemoveAt(1);
    table.BuildDefault();
    EXPECT_EQ(table.GetCount(), 104);
    EXPECT_EQ(table.GetSlotCount(), 104);
    EXPECT_EQ(table.Find("H"), 1);
    EXPECT_EQ(table.Find("Cit"), -1);
    EXPECT_FALSE(table.IsModified());
}

TEST_F(ElementTableTest, ElementRecordRoundTrips) {
    Element element("Cit", "C6H5O7", std::string("\xB7 note", 6), 189.1013, 4);
    Archive out;
    element.Serialize(out);
    const Bytes expected = {3,   'C', 'i', 't',  6,   'C', '6', 'H', '5',
                            'O', '7', 6,   0xB7, ' ', 'n', 'o', 't', 'e'};
    ASSERT_EQ(out.Bytes().size(), expected.size() + 12);
    EXPECT_EQ(Bytes(out.Bytes().begin(), out.Bytes().begin() + static_cast<std::ptrdiff_t>(expected.size())),
              expected);
    Element read;
    Archive in(out.Bytes());
    read.Serialize(in);
    EXPECT_EQ(read, element);
    EXPECT_NE(read, Element("Cit", "C6H5O7", std::string("\xB7 note", 6), 189.1013, 3));
}

} // namespace
