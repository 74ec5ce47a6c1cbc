// Reads arbitrary bytes as a program database and as "config.dat": no input may crash, read out of bounds
// or allocate without bound, and a database that reads must write back and read again.
#include "model/element_table.h"
#include "model/model_host.h"
#include "model/program_database_file.h"
#include "model/stp.h"
#include "model/substance_database.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace {

// The model asks its host only for the end marker (and says when a section has an unknown version).
class FuzzHost : public ModelHost {
public:
    FuzzHost() { m_table.BuildDefault(); }
    ElementTable& GetElementTable() override { return m_table; }
    int GetDisplayDigits() const override { return 4; }
    const STP& GetStandardConditions() const override { return m_conditions; }
    bool IsNewFromString() const override { return false; }
    bool IsNewFromClipboard() const override { return false; }
    std::string GetClipboardText() override { return {}; }
    bool AskReactionString(std::string&) override { return false; }
    void SetStatusText(const std::string&) override {}
    void ShowMessage(const std::string&) override {}
    void SerializeEndMarker(bool& valid, bool check, Archive& ar) override {
        SerializeDatabaseEndMarker(valid, check, ar);
    }
    void OpenViewFrame(CQELTDoc&, ViewKind) override {}

private:
    ElementTable m_table;
    STP m_conditions;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzHost host;
    SetModelHost(&host);
    const std::vector<std::uint8_t> bytes(data, data + size);

    ProgramDatabaseContents contents;
    if (ReadProgramDatabaseBytes(bytes, contents) == ProgramDatabaseReadStatus::Read) {
        const std::vector<std::uint8_t> written = WriteProgramDatabaseBytes(
            contents.passwordDigest.value_or(std::string()), *contents.elements, *contents.substances);
        ProgramDatabaseContents again;
        if (ReadProgramDatabaseBytes(written, again) != ProgramDatabaseReadStatus::Read ||
            again.elements->GetCount() != contents.elements->GetCount() ||
            again.substances->GetCount() != contents.substances->GetCount())
            __builtin_trap();
    }
    (void)ReadStoredDigestBytes(bytes);

    STP conditions;
    if (ReadConfigBytes(bytes, conditions)) {
        STP again;
        if (!ReadConfigBytes(WriteConfigBytes(conditions), again) ||
            again.pressureUnit != conditions.pressureUnit ||
            again.temperatureUnit != conditions.temperatureUnit)
            __builtin_trap();
    }
    return 0;
}
