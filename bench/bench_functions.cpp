#include "bench/bench_functions.h"

#include <array>
#include <cstdint>
#include <random>

namespace kem::bench {

namespace {

// The smallest expressions of the 256 functions of three signals a, b and c (bit i of a function
// is its value for a = i & 1, b = i & 2, c = i & 4), found by relaxing over NOT, AND, OR and XOR
// until no expression shrinks.
class ThreeSignalExpressions {
 public:
  ThreeSignalExpressions() {
    cost_.fill(kUnknown);
    for (int s = 0; s < 3; ++s) {
      const int f = kSignalFunctions[static_cast<std::size_t>(s)];
      cost_[static_cast<std::size_t>(f)] = 1;
      text_[static_cast<std::size_t>(f)] = std::string(1, static_cast<char>('a' + s));
    }
    for (bool changed = true; changed;) {
      changed = false;
      for (int f = 0; f < 256; ++f) {
        if (cost_[static_cast<std::size_t>(f)] == kUnknown) continue;
        // No double negation: "/" takes a signal or a group.
        changed |= Offer(~f & 255, Cost(f) + 1,
                         [&] { return Text(f)[0] == '/' ? "/(" + Text(f) + ")" : "/" + Text(f); });
        for (int g = 0; g < 256; ++g) {
          if (cost_[static_cast<std::size_t>(g)] == kUnknown) continue;
          const int both = Cost(f) + Cost(g) + 1;
          for (const char* op : {" & ", " + ", " $ "}) {
            const int h = op[1] == '&' ? f & g : op[1] == '+' ? f | g : f ^ g;
            changed |= Offer(h, both, [&] { return "(" + Text(f) + op + Text(g) + ")"; });
          }
        }
      }
    }
  }

  // The expression with the signals named.
  std::string Write(int f, const std::array<std::string, 3>& names) const {
    std::string out;
    for (char ch : Text(f)) {
      if (ch >= 'a' && ch <= 'c') {
        out += names[static_cast<std::size_t>(ch - 'a')];
      } else {
        out += ch;
      }
    }
    return out;
  }

 private:
  static constexpr int kUnknown = 1 << 20;
  static constexpr std::array<int, 3> kSignalFunctions = {0xAA, 0xCC, 0xF0};

  int Cost(int f) const { return cost_[static_cast<std::size_t>(f)]; }
  const std::string& Text(int f) const { return text_[static_cast<std::size_t>(f)]; }
  template <typename MakeText>
  bool Offer(int f, int cost, MakeText make_text) {
    if (cost >= cost_[static_cast<std::size_t>(f)]) return false;
    cost_[static_cast<std::size_t>(f)] = cost;
    text_[static_cast<std::size_t>(f)] = make_text();
    return true;
  }

