#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The MD5 message digest (RFC 1321) of a byte block, as 32 lower-case hexadecimal characters. The program
// keeps only digests of the database password, never the password itself.
class CMD5Checksum {
public:
    CMD5Checksum();
    virtual ~CMD5Checksum() = default;

    // Adds bytes to the message; any length, in any number of calls.
    void Update(const std::uint8_t* data, std::size_t length);
    void Update(std::string_view bytes);
    // Pads the message, appends its length and returns the digest. The context then starts afresh.
    std::string Final();

    static std::string HexDigest(const std::uint8_t* data, std::size_t length);
    static std::string HexDigest(std::string_view bytes);

private:
    void Reset();
    void Transform(const std::uint8_t block[64]);

    std::array<std::uint8_t, 64> m_buffer{};
    std::uint64_t m_bitCount = 0;
    std::array<std::uint32_t, 4> m_state{};
};
