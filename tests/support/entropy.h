// The random choices of a test generator, drawn either from a 64-bit seed or from a byte string
// (such as a fuzzer's input), so that one generator serves a seeded property test and a
// coverage-guided fuzzer alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kem::testing_support {

class Entropy {
 public:
  // A splitmix64 stream: every seed gives its own well-mixed sequence.
  explicit Entropy(std::uint64_t seed) : state_(seed) {}
  // The bytes are consumed in order, so a small change of the input changes a few choices; once
  // they are used up every choice is the first one, which keeps the result finite and valid.
  explicit Entropy(std::span<const std::uint8_t> bytes)
      : bytes_(bytes.begin(), bytes.end()), from_bytes_(true) {}

  // A value with at least as many random bits as `max` has: from the stream, or as few bytes of
  // the input as cover `max`, so that each small choice takes one byte.
  std::uint64_t Draw(std::uint64_t max = ~std::uint64_t{0}) {
    if (from_bytes_) {
      std::uint64_t value = 0;
      for (std::uint64_t left = max;; left >>= 8) {
        value = value << 8 | (position_ < bytes_.size() ? bytes_[position_++] : 0);
        if (left < 256) return value;
      }
    }
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // A number in 0..n-1; 0 when n is at most 1.
  int Below(int n) {
    if (n <= 1) return 0;
    return static_cast<int>(Draw(static_cast<std::uint64_t>(n - 1)) % static_cast<unsigned>(n));
  }
  // A number in lo..hi.
  int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
  bool Percent(int chance) { return Below(100) < chance; }

  template <typename T>
  const T& Pick(const std::vector<T>& items) {
    return items[static_cast<std::size_t>(Below(static_cast<int>(items.size())))];
  }
  template <typename T, std::size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(static_cast<int>(N))];
  }

 private:
  std::uint64_t state_ = 0;
  std::vector<std::uint8_t> bytes_;
  std::size_t position_ = 0;
  bool from_bytes_ = false;
};

}  // namespace kem::testing_support
