#include "app/program_database.h"

#include "model/element_table.h"
#include "model/md5_checksum.h"
#include "model/program_database_file.h"
#include "model/stp.h"
#include "model/substance_database.h"
#include "platform/core/file_io.h"

#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;
namespace msg = ProgramFileMessages;

namespace {

constexpr const char* kProductWord = "QELT";
constexpr const char* kConfigFileName = "config.dat";

bool IsExistingFile(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    return !error && fs::exists(status) && !fs::is_directory(status);
}

// Nothing at the path, not even a link to a file that is not there.
bool IsMissing(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    return status.type() == fs::file_type::not_found;
}

bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error)) && !error;
}

// One name for a file however the path to it was written.
fs::path FileKey(const fs::path& path) {
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    return (error ? path : absolute).lexically_normal();
}

std::string BytesDigest(const std::vector<std::uint8_t>& bytes) {
    return CMD5Checksum::HexDigest(bytes.data(), bytes.size());
}

} // namespace

ProgramDatabase::ProgramDatabase(ProgramDatabaseHost& host) : m_host(host) {}

ProgramDatabase::~ProgramDatabase() = default;

std::string ProgramDatabase::GetDatabaseFileName() {
    std::string name;
    for (const char* p = kProductWord; *p; ++p)
        if (*p != ' ')
            name += *p;
    return name + "database.dat";
}

fs::path ProgramDatabase::GetDefaultDatabasePath() const {
    return m_host.DataFolder() / GetDatabaseFileName();
}

fs::path ProgramDatabase::GetDatabasePath() const {
    const std::string stored = m_host.StoredDatabasePath();
    return stored.empty() ? GetDefaultDatabasePath() : fs::path(stored);
}

fs::path ProgramDatabase::GetConfigPath() const {
    return m_host.DataFolder() / kConfigFileName;
}

ElementTable& ProgramDatabase::GetElementTable() {
    if (!m_elements)
        throw std::logic_error("the program database is not loaded");
    return *m_elements;
}

SubstanceDatabase& ProgramDatabase::GetSubstanceDatabase() {
    if (!m_substances)
        throw std::logic_error("the program database is not loaded");
    return *m_substances;
}

bool ProgramDatabase::IsDatabaseModified() const {
    if (!m_elements)
        return false;
    return m_elements->IsModified() || (m_substances && m_substances->IsModified());
}

void ProgramDatabase::AdoptTables(std::unique_ptr<ElementTable> elements,
                                  std::unique_ptr<SubstanceDatabase> substances) {
    m_elements = std::move(elements);
    m_substances = std::move(substances);
    m_host.ElementTableReplaced();
}

void ProgramDatabase::CreateDefaultDatabase() {
    auto elements = std::make_unique<ElementTable>();
    elements->BuildDefault();
    auto substances = std::make_unique<SubstanceDatabase>();
    substances->LoadDefaults();
    AdoptTables(std::move(elements), std::move(substances));
}

ProgramDatabase::ReadResult ProgramDatabase::ReadProgramDatabase(const std::vector<std::uint8_t>& bytes) {
    ProgramDatabaseContents contents;
    switch (ReadProgramDatabaseBytes(bytes, contents)) {
    case ProgramDatabaseReadStatus::Read:
        break;
    case ProgramDatabaseReadStatus::WrongVersion:
        return ReadResult::WrongVersion;
    case ProgramDatabaseReadStatus::Incomplete:
    case ProgramDatabaseReadStatus::Damaged:
        return ReadResult::Invalid;
    }
    // A file without a digest (the older version) leaves the digest in memory as it was.
    if (contents.passwordDigest)
        m_digest = *contents.passwordDigest;
    AdoptTables(std::move(contents.elements), std::move(contents.substances));
    return ReadResult::Read;
}

std::vector<std::uint8_t> ProgramDatabase::WriteProgramDatabase() {
    return WriteProgramDatabaseBytes(m_digest, GetElementTable(), GetSubstanceDatabase());
}

