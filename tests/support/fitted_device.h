// A design fitted in memory, as the device simulator sees it, and a vector file run on it.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "device/catalogue.h"
#include "device/device_simulator.h"
#include "device/fitter.h"
#include "device/jedec_writer.h"
#include "device/test_vectors.h"
#include "tests/support/intermediate_builder.h"

namespace kem::testing_support {

// A fitted design as the simulator sees it.
struct Fitted {
  int gal_type = 0;
  std::vector<std::uint8_t> fuses;  // JEDEC numbering
  std::vector<std::string> names;   // by pin number
};

inline Fitted Fit(const IntermediateBuilder& design) {
  Fitter fitter;
  std::istringstream in(design.Text());
  EXPECT_EQ(fitter.Fit(in), 1);
  Fitted fitted;
  fitted.gal_type = fitter.design().Gal_Type;
  for (int cell : DeviceJedecLayout(fitted.gal_type).cells)
    fitted.fuses.push_back(fitter.fuse_map()[cell] == '1' ? 1 : 0);
  fitted.names.resize(PinCount(fitted.gal_type) + 1);
  for (int i = fitter.pins().first_design_record(); i <= fitter.pins().count(); ++i) {
    const PinRecord& r = fitter.pins().record(i);
    if (r.Pin_or_Node == kPin) fitted.names[r.Number] = r.name;
  }
  return fitted;
}

// Empty when every vector passes; else the faults or the mismatches, one a line.
inline std::string Simulate(const Fitted& fitted, const std::string& vectors) {
  std::string error;
  auto device = DeviceSimulator::FromFuses(fitted.gal_type, fitted.fuses, error);
  if (!device) return error;
  std::vector<VectorDiagnostic> faults;
  const auto parsed = ParseTestVectors(vectors, *device, fitted.names, faults);
  std::string result;
  for (const VectorDiagnostic& fault : faults) result += LineText(fault) + "\n";
  if (!parsed) return result;
  const SimulationRun run = RunTestVectors(*parsed, *device);
  for (const VectorStep& step : run.steps) {
    for (const VectorStep::Mismatch& m : step.mismatches)
      result += LineText({step.line, MismatchText(*parsed, m)}) + "\n";
  }
  return result;
}

}  // namespace kem::testing_support
