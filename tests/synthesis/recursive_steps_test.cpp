// The steps of recursive minimization on covers against the reference on arbitrary covers, not
// only those that minimization of a truth table produces: equal rows, the universal cube, absent
// rows, cubes in both words of a row, halves that contain each other in every way. The rows that
// survive, their order and which input rows were taken must all agree.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "synthesis/recursive_minimize.h"
#include "tests/support/cover_text.h"
#include "tests/support/tree_builder.h"
#include "tests/synthesis/cover_minimizer/recursive_minimizer.h"
#include "tests/synthesis/differential.h"
#include "tests/synthesis/reference/recursive_minimizer.h"

namespace kem {
namespace {

using cover_minimizer::MergeCofactors;
using cover_minimizer::RecursiveMinimize;
using cover_minimizer::RemoveContained;
using testing_support::SynthesisFixture;
using Cubes = std::vector<std::string>;

// Random cubes over `width` of the n columns (spread over both words when n > 16), drawn from a
// small pool so that equal and nested cubes are common. "" stands for an absent row. Minterms
// (every cube holding every column) take the way for cubes that all have the same literals.
Cubes RandomCubes(std::mt19937& random, int count, const std::vector<int>& columns, int n,
                  bool minterms = false) {
  std::uniform_int_distribution<int> percent(0, 99);
  Cubes pool;
  const int pool_size = 1 + count / 2;
  for (int p = 0; p < pool_size; ++p) {
    std::string cube(static_cast<std::size_t>(n), '-');
    const int density = minterms ? 100 : percent(random);
    for (int c : columns) {
      if (percent(random) < density)
        cube[static_cast<std::size_t>(c)] = percent(random) < 50 ? '1' : '0';
    }
    pool.push_back(cube);
  }
  Cubes cubes;
  for (int i = 0; i < count; ++i) {
    const int pick = percent(random);
    if (pick < 8) {
      cubes.push_back("");
    } else if (pick < 60 || cubes.empty() || minterms) {
      cubes.push_back(pool[static_cast<std::size_t>(random() % pool.size())]);
    } else {
      // A cube nested in or around an earlier one: one literal more or fewer.
      std::string cube = cubes[static_cast<std::size_t>(random() % cubes.size())];
      if (cube.empty()) cube = pool.front();
      const int c = columns[static_cast<std::size_t>(random() % columns.size())];
      char& field = cube[static_cast<std::size_t>(c)];
      field = field != '-' ? '-' : percent(random) < 50 ? '1' : '0';
      cubes.push_back(cube);
    }
  }
  return cubes;
}

std::vector<int> RandomColumns(std::mt19937& random, int width, int n) {
  std::vector<int> all(static_cast<std::size_t>(n));
  for (int c = 0; c < n; ++c) all[static_cast<std::size_t>(c)] = c;
  std::shuffle(all.begin(), all.end(), random);
  all.resize(static_cast<std::size_t>(width));
  return all;
}

template <typename CoverType, typename ContextType>
CoverType Build(ContextType& context, const Cubes& cubes, int n) {
  CoverType cover;
  EXPECT_TRUE(cover.Allocate(context, std::max<int>(static_cast<int>(cubes.size()), 1), 0, n));
  for (std::size_t row = 0; row < cubes.size(); ++row) {
    if (cubes[row].empty()) continue;
    cover.Bind(static_cast<int>(row));
    for (int c = 0; c < n; ++c) {
      const char f = cubes[row][static_cast<std::size_t>(c)];
      if (f != '-') cover.FieldSet(static_cast<int>(row), c, f == '1' ? 1 : 3);
    }
  }
  return cover;
}

// Rows 0..last as text, "" for an absent row.
template <typename CoverType>
Cubes Text(const CoverType& cover, int last, int n) {
  Cubes rows;
  for (int row = 0; row <= last; ++row) {
    std::string text;
    if (cover.present(row)) {
      for (int c = 0; c < n; ++c) {
        const int code = cover.RawGet(row, c);
        text += code == 1 ? '1' : code == 3 ? '0' : code == 0 ? '-' : '?';
      }
    }
    rows.push_back(text);
  }
  return rows;
}

class RecursiveStepsTest : public testing::Test, public SynthesisFixture {
 protected:
  AllocationBudget reference_budget;
  Diagnostics reference_diagnostics;
  reference::Context reference_context{reference_budget, reference_diagnostics};
  std::mt19937 random{2718};