bool ProgramDatabase::LoadProgramDatabase(const fs::path& path) {
    // A first start finds no file at the default path: the built-in tables are complete, there is
    // nothing to tell. A database the user moved elsewhere and that is gone is worth a word.
    if (!HasTables() && path == GetDefaultDatabasePath() && IsMissing(path)) {
        CreateDefaultDatabase();
        return false;
    }
    ReadResult result = ReadResult::Invalid;
    std::string cause; // why the file could not be read; a file read that holds no database has none
    try {
        const std::vector<std::uint8_t> bytes = ReadFileBytes(path);
        RememberFile(path, bytes);
        result = ReadProgramDatabase(bytes);
    } catch (const FileError& error) {
        cause = error.what();
    }
    if (result == ReadResult::Read)
        return true;
    if (result == ReadResult::WrongVersion)
        m_host.ShowMessage(msg::kWrongVersion);
    if (HasTables()) {
        // The tables in use, possibly with unsaved changes, are worth more than a limited database.
        m_host.ShowMessage(msg::kCantReadAtLocation, cause);
    } else {
        m_host.ShowMessage(msg::kCantOpen, cause);
        CreateDefaultDatabase();
    }
    return false;
}

std::string ProgramDatabase::ReadStoredPasswordHash(const fs::path& path) const {
    try {
        return ReadStoredDigestBytes(ReadFileBytes(path));
    } catch (const FileError&) {
        return kUnreadableDigest;
    }
}

bool ProgramDatabase::IsAsLastSeen(const fs::path& path, const std::vector<std::uint8_t>& bytes) const {
    const auto seen = m_lastSeen.find(FileKey(path));
    return seen != m_lastSeen.end() && seen->second == BytesDigest(bytes);
}

void ProgramDatabase::RememberFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    m_lastSeen[FileKey(path)] = BytesDigest(bytes);
}

ProgramDatabase::StoredFile ProgramDatabase::InspectDatabaseFile(const fs::path& path, std::string& digest,
                                                                 std::vector<std::uint8_t>* read) const {
    digest.clear();
    if (IsMissing(path))
        return StoredFile::Missing;
    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadFileBytes(path);
    } catch (const FileError&) {
        digest = kUnreadableDigest;
        return StoredFile::Unreadable;
    }
    if (read != nullptr)
        *read = bytes;
    ProgramDatabaseContents contents;
    if (ReadProgramDatabaseBytes(bytes, contents) != ProgramDatabaseReadStatus::Read)
        return StoredFile::Damaged;
    digest = contents.passwordDigest.value_or(std::string());
    return StoredFile::Database;
}

bool ProgramDatabase::AskDatabasePassword(const std::string& storedDigest) {
    for (;;) {
        const std::string entered = m_host.AskPassword(PasswordDialogMode::Enter, {}).value_or(std::string());
        if (entered == storedDigest)
            return true;
        if (m_host.Ask(msg::kIncorrectPassword, PromptButtons::YesNo, PromptIcon::Exclamation) !=
            PromptAnswer::Yes)
            return false;
    }
}

void ProgramDatabase::PrepareFolderFor(const fs::path& path) const {
    const fs::path folder = m_host.DataFolder();
    if (path.parent_path() != folder || Exists(folder))
        return;
    std::error_code error;
    fs::create_directories(folder, error); // a failure shows in the write that follows
}

bool ProgramDatabase::WriteDatabaseFile(const fs::path& path, const std::string& digest) {
    ElementTable& elements = GetElementTable();
    SubstanceDatabase& substances = GetSubstanceDatabase();
    // Writing the sections clears their modified flags; a write that fails puts them back.
    const bool elementsModified = elements.IsModified();
    const bool substancesModified = substances.IsModified();
    try {
        const std::vector<std::uint8_t> bytes = WriteProgramDatabaseBytes(digest, elements, substances);
        PrepareFolderFor(path);
        WriteFileAtomically(path, bytes);
        // Every save makes a new file: what identifies it is what this copy wrote.
        RememberFile(path, bytes);
        return true;
    } catch (const std::exception& error) {
        m_saveFailure = error.what();
        elements.SetModified(elementsModified);
        substances.SetModified(substancesModified);
        return false;
    }
}

