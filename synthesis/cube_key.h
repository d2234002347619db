// A cube of level 1 over the V used signals, packed into one 64-bit key: signal j (in increasing
// column order) is bit V-1-j of the mask (the signal has a literal) and of the value (the literal
// is true). Truth-table row x gives signal j bit V-1-j of x as well, so a cube covers row x
// exactly when (x & mask) == value.
#pragma once

#include <cstdint>

namespace kem {

using CubeKey = std::uint64_t;

constexpr CubeKey MakeCube(std::uint32_t mask, std::uint32_t value) {
  return (CubeKey{mask} << 32) | value;
}
constexpr std::uint32_t CubeMask(CubeKey cube) {
  return static_cast<std::uint32_t>(cube >> 32);
}
constexpr std::uint32_t CubeValue(CubeKey cube) {
  return static_cast<std::uint32_t>(cube);
}

}  // namespace kem
