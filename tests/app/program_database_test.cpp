#include "app/program_database.h"
#include "app_test_host.h"
#include "model/element_table.h"
#include "model/md5_checksum.h"
#include "model/program_database_file.h"
#include "model/stp.h"
#include "model/substance.h"
#include "model/substance_database.h"
#include "platform/core/archive.h"
#include "platform/core/file_io.h"
#include "platform/core/file_replacement.h"
#include "support/scoped_hook.h"

#include <gtest/gtest.h>

#include <atomic>
#include <bit>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;
namespace msg = ProgramFileMessages;

namespace {

using Bytes = std::vector<std::uint8_t>;

// Bytes written by hand, independently of the archive, to pin the file layouts down.
struct ByteWriter {
    Bytes bytes;
    ByteWriter& U32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        return *this;
    }
    ByteWriter& U16(std::uint16_t v) {
        bytes.push_back(static_cast<std::uint8_t>(v));
        bytes.push_back(static_cast<std::uint8_t>(v >> 8));
        return *this;
    }
    ByteWriter& F64(double v) {
        const auto bits = std::bit_cast<std::uint64_t>(v);
        for (int i = 0; i < 8; ++i)
            bytes.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
        return *this;
    }
    ByteWriter& Str(const std::string& s) { // short strings only: one length byte
        bytes.push_back(static_cast<std::uint8_t>(s.size()));
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
};

// The element section of a table holding the given rows, every slot in use.
void WriteElementSection(ByteWriter& w, const ElementTable& table) {
    w.U32(0x20000)
        .U32(static_cast<std::uint32_t>(table.GetCount()))
        .U16(static_cast<std::uint16_t>(table.GetCount()));
    for (int row = 0; row < table.GetCount(); ++row) {
        const Element& e = table.GetAt(row);
        w.Str(e.GetSymbol()).Str(e.GetComposition()).Str(e.GetComment()).F64(e.GetMolarMass());
        w.U32(static_cast<std::uint32_t>(e.GetDecimals()));
    }
    w.Str("Database EOF");
}

struct Item {
    std::string name, formula;
};
const std::vector<Item> kDefaultSubstances = {
    {"sodium hydroxide", "NaOH"},       {"iron(II) sulfate", "FeSO4"},
    {"sulfuric acid", "H2SO4"},         {"EDTA", "C10H16N2O8"},
    {"manganese(II) sulfate", "MnSO4"}, {"water", "H2O"},
    {"hydrochloric acid", "HCl"},       {"potassium permanganate", "KMnO4"},
    {"sodium chloride", "NaCl"},        {"iron(III) sulfate", "Fe2(SO4)3"},
    {"potassium chloride", "KCl"},      {"potassium sulfate", "K2SO4"},
};

void WriteSubstanceRecord(ByteWriter& w, const Item& item) {
    w.U32(0x10000).Str(item.name).Str(item.formula).Str("").F64(0.0).U32(3);
}

// A scripted desktop: answers questions and password prompts from queues and records every message.
class ScriptedHost : public ProgramDatabaseHost {
public:
    explicit ScriptedHost(fs::path folder) : dataFolder(std::move(folder)) {}

    fs::path DataFolder() const override { return dataFolder; }
    std::string StoredDatabasePath() const override { return databasePath; }
    void StoreDatabasePath(const std::string& path) override { databasePath = path; }
    void ShowMessage(int id, const std::string& cause) override {
        messages.push_back(id);
        causes.push_back(cause);
    }
    PromptAnswer Ask(int id, PromptButtons, PromptIcon, const std::string&) override {
        questions.push_back(id);
        if (answers.empty())
            throw std::logic_error("unexpected question " + std::to_string(id));
        const PromptAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<std::string> AskPassword(PasswordDialogMode mode, const std::string& digest) override {
        passwordModes.push_back(mode);
        passwordDigests.push_back(digest);
        if (passwords.empty())
            throw std::logic_error("unexpected password prompt");
        std::optional<std::string> typed = passwords.front();
        passwords.pop_front();
        if (!typed)
            return mode == PasswordDialogMode::Enter ? std::optional<std::string>(std::string())
                                                     : std::nullopt;
        return typed->empty() ? std::string() : CMD5Checksum::HexDigest(*typed);
    }
    void ElementTableReplaced() override { ++replacements; }

    fs::path dataFolder;
    std::string databasePath;
    std::vector<int> messages;
    std::vector<std::string> causes; // the cause below each message, empty for none
    std::vector<int> questions;
    std::deque<PromptAnswer> answers;
    // Typed passwords; nullopt is Cancel.
    std::deque<std::optional<std::string>> passwords;
    std::vector<PasswordDialogMode> passwordModes;
    std::vector<std::string> passwordDigests;
    int replacements = 0;
};

class ProgramDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("qelt-progdb-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root);
        desktop = std::make_unique<ScriptedHost>(root / "data" / "Kestrolab" / "QELT");
        database = std::make_unique<ProgramDatabase>(*desktop);
    }
    void TearDown() override {
        database.reset();
        host.UseElementTable(nullptr);
        std::error_code ignored;
        fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(root, ignored);
    }
    // Start-up with whatever is (or is not) at the database path.
    void Start() {
        database->LoadProgramDatabase(database->GetDatabasePath());
        host.UseElementTable(&database->GetElementTable());
    }
    // Adds a moiety, which marks the database modified.
    void AddMoiety() {
        const std::string symbol = "Cit" + std::to_string(moieties++);
        ASSERT_GE(database->GetElementTable().AddElement(symbol, "C6H5O7", "citrate", 189.1, 1), 104);
    }
    Bytes DefaultDatabaseBytes(const std::string& digest) {
        ElementTable table;
        table.BuildDefault();
        ByteWriter w;
        w.U32(0x20000).Str(digest);
        WriteElementSection(w, table);
        // The substances are written from the last position to the first.
        w.U32(0x30000).U32(static_cast<std::uint32_t>(kDefaultSubstances.size()));
        for (auto it = kDefaultSubstances.rbegin(); it != kDefaultSubstances.rend(); ++it)
            WriteSubstanceRecord(w, *it);
        w.Str("Database EOF");
        return w.bytes;
    }
    void WriteFile(const fs::path& path, const Bytes& bytes) {
        fs::create_directories(path.parent_path());
        WriteFileAtomically(path, bytes);
    }

