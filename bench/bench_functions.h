// The functions the benchmarks compile, as the right-hand side of one equation over the signals
// I0..I(V-1). Each kind is a family that real designs or the minimizer's worst cases come from.
#pragma once

#include <string>
#include <vector>

namespace kem::bench {

struct FunctionKind {
  const char* name;
  std::string (*equation)(int v);
  int step;  // the kind exists for every step-th V only (the adder and the comparator: V = 2n)
};

// random: every minterm on with probability 1/2 (seeded by V), written as a Davio expansion
//   f = f0 $ x & (f0 $ f1) down to three signals, whose functions are written as small as they go;
//   so 18 signals take about a third of a million expression nodes instead of 2^17 minterms.
// parity: the exclusive or of all signals.
// carry: the carry out of an adder of two n-bit numbers, V = 2n.
// comparator: A > B for two n-bit numbers, V = 2n.
// product: a single product of all V signals, some inverted (an address decoder).
// decoder: the OR of four wide products of V, V-1, V-2 and V-3 signals.
const std::vector<FunctionKind>& FunctionKinds();

std::string Signal(int i);

// A design for a GAL22V10 with the 18 inputs I0..I17 and the output Y = equation.
std::string BenchDesign(const std::string& equation);

// The same design with `count` copies of a small equation for Y: every copy after the first is
// refused, so the compilation is little more than one log line per statement.
std::string RepeatedStatementsDesign(int count);

}  // namespace kem::bench
