#pragma once
// Little-endian two's complement numbers in stored bytes (gbank.db records, registry
// dwords), independent of the machine's own byte order.

#include <cstddef>
#include <type_traits>

namespace corvanta {

template <typename Int> void PutLittleEndian(unsigned char* out, Int value) {
    const auto bits = static_cast<std::make_unsigned_t<Int>>(value);
    for (std::size_t i = 0; i < sizeof(Int); ++i) {
        out[i] = static_cast<unsigned char>(bits >> (8 * i));
    }
}

template <typename Int> Int GetLittleEndian(const unsigned char* in) {
    using Bits = std::make_unsigned_t<Int>;
    Bits bits = 0;
    for (std::size_t i = 0; i < sizeof(Int); ++i) {
        bits = static_cast<Bits>(bits | static_cast<Bits>(Bits{in[i]} << (8 * i)));
    }
    return static_cast<Int>(bits);
}

} // namespace corvanta
