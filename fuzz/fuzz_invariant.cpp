// Fuzz target: the invariant of generated designs, with the fuzzer's bytes as the generator's
// choices, so coverage steers which devices, modes, pins and equations are tried. A clean
// compilation must fit, and the fitted device must compute what the source says.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>

#include "fuzz/fuzz_check.h"
#include "tests/invariant/invariant_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kem::testing_support;
  const GeneratedDesign design =
      DesignGenerator(std::span<const std::uint8_t>(data, size)).Generate();
  const Verdict verdict = CompileAndCheck(design);
  if (!verdict.problem.empty())
    std::fprintf(stderr, "%s\nlevel %d, fault \"%s\"\n----- design.kem -----\n%s\n",
                 verdict.problem.c_str(), design.level, design.fault.c_str(),
                 design.source.c_str());
  KEM_FUZZ_CHECK(verdict.problem.empty(), "generated designs keep the invariant");
  return 0;
}
