#include "tests/synthesis/differential.h"

#include <algorithm>
#include <bit>
#include <string>
#include <vector>

#include "synthesis/minimizer.h"
#include "tests/support/tree_builder.h"

namespace kem::testing_support {

namespace {

using Bits = std::vector<std::uint64_t>;

bool Bit(const Bits& bits, std::uint64_t x) {
  return ((bits[static_cast<std::size_t>(x / 64)] >> (x % 64)) & 1u) != 0;
}

// The used signals, as the tree names them and the covers hold them.
class TreeWriter {
 public:
  TreeWriter(SynthesisFixture& f, const TruthTable& table)
      : f_(f), table_(table), v_(static_cast<int>(table.columns.size())) {}

  // The Shannon expansion of the table, with x·¬x added for every signal so that all of them
  // count as used whatever the function depends on.
  NodeRef Tree() {
    const std::uint64_t size = std::uint64_t{1} << v_;
    NodeRef tree = kNoNode;
    switch (Constant(0, size)) {
      case 1:
        tree = f_.Or(Signal(0), f_.Not(Signal(0)));
        break;
      case 0:
        tree = Never(0);
        break;
      default:
        tree = Expand(0, 0, size);
    }
    for (int j = 0; j < v_; ++j) tree = f_.Or(tree, Never(j));
    return tree;
  }

 private:
  NodeRef Signal(int j) { return f_.Leaf(table_.columns[static_cast<std::size_t>(j)]); }
  NodeRef Never(int j) { return f_.And(Signal(j), f_.Not(Signal(j))); }

  // 1 or 0 when rows [from, from+size) all have that value, else -1.
  int Constant(std::uint64_t from, std::uint64_t size) const {
    const bool first = Bit(table_.values, from);
    for (std::uint64_t x = from; x < from + size; ++x) {
      if (size >= 64 && x % 64 == 0 && x + 64 <= from + size) {
        const std::uint64_t word = table_.values[static_cast<std::size_t>(x / 64)];
        if (word != (first ? ~std::uint64_t{0} : 0)) return -1;
        x += 63;
        continue;
      }
      if (Bit(table_.values, x) != first) return -1;
    }
    return first ? 1 : 0;
  }

  // Rows [from, from+size) vary signals j..v-1; the function there is not constant.
  NodeRef Expand(int j, std::uint64_t from, std::uint64_t size) {
    const std::uint64_t half = size / 2;
    NodeRef sum = kNoNode;
    for (int value : {1, 0}) {
      const std::uint64_t start = value == 1 ? from + half : from;
      const int constant = Constant(start, half);
      if (constant == 0) continue;
      NodeRef literal = value == 1 ? Signal(j) : f_.Not(Signal(j));
      NodeRef product = constant == 1 ? literal : f_.And(literal, Expand(j + 1, start, half));
      sum = sum == kNoNode ? product : f_.Or(sum, product);
    }
    return sum;
  }

  SynthesisFixture& f_;
  const TruthTable& table_;
  int v_;
};

// The terms of a result as text over n variables ("1", "0", "-").
template <typename CoverType>
std::vector<std::string> TermsOf(const CoverType& cover, int last) {
  std::vector<std::string> terms;
  for (int row = 0; row <= last; ++row) {
    if (!cover.IsTerm(row)) continue;
    std::string text;
    for (int c = 0; c < cover.variables(); ++c) {
      const int code = cover.RawGet(row, c);
      text += code == kCodeTrue ? '1' : code == kCodeComplement ? '0' : code == 0 ? '-' : '?';
    }
    terms.push_back(text);
  }
  return terms;
}

std::string Describe(int level, const TruthTable& table, bool allow_complement) {
  std::string text = "level " + std::to_string(level) + ", V " +
                     std::to_string(table.columns.size()) + ", n " + std::to_string(table.n) +
                     (allow_complement ? ", complement allowed" : "") + ", columns";
  for (int c : table.columns) text += " " + std::to_string(c);
  if (table.columns.size() <= 8) {
    text += ", values";
    for (std::uint64_t w : table.values) text += " " + std::to_string(w);
  }
  return text;
}

std::string Join(const std::vector<std::string>& terms) {
  std::string text;
  for (const std::string& t : terms) text += " " + t;
  return text;
}

// The assignments a term covers, as bit sets over the truth table's rows.
class RowSets {
 public:
  explicit RowSets(const TruthTable& table) : table_(table) {
    const int v = static_cast<int>(table.columns.size());
    const std::uint64_t size = std::uint64_t{1} << v;
    full_.assign(table.values.size(), ~std::uint64_t{0});
    if (size < 64) full_[0] = (std::uint64_t{1} << size) - 1;
    signals_.assign(static_cast<std::size_t>(v), Bits(table.values.size(), 0));
    for (std::uint64_t x = 0; x < size; ++x) {
      for (int j = 0; j < v; ++j) {
        if (((x >> (v - 1 - j)) & 1u) != 0)
          signals_[static_cast<std::size_t>(j)][static_cast<std::size_t>(x / 64)] |=
              std::uint64_t{1} << (x % 64);
      }
    }
  }

