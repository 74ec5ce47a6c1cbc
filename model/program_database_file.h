#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class Archive;
class ElementTable;
class STP;
class SubstanceDatabase;

// The layout of the two per-user files, without any user interface (fuzz targets read arbitrary bytes
// through these functions):
//
// Program database: file version (4 bytes; 0x20000 written, 0x10000 and 0x20000 read), the password digest
// (an archive string, only in version 0x20000: 32 hexadecimal characters of the MD5 digest, or empty for no
// password), the element table section and the substance database section, each ending with the end marker.
//
// "config.dat": file version (4 bytes; 0x10000 written, ignored when read) and the 28-byte standard
// conditions record.

inline constexpr std::uint32_t kProgramDatabaseVersion = 0x20000;
// The older file: no password digest, and an element table without the electron row.
inline constexpr std::uint32_t kProgramDatabaseVersionWithoutPassword = 0x10000;
inline constexpr std::uint32_t kConfigFileVersion = 0x10000;

// The string that ends the element table and substance sections.
inline constexpr const char* kDatabaseEndMarker = "Database EOF";
// Stands for the digest of a file whose digest cannot be read: no hexadecimal digest equals it, so no
// password matches it.
inline constexpr const char* kUnreadableDigest = "pxvlog";

// What a version 0x20000 file may hold as its digest: empty (no password) or 32 lower-case hexadecimal
// characters. A file with anything else there is damaged.
bool IsPasswordDigest(const std::string& digest);

// The sections' end marker. Storing writes it and leaves valid alone; loading with check reads one string
// and sets valid to whether it is the marker (exact, case-sensitive); loading without check reads nothing and
// sets valid.
void SerializeDatabaseEndMarker(bool& valid, bool check, Archive& ar);

// What a program database file holds.
struct ProgramDatabaseContents {
    ProgramDatabaseContents();
    ~ProgramDatabaseContents();
    ProgramDatabaseContents(ProgramDatabaseContents&&) noexcept;
    ProgramDatabaseContents& operator=(ProgramDatabaseContents&&) noexcept;

    std::uint32_t version = 0;
    // Absent in a version 0x10000 file, which leaves the digest in memory as it was.
    std::optional<std::string> passwordDigest;
    std::unique_ptr<ElementTable> elements;
    std::unique_ptr<SubstanceDatabase> substances;
};

enum class ProgramDatabaseReadStatus {
    Read,         // both sections complete
    WrongVersion, // a file version other than 0x10000 and 0x20000
    Incomplete,   // a section of the current version without its end marker
    Damaged,      // short, truncated or inconsistent data, or no digest where the digest stands
};

// Reads a whole program database into fresh tables. Whatever the outcome, nothing but `contents` is
// touched; the caller takes the tables over only when the status is Read.
ProgramDatabaseReadStatus ReadProgramDatabaseBytes(const std::vector<std::uint8_t>& bytes,
                                                   ProgramDatabaseContents& contents);

// The bytes of a program database of the current version. Writing the sections clears their modified flags.
std::vector<std::uint8_t> WriteProgramDatabaseBytes(const std::string& passwordDigest, ElementTable& elements,
                                                    SubstanceDatabase& substances);

// The digest stored in a file's bytes: the version (whatever it is), then one string. kUnreadableDigest
// when the bytes end before that. A version 0x10000 file gives the empty string: the next bytes are the
// element table's version, whose first byte, 0, reads as an empty string.
std::string ReadStoredDigestBytes(const std::vector<std::uint8_t>& bytes);

// "config.dat" bytes for the standard conditions.
std::vector<std::uint8_t> WriteConfigBytes(const STP& conditions);
// Reads "config.dat" bytes into `conditions`; false (and `conditions` unchanged) when they are short or name
// an unknown unit. The modified flag is left alone.
bool ReadConfigBytes(const std::vector<std::uint8_t>& bytes, STP& conditions);
