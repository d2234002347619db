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

#include "device/fitter.h"
#include "tests/invariant/equation_text.h"
#include "tests/invariant/meaning_check.h"
#include "tests/support/compile_fixture.h"
#include "tests/support/design_generator.h"
#include "tests/support/fit_check.h"
#include "tests/support/jedec_reader.h"

namespace kem {
namespace {

using testing_support::CompileFixture;
using testing_support::DesignGenerator;
using testing_support::GeneratedDesign;
using testing_support::IntermediateEquations;
using testing_support::ListingEquations;

constexpr int kDefaultDesigns = 2000;

// How many input combinations of a fitted device are evaluated: all of them up to
// `exhaustive_limit` inputs, else `samples` random ones. The sanitizer build evaluates far fewer,
// so that its run stays short; the device model is the test's own code, what the sanitizers
// watch is the compiler and the fitter.
struct Sampling {
  int exhaustive_limit;
  int samples;
};
#if defined(__SANITIZE_ADDRESS__)
constexpr Sampling kSampling{8, 256};
#else
constexpr Sampling kSampling{14, 4096};
#endif

std::optional<std::uint64_t> EnvNumber(const char* name) {
  const char* text = std::getenv(name);
  if (text == nullptr || *text == '\0') return std::nullopt;
  return std::strtoull(text, nullptr, 0);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Reads back and checks what a clean compilation and its fit wrote.
std::string CheckFit(CompileFixture& fixture, const testing_support::Compiled& compiled) {
  using namespace testing_support;
  if (fixture.host.fits != std::vector<std::string>{fixture.dir.File("design.kem")})
    return "no fit after a clean compilation";
  if (!compiled.intermediate || !compiled.listing) return "no intermediate file or listing";
  if (ListingEquations(*compiled.listing) != IntermediateEquations(*compiled.intermediate))
    return "the listing and the intermediate file state different equations";

  if (FitCommand(fixture.host.fits.front(), fixture.host, fixture.host.log) !=
      FitOutcome::kSucceeded)
    return "the fit failed: " + fixture.host.log.lines().back();

  const auto jedec_text = fixture.dir.Read("design.jed");
  if (!jedec_text || jedec_text->empty()) return "no JEDEC file";
  std::string error;
  const auto jedec = ReadJedec(*jedec_text, error);
  if (!jedec) return "JEDEC file unreadable: " + error;
  if (jedec->fuse_checksum != static_cast<unsigned>(jedec->stated_fuse_checksum))
    return "fuse checksum";
  if (jedec->transmission_checksum != static_cast<unsigned>(jedec->stated_transmission_checksum))
    return "transmission checksum";

  const auto design = ReadIntermediate(*compiled.intermediate);
  if (!design) return "intermediate file unreadable";
  const auto model = GalModel::FromFuses(design->design.Gal_Type, jedec->fuses, error);
  if (!model) return "fuse map: " + error;
  if (std::string difference = CheckDeviceAgainstEquations(
          *model, *design, kSampling.exhaustive_limit, kSampling.samples);
      !difference.empty())
    return "device: " + difference;
  return {};
}

struct Verdict {
  bool clean = false;
  std::string problem;  // empty while the invariant holds
};

Verdict CompileAndCheck(const GeneratedDesign& design) {
  CompileFixture fixture;
  CompileOptions options;
  options.minimization_level = design.level;
  const testing_support::Compiled compiled =
      fixture.Compile(design.source, "design.kem", options, /*fit=*/true);
  if (!compiled.run) return {false, "the compile command was refused"};
  Verdict verdict{compiled.run->CompileClean() == 1, {}};

  if (design.fault.empty()) {
    // Only an output with more terms than it takes, which the generator cannot foresee, and
    // the missing ";" it writes on purpose may show in the error file.
    for (const std::string& line : Lines(compiled.errors.value_or(""))) {
      if (line.find("W01") == std::string::npos && !line.starts_with("E35 "))
        return {verdict.clean, "a valid design got: " + line};
    }
    if (!compiled.intermediate) return {verdict.clean, "no intermediate file"};
    const auto written = testing_support::ReadIntermediate(*compiled.intermediate);
    if (!written) return {verdict.clean, "intermediate file unreadable"};
    if (std::string wrong = testing_support::CheckMeaning(design, *written); !wrong.empty())
      return {verdict.clean, "meaning: " + wrong};
  }
  if (verdict.clean && design.must_fail) return {verdict.clean, "compiled clean despite the fault"};
  if (!verdict.clean) {
    if (!fixture.host.fits.empty()) verdict.problem = "a fit after an unclean compilation";
    return verdict;
  }
  verdict.problem = CheckFit(fixture, compiled);
  return verdict;
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
  const std::uint64_t count =
      one ? 1 : EnvNumber("KEM_INVARIANT_DESIGNS").value_or(kDefaultDesigns);
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
