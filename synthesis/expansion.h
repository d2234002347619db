// Sum-of-products expansion: an expression tree becomes a cover, either through its truth table
// over the signals it uses (always when the equation is to be minimized) or, when it is not to be
// minimized and is already a sum of products, directly with one row per product as written.
#pragma once

#include <vector>

#include "synthesis/cover.h"
#include "synthesis/expression_tree.h"

namespace kem {

inline constexpr int kMaxUsedVariables = 18;

// How leaves map to cover columns: a leaf's variable is its record minus the first design record.
struct VariableMap {
  int first_design_record = 1;
  int variables = 0;  // n: the number of design records
};

struct Expansion {
  Cover cover;
  int rows = 0;
  bool direct = false;  // built straight from the tree, not through the truth table
  int on_count = 0;
  int off_count = 0;
};

// Sets used[v] = 1 for the variable of every leaf; returns the number of used variables.
int MarkUsedVariables(const NodePool& pool, NodeRef tree, const VariableMap& map, int* used);

// True when ORs stand only above ANDs, NOT applies only to signals and there is no XOR.
bool IsSumOfProducts(const NodePool& pool, NodeRef tree);
// 1 plus the OR nodes reached from the root through OR nodes only.
int CountTerms(const NodePool& pool, NodeRef tree);

// The direct cover or the truth table (with the function value in tag column n). False after E01.
bool BuildCover(SynthesisContext& context, const NodePool& pool, NodeRef tree, const int* used,
                int used_count, const VariableMap& map, bool minimizing, Expansion& result);

}  // namespace kem
