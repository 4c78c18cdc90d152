// An immutable run of bytes carried in the program (stored form: dimension
// count 1, length, bytes; little-endian). Only the data bytes ever reach a file.
#pragma once

#include <cstdint>

namespace varnesse {

struct ByteBlock {
    const uint8_t* data = nullptr;
    uint32_t length = 0;
};

// Reads a block in its stored form: the dimension count, the length, the bytes.
inline ByteBlock ByteBlockAt(const uint8_t* stored) {
    auto word = [stored](int offset) {
        return static_cast<uint32_t>(stored[offset]) | static_cast<uint32_t>(stored[offset + 1]) << 8 |
               static_cast<uint32_t>(stored[offset + 2]) << 16 | static_cast<uint32_t>(stored[offset + 3]) << 24;
    };
    return ByteBlock{stored + 8, word(4)};
}

}  // namespace varnesse
