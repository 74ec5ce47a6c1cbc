#include "model/md5_checksum.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct DigestCase {
    std::string message;
    const char* digest;
};

TEST(MD5Checksum, DigestsTheReferenceMessagesAndThePaddingEdges) {
    const std::vector<DigestCase> cases = {
        // The test suite of RFC 1321.
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
        // Around the padding boundaries: the length fits after 55 bytes, not after 56; 64 fills a block.
        {std::string(55, 'a'), "ef1772b6dff9a122358552954ad0df65"},
        {std::string(56, 'a'), "3b0c8ac703f828b04c6c197006d17218"},
        {std::string(57, 'a'), "652b906d60af96844ebd21b674f35e93"},
        {std::string(63, 'a'), "b06521f39153d618550606be297466d5"},
        {std::string(64, 'a'), "014842d480b571495a4a0363793f7367"},
        {std::string(65, 'a'), "c743a45e0d2e6a95cb859adae0248435"},
        {std::string(119, 'a'), "8a7bd0732ed6a28ce75f6dabc90e1613"},
        {std::string(120, 'a'), "5f61c0ccad4cac44c75ff505e1f1e537"},
        {std::string(128, 'a'), "e510683b3f5ffe4093d021808bc6ff70"},
        // Bytes above 0x7F (a Windows-1252 password) are digested as they are.
        {"\xB7", "dae665a67092796152b29aac4327fe44"},
    };
    for (const DigestCase& c : cases) {
        SCOPED_TRACE("length " + std::to_string(c.message.size()));
        EXPECT_EQ(CMD5Checksum::HexDigest(c.message), c.digest);
        EXPECT_EQ(CMD5Checksum::HexDigest(reinterpret_cast<const std::uint8_t*>(c.message.data()),
                                          c.message.size()),
                  c.digest);
    }
}

TEST(MD5Checksum, PiecesGiveTheDigestOfTheWhole) {
    std::string message;
    for (int i = 0; i < 5; ++i)
        for (int b = 0; b < 256; ++b)
            message += static_cast<char>(b);
    const std::string whole = "82829f1f3f2bb0f18b25f278e5bba8bd";
    ASSERT_EQ(CMD5Checksum::HexDigest(message), whole);

    for (std::size_t piece : {1u, 3u, 55u, 63u, 64u, 65u, 200u}) {
        CMD5Checksum context;
        for (std::size_t at = 0; at < message.size(); at += piece)
            context.Update(std::string_view(message).substr(at, piece));
        EXPECT_EQ(context.Final(), whole) << "pieces of " << piece;
    }
}

TEST(MD5Checksum, FinalStartsAFreshContext) {
    CMD5Checksum context;
    context.Update("abc");
    EXPECT_EQ(context.Final(), "900150983cd24fb0d6963f7d28e17f72");
    context.Update(nullptr, 0);
    EXPECT_EQ(context.Final(), "d41d8cd98f00b204e9800998ecf8427e");
}

} // namespace
