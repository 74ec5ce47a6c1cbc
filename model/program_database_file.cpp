#include "model/program_database_file.h"

#include "model/element_table.h"
#include "model/stp.h"
#include "model/substance_database.h"
#include "model/unit_names.h"
#include "platform/core/archive.h"

#include <algorithm>
#include <exception>

void SerializeDatabaseEndMarker(bool& valid, bool check, Archive& ar) {
    if (ar.IsStoring()) {
        ar.WriteString(kDatabaseEndMarker);
        return;
    }
    valid = !check || ar.ReadString() == kDatabaseEndMarker;
}

bool IsPasswordDigest(const std::string& digest) {
    if (digest.empty())
        return true;
    return digest.size() == 32 && std::all_of(digest.begin(), digest.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

ProgramDatabaseContents::ProgramDatabaseContents() = default;
ProgramDatabaseContents::~ProgramDatabaseContents() = default;
ProgramDatabaseContents::ProgramDatabaseContents(ProgramDatabaseContents&&) noexcept = default;
ProgramDatabaseContents& ProgramDatabaseContents::operator=(ProgramDatabaseContents&&) noexcept = default;

ProgramDatabaseReadStatus ReadProgramDatabaseBytes(const std::vector<std::uint8_t>& bytes,
                                                   ProgramDatabaseContents& contents) {
    ProgramDatabaseContents read;
    read.elements = std::make_unique<ElementTable>();
    read.substances = std::make_unique<SubstanceDatabase>();
    try {
        Archive ar(bytes);
        read.version = ar.ReadUInt32();
        if (read.version != kProgramDatabaseVersion && read.version != kProgramDatabaseVersionWithoutPassword)
            return ProgramDatabaseReadStatus::WrongVersion;
        if (read.version == kProgramDatabaseVersion) {
            read.passwordDigest = ar.ReadString();
            // Anything else where the digest stands is damage, not a password no one could ever enter.
            if (!IsPasswordDigest(*read.passwordDigest))
                return ProgramDatabaseReadStatus::Damaged;
        }
        read.elements->Serialize(ar);
        read.substances->Serialize(ar);
        if (!read.elements->IsValid() || !read.substances->IsValid())
            return ProgramDatabaseReadStatus::Incomplete;
        // Every row the formulas are read against must be there: a damaged table could lack the electron
        // and the elements, which all other code takes as given.
        if (read.elements->GetCount() < ElementTable::kFirstMoietyRow)
            return ProgramDatabaseReadStatus::Damaged;
    } catch (const std::exception&) {
        // ArchiveError for short data, std::out_of_range or std::length_error for inconsistent counts,
        // std::bad_alloc for absurd sizes: the file is damaged either way.
        return ProgramDatabaseReadStatus::Damaged;
    }
    contents = std::move(read);
    return ProgramDatabaseReadStatus::Read;
}

std::vector<std::uint8_t> WriteProgramDatabaseBytes(const std::string& passwordDigest, ElementTable& elements,
                                                    SubstanceDatabase& substances) {
    Archive ar;
    ar.WriteUInt32(kProgramDatabaseVersion);
    ar.WriteString(passwordDigest);
    elements.Serialize(ar);
    substances.Serialize(ar);
    return ar.Bytes();
}

std::string ReadStoredDigestBytes(const std::vector<std::uint8_t>& bytes) {
    try {
        Archive ar(bytes);
        ar.ReadUInt32();
        return ar.ReadString();
    } catch (const ArchiveError&) {
        return kUnreadableDigest;
    }
}

std::vector<std::uint8_t> WriteConfigBytes(const STP& conditions) {
    Archive ar;
    ar.WriteUInt32(kConfigFileVersion);
    STP copy;
    copy.Copy(conditions);
    copy.Serialize(ar);
    return ar.Bytes();
}

bool ReadConfigBytes(const std::vector<std::uint8_t>& bytes, STP& conditions) {
    STP read;
    read.Copy(conditions);
    try {
        Archive ar(bytes);
        ar.ReadUInt32();
        read.Serialize(ar);
    } catch (const ArchiveError&) {
        return false;
    }
    if (!read.IsPhysical())
        return false;
    conditions.Copy(read);
    return true;
}
