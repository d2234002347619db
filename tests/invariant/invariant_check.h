// The invariant every generated design must keep, shared by the invariant test and its fuzz
// target: a compilation that ends clean always fits; the JEDEC file reads back with both
// checksums right; the fitted device computes the equations of the intermediate file, which the
// listing states alike; and those equations mean what the source said.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "device/fitter.h"
#include "device/jedec_reader.h"
#include "tests/invariant/equation_text.h"
#include "tests/invariant/meaning_check.h"
#include "tests/support/compile_fixture.h"
#include "tests/support/design_generator.h"
#include "tests/support/fit_check.h"

namespace kem::testing_support {

// How many input combinations of a fitted device are evaluated: all of them up to
// `exhaustive_limit` inputs, else `samples` random ones. The sanitizer build evaluates far fewer,
// so that its run stays short; the device model is the test's own code, what the sanitizers
// watch is the compiler and the fitter.
struct Sampling {
  int exhaustive_limit;
  int samples;
};
#if defined(__SANITIZE_ADDRESS__)
inline constexpr Sampling kSampling{8, 256};
#else
inline constexpr Sampling kSampling{14, 4096};
#endif

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Reads back and checks what a clean compilation and its fit wrote.
inline std::string CheckFit(CompileFixture& fixture, const testing_support::Compiled& compiled) {
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
  const auto model = DeviceSimulator::FromFuses(design->design.Gal_Type, jedec->fuses, error);
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

inline Verdict CompileAndCheck(const GeneratedDesign& design) {
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

}  // namespace kem::testing_support