bool ProgramDatabase::SaveProgramDatabase(const fs::path& path, bool force,
                                          const std::optional<std::string>& newDigest) {
    m_saveFailure.clear();
    if (!HasTables())
        return false;
    // A file that cannot be replaced (read-only, a folder, a pipe) says so before any question.
    try {
        CheckReplaceable(path);
    } catch (const FileError& error) {
        m_saveFailure = error.what();
        return false;
    }
    // Only a readable database is protected by its password: a new file needs none, and the bytes of a
    // damaged one are no password. A file that cannot be read at all keeps the placeholder, which no
    // password matches.
    std::string stored;
    std::vector<std::uint8_t> bytes;
    switch (InspectDatabaseFile(path, stored, &bytes)) {
    case StoredFile::Missing:
        break;
    case StoredFile::Database:
        // Another copy of the program saved here since this one read or wrote the file (or this one never
        // did): replacing it would drop what the other copy saved.
        if (!IsAsLastSeen(path, bytes) &&
            m_host.Ask(msg::kChangedElsewhere, PromptButtons::YesNo, PromptIcon::Exclamation,
                       path.string()) != PromptAnswer::Yes)
            return false;
        [[fallthrough]];
    case StoredFile::Unreadable:
        if (!force && !stored.empty() && !AskDatabasePassword(stored))
            return false;
        break;
    case StoredFile::Damaged:
        if (!force && m_host.Ask(msg::kReplaceDamaged, PromptButtons::YesNo, PromptIcon::Exclamation) !=
                          PromptAnswer::Yes)
            return false;
        try {
            KeepCopy(path, kDamagedSuffix);
        } catch (const FileError& error) {
            m_saveFailure = error.what(); // what cannot be kept is not replaced
            return false;
        }
        break;
    }
    const std::string digest = newDigest.value_or(m_digest);
    if (!WriteDatabaseFile(path, digest))
        return false;
    m_digest = digest;
    return true;
}

ProgramDatabase::SaveOutcome ProgramDatabase::SaveOnRequest() {
    if (!IsDatabaseModified())
        return SaveOutcome::NotSaving;
    if (m_host.Ask(msg::kSaveChanges, PromptButtons::YesNo, PromptIcon::None) != PromptAnswer::Yes)
        return SaveOutcome::NotSaving;
    return SaveProgramDatabase(GetDatabasePath(), false) ? SaveOutcome::Saved : SaveOutcome::NotSaved;
}

void ProgramDatabase::OnSaveDatabase() {
    if (SaveOnRequest() == SaveOutcome::NotSaved)
        m_host.ShowMessage(msg::kNotSaved, m_saveFailure);
}

bool ProgramDatabase::OnSaveDatabaseAtExit() {
    if (SaveOnRequest() != SaveOutcome::NotSaved)
        return true;
    if (m_saveFailure.empty()) {
        // The user refused the save (a password, another copy's file): the changes go as they chose.
        m_host.ShowMessage(msg::kNotSaved);
        return true;
    }
    // A write that failed (a full disk, a read-only home) would lose the changes: the user may stay.
    return m_host.Ask(msg::kExitWithoutSaving, PromptButtons::YesNo, PromptIcon::Exclamation,
                      m_saveFailure) == PromptAnswer::Yes;
}

