// Level 3 against a minimum found without its reductions or bounds: the primes by trying every
// cube, then every choice of a prime for the lowest row left uncovered, to a depth that grows until
// a cover is found. Every function of up to 4 signals and seeded functions of 5 to 8.
#include <gtest/gtest.h>

#include <bit>
#include <random>
#include <string>
#include <vector>

#include "synthesis/exact_minimize.h"
#include "synthesis/minimal_minimize.h"
#include "synthesis/recursive_minimize.h"
#include "synthesis/row_sets.h"
#include "tests/support/round_count.h"
#include "tests/support/tree_builder.h"

namespace kem {
namespace {

using Function = std::vector<std::uint64_t>;  // a row set

bool Implicant(const Function& f, int v, CubeKey cube) {
  bool within = true;
  ForEachCubeWord(cube, v, [&](std::size_t w, std::uint64_t pattern) {
    within = within && (pattern & ~f[w]) == 0;
  });
  return within;
}

Function Without(Function rest, int v, CubeKey cube) {
  ForEachCubeWord(cube, v, [&](std::size_t w, std::uint64_t pattern) { rest[w] &= ~pattern; });
  return rest;
}

std::vector<CubeKey> EveryPrime(const Function& f, int v) {
  std::vector<CubeKey> primes;
  for (std::uint32_t mask = 0; mask < (1u << v); ++mask) {
    for (std::uint32_t value = mask;; value = (value - 1) & mask) {
      if (Implicant(f, v, MakeCube(mask, value))) {
        bool prime = true;
        for (std::uint32_t bit = mask; bit != 0 && prime; bit &= bit - 1) {
          const std::uint32_t low = bit & (~bit + 1);
          prime = !Implicant(f, v, MakeCube(mask & ~low, value & ~low));
        }
        if (prime) primes.push_back(MakeCube(mask, value));
      }
      if (value == 0) break;
    }
  }
  return primes;
}

bool CoverWithin(const Function& rest, int v, const std::vector<CubeKey>& primes, int k) {
  std::size_t w = 0;
  while (w < rest.size() && rest[w] == 0) ++w;
  if (w == rest.size()) return true;
  if (k == 0) return false;
  const std::uint32_t row = static_cast<std::uint32_t>(w * 64 + std::countr_zero(rest[w]));
  for (CubeKey prime : primes) {
    if ((row & CubeMask(prime)) == CubeValue(prime) &&
        CoverWithin(Without(rest, v, prime), v, primes, k - 1))
      return true;
  }
  return false;
}

int ExhaustiveMinimum(const Function& f, int v) {
  const std::vector<CubeKey> primes = EveryPrime(f, v);
  int k = 0;
  while (!CoverWithin(f, v, primes, k)) ++k;
  return k;
}

class MinimalLevel : public testing::Test, public testing_support::SynthesisFixture {
 protected:
  // The terms of the cover, after checking that it is exactly the function.
  int Terms(const Cover& cover, int last, const Function& f, int v) {
    Function rest = f;
    int terms = 0;
    for (int row = 0; row <= last; ++row) {
      if (!cover.IsTerm(row)) continue;
      std::uint32_t mask = 0;
      std::uint32_t value = 0;
      for (int j = 0; j < v; ++j) {
        const int code = cover.FieldGet(row, j);
        if (code == kCodeAbsent) continue;
        mask |= 1u << (v - 1 - j);
        if (code == kCodeTrue) value |= 1u << (v - 1 - j);
      }
      EXPECT_TRUE(Implicant(f, v, MakeCube(mask, value))) << "term " << row << " is no implicant";
      rest = Without(rest, v, MakeCube(mask, value));
      ++terms;
    }
    EXPECT_EQ(rest, Function(f.size(), 0)) << "the cover misses rows";
    return terms;
  }

  void Check(const Function& f, int v, const std::string& what) {
    SCOPED_TRACE(what);
    BudgetedArray<std::uint64_t> rows;
    ASSERT_TRUE(rows.AllocZeroed(budget, diagnostics, f.size()));
    std::copy(f.begin(), f.end(), rows.data());
    std::vector<int> columns;
    for (int c = 0; c < v; ++c) columns.push_back(c);
    Cover minimal;
    Cover exact;
    Cover recursive;
    MinimalOutcome outcome;
    const int last = MinimalMinimize(context, rows, columns, v, minimal, kNoTermLimit, outcome);
    ASSERT_GE(last, 0);
    const int terms = Terms(minimal, last, f, v);
    const int minimum = ExhaustiveMinimum(f, v);
    EXPECT_EQ(terms, minimum);
    EXPECT_TRUE(outcome.minimum);
    EXPECT_EQ(outcome.lower_bound, minimum);
    EXPECT_LE(terms, Terms(exact, ExactMinimize(context, rows, columns, v, exact), f, v));
    EXPECT_LE(terms,
              Terms(recursive, RecursiveMinimize(context, rows, columns, v, recursive), f, v));
  }
};

TEST_F(MinimalLevel, EveryFunctionOfUpToFourSignalsGetsItsMinimum) {
  for (int v = 1; v <= 4; ++v) {
    const std::uint32_t size = 1u << v;
    // The constants never reach a level: the driver answers them from the table.
    for (std::uint64_t table = 1; table + 1 < (std::uint64_t{1} << size); ++table)
      Check({table}, v, "V " + std::to_string(v) + ", table " + std::to_string(table));
  }
}

TEST_F(MinimalLevel, SeededFunctionsOfFiveToEightSignalsGetTheirMinimum) {
  std::mt19937 random(4711);
  for (int round = 0; round < testing_support::RoundCount(400); ++round) {
    const int v = 5 + round % 4;
    // An OR of a few products keeps the exhaustive search short; dense tables give large cores.
    Function f(RowSetWords(v), 0);
    const int products = std::uniform_int_distribution<int>(2, 9)(random);
    for (int p = 0; p < products; ++p) {
      const std::uint32_t mask = static_cast<std::uint32_t>(random() & random()) & ((1u << v) - 1);
      ForEachCubeWord(MakeCube(mask, static_cast<std::uint32_t>(random()) & mask), v,
                      [&](std::size_t w, std::uint64_t pattern) { f[w] |= pattern; });
    }
    int on = 0;
    for (std::uint64_t w : f) on += std::popcount(w);
    if (on == (1 << v)) continue;
    Check(f, v, "round " + std::to_string(round));
  }
}

// A limit below the minimum is proven out of reach, and the cover given stays whole.
TEST_F(MinimalLevel, LimitBelowTheMinimumIsProvenOutOfReach) {
  const int v = 5;
  Function parity(1, 0);
  for (std::uint32_t x = 0; x < 32; ++x) {
    if (std::popcount(x) % 2 == 1) parity[0] |= std::uint64_t{1} << x;
  }
  BudgetedArray<std::uint64_t> rows;
  ASSERT_TRUE(rows.AllocZeroed(budget, diagnostics, 1));
  rows[0] = parity[0];
  Cover cover;
  MinimalOutcome outcome;
  const int last = MinimalMinimize(context, rows, {0, 1, 2, 3, 4}, v, cover, /*limit=*/8, outcome);
  EXPECT_EQ(Terms(cover, last, parity, v), 16);
  EXPECT_GT(outcome.lower_bound, 8);
}

}  // namespace
}  // namespace kem
