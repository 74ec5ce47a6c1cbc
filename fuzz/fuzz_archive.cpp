// Reads arbitrary bytes through every archive primitive; no input may crash or allocate without bound.
#include "platform/core/archive.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Archive ar(std::vector<std::uint8_t>(data, data + size));
    try {
        while (!ar.AtEnd()) {
            switch (ar.ReadByte() % 6) {
            case 0:
                ar.ReadInt32();
                break;
            case 1:
                ar.ReadDouble();
                break;
            case 2:
                ar.ReadString();
                break;
            case 3:
                ar.ReadCount(4);
                break;
            case 4:
                ar.ReadUInt16();
                break;
            default: {
                const std::string text = ar.ReadString();
                Archive out;
                out.WriteString(text);
                Archive back(out.Bytes());
                if (back.ReadString() != text)
                    __builtin_trap();
            }
            }
        }
    } catch (const ArchiveError&) {
    }
    return 0;
}
