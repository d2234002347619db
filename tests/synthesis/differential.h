// Differential testing of the minimizer: a function is given as a truth table, compiled by the
// production minimizer (through an expression tree, as an equation would be) and by the reference
// minimizer (the straightforward implementation the rules describe), and the results compared.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <random>

#include "tests/synthesis/reference/minimizer.h"

namespace kem::testing_support {

using reference::TruthTable;

// A function of v signals picked at random among n variables, its values given by `value` (called
// with the assignment: bit v-1-j is the value of the j-th used signal).
template <typename Value>
TruthTable TableOf(std::mt19937& random, int v, int n, Value value) {
  TruthTable table;
  table.n = n;
  std::vector<int> all(static_cast<std::size_t>(n));
  for (int c = 0; c < n; ++c) all[static_cast<std::size_t>(c)] = c;
  std::shuffle(all.begin(), all.end(), random);
  table.columns.assign(all.begin(), all.begin() + v);
  std::sort(table.columns.begin(), table.columns.end());
  const std::uint64_t size = std::uint64_t{1} << v;
  table.values.assign(static_cast<std::size_t>((size + 63) / 64), 0);
  for (std::uint64_t x = 0; x < size; ++x) {
    if (value(x)) table.values[static_cast<std::size_t>(x / 64)] |= std::uint64_t{1} << (x % 64);
  }
  return table;
}

// Every minterm on with probability `density`.
TruthTable RandomTable(std::mt19937& random, int v, int n, double density);
// The exclusive or of all v signals, or its complement.
TruthTable ParityTable(std::mt19937& random, int v, int n);
// The carry out of adding two numbers of v/2 bits (v even), the bits interleaved at random.
TruthTable CarryTable(std::mt19937& random, int v, int n);
// The OR of `products` random products of the v signals; the first holds every signal, the others
// at least `min_literals`. One product of v literals is the address decoder.
TruthTable SumOfProductsTable(std::mt19937& random, int v, int n, int products, int min_literals);

// One of the kinds above, chosen by `kind` (0..5), with v signals over n variables.
TruthTable MixedTable(std::mt19937& random, int kind, int v, int n);
inline constexpr int kTableKinds = 6;

struct DifferentialRun {
  bool reference_finished = false;
  int terms = 0;
};

// Minimizes the function at `level` with both minimizers. Where the reference finishes within
// `reference_budget`, the terms, their order, the polarity and the constant marker must agree;
// where it ends in E01, the production result must compute the function (or, with polarity 3 and
// complement allowed, its complement) and at level 1 every term must be prime. The production
// minimizer runs with the default budget and must not fail.
testing::AssertionResult MatchesReference(int level, const TruthTable& table, bool allow_complement,
                                          std::size_t reference_budget,
                                          DifferentialRun* run = nullptr);

}  // namespace kem::testing_support
