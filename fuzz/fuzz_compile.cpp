// Fuzz target: the compiler on arbitrary source bytes, followed by the fit when the compilation
// ends clean. The first byte chooses the minimization level, the rest is the design source. The
// memory budget is small so that equations too large for it end quickly with E01.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "compiler/driver.h"
#include "device/fitter.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_temp_dir.h"
#include "tests/support/fake_host.h"

namespace {

constexpr std::size_t kFuzzMemoryBudget = std::size_t{64} << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string source_name = (kem::fuzzing::ProcessTempDir() / "design.kem").string();
  {
    std::ofstream source(source_name, std::ios::binary | std::ios::trunc);
    source.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
  }
  kem::CompileOptions options;
  options.minimization_level = data[0] % 3;
  options.memory_budget = kFuzzMemoryBudget;

  kem::testing_support::FakeHost host;
  const auto run = kem::RunCompileCommand({source_name, true}, host, options);
  KEM_FUZZ_CHECK(run != nullptr, "a design source is always compiled");
  if (run->CompileClean()) {
    KEM_FUZZ_CHECK(run->fit.has_value(), "a clean compilation is fitted");
    KEM_FUZZ_CHECK(run->fit == kem::FitOutcome::kSucceeded, "a clean compilation fits");
  } else {
    KEM_FUZZ_CHECK(!run->fit.has_value(), "a failed compilation is not fitted");
  }
  KEM_FUZZ_CHECK(run->nodes.in_use() == 0, "every expression node is released");
  KEM_FUZZ_CHECK(run->budget.peak() <= kFuzzMemoryBudget, "the memory budget holds");
  return 0;
}
