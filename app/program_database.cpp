#include "app/program_database.h"

#include "model/element_table.h"
#include "model/md5_checksum.h"
#include "model/program_database_file.h"
#include "model/stp.h"
#include "model/substance_database.h"
#include "platform/core/file_io.h"
#include "platform/core/file_replacement.h"

#include <functional>
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

// Every read of a database file: another copy of the program may be saving it, and a file written in place
// holds part of the new bytes until that save ends. The read waits for it under the lock every save takes,
// where there is one, and so sees the file whole, old or new.
std::vector<std::uint8_t> ReadDatabaseFile(const fs::path& path) {
    const FileReadLock lock(path);
    return ReadFileBytes(path);
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
        const std::vector<std::uint8_t> bytes = ReadDatabaseFile(path);
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
        return ReadStoredDigestBytes(ReadDatabaseFile(path));
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

namespace {

// What read gives (a file's bytes, or nullopt for no file) as a database file: see InspectDatabaseFile.
ProgramDatabase::Inspection Classify(const std::function<std::optional<std::vector<std::uint8_t>>()>& read) {
    using StoredFile = ProgramDatabase::StoredFile;
    ProgramDatabase::Inspection found;
    try {
        std::optional<std::vector<std::uint8_t>> got = read();
        if (!got)
            return found;
        found.bytes = std::move(*got);
    } catch (const FileTooLargeError&) {
        // Longer than the program reads: no database of its, and no password.
        found.kind = StoredFile::Damaged;
        return found;
    } catch (const FileError&) {
        found.kind = StoredFile::Unreadable;
        found.digest = kUnreadableDigest;
        return found;
    }
    ProgramDatabaseContents contents;
    if (ReadProgramDatabaseBytes(found.bytes, contents) != ProgramDatabaseReadStatus::Read) {
        found.kind = StoredFile::Damaged;
        return found;
    }
    found.kind = StoredFile::Database;
    found.digest = contents.passwordDigest.value_or(std::string());
    return found;
}

} // namespace

ProgramDatabase::Inspection ProgramDatabase::InspectDatabaseFile(const fs::path& path) const {
    return Classify([&path]() -> std::optional<std::vector<std::uint8_t>> {
        if (IsMissing(path))
            return std::nullopt;
        return ReadDatabaseFile(path);
    });
}

ProgramDatabase::Found ProgramDatabase::Look(const FileReplacement& replacement) const {
    return Found{Classify([&replacement] { return replacement.ReadCurrent(); }), replacement.Identity()};
}

std::vector<ProgramDatabase::Question>
ProgramDatabase::QuestionsBefore(const fs::path& path, const Found& found, bool force) const {
    std::vector<Question> questions;
    switch (found.kind) {
    case StoredFile::Missing:
        break;
    case StoredFile::Database:
        // Another copy of the program saved here since this one read or wrote the file (or this one never
        // did): replacing it would drop what the other copy saved.
        if (!IsAsLastSeen(path, found.bytes))
            questions.push_back(Question::ChangedElsewhere);
        [[fallthrough]];
    case StoredFile::Unreadable:
        // Only a readable database is protected by its password: a new file needs none, and the bytes of a
        // damaged one are no password. A file that cannot be read at all keeps the placeholder, which no
        // password matches.
        if (!force && !found.digest.empty())
            questions.push_back(Question::Password);
        break;
    case StoredFile::Damaged:
        if (!force)
            questions.push_back(Question::ReplaceDamaged);
        break;
    }
    return questions;
}

bool ProgramDatabase::AskQuestions(const std::vector<Question>& questions, const fs::path& path,
                                   const Found& found) {
    for (const Question question : questions) {
        switch (question) {
        case Question::ChangedElsewhere:
            // No, which keeps the other copy's file, is the answer a stray Enter gives.
            m_saveDeclined = m_host.Ask(msg::kChangedElsewhere, PromptButtons::YesNoDefaultNo,
                                        PromptIcon::Exclamation, path.string()) != PromptAnswer::Yes;
            break;
        case Question::Password:
            if (!AskDatabasePassword(found.digest))
                return false;
            break;
        case Question::ReplaceDamaged:
            m_saveDeclined = m_host.Ask(msg::kReplaceDamaged, PromptButtons::YesNo,
                                        PromptIcon::Exclamation) != PromptAnswer::Yes;
            break;
        }
        if (m_saveDeclined)
            return false;
    }
    return true;
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

bool ProgramDatabase::WriteDatabaseFile(FileReplacement& replacement, const fs::path& path,
                                        const Found& found, const std::string& digest) {
    ElementTable& elements = GetElementTable();
    SubstanceDatabase& substances = GetSubstanceDatabase();
    // Writing the sections clears their modified flags; a write that fails puts them back.
    const bool elementsModified = elements.IsModified();
    const bool substancesModified = substances.IsModified();
    try {
        // A file the program cannot read is kept beside before anything replaces it; what cannot be kept is
        // not replaced.
        if (found.kind == StoredFile::Damaged || found.kind == StoredFile::Unreadable)
            replacement.KeepCopy(kDamagedSuffix);
        const std::vector<std::uint8_t> bytes = WriteProgramDatabaseBytes(digest, elements, substances);
        replacement.Commit(bytes);
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
    m_saveDeclined = false;
    if (!HasTables())
        return false;
    const std::string digest = newDigest.value_or(m_digest);
    // Between the look at the file that decides the save and the rename, no other copy of the program can
    // replace the file: both happen under the one lock every copy takes. No question is asked under it: the
    // answers are about the file as it was looked at, and when another save came in between, about a file
    // that is gone, so the file is looked at again and the questions asked again.
    std::string answeredFor; // the identity of the file the user's answers were about
    for (bool answered = false;; answered = true) {
        Found found;
        std::vector<Question> questions;
        try {
            PrepareFolderFor(path);
            // A file that cannot be replaced (read-only, a folder, a pipe) says so before any question.
            FileReplacement replacement(path);
            found = Look(replacement);
            questions = QuestionsBefore(path, found, force);
            if (questions.empty() || (answered && found.identity == answeredFor)) {
                if (!WriteDatabaseFile(replacement, path, found, digest))
                    return false;
                m_digest = digest;
                return true;
            }
        } catch (const FileError& error) {
            m_saveFailure = error.what();
            return false;
        }
        if (!AskQuestions(questions, path, found))
            return false;
        answeredFor = found.identity;
    }
}

ProgramDatabase::SaveOutcome ProgramDatabase::SaveOnRequest() {
    if (!IsDatabaseModified())
        return SaveOutcome::NotSaving;
    if (m_host.Ask(msg::kSaveChanges, PromptButtons::YesNo, PromptIcon::None) != PromptAnswer::Yes)
        return SaveOutcome::NotSaving;
    return SaveProgramDatabase(GetDatabasePath(), false) ? SaveOutcome::Saved : SaveOutcome::NotSaved;
}

void ProgramDatabase::OnSaveDatabase() {
    // No to a question of the save is the user's choice, no error to report.
    if (SaveOnRequest() == SaveOutcome::NotSaved && !m_saveDeclined)
        m_host.ShowMessage(msg::kNotSaved, m_saveFailure);
}

bool ProgramDatabase::OnSaveDatabaseAtExit() {
    if (SaveOnRequest() != SaveOutcome::NotSaved || m_saveDeclined)
        return true;
    if (m_saveFailure.empty()) {
        // A password refused: the changes go as the user chose.
        m_host.ShowMessage(msg::kNotSaved);
        return true;
    }
    // A write that failed (a full disk, a read-only home) would lose the changes: the user may stay.
    // Yes loses the changes: No, which keeps the program running, is the answer a stray Enter gives.
    return m_host.Ask(msg::kExitWithoutSaving, PromptButtons::YesNoDefaultNo, PromptIcon::Exclamation,
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
    if (!SaveProgramDatabase(GetDatabasePath(), true, newDigest) && !m_saveDeclined)
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
            const Inspection stored = InspectDatabaseFile(path);
            // The user has just agreed to overwrite this file.
            RememberFile(path, stored.bytes);
            if (stored.digest.empty()) {
                if (!OfferPassword(newDigest))
                    return PathChange::KeepDialogOpen;
            } else {
                newDigest = m_host.AskPassword(PasswordDialogMode::Change, stored.digest);
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
        if (!m_saveDeclined)
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
