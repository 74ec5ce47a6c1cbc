#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// The binary archive every stored record goes through. Values are little-endian; strings and array counts
// use the compact length prefixes the program's files have always had:
//   string: length < 0xFF            -> 1 byte length
//           length < 0xFFFE          -> 0xFF, 16-bit length
//           otherwise                -> 0xFF, 0xFFFF, 32-bit length
//           then the 8-bit characters, no terminator
//   count:  count < 0xFFFF           -> 16-bit count
//           otherwise                -> 0xFFFF, 32-bit count
// A loading archive never reads past its end: a short read, or a length larger than the bytes left,
// throws ArchiveError, which callers turn into a message for the user.

class ArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Archive {
public:
    enum class Mode { Load, Store };

    // An archive that stores into an empty buffer.
    Archive();
    // An archive that loads from the given bytes.
    explicit Archive(std::vector<std::uint8_t> bytes);

    bool IsStoring() const { return m_mode == Mode::Store; }
    bool IsLoading() const { return m_mode == Mode::Load; }

    // Storing.
    void WriteByte(std::uint8_t value);
    void WriteUInt16(std::uint16_t value);
    void WriteInt32(std::int32_t value);
    void WriteUInt32(std::uint32_t value);
    void WriteDouble(double value);
    void WriteString(const std::string& text);
    void WriteCount(std::size_t count);
    void WriteBytes(const void* data, std::size_t size);

    // Loading.
    std::uint8_t ReadByte();
    std::uint16_t ReadUInt16();
    std::int32_t ReadInt32();
    std::uint32_t ReadUInt32();
    double ReadDouble();
    std::string ReadString();
    // The count is checked against the bytes left, assuming each element takes at least minElementSize bytes.
    std::size_t ReadCount(std::size_t minElementSize = 1);
    void ReadBytes(void* data, std::size_t size);

    // Stream forms in the style of the records' Serialize functions.
    Archive& operator<<(std::int32_t value) {
        WriteInt32(value);
        return *this;
    }
    Archive& operator<<(double value) {
        WriteDouble(value);
        return *this;
    }
    Archive& operator<<(const std::string& text) {
        WriteString(text);
        return *this;
    }
    Archive& operator>>(std::int32_t& value) {
        value = ReadInt32();
        return *this;
    }
    Archive& operator>>(double& value) {
        value = ReadDouble();
        return *this;
    }
    Archive& operator>>(std::string& text) {
        text = ReadString();
        return *this;
    }

    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }
    std::size_t Position() const { return m_position; }
    std::size_t Remaining() const { return m_bytes.size() - m_position; }
    bool AtEnd() const { return m_position >= m_bytes.size(); }

private:
    void RequireLoading() const;
    void RequireStoring() const;
    void Need(std::size_t size) const;

    Mode m_mode;
    std::vector<std::uint8_t> m_bytes;
    std::size_t m_position = 0;
};
