#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class ElementTable;
class FileReplacement;
class STP;
class SubstanceDatabase;

// String-table ids of the messages and questions on the paths of the program files.
namespace ProgramFileMessages {
inline constexpr int kWrongVersion = 213;          // "Wrong version of the program database file."
inline constexpr int kNotSaved = 2029;             // "Error: database was NOT saved."
inline constexpr int kOverwriteExisting = 2035;    // "Do you want to overwrite existing database? ..."
inline constexpr int kCantSaveAtLocation = 2037;   // "Can't save the database at specified location."
inline constexpr int kPathNotChanged = 2039;       // "Database path not changed."
inline constexpr int kUsePassword = 2041;          // "Do you want to use a password to protect ..."
inline constexpr int kPasswordSavesChanges = 2043; // "After changing password changes you did ..."
inline constexpr int kIncorrectPassword = 2045;    // "Incorrect password, do you wan't to retry?"
inline constexpr int kCantOpen = 2075;             // "Can't open program database file. ..."
inline constexpr int kSaveChanges = 2076;          // "Save changes to the program database?"
inline constexpr int kSaveProgramDefaults = 2088;  // "Save changes to program defaults?"
inline constexpr int kCantReadAtLocation = 2960;   // a read at a new path failed; the tables in use stay
inline constexpr int kPasswordNotChanged = 2961;   // the save with a new password failed
inline constexpr int kDefaultsNotSaved = 2962;     // "config.dat" could not be written
inline constexpr int kCantReadDefaults = 2963;     // "config.dat" exists but could not be read
inline constexpr int kReplaceDamaged = 2970;       // saving over a file that is not a readable database
inline constexpr int kChangedElsewhere = 2966;     // the file changed since this copy read or saved it
inline constexpr int kExitWithoutSaving = 2967;    // the save at exit failed: exit anyway?
} // namespace ProgramFileMessages

// The modes of the password dialog.
enum class PasswordDialogMode { Enter = 0, Set = 1, Change = 2 };

// YesNoDefaultNo: a question whose Yes drops data has No as its default button.
enum class PromptButtons { YesNo, YesNoDefaultNo, YesNoCancel };
enum class PromptIcon { None, Exclamation, Stop };
enum class PromptAnswer { Yes, No, Cancel };

// What the program files need of the desktop around them: the data folder, one setting, message boxes, the
// password dialog, and the open documents. The application supplies it; tests supply a scripted one.
class ProgramDatabaseHost {
public:
    virtual ~ProgramDatabaseHost() = default;

    // The per-user data folder (".../Kestrolab/QELT"); it need not exist yet.
    virtual std::filesystem::path DataFolder() const = 0;
    // Settings/DatabasePath: empty for the default path.
    virtual std::string StoredDatabasePath() const = 0;
    virtual void StoreDatabasePath(const std::string& path) = 0;

    // A message box with the string-table text and an OK button; the cause of a failure, when there is
    // one, stands on a line of its own below the text.
    void ShowMessage(int stringId) { ShowMessage(stringId, std::string()); }
    virtual void ShowMessage(int stringId, const std::string& cause) = 0;
    // A question with the string-table text; `detail` takes the place of its "%1".
    PromptAnswer Ask(int stringId, PromptButtons buttons, PromptIcon icon) {
        return Ask(stringId, buttons, icon, std::string());
    }
    virtual PromptAnswer Ask(int stringId, PromptButtons buttons, PromptIcon icon,
                             const std::string& detail) = 0;
    // The password dialog. Enter: the digest of the typed password, empty for an empty entry; Set and Change
    // (which first checks the current password against `digest`): the new password's digest, empty when the
    // new password was left empty. nullopt when the user cancelled.
    virtual std::optional<std::string> AskPassword(PasswordDialogMode mode, const std::string& digest) = 0;

    // The element table was replaced: open reactions must be read again against the new one.
    virtual void ElementTableReplaced() = 0;
};

