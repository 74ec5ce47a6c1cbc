#pragma once

// Access ACLs as the system keeps them in a file's "system.posix_acl_access" attribute, for setting them
// without the ACL library.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>

namespace test_support {

// The tags of ACL entries, and the id of an entry that names no one.
enum : std::uint32_t { kUserObj = 1, kUser = 2, kGroupObj = 4, kMask = 0x10, kOther = 0x20, kNone = ~0u };

// Version 2, then for each entry its tag, permissions and id, little-endian.
inline std::string Acl(std::initializer_list<std::array<std::uint32_t, 3>> entries) {
    std::string bytes;
    const auto put = [&](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes += static_cast<char>(value >> (8 * i));
    };
    put(2, 4);
    for (const auto& [tag, permissions, id] : entries) {
        put(tag, 2);
        put(permissions, 2);
        put(id, 4);
    }
    return bytes;
}

// What setfacl -m u:<user>:rw,g::<group>,m::rw gives a file: its owner and the user may write, the owning
// group has groupRights, others nothing.
inline std::string AclLettingUserWrite(std::uint32_t user, std::uint32_t groupRights) {
    return Acl({{kUserObj, 6, kNone},
                {kUser, 6, user},
                {kGroupObj, groupRights, kNone},
                {kMask, 6, kNone},
                {kOther, 0, kNone}});
}

} // namespace test_support