  int RandomN() {
    static constexpr int kWidths[] = {3, 6, 16, 20, 41};
    return kWidths[random() % 5];
  }
};

TEST_F(RecursiveStepsTest, RemoveContainedAsTheReference) {
  for (int round = 0; round < 3000; ++round) {
    const int n = RandomN();
    const auto columns = RandomColumns(random, std::min(n, 1 + round % 10), n);
    const Cubes cubes = RandomCubes(random, 1 + round % 40, columns, n, round % 4 == 0);
    const int last = static_cast<int>(cubes.size()) - 1;
    Cover cover = Build<Cover>(context, cubes, n);
    reference::Cover expected = Build<reference::Cover>(reference_context, cubes, n);
    RemoveContained(cover, last);
    reference::RemoveContained(expected, last);
    ASSERT_EQ(Text(cover, last, n), Text(expected, last, n)) << round;
  }
}

TEST_F(RecursiveStepsTest, MergeCofactorsAsTheReference) {
  for (int round = 0; round < 3000; ++round) {
    const int n = RandomN();
    const auto columns = RandomColumns(random, std::min(n, 1 + round % 10), n);
    const int variable = static_cast<int>(random() % static_cast<unsigned>(n));
    // The split variable is absent from both halves.
    auto without = [&](Cubes cubes) {
      for (std::string& cube : cubes) {
        if (!cube.empty()) cube[static_cast<std::size_t>(variable)] = '-';
      }
      return cubes;
    };
    const bool minterms = round % 4 == 0;
    const Cubes ones = without(RandomCubes(random, 1 + round % 30, columns, n, minterms));
    // The other half shares some of the first half's cubes, so every relation occurs.
    Cubes zeros = without(RandomCubes(random, 1 + round % 25, columns, n, minterms));
    for (std::size_t k = 0; k < zeros.size(); k += 3) zeros[k] = ones[random() % ones.size()];
    const int last_one = static_cast<int>(ones.size()) - 1;
    const int last_zero = static_cast<int>(zeros.size()) - 1;

    Cover positive = Build<Cover>(context, ones, n);
    Cover negative = Build<Cover>(context, zeros, n);
    Cover merged;
    int last = -1;
    ASSERT_TRUE(
        MergeCofactors(context, positive, last_one, negative, last_zero, variable, merged, last));
    auto p = Build<reference::Cover>(reference_context, ones, n);
    auto q = Build<reference::Cover>(reference_context, zeros, n);
    reference::Cover expected;
    int expected_last = -1;
    ASSERT_TRUE(reference::MergeCofactors(reference_context, p, last_one, q, last_zero, variable,
                                          expected, expected_last));
    ASSERT_EQ(last, expected_last) << round;
    ASSERT_EQ(Text(merged, last, n), Text(expected, last, n)) << round;
    ASSERT_EQ(Text(positive, last_one, n), Text(p, last_one, n)) << round;
    ASSERT_EQ(Text(negative, last_zero, n), Text(q, last_zero, n)) << round;
  }
}

TEST_F(RecursiveStepsTest, RecursiveMinimizeAsTheReference) {
  // Arbitrary covers, not minterms: binate and unate columns, the universal cube, absent rows.
  for (int round = 0; round < 2000; ++round) {
    const int n = RandomN();
    const auto columns = RandomColumns(random, std::min(n, 1 + round % 9), n);
    const Cubes cubes = RandomCubes(random, 1 + round % 60, columns, n, round % 4 == 0);
    const int last = static_cast<int>(cubes.size()) - 1;
    Cover cover = Build<Cover>(context, cubes, n);
    reference::Cover expected = Build<reference::Cover>(reference_context, cubes, n);
    const int got = RecursiveMinimize(context, cover, last);
    const int want = reference::RecursiveMinimize(reference_context, expected, last);
    ASSERT_EQ(got, want) << round;
    ASSERT_EQ(Text(cover, got, n), Text(expected, want, n)) << round;
  }
}

// Level 2 from the truth table against level 2 on the list of its minterms in table order, for
// functions too wide for the reference: the table's sub-tables stand for the minterm lists, and
// the results of small sub-tables are kept and used again from 12 signals on.
TEST_F(RecursiveStepsTest, TruthTableAsItsMintermList) {
  for (int round = 0; round < 72; ++round) {
    const int v = round < 24 ? 1 + round % 11 : 12 + round % 5;
    const int n = v + static_cast<int>(random() % 8);
    const auto table = testing_support::MixedTable(random, round % testing_support::kTableKinds, v,
                                                   std::min(n, 41));
    const int width = table.n;
    BudgetedArray<std::uint64_t> rows;
    ASSERT_TRUE(rows.AllocZeroed(budget, diagnostics, table.values.size()));
    std::copy(table.values.begin(), table.values.end(), rows.data());
    Cubes minterms;
    for (std::uint64_t x = 0; x < (std::uint64_t{1} << v); ++x) {
      if (((table.values[x / 64] >> (x % 64)) & 1u) == 0) continue;
      std::string cube(static_cast<std::size_t>(width), '-');
      for (int j = 0; j < v; ++j) {
        cube[static_cast<std::size_t>(table.columns[static_cast<std::size_t>(j)])] =
            ((x >> (v - 1 - j)) & 1u) != 0 ? '1' : '0';
      }
      minterms.push_back(cube);
    }
    if (minterms.empty()) continue;
    Cover list = Build<Cover>(context, minterms, width);
    const int want = RecursiveMinimize(context, list, static_cast<int>(minterms.size()) - 1);
    Cover cover;
    const int got = kem::RecursiveMinimize(context, rows, table.columns, width, cover);
    ASSERT_EQ(got, want) << round;
    ASSERT_EQ(Text(cover, got, width), Text(list, want, width)) << round;
  }
}

}  // namespace
}  // namespace kem
