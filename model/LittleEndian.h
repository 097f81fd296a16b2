#pragma once
// Explicit little-endian encoding of the fixed-size numbers in our binary
// files, independent of the host's byte order and of struct layout.

#include <bit>
#include <cstdint>
#include <cstring>
#include <type_traits>

template <class T> inline void PutLE(uint8_t* out, T value)
{
    static_assert(std::is_arithmetic_v<T>);
    using U = std::conditional_t<sizeof(T) == 1, uint8_t,
              std::conditional_t<sizeof(T) == 2, uint16_t,
              std::conditional_t<sizeof(T) == 4, uint32_t, uint64_t>>>;
    U bits = std::bit_cast<U>(value);
    for (unsigned i = 0; i < sizeof(T); ++i) out[i] = static_cast<uint8_t>(bits >> (8 * i));
}

template <class T> inline T GetLE(const uint8_t* in)
{
    static_assert(std::is_arithmetic_v<T>);
    using U = std::conditional_t<sizeof(T) == 1, uint8_t,
              std::conditional_t<sizeof(T) == 2, uint16_t,
              std::conditional_t<sizeof(T) == 4, uint32_t, uint64_t>>>;
    U bits = 0;
    for (unsigned i = 0; i < sizeof(T); ++i) bits = static_cast<U>(bits | (static_cast<U>(in[i]) << (8 * i)));
    return std::bit_cast<T>(bits);
}