// The program database (element table with the user's moieties, substance database, password digest) and
// the configuration file "config.dat" with the standard conditions. The application object owns one and
// calls it from its hooks and commands.
//
// Files are written whole to a temporary file that replaces the old one only when the write succeeded, and
// read whole into fresh tables that replace the tables in use only when the read succeeded.
//
// Another copy of the program may share the database file (a second session, or another machine on a
// network home). Each copy remembers the bytes of the file as it last read or wrote it, and a save over a
// database that has changed since asks first, so that nothing the other copy saved is dropped unasked. Every
// read of a database file waits for a save of another copy to end (FileReadLock), so that none takes a file
// half written for a damaged one.
class ProgramDatabase {
public:
    explicit ProgramDatabase(ProgramDatabaseHost& host);
    ~ProgramDatabase();
    ProgramDatabase(const ProgramDatabase&) = delete;
    ProgramDatabase& operator=(const ProgramDatabase&) = delete;

    // Paths. The file name is the product word without blanks followed at once by "database.dat".
    static std::string GetDatabaseFileName();
    std::filesystem::path GetDefaultDatabasePath() const;
    // Settings/DatabasePath, or the default path when that is empty.
    std::filesystem::path GetDatabasePath() const;
    // "config.dat" in the data folder, whatever the database path.
    std::filesystem::path GetConfigPath() const;

    // The tables in use; they exist after the first LoadProgramDatabase or CreateDefaultDatabase.
    bool HasTables() const { return m_elements != nullptr; }
    ElementTable& GetElementTable();
    SubstanceDatabase& GetSubstanceDatabase();
    // 32 hexadecimal characters of the password's MD5 digest, or empty for no password.
    const std::string& GetPasswordDigest() const { return m_digest; }
    // Whether the element table or the substance database has unsaved changes.
    bool IsDatabaseModified() const;

    // Reads the database at path. On failure the user is told; when no tables exist yet (start-up) the
    // built-in ones are made, otherwise the tables in use stay. At start-up no file at the default path is
    // no failure to tell: the built-in tables are complete.
    bool LoadProgramDatabase(const std::filesystem::path& path);
    // Writes the database to path with the digest in memory, or with newDigest, which becomes the digest in
    // memory only when the save succeeded. Unless force is set, overwriting a file that holds a password
    // asks for it, and overwriting a file that is no readable database asks whether to replace it. Such a
    // file, and one the program cannot read at all, is first kept beside it (kDamagedSuffix). Overwriting a
    // database that another copy of the program changed since this one read or wrote it asks whether to
    // replace it, force or not; every copy saves under one lock, so no other copy's save comes between the
    // look at the file and its replacement unasked. False when the password or the replacement was refused
    // or the file could not be written; the database then stays modified. The user is not told here: the
    // commands that save show the file and the system's reason of a failed write, and nothing when the user
    // answered No.
    bool SaveProgramDatabase(const std::filesystem::path& path, bool force,
                             const std::optional<std::string>& newDigest = std::nullopt);
    // The digest held by the file at path: empty for none, kUnreadableDigest when the file cannot be read.
    std::string ReadStoredPasswordHash(const std::filesystem::path& path) const;
    // What is at a path about to be written: nothing, a readable database, a file that is no readable
    // database (or longer than the program reads), or a file that cannot be read at all.
    enum class StoredFile { Missing, Database, Damaged, Unreadable };
    struct Inspection {
        StoredFile kind = StoredFile::Missing;
        // The digest a database holds (empty for none), kUnreadableDigest for a file that cannot be read.
        std::string digest;
        std::vector<std::uint8_t> bytes; // what was read
    };
    Inspection InspectDatabaseFile(const std::filesystem::path& path) const;
    // A damaged file that a save replaces is kept beside it under its name with this added (and "-2",
    // "-3" ... when that name is taken).
    static constexpr const char* kDamagedSuffix = ".damaged";
    // Asks for the password until it matches the stored digest (true) or the user gives up (false).
    bool AskDatabasePassword(const std::string& storedDigest);
    // Replaces the tables by the built-in element table and the default substances.
    void CreateDefaultDatabase();

