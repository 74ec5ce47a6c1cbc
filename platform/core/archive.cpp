#include "platform/core/archive.h"

#include <bit>
#include <cstring>

static_assert(sizeof(double) == 8, "doubles are stored as 8-byte IEEE values");

Archive::Archive() : m_mode(Mode::Store) {}

Archive::Archive(std::vector<std::uint8_t> bytes) : m_mode(Mode::Load), m_bytes(std::move(bytes)) {}

void Archive::RequireLoading() const {
    if (!IsLoading())
        throw ArchiveError("archive is not open for reading");
}

void Archive::RequireStoring() const {
    if (!IsStoring())
        throw ArchiveError("archive is not open for writing");
}

void Archive::Need(std::size_t size) const {
    RequireLoading();
    if (size > Remaining())
        throw ArchiveError("unexpected end of file");
}

void Archive::WriteBytes(const void* data, std::size_t size) {
    RequireStoring();
    const auto* p = static_cast<const std::uint8_t*>(data);
    m_bytes.insert(m_bytes.end(), p, p + size);
}

void Archive::WriteByte(std::uint8_t value) {
    WriteBytes(&value, 1);
}

void Archive::WriteUInt16(std::uint16_t value) {
    const std::uint8_t b[2] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
    WriteBytes(b, 2);
}

void Archive::WriteUInt32(std::uint32_t value) {
    std::uint8_t b[4];
    for (int i = 0; i < 4; ++i)
        b[i] = static_cast<std::uint8_t>(value >> (8 * i));
    WriteBytes(b, 4);
}

void Archive::WriteInt32(std::int32_t value) {
    WriteUInt32(static_cast<std::uint32_t>(value));
}

void Archive::WriteDouble(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    std::uint8_t b[8];
    for (int i = 0; i < 8; ++i)
        b[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    WriteBytes(b, 8);
}

void Archive::WriteString(const std::string& text) {
    const std::size_t length = text.size();
    if (length > 0xFFFFFFFFu)
        throw ArchiveError("string too long to store");
    if (length < 0xFF) {
        WriteByte(static_cast<std::uint8_t>(length));
    } else if (length < 0xFFFE) {
        WriteByte(0xFF);
        WriteUInt16(static_cast<std::uint16_t>(length));
    } else {
        WriteByte(0xFF);
        WriteUInt16(0xFFFF);
        WriteUInt32(static_cast<std::uint32_t>(length));
    }
    WriteBytes(text.data(), length);
}

void Archive::WriteCount(std::size_t count) {
    if (count > 0xFFFFFFFFu)
        throw ArchiveError("count too large to store");
    if (count < 0xFFFF) {
        WriteUInt16(static_cast<std::uint16_t>(count));
    } else {
        WriteUInt16(0xFFFF);
        WriteUInt32(static_cast<std::uint32_t>(count));
    }
}

void Archive::ReadBytes(void* data, std::size_t size) {
    Need(size);
    if (size > 0)
        std::memcpy(data, m_bytes.data() + m_position, size);
    m_position += size;
}

std::uint8_t Archive::ReadByte() {
    std::uint8_t value;
    ReadBytes(&value, 1);
    return value;
}

std::uint16_t Archive::ReadUInt16() {
    std::uint8_t b[2];
    ReadBytes(b, 2);
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::uint32_t Archive::ReadUInt32() {
    std::uint8_t b[4];
    ReadBytes(b, 4);
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | b[i];
    return value;
}

std::int32_t Archive::ReadInt32() {
    return static_cast<std::int32_t>(ReadUInt32());
}

double Archive::ReadDouble() {
    std::uint8_t b[8];
    ReadBytes(b, 8);
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | b[i];
    return std::bit_cast<double>(bits);
}

std::string Archive::ReadString() {
    std::size_t length = ReadByte();
    if (length == 0xFF) {
        length = ReadUInt16();
        if (length == 0xFFFF)
            length = ReadUInt32();
    }
    Need(length);
    std::string text(reinterpret_cast<const char*>(m_bytes.data() + m_position), length);
    m_position += length;
    return text;
}

std::size_t Archive::ReadCount(std::size_t minElementSize) {
    std::size_t count = ReadUInt16();
    if (count == 0xFFFF)
        count = ReadUInt32();
    if (minElementSize > 0 && count > Remaining() / minElementSize)
        throw ArchiveError("count larger than the data that follows");
    return count;
}