  const Bits& full() const { return full_; }

  // False when the term names a variable the function does not use.
  bool Covered(const std::string& term, Bits& rows) const {
    rows = full_;
    for (std::size_t c = 0; c < term.size(); ++c) {
      if (term[c] == '-') continue;
      const auto at = std::find(table_.columns.begin(), table_.columns.end(), static_cast<int>(c));
      if (at == table_.columns.end() || term[c] == '?') return false;
      const Bits& signal = signals_[static_cast<std::size_t>(at - table_.columns.begin())];
      for (std::size_t w = 0; w < rows.size(); ++w)
        rows[w] &= term[c] == '1' ? signal[w] : ~signal[w];
    }
    return true;
  }

 private:
  const TruthTable& table_;
  Bits full_;
  std::vector<Bits> signals_;
};

bool Implies(const Bits& a, const Bits& b) {
  for (std::size_t w = 0; w < a.size(); ++w) {
    if ((a[w] & ~b[w]) != 0) return false;
  }
  return true;
}

// The production result computes `written` (the function or its complement), and at level 1
// every term is prime.
testing::AssertionResult ComputesTheFunction(int level, const TruthTable& table, const Minimized& m,
                                             const std::string& where) {
  const RowSets sets(table);
  Bits written = table.values;
  for (std::size_t w = 0; w < written.size(); ++w) {
    if (m.polarity == kPolarityComplement) written[w] = ~written[w];
    written[w] &= sets.full()[w];
  }
  const int marker = m.cover.ConstantMarker();
  const bool all = written == sets.full();
  const bool none =
      std::all_of(written.begin(), written.end(), [](std::uint64_t w) { return w == 0; });
  if (marker != 0) {
    if ((marker == kMarkerOne && all) || (marker == kMarkerZero && none))
      return testing::AssertionSuccess();
    return testing::AssertionFailure() << where << ": wrong constant " << marker;
  }
  Bits covered(written.size(), 0);
  Bits rows;
  Bits larger;
  for (const std::string& term : TermsOf(m.cover, m.last)) {
    if (!sets.Covered(term, rows))
      return testing::AssertionFailure() << where << ": term " << term << " names unused signals";
    if (!Implies(rows, written))
      return testing::AssertionFailure() << where << ": term " << term << " is no implicant";
    for (std::size_t w = 0; w < rows.size(); ++w) covered[w] |= rows[w];
    if (level != kLevelExact) continue;
    for (std::size_t c = 0; c < term.size(); ++c) {
      if (term[c] == '-') continue;
      std::string wider = term;
      wider[c] = '-';
      sets.Covered(wider, larger);
      if (Implies(larger, written))
        return testing::AssertionFailure() << where << ": term " << term << " is not prime";
    }
  }
  if (covered != written)
    return testing::AssertionFailure() << where << ": the terms miss part of the function";
  return testing::AssertionSuccess();
}

}  // namespace

TruthTable RandomTable(std::mt19937& random, int v, int n, double density) {
  std::bernoulli_distribution on(density);
  return TableOf(random, v, n, [&](std::uint64_t) { return on(random); });
}

TruthTable ParityTable(std::mt19937& random, int v, int n) {
  const bool inverted = std::bernoulli_distribution(0.5)(random);
  return TableOf(random, v, n,
                 [&](std::uint64_t x) { return (std::popcount(x) % 2 == 1) != inverted; });
}

TruthTable CarryTable(std::mt19937& random, int v, int n) {
  // Signal positions of a_i and b_i in the assignment, shuffled.
  std::vector<int> position(static_cast<std::size_t>(v));
  for (int j = 0; j < v; ++j) position[static_cast<std::size_t>(j)] = j;
  std::shuffle(position.begin(), position.end(), random);
  const int bits = v / 2;
  return TableOf(random, v, n, [&](std::uint64_t x) {
    std::uint64_t a = 0;
    std::uint64_t b = 0;
    for (int i = 0; i < bits; ++i) {
      a |= ((x >> position[static_cast<std::size_t>(i)]) & 1u) << i;
      b |= ((x >> position[static_cast<std::size_t>(bits + i)]) & 1u) << i;
    }
    return ((a + b) >> bits) != 0;
  });
}

TruthTable SumOfProductsTable(std::mt19937& random, int v, int n, int products, int min_literals) {
  // Per product: the signals it holds (mask) and their values.
  std::vector<std::pair<std::uint64_t, std::uint64_t>> cubes;
  const std::uint64_t all = (std::uint64_t{1} << v) - 1;
  std::uniform_int_distribution<std::uint64_t> any(0, all);
  for (int p = 0; p < products; ++p) {
    std::uint64_t mask = all;
    if (p > 0) {
      const int literals = std::uniform_int_distribution<int>(std::min(min_literals, v), v)(random);
      std::vector<int> order(static_cast<std::size_t>(v));
      for (int j = 0; j < v; ++j) order[static_cast<std::size_t>(j)] = j;
      std::shuffle(order.begin(), order.end(), random);
      mask = 0;
      for (int j = 0; j < literals; ++j)
        mask |= std::uint64_t{1} << order[static_cast<std::size_t>(j)];
    }
    cubes.push_back({mask, any(random) & mask});
  }
  return TableOf(random, v, n, [&](std::uint64_t x) {
    return std::any_of(cubes.begin(), cubes.end(),
                       [&](const auto& cube) { return (x & cube.first) == cube.second; });
  });
}

TruthTable MixedTable(std::mt19937& random, int kind, int v, int n) {
  switch (kind) {
    case 0:
      return RandomTable(random, v, n, 0.5);
    case 1:
      return RandomTable(random, v, n, std::uniform_real_distribution<double>(0.02, 0.98)(random));
    case 2:
      return ParityTable(random, v, n);
    case 3:
      return v % 2 == 0 ? CarryTable(random, v, n) : RandomTable(random, v, n, 0.1);
    case 4:
      return SumOfProductsTable(random, v, n, 1, v);
    default:
      return SumOfProductsTable(random, v, n, std::uniform_int_distribution<int>(2, 5)(random),
                                std::max(1, v - 4));
  }
}

testing::AssertionResult MatchesReference(int level, const TruthTable& table, bool allow_complement,
                                          std::size_t reference_budget, DifferentialRun* run) {
  const std::string where = Describe(level, table, allow_complement);

  SynthesisFixture f;
  f.context.level = level;
  const NodeRef tree = TreeWriter(f, table).Tree();
  if (tree == kNoNode) return testing::AssertionFailure() << where << ": no room for the tree";
  Minimized m;
  if (!MinimizeEquation(f.context, f.pool, tree, {f.first, table.n}, allow_complement, m))
    return testing::AssertionFailure() << where << ": the minimizer ran out of memory";
  if (f.pool.in_use() != 0) return testing::AssertionFailure() << where << ": nodes left in use";

  AllocationBudget budget(reference_budget);
  Diagnostics diagnostics;
  reference::Context context(budget, diagnostics);
  reference::Minimized expected;
  const bool finished = reference::MinimizeTable(context, level, table, allow_complement, expected);
  if (run) {
    run->reference_finished = finished;
    run->terms = static_cast<int>(TermsOf(m.cover, m.last).size());
  }
  if (!finished) return ComputesTheFunction(level, table, m, where);

  const int marker = m.cover.ConstantMarker();
  if (marker != expected.cover.ConstantMarker() || m.polarity != expected.polarity)
    return testing::AssertionFailure()
           << where << ": marker " << marker << " polarity " << m.polarity << ", expected marker "
           << expected.cover.ConstantMarker() << " polarity " << expected.polarity;
  if (marker != 0) return testing::AssertionSuccess();
  const std::vector<std::string> terms = TermsOf(m.cover, m.last);
  const std::vector<std::string> expected_terms = TermsOf(expected.cover, expected.last);
  if (terms != expected_terms)
    return testing::AssertionFailure()
           << where << ":\n  terms   " << Join(terms) << "\n  expected" << Join(expected_terms);
  return testing::AssertionSuccess();
}

}  // namespace kem::testing_support