    // The bytes of the database in memory, and the reading of a database from bytes (which replaces the
    // tables only when the whole read succeeded; messages are the caller's).
    std::vector<std::uint8_t> WriteProgramDatabase();
    enum class ReadResult { Read, WrongVersion, Invalid };
    ReadResult ReadProgramDatabase(const std::vector<std::uint8_t>& bytes);

    // Commands: "Save database" and "Database password".
    void OnSaveDatabase();
    void OnDatabasePassword();
    // At shut-down: "Save database", and when the save failed, whether to exit anyway. False when the user
    // chose to stay in the program (where the path can be changed or space freed).
    bool OnSaveDatabaseAtExit();

    // The database path dialog's OK: write the database to path, or read the one there.
    enum class PathChange {
        KeepDialogOpen, // the user cancelled a question, or the save at the new path failed
        Changed,        // the database now lives at path
        NotChanged,     // the read at path failed; the path stays as it was
    };
    PathChange ChangeDatabasePath(const std::filesystem::path& path);
    // Offers to protect the database with a password. False when the user cancelled; otherwise newDigest
    // holds the chosen digest, or nothing to keep the digest in memory.
    bool OfferPassword(std::optional<std::string>& newDigest);

    // "config.dat": a missing file leaves the conditions as they are; an unreadable one is reported and
    // leaves them as well.
    void LoadConfig(STP& conditions);
    // Writes "config.dat"; a failure is reported and gives false.
    bool SaveConfig(const STP& conditions);
    // At exit: when the defaults were changed, asks whether to save them and does so on Yes.
    void OfferToSaveConfig(const STP& conditions, bool programDefaultsModified);

private:
    // What a save found at the database path, and which file that was (FileReplacement::Identity).
    struct Found : Inspection {
        std::string identity;
    };
    // What a save asks before it replaces a file, in this order.
    enum class Question { ChangedElsewhere, Password, ReplaceDamaged };
    Found Look(const FileReplacement& replacement) const;
    std::vector<Question> QuestionsBefore(const std::filesystem::path& path, const Found& found,
                                          bool force) const;
    // False when the user refused; m_saveDeclined tells a No from a password given up.
    bool AskQuestions(const std::vector<Question>& questions, const std::filesystem::path& path,
                      const Found& found);
    enum class SaveOutcome { NotSaving, Saved, NotSaved };
    // "Save database": asks, saves, and tells nothing.
    SaveOutcome SaveOnRequest();
    // Whether the file at path holds what this copy last read or wrote there.
    bool IsAsLastSeen(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) const;
    void RememberFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
    bool WriteDatabaseFile(FileReplacement& replacement, const std::filesystem::path& path,
                           const Found& found, const std::string& digest);
    void AdoptTables(std::unique_ptr<ElementTable> elements, std::unique_ptr<SubstanceDatabase> substances);
    // Makes the data folder when a file is about to be written into it.
    void PrepareFolderFor(const std::filesystem::path& path) const;

    ProgramDatabaseHost& m_host;
    std::unique_ptr<ElementTable> m_elements;
    std::unique_ptr<SubstanceDatabase> m_substances;
    std::string m_digest;
    std::filesystem::path m_configPath;
    // For each database file this copy read or wrote: the MD5 digest of its bytes as they were then.
    std::map<std::filesystem::path, std::string> m_lastSeen;
    // Why the last SaveProgramDatabase could not write: the file and the system's reason, or empty when the
    // user refused the save.
    std::string m_saveFailure;
    // Whether the last SaveProgramDatabase ended on the user's No to one of its questions.
    bool m_saveDeclined = false;
};