    AppTestHost host;
    fs::path root;
    std::unique_ptr<ScriptedHost> desktop;
    std::unique_ptr<ProgramDatabase> database;
    int moieties = 0;
};

// What a second copy of the program does (a save, a read), run on a thread of its own, and whether it waits
// for the lock of a save of the first copy's.
namespace second_copy {
std::mutex mutex;
std::condition_variable changed;
bool waits = false;
bool done = false;
thread_local bool onIt = false;

int LockNoticingWaits(int fd, int operation) {
    if (onIt && (operation & LOCK_NB) == 0 && ::flock(fd, operation | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        const std::lock_guard<std::mutex> lock(mutex);
        waits = true;
        changed.notify_all();
    }
    return ::flock(fd, operation);
}

// Starts work as the second copy on thread; true once it waits for the lock or has finished, false after a
// time no save takes.
bool Start(std::thread& thread, std::function<void()> work) {
    {
        const std::lock_guard<std::mutex> lock(mutex);
        waits = done = false;
    }
    thread = std::thread([work = std::move(work)] {
        onIt = true;
        try {
            work();
        } catch (const std::exception&) { // an unexpected question: the checks after tell
        }
        const std::lock_guard<std::mutex> lock(mutex);
        done = true;
        changed.notify_all();
    });
    std::unique_lock<std::mutex> lock(mutex);
    return changed.wait_for(lock, std::chrono::seconds(20), [] { return waits || done; });
}

// Joins thread once the second copy has finished; false, leaving it, when it does not within a time no save
// takes.
bool End(std::thread& thread) {
    std::unique_lock<std::mutex> lock(mutex);
    if (!changed.wait_for(lock, std::chrono::seconds(20), [] { return done; })) {
        thread.detach();
        return false;
    }
    lock.unlock();
    thread.join();
    return true;
}
} // namespace second_copy

TEST(DatabaseEndMarker, WrittenReadAndCheckedExactly) {
    Archive out;
    bool valid = false;
    SerializeDatabaseEndMarker(valid, true, out);
    EXPECT_FALSE(valid) << "storing leaves the flag alone";
    EXPECT_EQ(out.Bytes(), ByteWriter().Str("Database EOF").bytes);

    struct Case {
        Bytes bytes;
        bool check;
        bool valid;
        std::size_t read;
    };
    const Case cases[] = {
        {ByteWriter().Str("Database EOF").bytes, true, true, 13},
        {ByteWriter().Str("database EOF").bytes, true, false, 13},
        {ByteWriter().Str("Database EOF ").bytes, true, false, 14},
        {ByteWriter().Str("").bytes, true, false, 1},
        {ByteWriter().Str("anything").bytes, false, true, 0},
        {Bytes{}, false, true, 0},
    };
    for (const Case& c : cases) {
        Archive in(c.bytes);
        bool flag = !c.valid;
        SerializeDatabaseEndMarker(flag, c.check, in);
        EXPECT_EQ(flag, c.valid);
        EXPECT_EQ(in.Position(), c.read);
    }
    Archive empty(Bytes{});
    bool flag = true;
    EXPECT_THROW(SerializeDatabaseEndMarker(flag, true, empty), ArchiveError);
}

TEST_F(ProgramDatabaseTest, PathsFollowTheDataFolderAndTheSetting) {
    EXPECT_EQ(ProgramDatabase::GetDatabaseFileName(), "QELTdatabase.dat");
    EXPECT_EQ(database->GetDatabasePath(), desktop->dataFolder / "QELTdatabase.dat");
    desktop->databasePath = (root / "elsewhere.dat").string();
    EXPECT_EQ(database->GetDatabasePath(), root / "elsewhere.dat");
    EXPECT_EQ(database->GetConfigPath(), desktop->dataFolder / "config.dat") << "whatever the database path";
}

TEST_F(ProgramDatabaseTest, TheStoredDigestOfFilesThatHoldNone) {
    EXPECT_EQ(database->ReadStoredPasswordHash(root / "missing.dat"), kUnreadableDigest);
    WriteFile(root / "short.dat", {0, 0, 2});
    EXPECT_EQ(database->ReadStoredPasswordHash(root / "short.dat"), kUnreadableDigest);
    WriteFile(root / "cut.dat", {0, 0, 2, 0, 32, '5', 'e'});
    EXPECT_EQ(database->ReadStoredPasswordHash(root / "cut.dat"), kUnreadableDigest);
    WriteFile(root / "older.dat", {0, 0, 1, 0, 0, 0, 1, 0});
    EXPECT_EQ(database->ReadStoredPasswordHash(root / "older.dat"), "");
}

TEST_F(ProgramDatabaseTest, AFirstStartRunsOnTheBuiltInTablesAndSavesIntoANewDataFolder) {
    Start();
    EXPECT_TRUE(desktop->messages.empty()) << "no file is no error: the built-in tables are complete";
    EXPECT_EQ(database->GetElementTable().GetCount(), 104);
    EXPECT_EQ(database->GetSubstanceDatabase().GetCount(), 12);
    EXPECT_FALSE(database->IsDatabaseModified());
    EXPECT_EQ(desktop->replacements, 1);

    // Nothing to save until something changed.
    database->OnSaveDatabase();
    EXPECT_TRUE(desktop->questions.empty());

    AddMoiety();
    EXPECT_TRUE(database->IsDatabaseModified());
    ASSERT_FALSE(fs::exists(desktop->dataFolder));
    desktop->answers = {PromptAnswer::Yes};
    database->OnSaveDatabase();
    EXPECT_EQ(desktop->questions, std::vector<int>{msg::kSaveChanges});
    EXPECT_TRUE(desktop->passwordModes.empty()) << "a file that does not exist needs no password";
    EXPECT_TRUE(desktop->messages.empty());
    EXPECT_TRUE(fs::exists(database->GetDefaultDatabasePath()))
        << "the data folder is made at the first save";
    EXPECT_FALSE(database->IsDatabaseModified());

    // A database the user moved elsewhere, gone from there, is worth a word.
    desktop->databasePath = (root / "moved" / "gone.dat").string();
    ProgramDatabase moved(*desktop);
    EXPECT_FALSE(moved.LoadProgramDatabase(moved.GetDatabasePath()));
    EXPECT_EQ(desktop->messages, std::vector<int>{msg::kCantOpen});
    EXPECT_EQ(moved.GetElementTable().GetCount(), 104);
}

TEST_F(ProgramDatabaseTest, SavedBytesWithAndWithoutPassword) {
    Start();
    const fs::path path = database->GetDefaultDatabasePath();
    ASSERT_TRUE(database->SaveProgramDatabase(path, false));
    EXPECT_EQ(ReadFileBytes(path), DefaultDatabaseBytes(""));

    // "secret" protects the file from now on.
    desktop->passwords = {std::string("secret")};
    database->OnDatabasePassword();
    EXPECT_EQ(desktop->passwordModes, std::vector<PasswordDialogMode>{PasswordDialogMode::Set});
    const std::string digest = "5ebe2294ecd0e0f08eab7690d2a6ee69";
    EXPECT_EQ(database->GetPasswordDigest(), digest);
    const Bytes withPassword = ReadFileBytes(path);
    EXPECT_EQ(withPassword, DefaultDatabaseBytes(digest));
    EXPECT_EQ(database->ReadStoredPasswordHash(path), digest);
    EXPECT_EQ(Bytes(withPassword.begin(), withPassword.begin() + 5), (Bytes{0, 0, 2, 0, 32}));

    // Read back, the file gives the same tables and the digest.
    ProgramDatabase again(*desktop);
    ASSERT_TRUE(again.LoadProgramDatabase(path));
    EXPECT_EQ(again.GetPasswordDigest(), digest);
    EXPECT_EQ(again.GetElementTable().GetCount(), 104);
    EXPECT_EQ(again.GetSubstanceDatabase().GetCount(), 12);
    EXPECT_EQ(again.GetSubstanceDatabase().GetAt(0)->GetName(), "potassium sulfate") << "saving reverses";
}

TEST_F(ProgramDatabaseTest, NoSaveOfAnotherCopyComesBetweenTheLookAtTheFileAndItsReplacement) {
    Start();
    const fs::path path = database->GetDefaultDatabasePath();
    ASSERT_TRUE(database->SaveProgramDatabase(path, false));
    ScriptedHost otherDesktop(desktop->dataFolder);
    ProgramDatabase other(otherDesktop);
    ASSERT_TRUE(other.LoadProgramDatabase(path));
    ASSERT_EQ(other.GetElementTable().AddElement("Mal", "C4H2O4", "", 114.06, 2), 104);
    otherDesktop.answers = {PromptAnswer::Yes, PromptAnswer::No};
    AddMoiety();

    // The other copy saves while this one is between its look at the file and its write.
    const test_support::ScopedHook noticingWaits(file_io_testing::lockFile, second_copy::LockNoticingWaits);
    std::thread second;
    std::atomic<bool> armed{true};
    const test_support::ScopedHook secondSaves(file_replacement_testing::beforeCommit, [&](const fs::path&) {
        if (armed.exchange(false)) {
            EXPECT_TRUE(second_copy::Start(second, [&other] { other.OnSaveDatabase(); }));
        }
    });
    EXPECT_TRUE(database->SaveProgramDatabase(path, false));
    ASSERT_FALSE(armed);
    ASSERT_TRUE(second_copy::End(second)) << "the other copy's save never ended";

    // It waited for the lock, then found the file changed: asked, it keeps this copy's file, and its No is
    // no error.
    EXPECT_EQ(otherDesktop.questions, (std::vector<int>{msg::kSaveChanges, msg::kChangedElsewhere}));
    EXPECT_TRUE(otherDesktop.messages.empty());
    EXPECT_TRUE(other.IsDatabaseModified());
    ProgramDatabase reread(*desktop);
    ASSERT_TRUE(reread.LoadProgramDatabase(path));
    EXPECT_EQ(reread.GetElementTable().GetAt(104).GetSymbol(), "Cit0");
}

TEST_F(ProgramDatabaseTest, EveryReadOfTheDatabaseWaitsForASaveOfAnotherCopyAndSeesTheWholeNewFile) {
    Start();
    const fs::path path = database->GetDefaultDatabasePath();
    ASSERT_TRUE(database->SaveProgramDatabase(path, false));
    // With another link to it the file is written in place: a read meanwhile would find it half written.
    fs::create_hard_link(path, desktop->dataFolder / "link.dat");
    const auto digest = [](int round) { return CMD5Checksum::HexDigest("pw" + std::to_string(round)); };
    // Each reader of another copy reads while this copy is between its look at the file and its write.
    struct Reader {
        const char* name;
        std::function<void(ProgramDatabase&, ScriptedHost&)> read;
        std::function<void(ProgramDatabase&, ScriptedHost&)> check;
    };
    std::string stored;
    const Reader readers[] = {
        {"the start",
         [&](ProgramDatabase& other, ScriptedHost&) { EXPECT_TRUE(other.LoadProgramDatabase(path)); },
         [&](ProgramDatabase& other, ScriptedHost&) {
             EXPECT_EQ(other.GetPasswordDigest(), digest(0));
             EXPECT_EQ(other.GetElementTable().GetCount(), 105);
         }},
        {"the stored digest",
         [&](ProgramDatabase& other, ScriptedHost&) { stored = other.ReadStoredPasswordHash(path); },
         [&](ProgramDatabase&, ScriptedHost&) { EXPECT_EQ(stored, digest(1)); }},
        // The path dialog's overwrite remembers the file it read: the save that follows finds it unchanged.
        {"the path dialog",
         [&](ProgramDatabase& other, ScriptedHost& otherDesktop) {
             other.CreateDefaultDatabase();
             otherDesktop.answers = {PromptAnswer::Yes};
             otherDesktop.passwords = {std::string("pw")};
             EXPECT_EQ(other.ChangeDatabasePath(path), ProgramDatabase::PathChange::Changed);
         },
         [&](ProgramDatabase&, ScriptedHost& otherDesktop) {
             EXPECT_EQ(otherDesktop.questions, std::vector<int>{msg::kOverwriteExisting});
             EXPECT_EQ(otherDesktop.passwordDigests, std::vector<std::string>{digest(2)});
         }},
    };
    const test_support::ScopedHook noticingWaits(file_io_testing::lockFile, second_copy::LockNoticingWaits);
    for (int round = 0; round < static_cast<int>(std::size(readers)); ++round) {
        SCOPED_TRACE(readers[round].name);
        ScriptedHost otherDesktop(desktop->dataFolder);
        ProgramDatabase other(otherDesktop);
        std::thread second;
        std::atomic<bool> armed{true};
        const test_support::ScopedHook secondReads(
            file_replacement_testing::beforeCommit, [&](const fs::path&) {
                if (armed.exchange(false)) {
                    EXPECT_TRUE(
                        second_copy::Start(second, [&] { readers[round].read(other, otherDesktop); }));
                }
            });
        AddMoiety();
        EXPECT_TRUE(database->SaveProgramDatabase(path, true, digest(round)));
        ASSERT_FALSE(armed);
        ASSERT_TRUE(second_copy::End(second)) << "the other copy's read never ended";
        EXPECT_EQ(fs::hard_link_count(path), 2u) << "written in place";
        readers[round].check(other, otherDesktop);
        EXPECT_TRUE(otherDesktop.messages.empty());
    }

    // Where locks do not work, a read goes on without one.
    const test_support::ScopedHook noLocks(file_io_testing::lockFile, [](int, int) {
        errno = ENOLCK;
        return -1;
    });
    ProgramDatabase unlocked(*desktop);
    EXPECT_TRUE(unlocked.LoadProgramDatabase(path));
}

TEST_F(ProgramDatabaseTest, ASaveRefusesWhatTheReaderWouldRefuseAndKeepsAFileTheProgramCannotRead) {
    // A limit just above the built-in database stands for the 128 MB.
    const Bytes defaults = DefaultDatabaseBytes("");
    const test_support::ScopedHook limit(file_io_testing::maxReadSize, defaults.size() + 64);
    Start();
    const fs::path path = database->GetDefaultDatabasePath();
    ASSERT_TRUE(database->SaveProgramDatabase(path, false));
    ASSERT_GE(database->GetElementTable().AddElement("Big", "C", std::string(100, 'x'), 12.0, 1), 104);
    desktop->answers = {PromptAnswer::Yes};
    database->OnSaveDatabase();
    EXPECT_EQ(desktop->messages, std::vector<int>{msg::kNotSaved});
    EXPECT_NE(desktop->causes.back().find("longer than the program reads back"), std::string::npos)
        << desktop->causes.back();
    EXPECT_EQ(ReadFileBytes(path), defaults);
    EXPECT_TRUE(database->IsDatabaseModified());

    // A file longer than the program reads is not read; the next save, forced by a new password, keeps it
    // beside before it replaces it.
    Bytes tooLong = defaults;
    tooLong.resize(defaults.size() + 65, 0x5A);
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(tooLong.data()), static_cast<std::streamsize>(tooLong.size()));
    desktop->messages.clear();
    ProgramDatabase fresh(*desktop);
    EXPECT_FALSE(fresh.LoadProgramDatabase(path));
    EXPECT_EQ(desktop->messages, std::vector<int>{msg::kCantOpen});
    desktop->passwords = {std::string("pw")};
    fresh.OnDatabasePassword();
    EXPECT_EQ(desktop->messages, std::vector<int>{msg::kCantOpen});
    EXPECT_EQ(fs::file_size(path.string() + ".damaged"), tooLong.size());
    EXPECT_EQ(fresh.ReadStoredPasswordHash(path), CMD5Checksum::HexDigest("pw"));
}

TEST_F(ProgramDatabaseTest, APasswordGuardsOverwritingTheFile) {
    Start();
    desktop->passwords = {std::string("secret")};
    database->OnDatabasePassword();
    AddMoiety();

    // Wrong, then Cancel (counts as wrong), then give up: the save is refused and reported.
    desktop->answers = {PromptAnswer::Yes, PromptAnswer::Yes, PromptAnswer::Yes, PromptAnswer::No};
    desktop->passwords = {std::string("Secret"), std::nullopt, std::string("")};
    database->OnSaveDatabase();
    EXPECT_EQ(desktop->questions, (std::vector<int>{msg::kSaveChanges, msg::kIncorrectPassword,
                                                    msg::kIncorrectPassword, msg::kIncorrectPassword}));
    EXPECT_EQ(desktop->messages.back(), msg::kNotSaved);
    EXPECT_TRUE(database->IsDatabaseModified());

    // The right password saves.
    desktop->answers = {PromptAnswer::Yes, PromptAnswer::Yes};
    desktop->passwords = {std::string("wrong"), std::string("secret")};
    desktop->messages.clear();
    database->OnSaveDatabase();
    EXPECT_TRUE(desktop->messages.empty());
    EXPECT_FALSE(database->IsDatabaseModified());

    // An empty new password removes the protection; later saves ask none.
    desktop->passwords = {std::string("")};
    database->OnDatabasePassword();
    EXPECT_EQ(desktop->passwordModes.back(), PasswordDialogMode::Change);
    EXPECT_EQ(desktop->passwordDigests.back(), CMD5Checksum::HexDigest("secret"));
    EXPECT_EQ(database->GetPasswordDigest(), "");
    EXPECT_EQ(database->ReadStoredPasswordHash(database->GetDatabasePath()), "");
    AddMoiety();
    desktop->answers = {PromptAnswer::Yes};
    const auto prompts = desktop->passwordModes.size();
    database->OnSaveDatabase();
    EXPECT_EQ(desktop->passwordModes.size(), prompts);
    EXPECT_FALSE(database->IsDatabaseModified());
}

TEST_F(ProgramDatabaseTest, PasswordCommandAsksBeforeSavingChangesAndCanBeCancelled) {
    Start();
    AddMoiety();
    desktop->answers = {PromptAnswer::No};
    database->OnDatabasePassword();
    EXPECT_EQ(desktop->questions, std::vector<int>{msg::kPasswordSavesChanges});
    EXPECT_TRUE(desktop->passwordModes.empty());

    desktop->answers = {PromptAnswer::Yes};
    desktop->passwords = {std::nullopt};
    database->OnDatabasePassword();
    EXPECT_TRUE(database->IsDatabaseModified()) << "Cancel saves nothing";
    EXPECT_FALSE(fs::exists(database->GetDatabasePath()));
}

TEST_F(ProgramDatabaseTest, AFailedSaveLosesNothing) {
    Start();
    // A database path whose folder is a file: nothing can be written there.
    WriteFile(root / "blocker", {1, 2, 3});
    desktop->databasePath = (root / "blocker" / "db.dat").string();
    AddMoiety();
    desktop->answers = {PromptAnswer::Yes};
    database->OnSaveDatabase();
    EXPECT_EQ(desktop->messages.back(), msg::kNotSaved);
    EXPECT_TRUE(database->IsDatabaseModified()) << "the changes are still to be saved";
    EXPECT_EQ(database->GetElementTable().GetCount(), 105);
    EXPECT_EQ(ReadFileBytes(root / "blocker"), (Bytes{1, 2, 3}));

    // A new password whose save fails is not taken on.
    desktop->answers = {PromptAnswer::Yes};
    desktop->passwords = {std::string("secret")};
    database->OnDatabasePassword();
    EXPECT_EQ(desktop->messages.back(), msg::kPasswordNotChanged);
    EXPECT_EQ(database->GetPasswordDigest(), "");
}

TEST_F(ProgramDatabaseTest, AFailedSaveKeepsThePreviousFileAndSaysWhy) {
    Start();
    const fs::path path = database->GetDefaultDatabasePath();
    ASSERT_TRUE(database->SaveProgramDatabase(path, false));
    const Bytes before = ReadFileBytes(path);
    AddMoiety();
    // A file without write permission is refused whoever saves, root included, and before any question.
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
    desktop->answers = {PromptAnswer::Yes};
    database->OnSaveDatabase();
    EXPECT_EQ(desktop->messages.back(), msg::kNotSaved);
    EXPECT_EQ(desktop->causes.back(), "Cannot write \"" + path.string() + "\": Permission denied");
    EXPECT_EQ(desktop->questions, std::vector<int>{msg::kSaveChanges});
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_TRUE(database->IsDatabaseModified());

    // A pipe at the database path is neither read nor replaced, and each message names it.
    fs::remove(path);
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    desktop->answers = {PromptAnswer::Yes};
    database->OnSaveDatabase();
    EXPECT_EQ(desktop->causes.back(), "Cannot write \"" + path.string() + "\": it is not a regular file");
    database->LoadProgramDatabase(path);
    EXPECT_EQ(desktop->messages.back(), msg::kCantReadAtLocation);
    EXPECT_EQ(desktop->causes.back(), "Cannot open \"" + path.string() + "\": it is not a regular file");
    EXPECT_TRUE(fs::is_fifo(path));
    EXPECT_TRUE(database->IsDatabaseModified()) << "the tables in use stay";
}

TEST_F(ProgramDatabaseTest, AWriteCutShortKeepsThePreviousFile) {
    Start();
    const fs::path path = database->GetDefaultDatabasePath();
    ASSERT_TRUE(database->SaveProgramDatabase(path, false));
    const Bytes before = ReadFileBytes(path);
    AddMoiety();
    // A file size limit stops the write part-way, whoever runs the test.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limited = saved;
    limited.rlim_cur = 512;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    desktop->answers = {PromptAnswer::Yes};
    database->OnSaveDatabase();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(desktop->messages.back(), msg::kNotSaved);
    EXPECT_EQ(desktop->causes.back(), "Cannot write \"" + path.string() + "\": File too large");
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_TRUE(database->IsDatabaseModified());
    EXPECT_EQ(std::distance(fs::directory_iterator(desktop->dataFolder), fs::directory_iterator()), 2)
        << "the file and its lock file; no temporary file is left behind";
}

TEST_F(ProgramDatabaseTest, TheOlderVersionIsReadAndSavedAsTheCurrentOne) {
    ElementTable builtIn;
    builtIn.BuildDefault();
    ByteWriter w;
    w.U32(0x10000);
    // A 0x10000 table: no electron row, no end marker.
    w.U32(0x10000).U32(103).U16(103);
    for (int row = 1; row < 104; ++row) {
        const Element& e = builtIn.GetAt(row);
        w.Str(e.GetSymbol())
            .Str("")
            .Str("")
            .F64(e.GetMolarMass())
            .U32(static_cast<std::uint32_t>(e.GetDecimals()));
    }
    // A 0x20000 substance section: array count, records in list order, no end marker.
    w.U32(0x20000).U16(2);
    WriteSubstanceRecord(w, {"first", "H2O"});
    WriteSubstanceRecord(w, {"second", "NaCl"});
    const fs::path path = database->GetDefaultDatabasePath();
    WriteFile(path, w.bytes);

    // A digest from an earlier read stays when a file without one is read.
    Start();
    ASSERT_TRUE(desktop->messages.empty());
    ASSERT_TRUE(
        database->SaveProgramDatabase(root / "with-password.dat", true, CMD5Checksum::HexDigest("pw")));
    ASSERT_TRUE(database->LoadProgramDatabase(path));
    EXPECT_EQ(database->GetPasswordDigest(), CMD5Checksum::HexDigest("pw"));
    const ElementTable& table = database->GetElementTable();
    ASSERT_EQ(table.GetCount(), 104);
    EXPECT_EQ(table.GetAt(0).GetSymbol(), "e");
    EXPECT_EQ(table.GetAt(1).GetSymbol(), "H");
    EXPECT_EQ(table.GetAt(103).GetSymbol(), "Lr");
    const SubstanceDatabase& substances = database->GetSubstanceDatabase();
    ASSERT_EQ(substances.GetCount(), 2);
    EXPECT_EQ(substances.GetAt(0)->GetName(), "second") << "imported from the last to the first";
    EXPECT_FALSE(database->IsDatabaseModified());

    // Overwriting it asks no password (it has none) and writes the current version with the digest.
    EXPECT_EQ(database->ReadStoredPasswordHash(path), "");
    database->GetElementTable().SetModified(true);
    desktop->answers = {PromptAnswer::Yes};
    database->OnSaveDatabase();
    EXPECT_TRUE(desktop->passwordModes.empty());
    const Bytes saved = ReadFileBytes(path);
    EXPECT_EQ(Bytes(saved.begin(), saved.begin() + 5), (Bytes{0, 0, 2, 0, 32}));
    EXPECT_EQ(database->ReadStoredPasswordHash(path), CMD5Checksum::HexDigest("pw"));
}

TEST_F(ProgramDatabaseTest, AWrongVersionIsRefusedAndTheBuiltInTablesAreUsed) {
    Bytes bytes = DefaultDatabaseBytes("");
    bytes[2] = 3; // version 0x30000
    WriteFile(database->GetDefaultDatabasePath(), bytes);
    Start();
    EXPECT_EQ(desktop->messages, (std::vector<int>{msg::kWrongVersion, msg::kCantOpen}));
    EXPECT_EQ(database->GetElementTable().GetCount(), 104);
    EXPECT_EQ(database->GetSubstanceDatabase().GetCount(), 12);
    EXPECT_EQ(database->ReadStoredPasswordHash(database->GetDefaultDatabasePath()), "");
}

TEST_F(ProgramDatabaseTest, AMissingEndMarkerOrADamagedFileIsRefused) {
    Bytes noMarker = DefaultDatabaseBytes("");
    noMarker[noMarker.size() - 1] = 'f'; // "Database EOf"
    WriteFile(database->GetDefaultDatabasePath(), noMarker);
    Start();
    EXPECT_EQ(desktop->messages, std::vector<int>{msg::kCantOpen});
    EXPECT_EQ(database->GetSubstanceDatabase().GetCount(), 12);
}

TEST_F(ProgramDatabaseTest, ADamagedFileIsReplacedOnSaveAndKeptBeside) {
    Bytes badDigest = DefaultDatabaseBytes(CMD5Checksum::HexDigest("pw"));
    badDigest[10] = 0xB7; // random bytes where the digest stands
    Bytes badVersion = DefaultDatabaseBytes("");
    badVersion[2] = 9;
    for (const Bytes& damaged : {badDigest, badVersion, Bytes{0x13, 0x37}}) {
        SetUp();
        const fs::path path = database->GetDefaultDatabasePath();
        WriteFile(path, damaged);
        Start();
        ASSERT_EQ(desktop->messages.back(), msg::kCantOpen);
        desktop->messages.clear();
        AddMoiety();

        // No: the damaged file stays as it is and nothing is saved; the user's choice is no error.
        desktop->answers = {PromptAnswer::Yes, PromptAnswer::No};
        database->OnSaveDatabase();
        EXPECT_EQ(desktop->questions, (std::vector<int>{msg::kSaveChanges, msg::kReplaceDamaged}));
        EXPECT_TRUE(desktop->messages.empty());
        EXPECT_EQ(ReadFileBytes(path), damaged);
        EXPECT_TRUE(database->IsDatabaseModified());

        // Yes: no password is asked; the damaged bytes are kept beside the new file.
        desktop->answers = {PromptAnswer::Yes, PromptAnswer::Yes};
        desktop->messages.clear();
        database->OnSaveDatabase();
        EXPECT_TRUE(desktop->passwordModes.empty());
        EXPECT_TRUE(desktop->messages.empty());
        EXPECT_EQ(ReadFileBytes(fs::path(path.string() + ".damaged")), damaged);
        ProgramDatabase again(*desktop);
        ASSERT_TRUE(again.LoadProgramDatabase(path));
        EXPECT_EQ(again.GetElementTable().GetCount(), 105) << "with the added moiety";

        // A second damaged file finds the first copy's name taken.
        WriteFile(path, damaged);
        AddMoiety();
        desktop->answers = {PromptAnswer::Yes, PromptAnswer::Yes};
        database->OnSaveDatabase();
        EXPECT_EQ(ReadFileBytes(fs::path(path.string() + ".damaged-2")), damaged);
        TearDown();
    }

    // A damaged file that may not be written is neither replaced nor copied.
    SetUp();
    const fs::path path = database->GetDefaultDatabasePath();
    WriteFile(path, {1, 2});
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    Start();
    AddMoiety();
    desktop->answers = {PromptAnswer::Yes, PromptAnswer::Yes};
    database->OnSaveDatabase();
    EXPECT_EQ(desktop->messages.back(), msg::kNotSaved);
    EXPECT_FALSE(fs::exists(path.string() + ".damaged"));
    EXPECT_EQ(ReadFileBytes(path), (Bytes{1, 2}));
}

TEST_F(ProgramDatabaseTest, APathChangeOverADamagedFileOffersANewPassword) {
    Start();
    const fs::path path = root / "damaged.dat";
    WriteFile(path, {0, 0, 2, 0, 32, 'n', 'o', 't'});
    desktop->answers = {PromptAnswer::Yes, PromptAnswer::No}; // overwrite; no password
    EXPECT_EQ(database->ChangeDatabasePath(path), ProgramDatabase::PathChange::Changed);
    EXPECT_EQ(desktop->questions, (std::vector<int>{msg::kOverwriteExisting, msg::kUsePassword}));
    EXPECT_EQ(ReadFileBytes(root / "damaged.dat.damaged"), (Bytes{0, 0, 2, 0, 32, 'n', 'o', 't'}));
    EXPECT_EQ(ReadFileBytes(path), DefaultDatabaseBytes(""));
}

TEST_F(ProgramDatabaseTest, EveryTruncationOfAFileKeepsTheTablesInUse) {
    Start();
    AddMoiety();
    const ElementTable* inUse = &database->GetElementTable();
    const Bytes whole = DefaultDatabaseBytes(CMD5Checksum::HexDigest("pw"));
    const int replacements = desktop->replacements;
    for (std::size_t size = 0; size < whole.size(); ++size) {
        const ProgramDatabase::ReadResult result =
            database->ReadProgramDatabase(Bytes(whole.begin(), whole.begin() + size));
        ASSERT_NE(result, ProgramDatabase::ReadResult::Read) << size;
    }
    EXPECT_EQ(&database->GetElementTable(), inUse);
    EXPECT_EQ(database->GetElementTable().GetCount(), 105);
    EXPECT_TRUE(database->IsDatabaseModified());
    EXPECT_EQ(database->GetPasswordDigest(), "");
    EXPECT_EQ(desktop->replacements, replacements);
    ASSERT_EQ(database->ReadProgramDatabase(whole), ProgramDatabase::ReadResult::Read);
    EXPECT_EQ(desktop->replacements, replacements + 1)
        << "open reactions are refreshed against the new table";
    EXPECT_EQ(database->GetPasswordDigest(), CMD5Checksum::HexDigest("pw"));
}

TEST_F(ProgramDatabaseTest, ReadingAtANewPathThatFailsKeepsTheUnsavedTables) {
    Start();
    AddMoiety();
    const fs::path damaged = root / "damaged.dat";
    WriteFile(damaged, {0, 0, 2, 0, 0, 0, 0});
    desktop->answers = {PromptAnswer::No}; // read the file found there
    EXPECT_EQ(database->ChangeDatabasePath(damaged), ProgramDatabase::PathChange::NotChanged);
    EXPECT_EQ(desktop->messages, (std::vector<int>{msg::kCantReadAtLocation, msg::kPathNotChanged}));
    EXPECT_EQ(database->GetElementTable().GetCount(), 105);
    EXPECT_TRUE(database->IsDatabaseModified());
    EXPECT_EQ(desktop->databasePath, "");
}

TEST_F(ProgramDatabaseTest, ThePathDialogReadsTheDatabaseFoundAtTheNewPath) {
    Start();
    const fs::path other = root / "other.dat";
    WriteFile(other, DefaultDatabaseBytes(CMD5Checksum::HexDigest("pw")));
    desktop->answers = {PromptAnswer::No};
    EXPECT_EQ(database->ChangeDatabasePath(other), ProgramDatabase::PathChange::Changed);
    EXPECT_EQ(desktop->databasePath, other.string());
    EXPECT_EQ(database->GetPasswordDigest(), CMD5Checksum::HexDigest("pw"));
    EXPECT_EQ(database->GetDatabasePath(), other);
}

TEST_F(ProgramDatabaseTest, ThePathDialogWritesTheDatabaseToTheNewPath) {
    Start();
    // No file there: offered a password, declined; the database goes there with the digest it has.
    const fs::path fresh = root / "fresh.dat";
    desktop->answers = {PromptAnswer::No};
    EXPECT_EQ(database->ChangeDatabasePath(fresh), ProgramDatabase::PathChange::Changed);
    EXPECT_EQ(desktop->questions, std::vector<int>{msg::kUsePassword});
    EXPECT_EQ(ReadFileBytes(fresh), DefaultDatabaseBytes(""));
    EXPECT_EQ(desktop->databasePath, fresh.string());

    // Overwriting a file without a password, with a new one chosen.
    const fs::path plain = root / "plain.dat";
    WriteFile(plain, DefaultDatabaseBytes(""));
    desktop->answers = {PromptAnswer::Yes, PromptAnswer::Yes};
    desktop->passwords = {std::string("new")};
    EXPECT_EQ(database->ChangeDatabasePath(plain), ProgramDatabase::PathChange::Changed);
    EXPECT_EQ(database->GetPasswordDigest(), CMD5Checksum::HexDigest("new"));
    EXPECT_EQ(database->ReadStoredPasswordHash(plain), CMD5Checksum::HexDigest("new"));

    // Overwriting a file without a password, declining one: written with the digest in memory.
    const fs::path second = root / "second.dat";
    WriteFile(second, DefaultDatabaseBytes(""));
    desktop->answers = {PromptAnswer::Yes, PromptAnswer::No};
    EXPECT_EQ(database->ChangeDatabasePath(second), ProgramDatabase::PathChange::Changed);
    EXPECT_EQ(ReadFileBytes(second), DefaultDatabaseBytes(CMD5Checksum::HexDigest("new")));
    EXPECT_EQ(desktop->databasePath, second.string());

    // Overwriting a protected file goes through the change mode with that file's digest.
    const fs::path guarded = root / "guarded.dat";
    WriteFile(guarded, DefaultDatabaseBytes(CMD5Checksum::HexDigest("old")));
    desktop->answers = {PromptAnswer::Yes};
    desktop->passwords = {std::nullopt};
    EXPECT_EQ(database->ChangeDatabasePath(guarded), ProgramDatabase::PathChange::KeepDialogOpen);
    EXPECT_EQ(desktop->passwordModes.back(), PasswordDialogMode::Change);
    EXPECT_EQ(desktop->passwordDigests.back(), CMD5Checksum::HexDigest("old"));
    EXPECT_EQ(desktop->databasePath, second.string());
    desktop->answers = {PromptAnswer::Yes};
    desktop->passwords = {std::string("brand new")}; // the host types the current one right, then this
    EXPECT_EQ(database->ChangeDatabasePath(guarded), ProgramDatabase::PathChange::Changed);
    EXPECT_EQ(database->GetPasswordDigest(), CMD5Checksum::HexDigest("brand new"));
    EXPECT_EQ(database->ReadStoredPasswordHash(guarded), CMD5Checksum::HexDigest("brand new"));

    // Cancel in any question keeps the dialog open and changes nothing.
    desktop->answers = {PromptAnswer::Cancel};
    EXPECT_EQ(database->ChangeDatabasePath(guarded), ProgramDatabase::PathChange::KeepDialogOpen);
    desktop->answers = {PromptAnswer::Cancel};
    EXPECT_EQ(database->ChangeDatabasePath(root / "none.dat"), ProgramDatabase::PathChange::KeepDialogOpen);
    EXPECT_FALSE(fs::exists(root / "none.dat"));
}

TEST_F(ProgramDatabaseTest, APathChangeWhoseSaveFailsKeepsTheOldPathAndDigest) {
    Start();
    WriteFile(root / "blocker", {1});
    desktop->answers = {PromptAnswer::Yes};
    desktop->passwords = {std::string("new")};
    EXPECT_EQ(database->ChangeDatabasePath(root / "blocker" / "db.dat"),
              ProgramDatabase::PathChange::KeepDialogOpen);
    EXPECT_EQ(desktop->messages.back(), msg::kCantSaveAtLocation);
    EXPECT_EQ(database->GetPasswordDigest(), "");
    EXPECT_EQ(desktop->databasePath, "");
}

TEST_F(ProgramDatabaseTest, ConfigFileBytesAndItsFailures) {
    STP conditions;
    database->LoadConfig(conditions);
    EXPECT_TRUE(desktop->messages.empty()) << "a missing file leaves the defaults silently";
    EXPECT_EQ(conditions.pressure, 1.0);
    EXPECT_EQ(conditions.temperature, 0.0);

    conditions.pressure = 100.0;
    conditions.pressureUnit = 3;
    conditions.temperature = 25.0;
    conditions.temperatureUnit = 0;
    conditions.modified = true;
    ASSERT_TRUE(database->SaveConfig(conditions));
    const Bytes expected = ByteWriter().U32(0x10000).U32(0x10000).U32(3).U32(0).F64(25.0).F64(100.0).bytes;
    EXPECT_EQ(ReadFileBytes(desktop->dataFolder / "config.dat"), expected);

    STP read;
    database->LoadConfig(read);
    EXPECT_EQ(read.pressure, 100.0);
    EXPECT_EQ(read.pressureUnit, 3);
    EXPECT_EQ(read.temperature, 25.0);
    EXPECT_FALSE(read.modified);

    // An unknown unit code is refused, never used as an index.
    Bytes badUnit = expected;
    badUnit[8] = 7;
    WriteFileAtomically(desktop->dataFolder / "config.dat", badUnit);
    STP refused;
    database->LoadConfig(refused);
    EXPECT_EQ(desktop->messages, std::vector<int>{msg::kCantReadDefaults});
    EXPECT_EQ(refused.pressureUnit, 0);
    EXPECT_EQ(refused.pressure, 1.0);
    badUnit = expected;
    badUnit[12] = 0xFF; // temperature unit 255
    EXPECT_FALSE(ReadConfigBytes(badUnit, refused));
    EXPECT_FALSE(ReadConfigBytes(Bytes(expected.begin(), expected.end() - 1), refused));
    EXPECT_EQ(refused.pressure, 1.0);
    // Conditions no gas can be at: a pressure of NaN or 0, a temperature below absolute zero.
    for (const auto& [p, T] : {std::pair{std::nan(""), 25.0}, {0.0, 25.0}, {100.0, -300.0}}) {
        const Bytes impossible = ByteWriter().U32(0x10000).U32(0x10000).U32(3).U32(0).F64(T).F64(p).bytes;
        EXPECT_FALSE(ReadConfigBytes(impossible, refused)) << p << " kPa, " << T << " C";
    }
    EXPECT_EQ(refused.pressure, 1.0);

    // At exit: asked only when the defaults changed; a failed write is reported.
    database->OfferToSaveConfig(conditions, false);
    EXPECT_TRUE(desktop->questions.empty());
    fs::remove_all(root / "data" / "Kestrolab");
    WriteFile(root / "data" / "Kestrolab", {1}); // the data folder cannot be made
    desktop->answers = {PromptAnswer::Yes};
    database->OfferToSaveConfig(conditions, true);
    EXPECT_EQ(desktop->questions, std::vector<int>{msg::kSaveProgramDefaults});
    EXPECT_EQ(desktop->messages.back(), msg::kDefaultsNotSaved);
}

} // namespace