  std::array<int, 256> cost_;
  std::array<std::string, 256> text_;
};

using Bits = std::vector<std::uint8_t>;  // one byte per minterm, minterm i at index i

bool AllEqual(const Bits& f, std::uint8_t value) {
  for (std::uint8_t bit : f) {
    if (bit != value) return false;
  }
  return true;
}

// The function of signals I0..I(k-1) given by its minterms; never constant for k > 3 in practice,
// and the callers keep constants out of the result.
std::string Davio(const ThreeSignalExpressions& small, const Bits& f, int k) {
  if (k <= 3) {
    int code = 0;
    for (int i = 0; i < 8; ++i) code |= f[static_cast<std::size_t>(i % (1 << k))] << i;
    return small.Write(code, {Signal(0), Signal(1), Signal(2)});
  }
  const std::size_t half = f.size() / 2;
  const Bits f0(f.begin(), f.begin() + static_cast<std::ptrdiff_t>(half));
  Bits f2(half);
  for (std::size_t i = 0; i < half; ++i) f2[i] = f0[i] ^ f[half + i];
  const std::string x = Signal(k - 1);
  if (AllEqual(f2, 0)) return Davio(small, f0, k - 1);
  const bool f0_zero = AllEqual(f0, 0);
  const bool f0_one = AllEqual(f0, 1);
  if (AllEqual(f2, 1)) {
    if (f0_zero) return x;
    if (f0_one) return "/" + x;
    return "(" + Davio(small, f0, k - 1) + " $ " + x + ")";
  }
  const std::string term = x + " & (" + Davio(small, f2, k - 1) + ")";
  if (f0_zero) return "(" + term + ")";
  if (f0_one) return "/(" + term + ")";
  return "(" + Davio(small, f0, k - 1) + " $ " + term + ")";
}

std::string Random(int v) {
  std::mt19937 random(1000u + static_cast<unsigned>(v));
  Bits f(std::size_t{1} << v);
  for (std::uint8_t& bit : f) bit = static_cast<std::uint8_t>(random() & 1u);
  static const ThreeSignalExpressions small;
  return Davio(small, f, v);
}

std::string Parity(int v) {
  std::string text = Signal(0);
  for (int i = 1; i < v; ++i) text += " $ " + Signal(i);
  return text;
}

// Bit i of A is I(i), bit i of B is I(n+i).
// c(1) = a0 & b0; c(i+1) = a(i) & b(i) + (a(i) + b(i)) & c(i).
std::string Carry(int v) {
  const int n = v / 2;
  std::string carry = Signal(0) + " & " + Signal(n);
  for (int i = 1; i < n; ++i) {
    const std::string a = Signal(i);
    const std::string b = Signal(n + i);
    carry = a + " & " + b + " + (" + a + " + " + b + ") & (" + carry + ")";
  }
  return carry;
}

// gt(i) = a(i) & /b(i) + (a(i) + /b(i)) & gt(i-1), least significant bit first.
std::string Comparator(int v) {
  const int n = v / 2;
  std::string gt = Signal(0) + " & /" + Signal(n);
  for (int i = 1; i < n; ++i) {
    const std::string a = Signal(i);
    const std::string b = Signal(n + i);
    gt = a + " & /" + b + " + (" + a + " + /" + b + ") & (" + gt + ")";
  }
  return gt;
}

// The signals first..V-1 with the ones whose bit in `inverted` is set complemented.
std::string WideProduct(int v, int first, std::uint32_t inverted) {
  std::string text;
  for (int i = first; i < v; ++i) {
    if (!text.empty()) text += " & ";
    if ((inverted >> i) & 1u) text += "/";
    text += Signal(i);
  }
  return text;
}

std::string Product(int v) {
  return WideProduct(v, 0, 0x2D5A5u);
}

std::string Decoder(int v) {
  std::mt19937 random(2000u + static_cast<unsigned>(v));
  std::string text;
  for (int omitted = 0; omitted < 4; ++omitted) {
    if (!text.empty()) text += " + ";
    text += WideProduct(v, omitted, static_cast<std::uint32_t>(random()));
  }
  return text;
}

}  // namespace

std::string Signal(int i) {
  return "I" + std::to_string(i);
}

std::string BenchDesign(const std::string& equation) {
  return "CHIP bench GAL22V10\n"
         "I0 I1 I2 I3 I4 I5 I6 I7 I8 I9 I10 GND\n"
         "I11 I12 I13 I14 I15 I16 I17 Y O1 O2 O3 VCC\n\n"
         "Y = " +
         equation + ";\n";
}

std::string RepeatedStatementsDesign(int count) {
  std::string design = BenchDesign("I0 & I1 + I2");
  for (int i = 1; i < count; ++i) design += "Y = I0 & I1 + I2;\n";
  return design;
}

const std::vector<FunctionKind>& FunctionKinds() {
  static const std::vector<FunctionKind> kinds = {
      {"random", Random, 1},         {"parity", Parity, 1},   {"carry", Carry, 2},
      {"comparator", Comparator, 2}, {"product", Product, 1}, {"decoder", Decoder, 1},
  };
  return kinds;
}

}  // namespace kem::bench
