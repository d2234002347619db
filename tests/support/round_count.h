// Round counts of the randomized tests. A sanitizer build runs every instruction many times slower
// and is there to find memory and undefined-behaviour faults, which a quarter of the rounds reach
// as well (each test's rounds cycle through all its kinds and sizes early); the normal build runs
// every round.
#pragma once

#include <algorithm>

namespace kem::testing_support {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr int kSanitizedRoundDivisor = 4;
#else
inline constexpr int kSanitizedRoundDivisor = 1;
#endif

constexpr int RoundCount(int rounds) {
  return std::max(1, rounds / kSanitizedRoundDivisor);
}

}  // namespace kem::testing_support
