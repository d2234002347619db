// Random designs for every device and mode, compiled at a random minimization level and fitted:
// a compilation that ends clean always fits; the JEDEC file reads back with both checksums
// right; the fitted device computes the equations of the intermediate file, which the listing
// states alike; and those equations mean what the source said.
//
// KEM_INVARIANT_DESIGNS sets how many designs are tried (seeds 0, 1, ...); KEM_INVARIANT_SEED
// tries the one design of that seed. A failure prints the seed and the whole source.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/invariant/invariant_check.h"
#include "tests/support/round_count.h"

namespace kem {
namespace {

using testing_support::CompileAndCheck;
using testing_support::DesignGenerator;
using testing_support::GeneratedDesign;
using testing_support::Verdict;

constexpr int kDefaultDesigns = 2000;

std::optional<std::uint64_t> EnvNumber(const char* name) {
  const char* text = std::getenv(name);
  if (text == nullptr || *text == '\0') return std::nullopt;
  return std::strtoull(text, nullptr, 0);
}

std::string Reproduction(std::uint64_t seed, const GeneratedDesign& design,
                         const std::string& problem) {
  std::ostringstream text;
  text << problem << "\nseed " << seed << " (KEM_INVARIANT_SEED=" << seed << "), level "
       << design.level << ", fault \"" << design.fault << "\"\n----- design.kem -----\n"
       << design.source << "\n-----------------------";
  return text.str();
}

TEST(InvariantTest, CleanCompilationsFitAndComputeTheirEquations) {
  const std::optional<std::uint64_t> one = EnvNumber("KEM_INVARIANT_SEED");
  const std::uint64_t count = one ? 1
                                  : EnvNumber("KEM_INVARIANT_DESIGNS")
                                        .value_or(testing_support::RoundCount(kDefaultDesigns));
  const std::uint64_t first = one.value_or(0);

  int clean = 0;
  int failures = 0;
  // Clean compilations per device and mode: every one must reach the fitter.
  std::map<std::pair<int, int>, int> fitted;
  for (std::uint64_t seed = first; seed < first + count; ++seed) {
    const GeneratedDesign design = DesignGenerator(seed).Generate();
    if (one) std::cout << "level " << design.level << "\n" << design.source << "\n";
    const Verdict verdict = CompileAndCheck(design);
    if (!verdict.problem.empty()) {
      ADD_FAILURE() << Reproduction(seed, design, verdict.problem);
      if (++failures == 3) break;
    }
    if (verdict.clean) {
      ++clean;
      ++fitted[{design.gal_type, design.mode}];
    }
  }
  if (one) return;

  std::cout << clean << " of " << count << " designs compiled clean and were fitted\n";
  EXPECT_GE(clean * 100, static_cast<long long>(count) * 60)
      << "the generator writes too many faults";
  if (count >= 500) {
    for (int type = 0; type < kDeviceCount; ++type) {
      for (int mode : {kSimpleMode, kComplexMode, kRegisteredMode}) {
        if (ModeAllowed(mode, type)) {
          EXPECT_GT((fitted[{type, mode}]), 0) << DeviceName(type) << " " << ModeName(mode);
        }
      }
    }
  }
}

// ---- the generator itself ---------------------------------------------------------------------

TEST(DesignGeneratorTest, SameSeedSameDesign) {
  const GeneratedDesign a = DesignGenerator(42).Generate();
  EXPECT_EQ(a.source, DesignGenerator(42).Generate().source);
  EXPECT_NE(a.source, DesignGenerator(43).Generate().source);
}

TEST(DesignGeneratorTest, BytesDriveTheChoices) {
  const std::array<std::uint8_t, 6> bytes{3, 1, 2, 250, 17, 99};
  const GeneratedDesign a = DesignGenerator(std::span<const std::uint8_t>(bytes)).Generate();
  EXPECT_EQ(a.source, DesignGenerator(std::span<const std::uint8_t>(bytes)).Generate().source);
  const std::array<std::uint8_t, 6> other{3, 2, 2, 250, 17, 99};  // another device
  EXPECT_NE(a.source, DesignGenerator(std::span<const std::uint8_t>(other)).Generate().source);
  // Once the bytes are used up every choice is the first: a fault-free design that compiles
  // clean and fits.
  const GeneratedDesign empty = DesignGenerator(std::span<const std::uint8_t>()).Generate();
  EXPECT_EQ(empty.fault, "");
  const Verdict verdict = CompileAndCheck(empty);
  EXPECT_TRUE(verdict.clean) << empty.source;
  EXPECT_EQ(verdict.problem, "");
}

}  // namespace
}  // namespace kem