void ProgramDatabase::OnDatabasePassword() {
    if (IsDatabaseModified() &&
        m_host.Ask(msg::kPasswordSavesChanges, PromptButtons::YesNo, PromptIcon::None) != PromptAnswer::Yes)
        return;
    const PasswordDialogMode mode = m_digest.empty() ? PasswordDialogMode::Set : PasswordDialogMode::Change;
    const std::optional<std::string> newDigest = m_host.AskPassword(mode, m_digest);
    if (!newDigest)
        return;
    if (!SaveProgramDatabase(GetDatabasePath(), true, newDigest))
        m_host.ShowMessage(msg::kPasswordNotChanged, m_saveFailure);
}

bool ProgramDatabase::OfferPassword(std::optional<std::string>& newDigest) {
    switch (m_host.Ask(msg::kUsePassword, PromptButtons::YesNoCancel, PromptIcon::Stop)) {
    case PromptAnswer::Yes: {
        const std::optional<std::string> digest = m_host.AskPassword(PasswordDialogMode::Set, {});
        if (!digest)
            return false;
        newDigest = digest;
        return true;
    }
    case PromptAnswer::No:
        newDigest.reset();
        return true;
    case PromptAnswer::Cancel:
        break;
    }
    return false;
}

ProgramDatabase::PathChange ProgramDatabase::ChangeDatabasePath(const fs::path& path) {
    std::optional<std::string> newDigest;
    if (IsExistingFile(path)) {
        switch (m_host.Ask(msg::kOverwriteExisting, PromptButtons::YesNoCancel, PromptIcon::Stop)) {
        case PromptAnswer::Yes: {
            // A damaged file holds no password: it is replaced as a file without one (and kept beside).
            std::string stored;
            std::vector<std::uint8_t> bytes;
            InspectDatabaseFile(path, stored, &bytes);
            // The user has just agreed to overwrite this file.
            RememberFile(path, bytes);
            if (stored.empty()) {
                if (!OfferPassword(newDigest))
                    return PathChange::KeepDialogOpen;
            } else {
                newDigest = m_host.AskPassword(PasswordDialogMode::Change, stored);
                if (!newDigest)
                    return PathChange::KeepDialogOpen;
            }
            break;
        }
        case PromptAnswer::No:
            if (LoadProgramDatabase(path)) {
                m_host.StoreDatabasePath(path.string());
                return PathChange::Changed;
            }
            m_host.ShowMessage(msg::kPathNotChanged);
            return PathChange::NotChanged;
        case PromptAnswer::Cancel:
            return PathChange::KeepDialogOpen;
        }
    } else if (!OfferPassword(newDigest)) {
        return PathChange::KeepDialogOpen;
    }
    if (!SaveProgramDatabase(path, true, newDigest)) {
        m_host.ShowMessage(msg::kCantSaveAtLocation, m_saveFailure);
        return PathChange::KeepDialogOpen;
    }
    m_host.StoreDatabasePath(path.string());
    return PathChange::Changed;
}

void ProgramDatabase::LoadConfig(STP& conditions) {
    m_configPath = GetConfigPath();
    if (!Exists(m_configPath))
        return;
    bool read = false;
    std::string cause;
    try {
        read = ReadConfigBytes(ReadFileBytes(m_configPath), conditions);
    } catch (const FileError& error) {
        cause = error.what();
    }
    if (!read)
        m_host.ShowMessage(msg::kCantReadDefaults, cause);
}

bool ProgramDatabase::SaveConfig(const STP& conditions) {
    if (m_configPath.empty())
        m_configPath = GetConfigPath();
    try {
        PrepareFolderFor(m_configPath);
        WriteFileAtomically(m_configPath, WriteConfigBytes(conditions));
        return true;
    } catch (const FileError& error) {
        m_host.ShowMessage(msg::kDefaultsNotSaved, error.what());
        return false;
    }
}

void ProgramDatabase::OfferToSaveConfig(const STP& conditions, bool programDefaultsModified) {
    if (!programDefaultsModified)
        return;
    if (m_host.Ask(msg::kSaveProgramDefaults, PromptButtons::YesNo, PromptIcon::None) == PromptAnswer::Yes)
        SaveConfig(conditions);
}
